#pragma once

#include <QDateTime>
#include <QString>

class TALL;

// A copy of every image read from the radio and of every image about to be written to it, as a
// data file named after the model, the kind and the time ("QX47_read_20261210-143005.dat"), in
// the backup folder. Backups older than a year are pruned, but the newest 20 always stay.
class TBackups {
public:
    static constexpr int KeepDays = 365;
    static constexpr int KeepNewest = 20;

    // "backups" in the program folder when ZP407NE_HOME names one, otherwise in the user's data
    // folder.
    static QString Folder(const TALL& all);
    // Saves the image as a backup of the kind ("read", "write"); false with the reason when it
    // cannot be written. Never changes the image or Modified.
    static bool Save(const TALL& all, const QString& kind, const QDateTime& now, QString* error);
    // Removes the backups older than KeepDays, except the KeepNewest newest.
    static void Prune(const QString& folder, const QDateTime& now);
};
