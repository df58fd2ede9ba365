#include "core/DataFile.h"

#include "core/All.h"
#include "core/Codecs.h"
#include "core/FileAccess.h"
#include "core/ImageSetup.h"
#include "core/Language.h"
#include "core/MacList.h"

#include <QFile>

namespace {

constexpr int FirstFileOffset = BlockSize; // block 0 is not kept in a file

QByteArray HeaderCode(const QString& code) {
    return code.toLatin1().leftJustified(4, ' ', true);
}

} // namespace

void BuildFileHeader(uint8_t* header, const QString& modelCode, const QString& softwareCode,
                     const QString& thirdCode) {
    FillFF(header, FileHeaderSize - 1);
    header[0] = 'P';
    const QByteArray codes =
        HeaderCode(modelCode) + HeaderCode(softwareCode) + HeaderCode(thirdCode);
    std::copy(codes.begin(), codes.end(), header + 1);
}

TFileHeaderCodes ParseFileHeader(const uint8_t* header) {
    const auto code = [header](int at) {
        return QString::fromLatin1(reinterpret_cast<const char*>(header + at), 4);
    };
    return {code(1), code(5), code(9)};
}

QByteArray DataFileBytes(const TALL& all) {
    uint8_t header[FileHeaderSize];
    BuildFileHeader(header, all.ModelCode, all.SoftwareCode, QString());
    QByteArray bytes(reinterpret_cast<const char*>(header), FileHeaderSize);
    bytes.append(reinterpret_cast<const char*>(&all.Image[FirstFileOffset]),
                 UsedImageEnd - FirstFileOffset);
    return bytes;
}

bool SaveDataFile(TALL& all, const QString& fileName, QString* error) {
    if (!SaveFileSafely(fileName, DataFileBytes(all), error)) return false;
    all.Modified = false;
    return true;
}

TLoadResult LoadDataFile(const TMacList& models, TALL& all, const QString& fileName,
                         QString* error) {
    QFile file(fileName);
    if (!OpenRegularFile(file, error)) return TLoadResult::CannotOpen;
    const QByteArray bytes = file.read(DataFileSize);
    if (file.error() != QFileDevice::NoError) {
        if (error) *error = FileErrorText(fileName, file.errorString());
        return TLoadResult::CannotOpen;
    }
    return LoadDataImage(models, all, bytes);
}

TLoadResult LoadDataImage(const TMacList& models, TALL& all, const QByteArray& bytes) {
    if (bytes.size() < DataFileSize) return TLoadResult::TooShort;
    const TFileHeaderCodes codes =
        ParseFileHeader(reinterpret_cast<const uint8_t*>(bytes.constData()));
    if (!models.FindByCode(codes.ModelCode)) return TLoadResult::UnknownModel;
    std::copy(bytes.begin() + FileHeaderSize, bytes.begin() + DataFileSize,
              all.Image.begin() + FirstFileOffset);
    AcceptFileImage(models, all, codes.ModelCode);
    all.Modified = false;
    return TLoadResult::Accepted;
}

QString LoadErrorText(TLoadResult result, const TLanguage& language, const QString& error) {
    switch (result) {
    case TLoadResult::TooShort:
        return language.FileShort;
    case TLoadResult::UnknownModel:
        return language.ModError;
    case TLoadResult::CannotOpen:
        return error;
    case TLoadResult::Accepted:
        break;
    }
    return QString();
}
