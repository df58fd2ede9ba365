#pragma once

#include <QString>
#include <cstdint>

class TALL;
class TLanguage;
class TMacList;

// A data file: a 16-byte header naming the model, then image blocks 1 to 297.
constexpr int FileHeaderSize = 16;
constexpr int DataFileSize = 4768;

struct TFileHeaderCodes {
    QString ModelCode;
    QString SoftwareCode;
    QString ThirdCode;
};

void BuildFileHeader(uint8_t* header, const QString& modelCode, const QString& softwareCode,
                     const QString& thirdCode);
TFileHeaderCodes ParseFileHeader(const uint8_t* header);

// The bytes of a data file holding the image.
QByteArray DataFileBytes(const TALL& all);

// Writes the image to fileName through a temporary file that replaces the target only when it
// is complete. On success Modified is false; on failure the old file and Modified stay and
// error says why.
bool SaveDataFile(TALL& all, const QString& fileName, QString* error);

enum class TLoadResult {
    Accepted,
    CannotOpen,   // error tells why
    TooShort,     // the FileShort message
    UnknownModel, // the ModError message
};

// Takes the bytes of a data file into the image, as LoadDataFile does once it has read them.
TLoadResult LoadDataImage(const TMacList& models, TALL& all, const QByteArray& bytes);

// Reads fileName into the image and brings the image into a consistent state. On any result
// but Accepted the image and the state object are untouched.
TLoadResult LoadDataFile(const TMacList& models, TALL& all, const QString& fileName,
                         QString* error);

// The text that tells the user why a file was not opened.
QString LoadErrorText(TLoadResult result, const TLanguage& language, const QString& error);
