#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

// Runs the real zp407ne-cli on small data files made from a fresh image with a few bytes set.
class TstCli : public QObject {
    Q_OBJECT

    struct TRun {
        int status = -1;
        QString out;
        QString err;
    };

    QTemporaryDir Home;
    QByteArray NewFile;

    TRun Run(const QStringList& args, const QString& home = QString()) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZP407NE_HOME"), home.isEmpty() ? Home.path() : home);
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZP_CLI), args);
        if (!process.waitForFinished(30000)) return {};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    QString Path(const QString& name) const { return Home.filePath(name); }

    static QByteArray ReadFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The 16-byte header stands where image block 0 would, so file offsets equal image
    // addresses.
    static int Record(int k) { return 32 * k - 16; }

    static void Put(QByteArray& file, int address, const QByteArray& bytes) {
        file.replace(address, bytes.size(), bytes);
    }

    static void SetPresent(QByteArray& file, int k, bool present, bool scanned) {
        auto bit = [&](int start, bool clear) {
            char& byte = file[start + (k - 1) / 8];
            const char mask = char(1 << ((k - 1) % 8));
            byte = clear ? char(byte & ~mask) : char(byte | mask);
        };
        bit(0x1190, present);
        bit(0x11A0, scanned);
    }

    // A record: RX and TX as 10 Hz counts (TX -1 = none), tone bytes, flag bytes, name and ID.
    static void PutChannel(QByteArray& file, int k, quint32 rx, qint64 tx, const QByteArray& tones,
                           const QByteArray& flags, const QByteArray& nameAndId) {
        QByteArray record(32, char(0xFF));
        for (int i = 0; i < 4; ++i) {
            record[i] = char(rx >> (8 * i));
            record[4 + i] = tx < 0 ? char(0xFF) : char(quint32(tx) >> (8 * i));
        }
        record.replace(8, 4, tones);
        record.replace(12, 2, flags);
        record.replace(15, nameAndId.size(), nameAndId);
        Put(file, Record(k), record);
    }

    // Channels: 1 plain, 2 TX below RX with DCS tones, 3 out of band and off-grid, 4 a name
    // that needs CSV quoting and odd bytes, 5 empty, 6 tone bytes that are no tone.
    QByteArray Crafted() const {
        QByteArray file = NewFile;
        PutChannel(file, 1, 14550000, -1, QByteArray::fromHex("8508ffff"),
                   QByteArray::fromHex("ffff"), QByteArray::fromHex("123fff") + Name("CALL"));
        PutChannel(file, 2, 43800000, 43300000, QByteArray::fromHex("2380d4c7"),
                   QByteArray::fromHex("0a2f"), QByteArray::fromHex("500fff") + Name(""));
        PutChannel(file, 3, 30000000, 14500310, QByteArray::fromHex("ffffffff"),
                   QByteArray::fromHex("a8df"), QByteArray::fromHex("12345f") + Name(""));
        PutChannel(file, 4, 14600000, 14600000, QByteArray::fromHex("ffffffff"),
                   QByteArray::fromHex("ffff"),
                   QByteArray::fromHex("000fff") + QByteArray::fromHex("210c2202600041"));
        PutChannel(file, 6, 14700000, 14700000, QByteArray::fromHex("0a0a7f09"),
                   QByteArray::fromHex("ffff"), QByteArray::fromHex("000fff") + Name(""));
        for (int k : {1, 2, 3, 4, 6})
            SetPresent(file, k, true, k % 2 == 1);
        return file;
    }

    static QByteArray Name(const char* text) {
        QByteArray name(7, 0);
        for (int i = 0; text[i]; ++i)
            name[i] = char(text[i] - 0x20);
        return name;
    }

private slots:
    void initTestCase() {
        QVERIFY(Home.isValid());
        const TRun run = Run({QStringLiteral("new"), Path(QStringLiteral("new.dat"))});
        QCOMPARE(run.status, 0);
        NewFile = ReadFile(Path(QStringLiteral("new.dat")));
    }

    void newImageBytes() {
        QCOMPARE(NewFile.size(), 4768);
        QCOMPARE(NewFile.left(16), QByteArray("PQX47QX47    \xff\xff\xff", 16));
        QCOMPARE(NewFile.mid(0x11B0, 56).toHex(' '),
                 QByteArray("ff ff ff ff c0 0d e0 10 00 00 00 ff bd f2 f8 65 "
                            "94 16 00 0c 00 f5 ff ff ff ff ff ff ff ff ff ff "
                            "ff ff ff ff ff f1 32 d0 ef 1a f5 ff 00 0f ff ff "
                            "00 ff ff ff ff ff ff ff"));
        QCOMPARE(NewFile.mid(0x11F8, 8).toHex(' '), QByteArray("50 51 58 34 37 ff 05 00"));
        QCOMPARE(NewFile.mid(0x1200, 32).toHex(' '),
                 QByteArray("00 5a 62 02 00 6c dc 02 00 85 cf 00 c0 80 09 01 "
                            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
        QCOMPARE(NewFile.mid(0x10, 32), QByteArray(32, char(0xFF)));
        // the date stamp is the time of the run
        const int year = quint8(NewFile[0x1260]) | quint8(NewFile[0x1261]) << 8;
        QCOMPARE(year, QDate::currentDate().year());
    }

    void channelList() {
        WriteFile(Path(QStringLiteral("crafted.dat")), Crafted());
        const TRun run = Run({QStringLiteral("channels"), Path(QStringLiteral("crafted.dat"))});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 1 + 128 + 1);
        QCOMPARE(lines[0], QStringLiteral("No.,RX Frequency,TX Frequency,QT/DQT Dec,QT/DQT Enc,"
                                          "TX Power,W/N,Scan Add,Busy Lock,Vox,Epilogue,PTT ID,"
                                          "DTMF,NAME,ID Code"));
        QCOMPARE(lines[1], QStringLiteral("1,145.50000,,88.5,None,High,Wide,Add,Off,No,On,Off,"
                                          "OFF,CALL,123"));
        QCOMPARE(lines[2], QStringLiteral("2,438.00000,433.00000,D023N,D754I,Low,Narrow,Del,On,"
                                          "Yes,On,BOT,ON,,500"));
        QCOMPARE(lines[3], QStringLiteral("3,400.00000,145.00300,None,None,Low,Wide,Add,On,Yes,On,"
                                          "EOT,OFF,,12345"));
        QCOMPARE(lines[4], QStringLiteral("4,146.00000,146.00000,None,None,High,Wide,Del,Off,No,"
                                          "On,Off,OFF,\"A,B\"\"\u0080 a\",000"));
        QCOMPARE(lines[5], QStringLiteral("5,,,,,,,,,,,,,,"));
        QCOMPARE(lines[6], QStringLiteral("6,147.00000,147.00000,None,None,High,Wide,Del,Off,No,"
                                          "On,Off,OFF,,000"));
        QCOMPARE(lines[128], QStringLiteral("128,,,,,,,,,,,,,,"));
    }

    void radioInfo() {
        QByteArray file = NewFile;
        Put(file, 0x1260, QByteArray::fromHex("e80703050e0709"));
        Put(file, 0x1280, QByteArray("AB-12") + QByteArray(11, char(0xFF)));
        WriteFile(Path(QStringLiteral("info.dat")), file);
        const TRun run = Run({QStringLiteral("info"), Path(QStringLiteral("info.dat"))});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("Model Type: ZP-407NE\n"
                                         "Frequency[MHz]: 400.00000 - 480.00000/136.00000 - "
                                         "174.00000MHz\n"
                                         "Serial Number: AB 12           \n"
                                         "Write Time: 2024-03-05 14:07:09\n"));
    }

    // A fresh image with a value of every settings section changed.
    QByteArray Configured() const {
        QByteArray file = NewFile;
        Put(file, 0x11C1, QByteArray::fromHex("25")); // VFO step 12.50, FM step 100
        PutChannel(file, 129, 14600000, 0x0107A120,   // 5 MHz offset, "+Dup"
                   QByteArray::fromHex("8508ffff"), QByteArray::fromHex("b44f"),
                   QByteArray(10, char(0xFF)));
        Put(file, 0x11BB, QByteArray::fromHex("05")); // display mode 5
        Put(file, 0x11BD, QByteArray::fromHex("86")); // Chinese voice, Freq. Rang-4 bit
        Put(file, 0x11C8, QByteArray::fromHex("31")); // option 16: radio name "Q"
        Put(file, 0x11D7, QByteArray::fromHex("05")); // group code 5: no item
        Put(file, 0x11D8, QByteArray::fromHex("e3")); // both PTT ID codes present
        Put(file, 0x11DB, QByteArray::fromHex("21")); // begin code 2 digits, end code 3
        Put(file, 0x11E8, QByteArray::fromHex("1aff"));
        Put(file, 0x11F0, QByteArray::fromHex("12ff"));
        Put(file, 0x11FD, QByteArray::fromHex("aa"));   // Manual Freq. Yes
        Put(file, 0x1050, QByteArray::fromHex("a00f")); // FM channel 1: 100 MHz
        Put(file, 0x11B0, QByteArray::fromHex("fe"));
        Put(file, 0x11C4, QByteArray::fromHex("80")); // priority channel 128
        Put(file, 0x11C0, QByteArray::fromHex("80")); // VOX inhibit on receive
        return file;
    }

    QString SettingsText(const QString& name) {
        const TRun run = Run({QStringLiteral("settings"), Path(name)});
        return run.status == 0 ? run.out : QString();
    }

    // A value of every section, each decoded as its window shows it.
    void settings() {
        const QByteArray file = Configured();
        WriteFile(Path(QStringLiteral("settings.dat")), file);
        const TRun run = Run({QStringLiteral("settings"), Path(QStringLiteral("settings.dat"))});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split(QLatin1Char('\n'));
        QStringList sections;
        for (const QString& line : lines)
            if (line.startsWith(QLatin1Char('['))) sections << line;
        QCOMPARE(sections,
                 QStringList({"[Freq. Channel]", "[Freq_Down]", "[Freq_Up]", "[Optional Function]",
                              "[DTMF Function]", "[FM Information]", "[Scan Information]",
                              "[Vox Function]", "[Radio Information]"}));
        // Each expected line in the section it belongs to.
        const QStringList expected = {
            "[Freq. Channel]",
            "Freq. Step[KHz]=12.50",
            "[Freq_Down]",
            "Frequency[MHz]=146.00000",
            "Offset Freq.[MHz]=5.00000",
            "Duplex=+Dup",
            "QT/DQT Decode=88.5",
            "QT/DQT Encode=None",
            "Apro=",
            "Busy Lock=0",
            "Vox=1",
            "Ani=1",
            "[Optional Function]",
            "Display Mode=FM Freq.",
            "Voice=Chinese",
            "Squelch level=5",
            "Freq. Rang-4=Inhibit Tx",
            "Cross-band setting=1",
            "Radio Name=Q",
            "Manual Freq.=Yes",
            "[DTMF Function]",
            "Group Code=",
            "PTT ID=BOTH",
            "Transpond=Alert",
            "Begin of Tx=1A",
            "End of Tx=12*",
            "ID Code=000",
            "Stun Code=",
            "[FM Information]",
            "Freq. Channel[MHz]=88.00000",
            "FM Step[KHz]=100",
            "FM Scan bound[MHz]=76.000-107.000",
            "1=100.00000",
            "25=",
            "Inhibit Receiver When Radio Working=1",
            "[Scan Information]",
            "Priority Channel=128",
            "Dropout Delay Time[s]=15",
            "[Vox Function]",
            "VOX Gain Level=1",
            "Vox Inhibit on Receive=Yes",
            "[Radio Information]",
            "Model Type=ZP-407NE",
            "Serial Number=",
        };
        QString section;
        for (const QString& line : expected) {
            if (line.startsWith(QLatin1Char('['))) {
                section = line;
                continue;
            }
            const int start = int(lines.indexOf(section));
            const int end = int(std::find_if(lines.begin() + start + 1, lines.end(),
                                             [](const QString& l) { return l.startsWith('['); }) -
                                lines.begin());
            QVERIFY2(lines.mid(start, end - start).contains(line),
                     qPrintable(section + " lacks " + line + "\n" + run.out));
        }
        // Reading writes nothing back.
        QCOMPARE(ReadFile(Path(QStringLiteral("settings.dat"))), file);
    }

    // settings, apply onto a new image, settings again: the same text, the base file untouched.
    void applyRoundTrip() {
        QByteArray file = Configured();
        // A value no item shows ("Apro=", "Group Code=") keeps the base's: give the text items.
        file[Record(129) + 12] = char(0xB5);
        file[0x11D7] = char(0x02);
        WriteFile(Path(QStringLiteral("configured.dat")), file);
        const QString text = SettingsText(QStringLiteral("configured.dat"));
        QVERIFY(text.contains(QStringLiteral("Duplex=+Dup\n")));
        QVERIFY(text.contains(QStringLiteral("Apro=Scrambler\n")));
        WriteFile(Path(QStringLiteral("settings.ini")), text.toUtf8());
        const TRun run =
            Run({QStringLiteral("apply"), Path(QStringLiteral("new.dat")),
                 Path(QStringLiteral("settings.ini")), Path(QStringLiteral("out.dat"))});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(SettingsText(QStringLiteral("out.dat")).split('\n'), text.split('\n'));
        QCOMPARE(ReadFile(Path(QStringLiteral("new.dat"))), NewFile);
    }

    // Only the listed keys change; the values that are only shown are ignored.
    void applyKeepsWhatIsNotListed() {
        WriteFile(Path(QStringLiteral("configured.dat")), Configured());
        WriteFile(Path(QStringLiteral("partial.ini")),
                  "; one change\r\n[Optional Function]\r\nSquelch level = 3\r\n"
                  "[Radio Information]\r\nSerial Number=XYZ\r\n"
                  "[FM Information]\r\nFM Scan bound[MHz]=1-2\r\n");
        const TRun run =
            Run({QStringLiteral("apply"), Path(QStringLiteral("configured.dat")),
                 Path(QStringLiteral("partial.ini")), Path(QStringLiteral("partial.dat"))});
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QString expected = SettingsText(QStringLiteral("configured.dat"));
        QVERIFY(expected.contains(QStringLiteral("Squelch level=5\n")));
        expected.replace(QStringLiteral("Squelch level=5\n"), QStringLiteral("Squelch level=3\n"));
        QCOMPARE(SettingsText(QStringLiteral("partial.dat")), expected);
    }

    // Every refused line is told with its number, and nothing is written.
    void applyRefusesUnknownLines() {
        WriteFile(Path(QStringLiteral("bad.ini")), "[Freq_Down]\n"
                                                   "Duplex=Sideways\n"
                                                   "Frequency[MHz]=999\n"
                                                   "QT/DQT Decode=88.6\n"
                                                   "Busy Lock=yes\n"
                                                   "[Nope]\n"
                                                   "Anything=1\n"
                                                   "[Optional Function]\n"
                                                   "Squelch level=3\n"
                                                   "Squelch=3\n"
                                                   "Radio Name=TOO LONG\n"
                                                   "[DTMF Function]\n"
                                                   "Begin of Tx=12XY\n"
                                                   "no equals sign\n"
                                                   "[Freq. Channel]\n"
                                                   "Freq. Step[KHz]=3.33\n");
        const QString out = Path(QStringLiteral("refused.dat"));
        const TRun run = Run({QStringLiteral("apply"), Path(QStringLiteral("new.dat")),
                              Path(QStringLiteral("bad.ini")), out});
        QCOMPARE(run.status, 2);
        QVERIFY(!QFile::exists(out));
        QStringList numbers;
        for (const QString& line : run.err.split(QLatin1Char('\n')))
            if (line.startsWith(QLatin1String("line ")))
                numbers << line.section(QLatin1Char(':'), 0, 0);
        QCOMPARE(numbers, QStringList({"line 2", "line 3", "line 4", "line 5", "line 6", "line 10",
                                       "line 11", "line 13", "line 14", "line 16"}));
        for (const char* told : {"unknown section [Nope]", "unknown key \"Squelch\"",
                                 "\"Sideways\" is no value of \"Duplex\" in [Freq_Down]"})
            QVERIFY2(run.err.contains(QLatin1String(told)), qPrintable(run.err));
    }

    void resaveNormalises() {
        QByteArray crafted = Crafted();
        crafted[0x11B8 + 40] = char(0x55); // an option out of its range
        WriteFile(Path(QStringLiteral("in.dat")), crafted);
        const TRun run = Run({QStringLiteral("resave"), Path(QStringLiteral("in.dat")),
                              Path(QStringLiteral("out.dat"))});
        QCOMPARE(run.status, 0);
        const QByteArray out = ReadFile(Path(QStringLiteral("out.dat")));
        QCOMPARE(out.size(), 4768);
        QCOMPARE(out.left(16), crafted.left(16));
        QCOMPARE(quint8(out[0x11B8 + 40]), quint8(0));
        // channel 3: RX moved into the first band, TX snapped to the 500 Hz grid
        QCOMPARE(out.mid(Record(3), 8).toHex(' '), QByteArray("00 5a 62 02 cc 41 dd 00"));
        // channel 2: the DCS bytes written back in their clean form
        QCOMPARE(out.mid(Record(2) + 8, 4).toHex(' '), QByteArray("23 80 54 c7"));
        // channel 6: bytes that are no tone stay as they were
        QCOMPARE(out.mid(Record(6) + 8, 4), crafted.mid(Record(6) + 8, 4));
        // the empty channel and the file-only block stay as they were
        QCOMPARE(out.mid(Record(5), 32), crafted.mid(Record(5), 32));
        QCOMPARE(out.mid(0x1290, 16), crafted.mid(0x1290, 16));
    }

    // export-csv to stdout and to a file, import-csv onto a new image, and the export of the
    // result: the same text but for the name character that no name takes.
    void csvRoundTrip() {
        WriteFile(Path(QStringLiteral("crafted.dat")), Crafted());
        const TRun shown = Run({QStringLiteral("export-csv"), Path(QStringLiteral("crafted.dat"))});
        QCOMPARE(shown.status, 0);
        QVERIFY(shown.out.startsWith(QStringLiteral("Location,Name,Frequency,Duplex,")));
        QCOMPARE(shown.out.count(QStringLiteral("\r\n")), 6); // the header and 5 channels
        const QString csv = Path(QStringLiteral("crafted.csv"));
        QCOMPARE(
            Run({QStringLiteral("export-csv"), Path(QStringLiteral("crafted.dat")), csv}).status,
            0);
        QCOMPARE(ReadFile(csv), shown.out.toUtf8());
        const TRun imported =
            Run({QStringLiteral("import-csv"), csv, Path(QStringLiteral("new.dat")),
                 Path(QStringLiteral("in.dat"))});
        QCOMPARE(imported.status, 0);
        QCOMPARE(imported.err, QStringLiteral("5 of 5 rows taken.\nLine 5: Name \"A,B\"\u0080 a\" "
                                              "stored as \"A,B\" a\"\n"));
        const TRun again = Run({QStringLiteral("export-csv"), Path(QStringLiteral("in.dat"))});
        QCOMPARE(again.out, QString(shown.out).remove(QChar(0x80)));
    }

    // No row taken: the summary names each refused row, the exit status is 2, nothing is saved.
    void csvNothingTaken() {
        const QString csv = Path(QStringLiteral("bad.csv"));
        WriteFile(csv, "Location,Frequency\n1,300\n");
        const QString out = Path(QStringLiteral("none.dat"));
        const TRun run =
            Run({QStringLiteral("import-csv"), csv, Path(QStringLiteral("new.dat")), out});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(QStringLiteral("Line 2: Frequency \"300\" is outside")),
                 qPrintable(run.err));
        QVERIFY(!QFile::exists(out));
    }

    void translatedList() {
        QTemporaryDir home;
        WriteFile(home.filePath(QStringLiteral("SysInfo.Ini")), "[SysInfo]\r\nLanguage_ID=1\r\n");
        WriteFile(home.filePath(QStringLiteral("Chinese.Ini")),
                  "[fChsInfo]\nColShow.2=100@RX|Freq\ncxPwrv.1=Hi\ncxDcts.0=Off\n"
                  "cxDcts.9=ignored\n[fInfoMsg]\nLabel1.Caption=Model\n");
        WriteFile(Path(QStringLiteral("crafted.dat")), Crafted());
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZP407NE_HOME"), home.path());
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ZP_CLI),
                      {QStringLiteral("channels"), Path(QStringLiteral("crafted.dat"))});
        QVERIFY(process.waitForFinished(30000));
        const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
        QVERIFY(lines[0].startsWith(QStringLiteral("No.,RX Freq,TX Frequency,")));
        QCOMPARE(lines[1], QStringLiteral("1,145.50000,,88.5,Off,Hi,Wide,Add,Off,No,On,Off,"
                                          "OFF,CALL,123"));
        process.start(QStringLiteral(ZP_CLI),
                      {QStringLiteral("info"), Path(QStringLiteral("crafted.dat"))});
        QVERIFY(process.waitForFinished(30000));
        QVERIFY(process.readAllStandardOutput().startsWith("Model: ZP-407NE\n"));
    }

    void ports_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("missing");
        QTest::newRow("English") << QByteArray() << QStringLiteral("not present");
        QTest::newRow("Chinese") << QByteArray("[SysInfo]\nLanguage_ID=1\n") << "不在";
    }

    // The ports as the port dialog lists them: COM1 a pseudo-terminal, COM2 a device that is not
    // there; the serial devices of this machine follow.
    void ports() {
        QFETCH(QByteArray, settings);
        QFETCH(QString, missing);
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        QVERIFY(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const QString slave = QString::fromLocal8Bit(::ptsname(master));
        QTemporaryDir home;
        WriteFile(home.filePath(QStringLiteral("SysInfo.Ini")),
                  settings + "[Ports]\nCOM1=" + slave.toUtf8() + "\nCOM2=/dev/ttyNoSuchPort2\n");
        WriteFile(home.filePath(QStringLiteral("Chinese.Ini")),
                  "[fSetPort]\nlbMissing.Caption=不在\n");
        const TRun run = Run({QStringLiteral("ports")}, home.path());
        ::close(master);
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.endsWith(QLatin1Char('\n')));
        QCOMPARE(run.out.split(QLatin1Char('\n')).mid(0, 2),
                 (QStringList{"COM1 — " + slave, "COM2 — /dev/ttyNoSuchPort2 — " + missing}));
        QVERIFY(run.err.isEmpty());
    }

    // The pages as pdftotext reads them, one string a page.
    static QStringList PdfPages(const QString& fileName) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), fileName, QStringLiteral("-")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
        QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split('\f');
        pages.removeLast(); // every page ends in a form feed
        return pages;
    }

    void printPdf_data() {
        QTest::addColumn<int>("channels"); // present channels beyond the crafted ones
        QTest::addColumn<bool>("settings");
        QTest::addColumn<int>("pages");
        QTest::newRow("one page") << 0 << false << 1;
        QTest::newRow("rows over two pages") << 40 << false << 2;
        QTest::newRow("settings on pages of their own") << 0 << true << 3;
    }

    // The pages the program prints: the present channels as the list shows them under model,
    // file and date, numbered, and the settings after them when asked for.
    void printPdf() {
        QFETCH(int, channels);
        QFETCH(bool, settings);
        QFETCH(int, pages);
        QByteArray file = Crafted();
        for (int k = 128; k > 128 - channels; --k) {
            PutChannel(file, k, 14600000 + quint32(k) * 1000, -1, QByteArray(4, char(0xFF)),
                       QByteArray::fromHex("ffff"), QByteArray::fromHex("000fff") + Name("ROW"));
            SetPresent(file, k, true, true);
        }
        WriteFile(Path(QStringLiteral("print.dat")), file);
        QStringList args{QStringLiteral("print"), Path(QStringLiteral("print.dat")),
                         Path(QStringLiteral("print.pdf"))};
        if (settings) args.insert(1, QStringLiteral("--settings"));
        const TRun run = Run(args);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QStringList text = PdfPages(Path(QStringLiteral("print.pdf")));
        QCOMPARE(text.size(), pages);
        const QString& first = text.first();
        for (const char* expected : {"Channel List", "Model: ZP-407NE", "File: print.dat", "No.",
                                     "RX Frequency", "145.50000", "CALL", "438.00000", "D754I",
                                     "Off"}) // "Off" as typed, not with a ligature
            QVERIFY2(first.contains(QLatin1String(expected)), qPrintable(expected + first));
        QVERIFY(first.contains(QStringLiteral("Page 1 of %1").arg(pages)));
        // Empty channel 5 is left out: channel 6 follows channel 4.
        QVERIFY(first.contains(QRegularExpression(QStringLiteral("\\n\\s*4 .*\\n\\s*6 "))));
        if (channels) QVERIFY(text.last().contains(QStringLiteral("147.28000")));
        if (settings) {
            QVERIFY(text[1].startsWith(QStringLiteral("Settings")));
            QVERIFY(text[1].contains(QStringLiteral("[Freq_Down]")));
            QVERIFY(text.last().contains(QStringLiteral("Model Type=ZP-407NE")));
        }
        QCOMPARE(ReadFile(Path(QStringLiteral("print.dat"))), file);
    }

    void printFailsWithoutWriting() {
        WriteFile(Path(QStringLiteral("ok.dat")), NewFile);
        const TRun run = Run({QStringLiteral("print"), Path(QStringLiteral("ok.dat")),
                              Path(QStringLiteral("new.dat/out.pdf"))});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(QStringLiteral("out.pdf")), qPrintable(run.err));
    }

    void rejectedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QByteArray otherModel = NewFile;
        otherModel.replace(1, 4, "QX48");
        QTest::newRow("other model") << otherModel << QStringLiteral("Model Type Wrong.");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("too short");
        QTest::newRow("header only") << NewFile.left(16) << QStringLiteral("too short");
        QTest::newRow("one byte short") << NewFile.left(4767) << QStringLiteral("too short");
    }

    void rejectedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        WriteFile(Path(QStringLiteral("bad.dat")), bytes);
        const QString out = Path(QStringLiteral("bad-out.dat"));
        for (const QString& command :
             {QStringLiteral("channels"), QStringLiteral("info"), QStringLiteral("resave")}) {
            QStringList args{command, Path(QStringLiteral("bad.dat"))};
            if (command == QLatin1String("resave")) args << out;
            const TRun run = Run(args);
            QCOMPARE(run.status, 2);
            QVERIFY2(run.err.contains(message), qPrintable(run.err));
            QVERIFY(run.out.isEmpty());
            QVERIFY(!QFile::exists(out));
        }
    }

    void fileErrors() {
        TRun run = Run({QStringLiteral("info"), Path(QStringLiteral("missing.dat"))});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("missing.dat")));
        // saving into a "folder" that is a file fails and says so
        run = Run({QStringLiteral("new"), Path(QStringLiteral("new.dat/x.dat"))});
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QStringLiteral("x.dat")));
    }

    // Output that cannot be written is a failure, not a success with nothing printed.
    void unwritableOutputFails() {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZP407NE_HOME"), Home.path());
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        WriteFile(Path(QStringLiteral("ok.dat")), NewFile);
        process.start(QStringLiteral(ZP_CLI),
                      {QStringLiteral("channels"), Path(QStringLiteral("ok.dat"))});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 2);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("No space left on device")), qPrintable(err));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command")
            << QStringList{QStringLiteral("frobnicate"), QStringLiteral("a")};
        QTest::newRow("missing argument")
            << QStringList{QStringLiteral("resave"), QStringLiteral("a")};
        QTest::newRow("extra argument")
            << QStringList{QStringLiteral("new"), QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("export-csv with three files")
            << QStringList{QStringLiteral("export-csv"), QStringLiteral("a"), QStringLiteral("b"),
                           QStringLiteral("c")};
    }

    void usageErrors() {
        QFETCH(QStringList, args);
        const TRun run = Run(args);
        QCOMPARE(run.status, 1);
        QVERIFY(run.err.startsWith(QStringLiteral("Usage:")));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstCli)
#include "tst_cli.moc"
