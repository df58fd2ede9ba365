// Reads and writes the simulated radio (zp407ne-sim on a pseudo-terminal) through the real serial
// port: a whole read and a whole write with zp407ne-cli, reads that fail, and the forced-write
// question. Each run takes the protocol's own pauses, some seconds.

#include "tools/cli/CliExchange.h"
#include "core/Codecs.h"
#include "core/MacType.h"
#include "core/Maindb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int ReadBlocks = 297;
constexpr int WrittenBlocks = 295;
constexpr int DateStampSize = 7;
constexpr int RunMs = 90000;

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Blocks from to to - 1 of a data file. The file holds blocks 1 to 297 after its 16-byte header,
// so a file offset is an image address.
QByteArray Blocks(const QByteArray& file, int from, int to) {
    return file.mid(from * BlockSize, (to - from) * BlockSize);
}

// A program folder whose COM1 is a simulated radio.
class TRadio {
public:
    QTemporaryDir Home;
    QProcess Sim;

    ~TRadio() { Stop(); }

    QString Path(const QString& name) const { return Home.filePath(name); }

    // Starts the radio with the options and names its device in the settings file.
    bool Start(const QStringList& options) {
        Sim.start(QStringLiteral(ZP_SIM), options);
        while (!Sim.canReadLine() && Sim.waitForReadyRead(10000)) {
        }
        const QByteArray device = Sim.readLine().trimmed();
        QFile ini(Path(QStringLiteral("SysInfo.Ini")));
        return !device.isEmpty() && ini.open(QIODevice::WriteOnly) &&
               ini.write("[SysInfo]\nCom=COM1\n[Ports]\nCOM1=" + device + '\n') > 0;
    }

    // Stops the radio, which saves its memory on the way out when --save was given.
    void Stop() {
        if (Sim.state() == QProcess::NotRunning) return;
        Sim.terminate();
        Sim.waitForFinished(10000);
    }

    struct TRun {
        int Status = -1;
        QString Err;
    };

    TRun Cli(const QStringList& args) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ZP407NE_HOME"), Home.path());
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(ZP_CLI), args);
        if (!cli.waitForFinished(RunMs)) return {};
        return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
                QString::fromUtf8(cli.readAllStandardError())};
    }

    // A consistent image as the program saves it after New, with channel records unlike any
    // default.
    QByteArray MakeDataFile(const QString& name) {
        if (Cli({QStringLiteral("new"), Path(name)}).Status != 0) return {};
        QByteArray file = ReadFile(Path(name));
        // The channel records: no derivation of a read touches them.
        for (int i = BlockSize; i < Addr::PresentMap; ++i)
            file[i] = char(i * 7 + i / BlockSize);
        QFile out(Path(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) return {};
        return file;
    }
};

} // namespace

class TstCliRadio : public QObject {
    Q_OBJECT

    // The one backup of the kind in the program folder's backups, named after model, kind and
    // time.
    static QByteArray Backup(const TRadio& radio, const QString& kind) {
        const QDir folder(radio.Path(QStringLiteral("backups")));
        const QStringList names = folder.entryList({QStringLiteral("QX47_") + kind + "_*.dat"});
        if (names.size() != 1) return QByteArray("<none or several>");
        if (!QRegularExpression(QStringLiteral("^QX47_%1_\\d{8}-\\d{6}\\.dat$").arg(kind))
                 .match(names[0])
                 .hasMatch())
            return names[0].toUtf8();
        return ReadFile(folder.filePath(names[0]));
    }

private slots:
    void fullRead() {
        TRadio radio;
        const QByteArray image = radio.MakeDataFile(QStringLiteral("radio.dat"));
        QVERIFY(!image.isEmpty());
        QVERIFY(radio.Start({QStringLiteral("--image"), radio.Path(QStringLiteral("radio.dat"))}));

        const TRadio::TRun run =
            radio.Cli({QStringLiteral("read"), radio.Path(QStringLiteral("out.dat"))});
        QCOMPARE(run.Status, 0);
        QVERIFY2(run.Err.contains(QStringLiteral("Reading Completed.")), qPrintable(run.Err));
        const QByteArray out = ReadFile(radio.Path(QStringLiteral("out.dat")));
        QCOMPARE(out.size(), image.size());
        QCOMPARE(out.left(BlockSize), image.left(BlockSize));
        QCOMPARE(Blocks(out, 1, ReadBlocks), Blocks(image, 1, ReadBlocks));
        QCOMPARE(Backup(radio, QStringLiteral("read")), out);
    }

    // The radio then holds our blocks, the date stamp of the write included. (Block 0 is in no
    // data file, so the files cannot show it.)
    void fullWrite() {
        TRadio radio;
        QByteArray image = radio.MakeDataFile(QStringLiteral("in.dat"));
        QVERIFY(!image.isEmpty());
        QVERIFY(radio.Start({QStringLiteral("--save"), radio.Path(QStringLiteral("saved.dat"))}));

        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        const TRadio::TRun run =
            radio.Cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("com1"),
                       radio.Path(QStringLiteral("in.dat"))});
        QCOMPARE(run.Status, 0);
        QVERIFY2(run.Err.contains(QStringLiteral("Writing Completed.")), qPrintable(run.Err));
        radio.Stop();
        const QByteArray saved = ReadFile(radio.Path(QStringLiteral("saved.dat")));
        const QByteArray stamp = saved.mid(Addr::DateStamp, DateStampSize);
        const QDateTime written = QDateTime::fromString(
            FormatDateStamp(reinterpret_cast<const uint8_t*>(stamp.constData())),
            QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY(written >= before && written <= QDateTime::currentDateTime());
        image.replace(Addr::DateStamp, DateStampSize, stamp);
        QCOMPARE(Blocks(saved, 1, WrittenBlocks), Blocks(image, 1, WrittenBlocks));
        // The backup holds the image as it went out, stamp included.
        QCOMPARE(Blocks(Backup(radio, QStringLiteral("write")), 1, WrittenBlocks),
                 Blocks(image, 1, WrittenBlocks));
    }

    void failedReadSavesNothing_data() {
        QTest::addColumn<QStringList>("radioOptions");
        QTest::addColumn<QString>("message");
        QTest::newRow("wrong model")
            << QStringList{QStringLiteral("--model"), QStringLiteral("ABCD")}
            << QStringLiteral("Model Type Wrong.");
        QTest::newRow("radio falls silent during the blocks")
            << QStringList{QStringLiteral("--silent-after"), QStringLiteral("20")}
            << QStringLiteral("Please check all connections and communication port settings.");
    }
    void failedReadSavesNothing() {
        QFETCH(QStringList, radioOptions);
        QFETCH(QString, message);
        TRadio radio;
        QVERIFY(radio.Start(radioOptions));
        const TRadio::TRun run =
            radio.Cli({QStringLiteral("read"), radio.Path(QStringLiteral("out.dat"))});
        QCOMPARE(run.Status, 2);
        QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
        QVERIFY(!QFile::exists(radio.Path(QStringLiteral("out.dat"))));
    }

    // Only another model with as many channels raises the question; the built-in catalogue has
    // one model, so a second one is added here.
    void forcedWriteQuestionIsAnsweredNo() {
        TRadio radio;
        QVERIFY(radio.Start({QStringLiteral("--model"), QStringLiteral("QX48")}));
        TfMaindb db(radio.Home.path() + QLatin1Char('/'));
        db.BuildStartImage();
        db.NewImage();
        db.MacList.Add(std::make_unique<TMacType>(QStringLiteral("QX48"), QStringLiteral("QX48"),
                                                  db.All.ChannelCount));
        const auto image = db.All.Image;

        QString shown;
        QTextStream err(&shown);
        QVERIFY(!TCliExchange(db, TCliExchange::TKind::Write, {}, err).Run());
        err.flush();
        QCOMPARE(shown.trimmed(),
                 db.Language.ModError + db.Language.Modforce + QLatin1String(" No"));
        QVERIFY(db.All.Image == image);
    }
};

QTEST_GUILESS_MAIN(TstCliRadio)
#include "tst_cliradio.moc"
