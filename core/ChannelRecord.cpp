#include "core/ChannelRecord.h"

#include "core/All.h"
#include "core/Channel.h"
#include "core/Codecs.h"
#include "core/ConvertError.h"

namespace {

constexpr int RecordSize = ChannelRecordSize;
constexpr int NameLength = 7;
constexpr int NameByte = 18;
constexpr int IdByte = 15;
constexpr int IdDigits = 6;
constexpr double MaxOffsetMHz = 99.995;

// The single-bit flags of record byte 12, by field code.
struct TFlagBit {
    int code;
    int bit;
};
constexpr TFlagBit FlagBits[] = {
    {FieldCode::Power, 2}, {FieldCode::Bandwidth, 7}, {FieldCode::BusyLock, 4},
    {FieldCode::Vox, 6},   {FieldCode::Epilogue, 3},
};

uint8_t* Record(TALL& all, int k) {
    return &all.Image[ChannelOffset(k)];
}

double OffsetMHz(const uint8_t* rec) {
    return (rec[4] | rec[5] << 8 | rec[6] << 16) / 100000.0;
}

// Trailing characters up to the blank are dropped, as the editors do with typed texts.
QString TrimRight(const QString& text) {
    int end = text.size();
    while (end > 0 && text.at(end - 1).unicode() <= ' ')
        --end;
    return text.left(end);
}

// The grid of a VFO frequency follows the step setting; an automatic step keeps the grid
// that the other value of the pair already lies on.
int VfoMode(const TALL& all, double other) {
    const int mode = VfoGridMode(all);
    return mode == 2 ? GridModeOf(other) : mode;
}

void StoreFrequency(TALL& all, uint8_t* bytes, QString& text, double mhz, int mode) {
    PutU32(bytes, uint32_t(SnapFrequency(all, mhz, mode)));
    text = FormatMHz(mhz);
}

void WriteMemoryRx(TALL& all, int k, QString& text) {
    uint8_t* rec = Record(all, k);
    if (text.isEmpty()) {
        SetMapBit(all, Addr::PresentMap, k, false);
        SetMapBit(all, Addr::ScanMap, k, false);
        std::fill(rec, rec + RecordSize, uint8_t(0xFF));
        return;
    }
    StoreFrequency(all, rec, text, ParseMHz(text), 2);
    SetMapBit(all, Addr::PresentMap, k, true);
}

void WriteVfoRx(TALL& all, int k, QString& text) {
    uint8_t* rec = Record(all, k);
    const double mhz = text.isEmpty() ? NearestBandEdge(all, false, -1.0) : ParseMHz(text);
    const double offset = OffsetMHz(rec);
    StoreFrequency(all, rec, text, mhz, VfoMode(all, offset));
    QString offsetText = FormatMHz(offset);
    WriteChannelField(all, k, FieldCode::Offset, offsetText);
}

void WriteOffset(TALL& all, int k, QString& text) {
    uint8_t* rec = Record(all, k);
    double offset = text.isEmpty() ? 0.0 : ParseMHz(text);
    if (offset > MaxOffsetMHz) offset = 0.0;
    int mode = VfoMode(all, BytesToMHz(rec));
    const int64_t n = SnapFrequency(all, offset, mode);
    for (int i = 0; i < 3; ++i)
        rec[4 + i] = uint8_t(n >> (8 * i));
    text = FormatMHz(offset);
}

void WriteName(uint8_t* rec, QString& text) {
    const QString name = (text + QString(NameLength, QLatin1Char(' '))).left(NameLength);
    for (int i = 0; i < NameLength; ++i)
        rec[NameByte + i] = EncodeNameChar(name.at(i));
    text = TrimRight(name);
}

void WriteIdCode(uint8_t* rec, QString& text) {
    while (text.size() < 3)
        text += QLatin1Char('0');
    const QString digits = (text + QString(IdDigits, QLatin1Char('*'))).left(IdDigits);
    for (int i = 0; i < IdDigits; ++i) {
        const uint8_t mask = (i % 2 == 0) ? 0xF0 : 0x0F;
        SetField(rec[IdByte + i / 2], mask, DtmfCharToCode(digits.at(i)));
    }
}

QString ReadIdCode(const uint8_t* rec) {
    QString code;
    for (int i = 0; i < IdDigits; ++i) {
        const int nibble = (i % 2 == 0) ? rec[IdByte + i / 2] >> 4 : rec[IdByte + i / 2] & 0x0F;
        if (nibble > 9) break;
        code += DtmfCodeToChar(nibble);
    }
    return code.size() < 3 ? QStringLiteral("000") : code;
}

QString ReadName(const uint8_t* rec) {
    QString name;
    for (int i = 0; i < NameLength; ++i)
        name += DecodeNameChar(rec[NameByte + i]);
    return TrimRight(name);
}

// Reads a tone and stores it back in its clean form. Bytes that are no tone at all read as no
// tone but stay as they are: only an edit of the field replaces them.
QString ReadTone(TALL& all, int k, int code) {
    const uint8_t* rec = Record(all, k);
    const int at = code == FieldCode::RxTone ? 8 : 10;
    QString tone;
    try {
        tone = DecodeTone(rec[at], rec[at + 1]);
    } catch (const EConvertError&) {
        return QString();
    }
    WriteChannelField(all, k, code, tone);
    return tone;
}

// Reads a stored frequency and writes it back snapped; returns the stored value.
double Rewrite(TALL& all, int k, int code, double mhz) {
    QString text = FormatMHz(mhz);
    WriteChannelField(all, k, code, text);
    return ParseMHz(text);
}

} // namespace

int ChannelOffset(int k) {
    return RecordSize * k - 16;
}

bool IsVfoChannel(int k) {
    return k == VfoLow || k == VfoHigh;
}

void WriteChannelField(TALL& all, int k, int code, QString& text) {
    if (k < 1 || k > VfoHigh) return;
    uint8_t* rec = Record(all, k);
    switch (code) {
    case FieldCode::RxFreq:
        IsVfoChannel(k) ? WriteVfoRx(all, k, text) : WriteMemoryRx(all, k, text);
        return;
    case FieldCode::TxFreq:
        if (text.isEmpty())
            std::fill(rec + 4, rec + 8, uint8_t(0xFF));
        else
            StoreFrequency(all, rec + 4, text, ParseMHz(text), 2);
        return;
    case FieldCode::Offset:
        WriteOffset(all, k, text);
        return;
    case FieldCode::Duplex:
        SetField(rec[7], 0x03, ParseInt(text));
        return;
    case FieldCode::RxTone:
        EncodeTone(text, rec[8], rec[9]);
        return;
    case FieldCode::TxTone:
        EncodeTone(text, rec[10], rec[11]);
        return;
    case FieldCode::VoiceMode:
        SetField(rec[12], 0x03, ParseInt(text) ^ 3);
        return;
    case FieldCode::PttId:
        SetField(rec[13], 0x30, ParseInt(text) ^ 3);
        return;
    case FieldCode::Ani:
        SetField(rec[13], 0x80, ParseInt(text));
        return;
    case FieldCode::Scan:
        // VFO records have no bit in the scan bitmap; the bytes after it belong to the FM memory.
        if (!IsVfoChannel(k)) SetMapBit(all, Addr::ScanMap, k, text == QLatin1String("0"));
        return;
    case FieldCode::Name:
        WriteName(rec, text);
        return;
    case FieldCode::IdCode:
        WriteIdCode(rec, text);
        return;
    default:
        break;
    }
    for (const TFlagBit& flag : FlagBits) {
        if (flag.code == code) SetField(rec[12], uint8_t(1u << flag.bit), ParseInt(text));
    }
}

bool ReadChannel(TALL& all, int k, TChannel& channel) {
    if (k < 1 || k > VfoHigh) return false;
    const bool vfo = IsVfoChannel(k);
    if (!vfo && !TestMapBit(all, Addr::PresentMap, k)) return false;
    const uint8_t* rec = Record(all, k);

    double rx = BytesToMHz(rec);
    CheckFrequency(all, QString(), rx);
    channel.RxFreq = Rewrite(all, k, FieldCode::RxFreq, rx);

    if (vfo) {
        double offset = OffsetMHz(rec);
        if (offset > MaxOffsetMHz) offset = 0.0;
        channel.Offset = Rewrite(all, k, FieldCode::Offset, offset);
        channel.Duplex = rec[7] & 0x03;
        if (channel.Duplex == 3) channel.Duplex = 0;
        channel.TxFreq = channel.Duplex == 1   ? channel.RxFreq + channel.Offset
                         : channel.Duplex == 2 ? channel.RxFreq - channel.Offset
                                               : channel.RxFreq;
    } else {
        channel.Offset = 0.0;
        channel.Duplex = 0;
        if (rec[7] & 0x80) {
            channel.TxFreq = -1.0;
        } else {
            channel.TxFreq = Rewrite(all, k, FieldCode::TxFreq, BytesToMHz(rec + 4));
            const double diff = channel.TxFreq - channel.RxFreq;
            channel.Duplex = diff > 0 ? 1 : diff < 0 ? 2 : 0;
            channel.Offset = diff < 0 ? -diff : diff;
        }
    }

    channel.RxTone = ReadTone(all, k, FieldCode::RxTone);
    channel.TxTone = ReadTone(all, k, FieldCode::TxTone);

    channel.Power = uint8_t(GetBit(rec[12], 2));
    channel.Vox = uint8_t(GetBit(rec[12], 6));
    channel.Bandwidth = uint8_t(GetBit(rec[12], 7));
    channel.Epilogue = uint8_t(GetBit(rec[12], 3));
    channel.BusyLock = uint8_t(GetBit(rec[12], 4));
    channel.VoiceMode = uint8_t((rec[12] & 0x03) ^ 3);
    channel.Reverse = 0;
    channel.PttId = uint8_t(((rec[13] >> 4) & 0x03) ^ 3);
    channel.Ani = uint8_t(GetBit(rec[13], 7));
    channel.Name = ReadName(rec);
    channel.IdCode = ReadIdCode(rec);
    if (!vfo) channel.ScanDel = TestMapBit(all, Addr::ScanMap, k) ? 0 : 1;
    return true;
}

int ChannelFieldValue(const TChannel& channel, int code) {
    switch (code) {
    case FieldCode::Duplex:
        return channel.Duplex;
    case FieldCode::Power:
        return channel.Power;
    case FieldCode::Bandwidth:
        return channel.Bandwidth;
    case FieldCode::Scan:
        return channel.ScanDel;
    case FieldCode::BusyLock:
        return channel.BusyLock;
    case FieldCode::Vox:
        return channel.Vox;
    case FieldCode::VoiceMode:
        return channel.VoiceMode;
    case FieldCode::Epilogue:
        return channel.Epilogue;
    case FieldCode::PttId:
        return channel.PttId;
    case FieldCode::Ani:
        return channel.Ani;
    default:
        return 0;
    }
}

QString ChannelName(const TALL& all, int k) {
    return ReadName(&all.Image[ChannelOffset(k)]);
}

void NewChannel(TALL& all, int k, const QString& rxText) {
    QString text = rxText;
    WriteChannelField(all, k, FieldCode::RxFreq, text);
    WriteChannelField(all, k, FieldCode::TxFreq, text);
    struct TDefault {
        int code;
        const char* text;
    };
    static const TDefault Defaults[] = {
        {FieldCode::RxTone, ""},     {FieldCode::TxTone, ""},     {FieldCode::Power, "1"},
        {FieldCode::Bandwidth, "1"}, {FieldCode::Scan, "1"},      {FieldCode::BusyLock, "1"},
        {FieldCode::Vox, "1"},       {FieldCode::VoiceMode, "0"}, {FieldCode::Epilogue, "1"},
        {FieldCode::PttId, "0"},     {FieldCode::Ani, "1"},       {FieldCode::Name, ""},
        {FieldCode::IdCode, ""},
    };
    for (const TDefault& field : Defaults) {
        QString value = QString::fromLatin1(field.text);
        WriteChannelField(all, k, field.code, value);
    }
}
