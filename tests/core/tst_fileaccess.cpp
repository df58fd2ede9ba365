#include "core/DataFile.h"
#include "tests/support/FailDevice.h"
#include "core/FileAccess.h"
#include "core/IniFile.h"
#include "core/Maindb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

// Saving never leaves a half-written file, and only regular files are read or replaced.
class TstFileAccess : public QObject {
    Q_OBJECT

    QTemporaryDir Dir;

    QString Path(const QString& name) const { return Dir.filePath(name); }

    static void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    static QByteArray ReadFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // The folder holds nothing but the given names: no temporary file was left behind.
    void OnlyFiles(const QStringList& names) {
        QStringList present =
            QDir(Dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        present.sort();
        QStringList expected = names;
        expected.sort();
        QCOMPARE(present, expected);
    }
    // Makes a special file of the given kind at path; false when this machine does not allow it.
    static bool MakeSpecial(const QString& kind, const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        if (kind == QLatin1String("fifo")) return ::mkfifo(name.constData(), 0644) == 0;
        if (kind == QLatin1String("device")) // a copy of /dev/full
            return ::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 7)) == 0;
        if (kind == QLatin1String("folder")) return QDir().mkdir(path);
        // a loop of two links
        return QFile::link(path + QStringLiteral(".b"), path) &&
               QFile::link(path, path + QStringLiteral(".b"));
    }

private slots:
    void init() {
        for (const QString& name :
             QDir(Dir.path())
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            QFileInfo(Path(name)).isDir() ? void(QDir(Path(name)).removeRecursively())
                                          : void(QFile::remove(Path(name)));
    }

    void writeWholeStopsAtTheFirstFailure_data() {
        QTest::addColumn<int>("capacity");
        QTest::addColumn<int>("chunk");
        QTest::addColumn<bool>("written");
        QTest::newRow("short writes add up") << 100 << 7 << true;
        QTest::newRow("full at once") << 0 << 100 << false;
        QTest::newRow("full after 40 bytes") << 40 << 16 << false;
    }
    void writeWholeStopsAtTheFirstFailure() {
        QFETCH(int, capacity);
        QFETCH(int, chunk);
        QFETCH(bool, written);
        TFailDevice device(capacity, chunk);
        const QByteArray data(50, 'x');
        QString reason;
        QCOMPARE(WriteWhole(device, data, &reason), written);
        if (written) {
            QCOMPARE(device.Taken, data);
            return;
        }
        QCOMPARE(device.Taken.size(), capacity);
        QCOMPARE(reason, QStringLiteral("No space left on device"));
    }

    void saveReplacesTheFileWhole() {
        const QString target = Path(QStringLiteral("t.dat"));
        WriteFile(target, "old contents");
        QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0640), 0);
        QString error;
        QVERIFY2(SaveFileSafely(target, "new", &error), qPrintable(error));
        QCOMPARE(ReadFile(target), QByteArray("new"));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &after), 0);
        QCOMPARE(after.st_mode & 0777, mode_t(0640));
        OnlyFiles({QStringLiteral("t.dat")});
    }

    // A link is followed: the file it names gets the data, the link stays a link.
    void saveFollowsALink() {
        WriteFile(Path(QStringLiteral("real.dat")), "old");
        QVERIFY(QFile::link(Path(QStringLiteral("real.dat")), Path(QStringLiteral("link.dat"))));
        QString error;
        QVERIFY2(SaveFileSafely(Path(QStringLiteral("link.dat")), "new", &error),
                 qPrintable(error));
        QVERIFY(QFileInfo(Path(QStringLiteral("link.dat"))).isSymLink());
        QCOMPARE(ReadFile(Path(QStringLiteral("real.dat"))), QByteArray("new"));
    }

    void saveRefusesSpecialFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("FIFO") << "fifo"
                              << "not a regular file";
        QTest::newRow("device node") << "device"
                                     << "not a regular file";
        QTest::newRow("folder") << "folder"
                                << "not a regular file";
        QTest::newRow("loop of links") << "loop"
                                       << "too many levels of symbolic links";
    }
    void saveRefusesSpecialFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString target = Path(QStringLiteral("special"));
        if (!MakeSpecial(kind, target)) QSKIP("this machine does not allow making such a file");
        const QFileInfo before(target);
        QString error;
        QVERIFY(!SaveFileSafely(target, "data", &error));
        QVERIFY2(error.contains(reason) && error.contains(target), qPrintable(error));
        const QFileInfo after(target);
        QCOMPARE(after.isSymLink(), before.isSymLink());
        QVERIFY(!after.isFile());
    }

    // The message names the folder that takes no new file, not the file.
    void saveIntoAFolderThatTakesNoFiles() {
        WriteFile(Path(QStringLiteral("plain")), "keep");
        QString error;
        QVERIFY(!SaveFileSafely(Path(QStringLiteral("plain/t.dat")), "new", &error));
        QVERIFY2(error.contains(QStringLiteral("folder ") + Path(QStringLiteral("plain"))),
                 qPrintable(error));
        OnlyFiles({QStringLiteral("plain")});
    }

    // The save runs in a child whose files may not grow beyond 1000 bytes, as on a full disk.
    void saveBeyondTheFileSizeLimitKeepsTheOldFile() {
        const QString target = Path(QStringLiteral("t.dat"));
        const QByteArray old(3000, 'o');
        WriteFile(target, old);
        int pipe[2];
        QCOMPARE(::pipe(pipe), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1000, 1000};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            QString error;
            const bool saved = SaveFileSafely(target, QByteArray(DataFileSize, 'n'), &error);
            const QByteArray report = (saved ? "saved" : "failed: ") + error.toUtf8();
            ::write(pipe[1], report.constData(), size_t(report.size()));
            ::_exit(0);
        }
        ::close(pipe[1]);
        QByteArray report;
        char buffer[512];
        for (ssize_t count; (count = ::read(pipe[0], buffer, sizeof buffer)) > 0;)
            report.append(buffer, int(count));
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY2(report.startsWith("failed: ") && report.contains("File too large"),
                 report.constData());
        QCOMPARE(ReadFile(target), old);
        OnlyFiles({QStringLiteral("t.dat")});
    }

    // A FIFO would block the reader forever, a device would feed it without end.
    void onlyRegularFilesAreOpened() {
        const QString fifo = Path(QStringLiteral("fifo.dat"));
        QVERIFY(MakeSpecial(QStringLiteral("fifo"), fifo));
        QFile file(fifo);
        QString error;
        QVERIFY(!OpenRegularFile(file, &error));
        QVERIFY2(error.contains(QStringLiteral("not a regular file")), qPrintable(error));
        TfMaindb db(Dir.path() + QLatin1Char('/'));
        db.BuildStartImage();
        const auto image = db.All.Image;
        QCOMPARE(LoadDataFile(db.MacList, db.All, fifo, &error), TLoadResult::CannotOpen);
        QVERIFY(db.All.Image == image);
        QFile zero(QStringLiteral("/dev/zero"));
        QVERIFY(!OpenRegularFile(zero, &error));
    }
};

QTEST_GUILESS_MAIN(TstFileAccess)
#include "tst_fileaccess.moc"
