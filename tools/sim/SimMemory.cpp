#include "tools/sim/SimMemory.h"

#include "core/ChannelRecord.h"
#include "core/DataFile.h"
#include "core/FileAccess.h"
#include "core/Maindb.h"

#include <QFile>
#include <algorithm>
#include <vector>

namespace {

// The low- and high-power values of a power-table row stand at these offsets of its block.
constexpr int LowPowerOffset = 10;
constexpr int HighPowerOffset = 12;

struct TDemoField {
    int Code;
    const char* Text;
};

struct TDemoChannel {
    int Number;
    const char* RxFreq;
    std::vector<TDemoField> Fields;
};

const TDemoChannel DemoChannels[] = {
    {1, "145.50000", {{FieldCode::Name, "CALL"}, {FieldCode::Scan, "0"}}},
    {2, "146.52000", {{FieldCode::TxTone, "88.5"}, {FieldCode::Name, "SIMPLEX"}}},
    {3,
     "438.50000",
     {{FieldCode::TxFreq, "431.10000"},
      {FieldCode::RxTone, "D023N"},
      {FieldCode::TxTone, "D023N"},
      {FieldCode::Name, "RPT70"}}},
    {4,
     "446.00625",
     {{FieldCode::Bandwidth, "0"}, {FieldCode::Power, "0"}, {FieldCode::Name, "PMR1"}}},
    {5, "162.55000", {{FieldCode::TxFreq, ""}, {FieldCode::Name, "WX1"}}},
};

const char DemoSerial[] = "SIM407NE00000001";

} // namespace

TSimMemory::TSimMemory() : ModelCode(QStringLiteral("QX47")), SoftwareCode(QStringLiteral("QX47")) {
    Bytes.fill(0xFF);
    for (int address = 0; address < PowerTableSize; ++address)
        PowerTable[size_t(address)] = uint8_t(address);
    for (int row = 0; row < PowerBlocks; ++row) {
        PowerTable[size_t(row * BlockSize + LowPowerOffset)] = uint8_t(40 + row);
        PowerTable[size_t(row * BlockSize + HighPowerOffset)] = uint8_t(160 + row);
    }
}

TSimMemory TSimMemory::Demo(TfMaindb& db) {
    db.BuildStartImage();
    db.NewImage();
    TALL& all = db.All;
    for (const TDemoChannel& channel : DemoChannels) {
        NewChannel(all, channel.Number, QString::fromLatin1(channel.RxFreq));
        for (const TDemoField& field : channel.Fields) {
            QString text = QString::fromLatin1(field.Text);
            WriteChannelField(all, channel.Number, field.Code, text);
        }
    }
    std::copy(DemoSerial, DemoSerial + BlockSize, all.Image.begin() + Addr::Serial);

    TSimMemory memory;
    std::copy(all.Image.begin(), all.Image.begin() + UsedImageEnd, memory.Bytes.begin());
    memory.ModelCode = all.ModelCode;
    memory.SoftwareCode = all.SoftwareCode;
    return memory;
}

bool TSimMemory::Load(const QString& fileName, QString* error) {
    QFile file(fileName);
    if (!OpenRegularFile(file, error)) return false;
    const QByteArray bytes = file.read(DataFileSize);
    if (bytes.size() < DataFileSize) {
        *error = QStringLiteral("%1: %2 bytes, a data file has %3")
                     .arg(fileName)
                     .arg(bytes.size())
                     .arg(DataFileSize);
        return false;
    }
    const TFileHeaderCodes codes =
        ParseFileHeader(reinterpret_cast<const uint8_t*>(bytes.constData()));
    ModelCode = codes.ModelCode;
    SoftwareCode = codes.SoftwareCode;
    Bytes.fill(0xFF);
    std::copy(bytes.begin() + FileHeaderSize, bytes.end(), Bytes.begin() + BlockSize);
    return true;
}

bool TSimMemory::Save(const QString& fileName, QString* error) const {
    TALL all;
    all.ModelCode = ModelCode;
    all.SoftwareCode = SoftwareCode;
    std::copy(Bytes.begin(), Bytes.end(), all.Image.begin());
    return SaveDataFile(all, fileName, error);
}
