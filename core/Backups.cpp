#include "core/Backups.h"

#include "core/All.h"
#include "core/DataFile.h"
#include "core/FileAccess.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <vector>

namespace {

const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmss");

// The time in a backup's name, or an invalid time for any other file.
QDateTime StampOf(const QString& fileName) {
    static const QRegularExpression name(
        QStringLiteral("^.+_(?:read|write)_(\\d{8}-\\d{6})(?:-\\d+)?\\.dat$"));
    const QRegularExpressionMatch match = name.match(fileName);
    return match.hasMatch() ? QDateTime::fromString(match.captured(1), StampFormat) : QDateTime();
}

} // namespace

QString TBackups::Folder(const TALL& all) {
    if (!qEnvironmentVariableIsEmpty("ZP407NE_HOME"))
        return all.ProgramFolder + QStringLiteral("backups");
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/backups");
}

bool TBackups::Save(const TALL& all, const QString& kind, const QDateTime& now, QString* error) {
    const QString folder = Folder(all);
    if (!QDir().mkpath(folder)) {
        if (error) *error = FileErrorText(folder, QStringLiteral("the folder cannot be made"));
        return false;
    }
    const QString base = folder + QLatin1Char('/') + all.ModelCode.trimmed() + QLatin1Char('_') +
                         kind + QLatin1Char('_') + now.toString(StampFormat);
    QString name = base + QStringLiteral(".dat");
    for (int n = 2; QFileInfo::exists(name); ++n) // two in one second
        name = base + QStringLiteral("-%1.dat").arg(n);
    return SaveFileSafely(name, DataFileBytes(all), error);
}

void TBackups::Prune(const QString& folder, const QDateTime& now) {
    std::vector<std::pair<QDateTime, QString>> backups;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
        const QDateTime stamp = StampOf(name);
        if (stamp.isValid()) backups.emplace_back(stamp, name);
    }
    std::sort(backups.begin(), backups.end(), std::greater<>());
    const QDateTime oldest = now.addDays(-KeepDays);
    for (size_t i = KeepNewest; i < backups.size(); ++i)
        if (backups[i].first < oldest) QFile::remove(dir.filePath(backups[i].second));
}
