#include "core/All.h"
#include "core/IniFile.h"
#include "core/Language.h"
#include "core/Messages.h"
#include "core/SysSettings.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

// The initialisation-file reader and writer, the settings file and the message texts.
class TstSettings : public QObject {
    Q_OBJECT

private slots:
    void iniLookup_data();
    void iniLookup();
    void iniWriteChangesOnlyItsLine_data();
    void iniWriteChangesOnlyItsLine();
    void iniUnwritableFile_data();
    void iniUnwritableFile();

    void splitNameList_data();
    void splitNameList();

    void loadSettingsWithoutFile();
    void loadSettings_data();
    void loadSettings();
    void saveSettingsCreatesFile();
    void saveSettingsKeepsOtherLines();
    void saveSettingsUnwritable();
    void specialSettingsFilesAreLeftAlone_data();
    void specialSettingsFilesAreLeftAlone();

    void loadMessagesWithoutFile();
    void loadMessagesFromFile();

private:
    QTemporaryDir Dir;

    QString PathOf(const QString& name) const { return Dir.filePath(name); }
    void WriteBytes(const QString& name, const QByteArray& bytes);
    QByteArray ReadBytes(const QString& name) const;
    TALL MakeAll() const;
};

void TstSettings::WriteBytes(const QString& name, const QByteArray& bytes) {
    QFile file(PathOf(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray TstSettings::ReadBytes(const QString& name) const {
    QFile file(PathOf(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TALL TstSettings::MakeAll() const {
    TALL all;
    all.ProgramFolder = Dir.path() + QLatin1Char('/');
    all.LanguageMenuVisible = true;
    return all;
}

void TstSettings::iniLookup_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray plain = "[SysInfo]\n"
                             "Com=COM3\n"
                             "  List = a,b , \"c\" %1 %%  \n"
                             "; Hidden=semicolon\n"
                             "# Hidden2=hash\n"
                             "Dup=first\n"
                             "Dup=second\n"
                             "Empty=\n"
                             "Eq=a=b\n"
                             "[Other]\n"
                             "Only=other\n"
                             "[sysinfo]\n"
                             "Late=second section\n";
    QTest::newRow("section and key ignore case") << plain << "SYSINFO"
                                                 << "com"
                                                 << "COM3";
    QTest::newRow("value verbatim, trimmed") << plain << "SysInfo"
                                             << "list"
                                             << "a,b , \"c\" %1 %%";
    QTest::newRow("first key wins") << plain << "SysInfo"
                                    << "Dup"
                                    << "first";
    QTest::newRow("empty value is not the default") << plain << "SysInfo"
                                                    << "Empty"
                                                    << "";
    QTest::newRow("value may hold '='") << plain << "SysInfo"
                                        << "Eq"
                                        << "a=b";
    QTest::newRow("';' comment is no key") << plain << "SysInfo"
                                           << "; Hidden"
                                           << "dflt";
    QTest::newRow("'#' comment is no key") << plain << "SysInfo"
                                           << "# Hidden2"
                                           << "dflt";
    QTest::newRow("key of the next section") << plain << "SysInfo"
                                             << "Only"
                                             << "dflt";
    QTest::newRow("first section wins") << plain << "SysInfo"
                                        << "Late"
                                        << "dflt";
    QTest::newRow("missing section") << plain << "Nowhere"
                                     << "Com"
                                     << "dflt";
    QTest::newRow("BOM and CRLF") << QByteArray(
                                         "\xEF\xBB\xBF[Language]\r\nClose=Zu\r\nOpen=Auf\r\n")
                                  << "language"
                                  << "CLOSE"
                                  << "Zu";
    QTest::newRow("UTF-8 value") << QByteArray("[L]\nK=\xE4\xB8\xAD\xE6\x96\x87\n") << "L"
                                 << "K" << QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
    QTest::newRow("Latin-1 value") << QByteArray("[L]\nK=Gr\xFC\xDF\n") << "L"
                                   << "K" << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F");
    QTest::newRow("byte order mark wins over a broken byte")
        << QByteArray("\xEF\xBB\xBF[L]\nA=\xFC\nK=\xE4\xB8\xAD\xE6\x96\x87\n") << "L"
        << "K" << QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87");
    QTest::newRow("non-ASCII key ignores case")
        << QByteArray("[\xC3\x84nderung]\n\xC3\xA4K=1\n") << QString::fromUtf8("\xC3\xA4NDERUNG")
        << QString::fromUtf8("\xC3\x84k") << "1";
}

void TstSettings::iniLookup() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    WriteBytes("lookup.ini", file);
    const TIniFile ini(PathOf("lookup.ini"));
    QCOMPARE(ini.ReadString(section, key, "dflt"), expected);
}

void TstSettings::iniWriteChangesOnlyItsLine_data() {
    QTest::addColumn<QByteArray>("before"); // "<none>" for a missing file
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray lf = "; settings\n"
                          "[A]\n"
                          "One = 1\n"
                          "# keep me\n"
                          "Two=2\n"
                          "\n"
                          "\n"
                          "[B]\n"
                          "Latin=Gr\xFC\xDF\n"
                          "Three=3";
    QTest::newRow("change keeps key spelling and spacing")
        << lf << "a"
        << "one"
        << "eins" << QByteArray(lf).replace("One = 1", "One = eins");
    QTest::newRow("add key after last non-blank line")
        << lf << "A"
        << "New"
        << "x,y" << QByteArray(lf).replace("Two=2\n", "Two=2\nNew=x,y\n");
    QTest::newRow("add key to last section without final line end") << lf << "B"
                                                                    << "Four"
                                                                    << "4" << lf + "\nFour=4";
    QTest::newRow("unchanged value keeps Latin-1 line")
        << lf << "B"
        << "Latin" << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F") << lf;
    QTest::newRow("changed value written in the file's Latin-1")
        << lf << "B"
        << "Three" << QString::fromUtf8("\xC3\xBC")
        << QByteArray(lf).replace("Three=3", "Three=\xFC");
    QTest::newRow("value beyond Latin-1 turns the file into UTF-8")
        << lf << "B"
        << "Three" << QString::fromUtf8("\xE2\x82\xAC")
        << QByteArray(lf)
               .replace("Gr\xFC\xDF", "Gr\xC3\xBC\xC3\x9F")
               .replace("Three=3", "Three=\xE2\x82\xAC");
    const QString chinese = QString::fromUtf8("[L]\n\xE5\x90\x8D=\xE4\xB8\xAD\xE6\x96\x87\nK=1\n");
    const auto gb18030 = [](const QString& text) -> QByteArray {
        return QStringEncoder("GB18030").encode(text);
    };
    QTest::newRow("changed value written in the file's GB18030")
        << gb18030(chinese) << "L"
        << "K" << QString::fromUtf8("\xE8\xAF\xAD")
        << gb18030(QString(chinese).replace("K=1", QString::fromUtf8("K=\xE8\xAF\xAD")));
    QTest::newRow("add section after a blank line") << lf << "C"
                                                    << "K"
                                                    << "v" << lf + "\n\n[C]\nK=v\n";
    QTest::newRow("add section after existing blank line")
        << QByteArray("[A]\nK=1\n\n") << "C"
        << "K"
        << "v" << QByteArray("[A]\nK=1\n\n[C]\nK=v\n");

    const QByteArray crlf = "\xEF\xBB\xBF[A]\r\nOne=1\r\n; note\r\n\r\n[B]\r\nTwo=2\r\n";
    QTest::newRow("CRLF and BOM kept on change")
        << crlf << "B"
        << "Two"
        << "zwei" << QByteArray(crlf).replace("Two=2", "Two=zwei");
    QTest::newRow("CRLF used for new key")
        << crlf << "A"
        << "New"
        << "n" << QByteArray(crlf).replace("; note\r\n", "; note\r\nNew=n\r\n");
    QTest::newRow("CRLF used for new section") << crlf << "C"
                                               << "K"
                                               << "v" << crlf + "\r\n[C]\r\nK=v\r\n";

    const QByteArray mixed = "[A]\r\nOne=1\nTwo=2\r\n";
    QTest::newRow("mixed line ends kept") << mixed << "A"
                                          << "Two"
                                          << "3" << QByteArray("[A]\r\nOne=1\nTwo=3\r\n");

    const QString wide = QString::fromUtf8("[A]\r\nName=\xE4\xB8\xAD\r\nOne=1\r\n");
    const auto utf16 = [](const QString& text, QStringEncoder::Encoding encoding) -> QByteArray {
        return QStringEncoder(encoding, QStringEncoder::Flag::WriteBom).encode(text);
    };
    for (const auto encoding : {QStringEncoder::Utf16LE, QStringEncoder::Utf16BE})
        QTest::newRow(encoding == QStringEncoder::Utf16LE ? "UTF-16 LE kept" : "UTF-16 BE kept")
            << utf16(wide, encoding) << "a"
            << "one" << QString::fromUtf8("\xE6\x96\x87")
            << utf16(QString(wide).replace("One=1", QString::fromUtf8("One=\xE6\x96\x87")),
                     encoding);

    QTest::newRow("new file") << QByteArray("<none>") << "SysInfo"
                              << "Com"
                              << "Com2" << QByteArray("[SysInfo]\nCom=Com2\n");
    QTest::newRow("empty file") << QByteArray() << "S"
                                << "K"
                                << "v" << QByteArray("[S]\nK=v\n");
}

void TstSettings::iniWriteChangesOnlyItsLine() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    QFile::remove(PathOf("write.ini"));
    if (before != "<none>") WriteBytes("write.ini", before);

    TIniFile ini(PathOf("write.ini"));
    ini.WriteString(section, key, value);
    QCOMPARE(ini.ReadString(section, key, "dflt"), value);
    QString error;
    QVERIFY2(ini.UpdateFile(&error), qPrintable(error));
    QCOMPARE(ReadBytes("write.ini"), after);
    QCOMPARE(TIniFile(PathOf("write.ini")).ReadString(section, key, "dflt"), value);
}

void TstSettings::iniUnwritableFile_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("parent is a regular file") << "plain.txt/write.ini";
    QTest::newRow("path is a directory") << "folder.ini";
}

void TstSettings::iniUnwritableFile() {
    QFETCH(QString, name);
    WriteBytes("plain.txt", "keep");
    QVERIFY(QDir(Dir.path()).mkpath("folder.ini"));

    TIniFile ini(PathOf(name));
    QCOMPARE(ini.ReadString("S", "K", "dflt"), QString("dflt"));
    ini.WriteString("S", "K", "v");
    QString error;
    QVERIFY(!ini.UpdateFile(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!ini.UpdateFile()); // no error text wanted
    QCOMPARE(ReadBytes("plain.txt"), QByteArray("keep"));
    QVERIFY(QFileInfo(PathOf("folder.ini")).isDir());
}

void TstSettings::splitNameList_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("default list") << "English|Chinese" << QStringList{"English", "Chinese"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks only") << "  \t " << QStringList{};
    QTest::newRow("one entry") << "English" << QStringList{"English"};
    QTest::newRow("empty entry between") << "a||b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing delimiter") << "a|" << QStringList{"a", ""};
    QTest::newRow("trailing delimiter and blank") << "a| " << QStringList{"a"};
    QTest::newRow("leading delimiter") << "|a" << QStringList{"", "a"};
    QTest::newRow("blank ends an entry") << "a b" << QStringList{"a", "b"};
    QTest::newRow("blanks around delimiter") << "  a  |  b  " << QStringList{"a", "b"};
    QTest::newRow("quoted blank and delimiter")
        << "\"x y\"|z|\"p|q\"" << QStringList{"x y", "z", "p|q"};
    QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\"|b" << QStringList{"say \"hi\"", "b"};
    QTest::newRow("unclosed quote takes the rest") << "a|\"b c|d" << QStringList{"a", "b c|d"};
    QTest::newRow("empty quoted entry") << "\"\"|b" << QStringList{"", "b"};
}

void TstSettings::splitNameList() {
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(SplitNameList(text), expected);
}

void TstSettings::loadSettingsWithoutFile() {
    TALL all = MakeAll();
    all.LanguageIndex = 1;
    LoadSettings(all);
    QCOMPARE(all.PortName, QString("Com1"));
    QCOMPARE(all.LanguageIndex, 0);
    QCOMPARE(all.LanguageName, QString("English"));
    QCOMPARE(all.SnStart, QString());
    QCOMPARE(all.SnIndex, 0);
    QCOMPARE(all.SnCount, 1);
}

void TstSettings::loadSettings_data() {
    QTest::addColumn<QByteArray>("keys"); // lines of section SysInfo
    QTest::addColumn<bool>("menuVisible");
    QTest::addColumn<QString>("port");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("snIndex");
    QTest::addColumn<int>("snCount");

    QTest::newRow("all keys") << QByteArray("com=COM7\nLanguage_ID=1\nSN_Index=42\nSN_NumS=3\n")
                              << true << "COM7" << 1 << "Chinese" << 42 << 3;
    QTest::newRow("Language_ID abc")
        << QByteArray("Language_ID=abc\n") << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_ID 5")
        << QByteArray("Language_ID=5\n") << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_ID -1")
        << QByteArray("Language_ID=-1\n") << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_ID ignored without menu")
        << QByteArray("Language_ID=1\n") << false << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_SW one entry") << QByteArray("Language_ID=1\nLanguage_SW=English\n")
                                           << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_SW one own entry")
        << QByteArray("Language_SW=Deutsch\n") << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("Language_SW own names")
        << QByteArray("Language_ID=2\nLanguage_SW=English|Chinese|\"Deutsch DE\"\n") << true
        << "Com1" << 2 << "Deutsch DE" << 0 << 1;
    QTest::newRow("Language_ID abc, own first name")
        << QByteArray("Language_ID=abc\nLanguage_SW=Deutsch|English\n") << true << "Com1" << 0
        << "Deutsch" << 0 << 1;
    QTest::newRow("SN_NumS 0") << QByteArray("SN_NumS=0\n") << true << "Com1" << 0 << "English" << 0
                               << 1;
    QTest::newRow("SN_NumS abc") << QByteArray("SN_NumS=abc\n") << true << "Com1" << 0 << "English"
                                 << 0 << 1;
    QTest::newRow("SN_NumS 2^32 keeps 0, becomes 1")
        << QByteArray("SN_NumS=4294967296\n") << true << "Com1" << 0 << "English" << 0 << 1;
    QTest::newRow("SN_Index low 32 bits")
        << QByteArray("SN_Index=4294967297\n") << true << "Com1" << 0 << "English" << 1 << 1;
    QTest::newRow("SN_Index negative")
        << QByteArray("SN_Index=-2\n") << true << "Com1" << 0 << "English" << -2 << 1;
    QTest::newRow("SN_Index 2^31 wraps") << QByteArray("SN_Index=2147483648\n") << true << "Com1"
                                         << 0 << "English" << int(INT32_MIN) << 1;
    QTest::newRow("SN_Index abc") << QByteArray("SN_Index=abc\n") << true << "Com1" << 0
                                  << "English" << 0 << 1;
    QTest::newRow("SN_Index beyond 64 bits") << QByteArray("SN_Index=99999999999999999999\n")
                                             << true << "Com1" << 0 << "English" << 0 << 1;
}

void TstSettings::loadSettings() {
    QFETCH(QByteArray, keys);
    QFETCH(bool, menuVisible);
    QFETCH(QString, port);
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(int, snIndex);
    QFETCH(int, snCount);
    WriteBytes("SysInfo.Ini", "[Other]\nCom=wrong\n[SYSINFO]\nSN_Start=A-17\n" + keys);

    TALL all = MakeAll();
    all.LanguageMenuVisible = menuVisible;
    LoadSettings(all);
    QCOMPARE(all.PortName, port);
    QCOMPARE(all.LanguageIndex, index);
    QCOMPARE(all.LanguageName, name);
    QCOMPARE(all.SnStart, QString("A-17"));
    QCOMPARE(all.SnIndex, snIndex);
    QCOMPARE(all.SnCount, snCount);
    QFile::remove(PathOf("SysInfo.Ini"));
}

void TstSettings::saveSettingsCreatesFile() {
    QFile::remove(PathOf("SysInfo.Ini"));
    TALL all = MakeAll();
    LoadSettings(all);
    QString error;
    QVERIFY2(SaveSettings(all, &error), qPrintable(error));
    QCOMPARE(ReadBytes("SysInfo.Ini"), QByteArray("[SysInfo]\n"
                                                  "Com=Com1\n"
                                                  "Language_ID=0\n"
                                                  "SN_Start=\n"
                                                  "SN_Index=0\n"
                                                  "SN_NumS=1\n"));
    QFile::remove(PathOf("SysInfo.Ini"));
}

void TstSettings::saveSettingsKeepsOtherLines() {
    const QByteArray before = "\xEF\xBB\xBF; written by hand\r\n"
                              "[SysInfo]\r\n"
                              "Language=English|Chinese\r\n"
                              "English=English|\"Simplified Chinese\"\r\n"
                              "com = COM4\r\n"
                              "SN_NumS=0\r\n"
                              "\r\n"
                              "[Extra]\r\n"
                              "Language_ID=9\r\n";
    WriteBytes("SysInfo.Ini", before);
    TALL all = MakeAll();
    LoadSettings(all);
    all.PortName = "COM5";
    all.LanguageIndex = 1;
    QVERIFY(SaveSettings(all));
    QCOMPARE(ReadBytes("SysInfo.Ini"), QByteArray("\xEF\xBB\xBF; written by hand\r\n"
                                                  "[SysInfo]\r\n"
                                                  "Language=English|Chinese\r\n"
                                                  "English=English|\"Simplified Chinese\"\r\n"
                                                  "com = COM5\r\n"
                                                  "SN_NumS=1\r\n"
                                                  "Language_ID=1\r\n"
                                                  "SN_Start=\r\n"
                                                  "SN_Index=0\r\n"
                                                  "\r\n"
                                                  "[Extra]\r\n"
                                                  "Language_ID=9\r\n"));
    QFile::remove(PathOf("SysInfo.Ini"));
}

void TstSettings::saveSettingsUnwritable() {
    WriteBytes("plain.txt", "keep");
    TALL all = MakeAll();
    all.ProgramFolder = PathOf("plain.txt") + QLatin1Char('/');
    LoadSettings(all); // reads as a missing file
    QCOMPARE(all.PortName, QString("Com1"));
    QString error;
    QVERIFY(!SaveSettings(all, &error));
    QVERIFY(error.contains("SysInfo.Ini"));
    QCOMPARE(ReadBytes("plain.txt"), QByteArray("keep"));
}

void TstSettings::specialSettingsFilesAreLeftAlone_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "zero";
    QTest::newRow("larger than 1 MiB") << "large";
}

// Such a file reads as missing, at once, and is never written back.
void TstSettings::specialSettingsFilesAreLeftAlone() {
    QFETCH(QString, kind);
    const QString path = PathOf("SysInfo.Ini");
    QFile::remove(path);
    const QByteArray large = "[SysInfo]\nCom=COM9\n" + QByteArray(TIniFile::MaxFileSize, ';');
    if (kind == "fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    else if (kind == "zero")
        QVERIFY(QFile::link("/dev/zero", path));
    else
        WriteBytes("SysInfo.Ini", large);

    TALL all = MakeAll();
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SysInfo.Ini: .*: ignored"));
    LoadSettings(all);
    QCOMPARE(all.PortName, QString("Com1"));
    QString error;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("SysInfo.Ini: .*: ignored"));
    QVERIFY(!SaveSettings(all, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    if (kind == "large")
        QVERIFY(ReadBytes("SysInfo.Ini") == large);
    else
        QVERIFY(!QFileInfo(path).isFile() || QFileInfo(path).isSymLink());
    QFile::remove(path);
}

void TstSettings::loadMessagesWithoutFile() {
    TLanguage language;
    for (int i = 0; i < TLanguage::MessageCount; ++i)
        language.*TLanguage::Messages[i].text = "stale";
    LoadMessages(Dir.path() + QLatin1Char('/'), "Missing", language);
    for (int i = 0; i < TLanguage::MessageCount; ++i)
        QCOMPARE(language.*TLanguage::Messages[i].text,
                 QString::fromUtf8(TLanguage::Messages[i].defaultText));
    QCOMPARE(language.ComError,
             QString("Please check all connections and communication port settings."));
}

void TstSettings::loadMessagesFromFile() {
    WriteBytes("Chinese.Ini", "[fMainFrm]\n"
                              "ReadOk=wrong section\n"
                              "[LANGUAGE]\n"
                              "readok=\xE8\xAF\xBB\xE5\x8F\x96\xE5\xAE\x8C\xE6\x88\x90\n"
                              "ComError=Port %s, check it\n"
                              "Caution=\n");
    TLanguage language;
    LoadMessages(Dir.path() + QLatin1Char('/'), "Chinese", language);
    QCOMPARE(language.ReadOk,
             QString::fromUtf8("\xE8\xAF\xBB\xE5\x8F\x96\xE5\xAE\x8C\xE6\x88\x90"));
    QCOMPARE(language.ComError, QString("Port %s, check it"));
    QCOMPARE(language.Caution, QString(""));
    QCOMPARE(language.WriteOk, QString("Writing Completed."));
    QCOMPARE(language.Confirmation, QString("Confirmation"));
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
