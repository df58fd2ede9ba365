#include "core/ImageSetup.h"
#include "core/Maindb.h"

#include <QTemporaryDir>
#include <QtTest>

// The start-up sequence: the objects of a run, their defaults, the built-in model, the settings
// and message files of the program folder, and the image of the first showing.
class TstStartup : public QObject {
    Q_OBJECT

    static void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void defaultsAfterStartUp() {
        QTemporaryDir folder;
        TfMaindb db(folder.path() + QLatin1Char('/'));
        const TALL& all = db.All;
        QCOMPARE(all.ProgramFolder, folder.path() + QLatin1Char('/'));
        QCOMPARE(all.BaudRate, 4800); // the built-in model overrides the start value 2400
        QCOMPARE(all.FmLow, 76.0);
        QCOMPARE(all.FmHigh, 107.0);
        QVERIFY(all.TestMenuVisible);
        QVERIFY(!all.SerialEditable);
        QVERIFY(all.DtmfDecodeVisible && all.LanguageMenuVisible && all.ManualFreqSelectable);
        QCOMPARE(all.DefaultManualFreq, uint8_t(0xFF));
        QCOMPARE(all.CurrentChannel, 1);
        QCOMPARE(all.DisplayName, QStringLiteral("ZP-407NE"));
        QCOMPARE(all.SoftwareCode, QStringLiteral("QX47"));
        QCOMPARE(all.PortName, QStringLiteral("Com1"));
        QCOMPARE(all.LanguageName, QStringLiteral("English"));
        QCOMPARE(all.ChannelCount, 0);
        QVERIFY(std::all_of(all.Image.begin(), all.Image.end(), [](uint8_t b) { return b == 0; }));
        QCOMPARE(db.MacList.Count(), 1);
        QCOMPARE(db.Language.ModError, QStringLiteral("Model Type Wrong."));
    }

    void settingsAndMessagesFromTheFolder() {
        QTemporaryDir folder;
        WriteFile(folder.filePath(QStringLiteral("SysInfo.Ini")),
                  "[SysInfo]\nCom=com3\nLanguage_ID=1\n");
        WriteFile(folder.filePath(QStringLiteral("Chinese.Ini")),
                  "[Language]\nModError=Wrong model!\n");
        TfMaindb db(folder.path() + QLatin1Char('/'));
        QCOMPARE(db.All.PortName, QStringLiteral("com3"));
        QCOMPARE(db.All.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(db.Language.ModError, QStringLiteral("Wrong model!"));
        QCOMPARE(db.Language.ReadOk, QStringLiteral("Reading Completed."));
    }

    void firstShowingThenNew() {
        QTemporaryDir folder;
        TfMaindb db(folder.path() + QLatin1Char('/'));
        const QDateTime stamp(QDate(2026, 12, 9), QTime(22, 41, 7));
        db.Now = [stamp] { return stamp; };
        db.All.Image[0x1295] = 0x5A; // block 297 belongs to files only: New keeps it
        db.BuildStartImage();
        db.All.Modified = true;
        db.NewImage();
        QVERIFY(!db.All.Modified);
        QCOMPARE(db.All.ModelCode, QStringLiteral("QX47"));
        QCOMPARE(db.All.ChannelCount, 128);
        QCOMPARE(db.All.BandEnable, uint8_t(0x05));
        QCOMPARE(db.All.Image[0x1295], uint8_t(0x5A));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&db.All.Image[0x1260]), 7).toHex(' '),
                 QByteArray("ea 07 0c 09 16 29 07"));
    }

    void programFolderFollowsHome() {
        QTemporaryDir folder;
        qputenv("ZP407NE_HOME", folder.path().toUtf8());
        QCOMPARE(ProgramFolder(), folder.path() + QLatin1Char('/'));
        qunsetenv("ZP407NE_HOME");
        QCOMPARE(ProgramFolder(), QCoreApplication::applicationDirPath() + QLatin1Char('/'));
    }
};

QTEST_GUILESS_MAIN(TstStartup)
#include "tst_startup.moc"
