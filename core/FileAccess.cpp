#include "core/FileAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace {

constexpr int MaxLinkHops = 40; // as the kernel allows before it calls it a loop

QString NotRegular() {
    return QStringLiteral("not a regular file");
}

// The file a chain of symbolic links ends at; false when the chain does not end.
bool FollowLinks(QString& path) {
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        const QFileInfo info(path);
        if (!info.isSymLink()) return true;
        path = info.symLinkTarget();
    }
    return false;
}

// Puts the written data on the disk before it takes the old file's place.
bool SyncToDisk(QFile& file, QString* reason) {
    if (!file.flush()) {
        *reason = file.errorString();
        return false;
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        *reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    return true;
}

} // namespace

QString FileErrorText(const QString& fileName, const QString& reason) {
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(fileName), reason);
}

bool WriteWhole(QIODevice& device, const QByteArray& data, QString* reason) {
    qint64 done = 0;
    while (done < data.size()) {
        const qint64 written = device.write(data.constData() + done, data.size() - done);
        if (written <= 0) {
            *reason = device.errorString();
            if (reason->isEmpty() || *reason == QLatin1String("Unknown error"))
                *reason = QStringLiteral("the data could not be written");
            return false;
        }
        done += written;
    }
    return true;
}

bool SaveFileSafely(const QString& fileName, const QByteArray& data, QString* error) {
    QString target = fileName;
    QString reason;
    const auto fail = [&](const QString& name, const QString& why) {
        if (error) *error = FileErrorText(name, why);
        return false;
    };
    if (!FollowLinks(target))
        return fail(fileName, QStringLiteral("too many levels of symbolic links"));
    const QFileInfo info(target);
    if (info.exists() && !info.isFile()) return fail(fileName, NotRegular());

    QTemporaryFile temporary(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".XXXXXX"));
    if (!temporary.open())
        return fail(fileName, QStringLiteral("cannot create a file in folder %1 (%2)")
                                  .arg(QDir::toNativeSeparators(info.absolutePath()),
                                       temporary.errorString()));
    temporary.setPermissions(info.exists() ? info.permissions()
                                           : QFile::ReadOwner | QFile::WriteOwner |
                                                 QFile::ReadGroup | QFile::ReadOther);
    // Unbuffered, every write meets the disk at once and a failure keeps its own reason.
    QFile out;
    out.open(temporary.handle(), QIODevice::WriteOnly | QIODevice::Unbuffered,
             QFileDevice::DontCloseHandle);
    if (!WriteWhole(out, data, &reason) || !SyncToDisk(out, &reason)) return fail(fileName, reason);
    out.close();
    temporary.close();
    std::error_code failure;
    std::filesystem::rename(QFile::encodeName(temporary.fileName()).toStdString(),
                            QFile::encodeName(target).toStdString(), failure);
    if (failure) return fail(fileName, QString::fromStdString(failure.message()));
    temporary.setAutoRemove(false);
    return true;
}

bool OpenRegularFile(QFile& file, QString* error) {
    const QFileInfo info(file.fileName());
    QString reason;
    if (info.exists() && !info.isFile())
        reason = NotRegular();
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    if (reason.isEmpty()) return true;
    if (error) *error = FileErrorText(file.fileName(), reason);
    return false;
}
