#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/DataFile.h"
#include "core/Maindb.h"
#include "core/RadioInfo.h"
#include "tools/sim/SimMemory.h"
#include "tools/sim/SimRadio.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TSimRadio::TOptions)

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}
QByteArray WakeUp(char letter = 'a') {
    return QByteArrayLiteral("PROGRAM") + letter;
}
QByteArray Ident(const char* code = "QX47", const char* band = "ff") {
    return 'P' + QByteArray(code) + '\0' + Hex(band) + '\0';
}
const QByteArray Ack = Hex("06");

// Every byte differs from its neighbours and from the bytes 256 further on, so a block served
// from a wrong address shows.
TSimMemory PatternMemory() {
    TSimMemory memory;
    for (size_t i = 0; i < memory.Bytes.size(); ++i)
        memory.Bytes[i] = uint8_t(i + (i >> 8) * 3);
    return memory;
}

template <size_t N> QByteArray At(const std::array<uint8_t, N>& bytes, int address) {
    return QByteArray(reinterpret_cast<const char*>(&bytes[size_t(address)]), BlockSize);
}

TSimRadio::TOptions Faults(void (*set)(TSimRadio::TOptions&)) {
    TSimRadio::TOptions options;
    set(options);
    return options;
}

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The simulated radio: its answers to every request, the faults it can be told to make, the
// memory it serves, and the real executable over its pseudo-terminal.
class TstSimRadio : public QObject {
    Q_OBJECT

    QTemporaryDir Home;

    // A data file of a freshly started program.
    QString NewDataFile(const QString& name) {
        TfMaindb db(Home.path() + QLatin1Char('/'));
        db.BuildStartImage();
        db.NewImage();
        const QString fileName = Home.filePath(name);
        QString error;
        [&] { QVERIFY2(SaveDataFile(db.All, fileName, &error), qPrintable(error)); }();
        return fileName;
    }

private slots:
    void replies_data() {
        QTest::addColumn<TSimRadio::TOptions>("options");
        QTest::addColumn<QByteArrayList>("frames");
        QTest::addColumn<QByteArray>("reply");

        const TSimMemory memory = PatternMemory();
        const TSimRadio::TOptions plain;
        const QByteArray read0120 = Hex("52012010");
        const QByteArray block0120 = Hex("57012010") + At(memory.Bytes, 0x0120);

        QTest::newRow("wake-up") << plain << QByteArrayList{WakeUp('a')} << Ack;
        QTest::newRow("wake-up letter i") << plain << QByteArrayList{WakeUp('i')} << Ack;
        QTest::newRow("wake-up letter j is noise")
            << plain << QByteArrayList{WakeUp('j')} << QByteArray();
        QTest::newRow("noise before the wake-up") << plain << QByteArrayList{"xPPROGRAMb"} << Ack;
        QTest::newRow("wake-up in two pieces") << plain << QByteArrayList{"PROG", "RAMc"} << Ack;
        QTest::newRow("requests while idle are ignored")
            << plain << QByteArrayList{Hex("02"), Ack, read0120} << QByteArray();
        QTest::newRow("identification")
            << plain << QByteArrayList{WakeUp(), Hex("02")} << Ack + Ident();
        QTest::newRow("acknowledge") << plain << QByteArrayList{WakeUp(), Ack} << Ack + Ack;
        QTest::newRow("block read")
            << plain << QByteArrayList{WakeUp(), read0120} << Ack + block0120;
        QTest::newRow("last block the PC reads")
            << plain << QByteArrayList{WakeUp(), Hex("52128010")}
            << Ack + Hex("57128010") + At(memory.Bytes, 0x1280);
        QTest::newRow("beyond the memory reads 0xFF")
            << plain << QByteArrayList{WakeUp(), Hex("52129810")}
            << Ack + Hex("57129810") + At(memory.Bytes, 0x1298).left(8) + QByteArray(8, '\xFF');
        QTest::newRow("several frames in one piece")
            << plain << QByteArrayList{WakeUp() + Hex("02") + Ack + read0120}
            << Ack + Ident() + Ack + block0120;
        QTest::newRow("wrong length byte is not answered")
            << plain << QByteArrayList{WakeUp(), Hex("52012008"), Ack} << Ack + Ack;
        QTest::newRow("end leaves programming mode")
            << plain << QByteArrayList{WakeUp(), Hex("45"), Hex("02"), read0120} << Ack;
        QTest::newRow("power-table read") << plain << QByteArrayList{WakeUp(), Hex("53004010")}
                                          << Ack + Hex("58004010") + At(memory.PowerTable, 0x0040);
        QByteArray row40 = At(memory.PowerTable, 0x0280);
        row40[12] = char(200);
        QTest::newRow("power-table write is kept")
            << plain << QByteArrayList{WakeUp(), Hex("58028C01C8"), Hex("53028010")}
            << Ack + Ack + Hex("58028010") + row40;

        QTest::newRow("fault: another model")
            << Faults([](auto& o) { o.ModelCode = QStringLiteral("QX99"); })
            << QByteArrayList{WakeUp(), Hex("02")} << Ack + Ident("QX99");
        QTest::newRow("fault: band byte")
            << Faults([](auto& o) { o.BandByte = 0xBF; }) << QByteArrayList{WakeUp(), Hex("02")}
            << Ack + Ident("QX47", "bf");
        QTest::newRow("fault: junk before each acknowledge")
            << Faults([](auto& o) { o.JunkAck = true; })
            << QByteArrayList{WakeUp(), Hex("02"), Ack,
                              Hex("5700501000112233445566778899AABBCCDDEEFF")}
            << Hex("0006") + Ident() + Hex("0006") + Hex("0006");
        QTest::newRow("fault: silent after two frames")
            << Faults([](auto& o) { o.SilentAfter = 2; })
            << QByteArrayList{WakeUp(), Hex("02"), Ack, read0120} << Ack + Ident();
        QTest::newRow("fault: wrong power-table reply")
            << Faults([](auto& o) { o.BadPowerReply = true; })
            << QByteArrayList{WakeUp(), Hex("53000010")}
            << Ack + Hex("53000010") + At(memory.PowerTable, 0);
    }

    void replies() {
        QFETCH(TSimRadio::TOptions, options);
        QFETCH(QByteArrayList, frames);
        QFETCH(QByteArray, reply);
        TSimRadio radio(PatternMemory(), options);
        QByteArray answered;
        qint64 now = 0;
        for (const QByteArray& frame : frames)
            answered += radio.Feed(frame, now += 10);
        QCOMPARE(answered.toHex(' '), reply.toHex(' '));
    }

    void writesAreStoredAndReportedAtTheEnd() {
        TSimRadio radio(PatternMemory(), {});
        QList<bool> ends;
        radio.OnEnd = [&](bool written) { ends << written; };
        const QByteArray data = Hex("00112233445566778899AABBCCDDEEFF");

        QCOMPARE(radio.Feed(WakeUp() + Hex("57005010") + data, 0), Ack + Ack);
        QCOMPARE(radio.Feed(Hex("52005010"), 10), Hex("57005010") + data);
        QCOMPARE(At(radio.Memory().Bytes, 0x50), data);
        QVERIFY(ends.isEmpty());
        radio.Feed(Hex("45"), 20);
        radio.Feed(WakeUp() + Hex("45"), 30);
        QCOMPARE(ends, (QList<bool>{true, false}));
        QVERIFY(!radio.Programming());
    }

    // A frame cut short is forgotten when the next bytes come late, so a retrying PC is
    // understood again; coming in time they complete it.
    void incompleteFrameDroppedAfterAGap() {
        TSimRadio radio(PatternMemory(), {});
        radio.Feed(WakeUp(), 0);
        radio.Feed(Hex("5200"), 10);
        QCOMPARE(radio.Feed(Hex("02"), 11 + TSimRadio::FrameGapMs), Ident());

        TSimRadio patient(PatternMemory(), {});
        patient.Feed(WakeUp() + Hex("5200"), 0);
        QCOMPARE(patient.Feed(Hex("0010"), TSimRadio::FrameGapMs).left(4), Hex("57000010"));
    }

    void dataFileRoundTrip() {
        const QString input = NewDataFile(QStringLiteral("in.dat"));
        QByteArray bytes = ReadFile(input);
        bytes[0x1295] = 0x5A; // block 297, kept in files only
        QFile file(input);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();

        TSimMemory memory;
        memory.Bytes.fill(0);
        QString error;
        QVERIFY2(memory.Load(input, &error), qPrintable(error));
        QCOMPARE(At(memory.Bytes, 0), QByteArray(BlockSize, '\xFF'));
        QCOMPARE(memory.Bytes[0x1295], 0x5A);
        QCOMPARE(memory.ModelCode, QStringLiteral("QX47"));
        const QString output = Home.filePath(QStringLiteral("out.dat"));
        QVERIFY2(memory.Save(output, &error), qPrintable(error));
        QCOMPARE(ReadFile(output), bytes);

        const QString shortFile = Home.filePath(QStringLiteral("short.dat"));
        QFile cut(shortFile);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(DataFileSize - 1));
        cut.close();
        QVERIFY(!memory.Load(shortFile, &error));
        QVERIFY(error.contains(QStringLiteral("short.dat")));
    }

    void demoMemoryHoldsChannelsAndSerial() {
        TfMaindb db(Home.path() + QLatin1Char('/'));
        const TSimMemory memory = TSimMemory::Demo(db);
        TALL all = db.All;
        std::copy(memory.Bytes.begin(), memory.Bytes.end(), all.Image.begin());
        TChannel channel;
        QVERIFY(ReadChannel(all, 3, channel));
        QCOMPARE(channel.Name, QStringLiteral("RPT70"));
        QCOMPARE(channel.TxFreq, 431.1);
        QCOMPARE(channel.Duplex, uint8_t(2));
        QVERIFY(ReadChannel(all, 5, channel));
        QVERIFY(!ReadChannel(all, 6, channel));
        QCOMPARE(SerialText(all), QStringLiteral("SIM407NE00000001"));
        QCOMPARE(memory.ModelCode, QStringLiteral("QX47"));
        QCOMPARE(At(memory.Bytes, 0), QByteArray(BlockSize, '\xFF'));
    }

    // The executable as the PC meets it: a read and a write over the pseudo-terminal, paced at
    // 4800 baud, the written block saved after the end byte, the link gone at exit.
    void executableOverPseudoTerminal() {
        const QString input = NewDataFile(QStringLiteral("radio.dat"));
        const QString saved = Home.filePath(QStringLiteral("saved.dat"));
        const QString link = Home.filePath(QStringLiteral("ttyRadio"));
        QProcess sim;
        sim.start(QStringLiteral(ZP_SIM),
                  {QStringLiteral("--image"), input, QStringLiteral("--save"), saved,
                   QStringLiteral("--link"), link, QStringLiteral("--pace"),
                   QStringLiteral("--exit-after-end")});
        QVERIFY(sim.waitForStarted());
        QElapsedTimer wait;
        wait.start();
        while (!sim.canReadLine() && wait.elapsed() < 10000)
            sim.waitForReadyRead(100);
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY(device.startsWith(QStringLiteral("/dev/")));
        QCOMPARE(QFileInfo(link).symLinkTarget(), device);

        const int fd = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(fd >= 0);
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);
        const auto exchange = [fd](const QByteArray& request, int replyLength) {
            [[maybe_unused]] const ssize_t sent =
                ::write(fd, request.constData(), size_t(request.size()));
            QByteArray reply;
            QElapsedTimer clock;
            clock.start();
            while (reply.size() < replyLength && clock.elapsed() < 2000) {
                pollfd ready{fd, POLLIN, 0};
                char buffer[64];
                if (poll(&ready, 1, 100) > 0) {
                    const ssize_t count = ::read(fd, buffer, sizeof buffer);
                    if (count > 0) reply.append(buffer, int(count));
                }
            }
            return reply;
        };
        const QByteArray data = Hex("00112233445566778899AABBCCDDEEFF");
        QCOMPARE(exchange(WakeUp('a'), 1), Ack);
        QCOMPARE(exchange(Hex("02"), 8), Ident());
        QCOMPARE(exchange(Ack, 1), Ack);
        QElapsedTimer paced;
        paced.start();
        QCOMPARE(exchange(Hex("52000010"), 20), Hex("57000010") + QByteArray(BlockSize, '\xFF'));
        QVERIFY2(paced.elapsed() >= 40, "20 bytes at 4800 baud take 46 ms");
        QCOMPARE(exchange(Hex("57005010") + data, 1), Ack);
        QCOMPARE(exchange(Hex("52005010"), 20), Hex("57005010") + data);
        exchange(Hex("45"), 0);
        QVERIFY(sim.waitForFinished(5000));
        ::close(fd);
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);

        QByteArray expected = ReadFile(input);
        expected.replace(0x50, BlockSize, data); // the header stands where block 0 would
        QCOMPARE(ReadFile(saved), expected);
        QVERIFY(!QFileInfo(link).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TstSimRadio)
#include "tst_simradio.moc"
