#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

// Files as the program meets them: only regular files are read or replaced, and a save either
// completes or leaves the old file byte for byte as it was.

// Writes all of data to device; false with the device's reason when any write fails or stops
// short.
bool WriteWhole(QIODevice& device, const QByteArray& data, QString* reason);

// Saves data as fileName: written to a temporary file beside it, flushed to the disk, then put
// in the old file's place. A symbolic link is followed to the file it names. A target that
// exists and is no regular file (a FIFO, a device, a folder) or a loop of links is refused.
// On failure the previous file is untouched, the temporary file is gone and error says why.
bool SaveFileSafely(const QString& fileName, const QByteArray& data, QString* error);

// Opens an existing regular file (or a link to one) for reading. Anything else is refused
// at once, so a FIFO or a device can neither block nor flood the program.
bool OpenRegularFile(QFile& file, QString* error);

// The text that names a failed file and its reason.
QString FileErrorText(const QString& fileName, const QString& reason);
