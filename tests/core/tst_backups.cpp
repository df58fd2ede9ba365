#include "core/Backups.h"
#include "core/DataFile.h"
#include "core/Maindb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Backups of read and written images: where and how they are named, and which ones pruning
// keeps.
class TstBackups : public QObject {
    Q_OBJECT

    QTemporaryDir Home;
    const QDateTime Now{QDate(2026, 12, 10), QTime(14, 30, 5)};

    QString Folder() const { return Home.filePath(QStringLiteral("backups")); }
    QStringList Names() const {
        QStringList names = QDir(Folder()).entryList(QDir::Files);
        names.sort();
        return names;
    }
    void Make(const QString& name) {
        QFile file(QDir(Folder()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    static QString Name(const QDateTime& at) {
        return QStringLiteral("QX47_read_") + at.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
               QStringLiteral(".dat");
    }

private slots:
    void init() {
        qputenv("ZP407NE_HOME", Home.path().toUtf8());
        QDir(Folder()).removeRecursively();
    }

    void savedInTheProgramFolder() {
        TfMaindb db(Home.path() + QLatin1Char('/'));
        db.BuildStartImage();
        db.NewImage();
        db.All.Modified = true;
        QString error;
        QVERIFY2(TBackups::Save(db.All, QStringLiteral("read"), Now, &error), qPrintable(error));
        QVERIFY(TBackups::Save(db.All, QStringLiteral("read"), Now, &error)); // same second
        QVERIFY(TBackups::Save(db.All, QStringLiteral("write"), Now, &error));
        QCOMPARE(Names(),
                 QStringList({"QX47_read_20261210-143005-2.dat", "QX47_read_20261210-143005.dat",
                              "QX47_write_20261210-143005.dat"}));
        QFile file(QDir(Folder()).filePath(Names().front()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), DataFileBytes(db.All));
        QVERIFY(db.All.Modified);
    }

    // Older than a year goes, unless among the 20 newest; other files stay.
    void pruning_data() {
        QTest::addColumn<int>("recent"); // a day apart, the newest yesterday
        QTest::addColumn<int>("old");    // a day apart, the newest 400 days ago
        QTest::addColumn<int>("kept");
        QTest::newRow("few, all old") << 0 << 5 << 5;
        QTest::newRow("many old") << 0 << 25 << 20;
        QTest::newRow("recent and old") << 10 << 20 << 20;
        QTest::newRow("many recent") << 30 << 3 << 30;
    }
    void pruning() {
        QFETCH(int, recent);
        QFETCH(int, old);
        QFETCH(int, kept);
        QDir().mkpath(Folder());
        QStringList expected;
        for (int i = 0; i < recent; ++i)
            expected << Name(Now.addDays(-1 - i));
        for (int i = 0; i < old; ++i)
            expected << Name(Now.addDays(-400 - i));
        for (const QString& name : expected)
            Make(name);
        Make(QStringLiteral("notes.dat"));
        TBackups::Prune(Folder(), Now);
        expected = expected.mid(0, kept) << QStringLiteral("notes.dat");
        expected.sort();
        QCOMPARE(Names(), expected);
    }
};

QTEST_GUILESS_MAIN(TstBackups)
#include "tst_backups.moc"
