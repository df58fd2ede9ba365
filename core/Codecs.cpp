#include "core/Codecs.h"

#include "core/All.h"
#include "core/ConvertError.h"

#include <algorithm>
#include <cmath>

namespace {

int TrailingZeros(uint8_t mask) {
    int shift = 0;
    while (shift < 8 && !(mask & (1u << shift)))
        ++shift;
    return shift;
}

// Counts of 10 Hz per grid step: 500 Hz, 1.25 kHz and 2.5 kHz.
constexpr int64_t Grid500 = 50;
constexpr int64_t Grid1250 = 125;
constexpr int64_t Grid2500 = 250;

// Halves round up; a negative count keeps the truncating remainder of the division.
int64_t RoundToGrid(int64_t n, int64_t grid) {
    const int64_t r = n % grid;
    n -= r;
    if (double(r) / double(grid) >= 0.5)
        n += grid;
    return n;
}

double ParseNumber(const QString& text, bool* ok) {
    const double value = text.toDouble(ok);
    if (*ok && !std::isfinite(value))
        *ok = false;
    return value;
}

double ParseNumberOrThrow(const QString& text) {
    bool ok = false;
    const double value = ParseNumber(text, &ok);
    if (!ok)
        throw EConvertError("'" + text.toStdString() + "' is not a valid number");
    return value;
}

// Frequencies beyond this many MHz cannot be counted in 10 Hz steps without overflow.
constexpr double MaxMHz = 1.0e12;

int64_t ToCounts(double mhz) {
    if (!(std::fabs(mhz) < MaxMHz))
        throw EConvertError("frequency out of range");
    return std::llround(mhz * 100000.0);
}

bool IsOctalDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('7'); }

} // namespace

int GetBit(uint8_t byte, int bit) { return (byte >> bit) & 1; }

void SetBit(uint8_t& byte, int bit, bool on) {
    if (on)
        byte = uint8_t(byte | (1u << bit));
    else
        byte = uint8_t(byte & ~(1u << bit));
}

uint8_t GetField(uint8_t byte, uint8_t mask, uint8_t max, uint8_t fallback) {
    const uint8_t value = uint8_t((byte & mask) >> TrailingZeros(mask));
    return value > max ? fallback : value;
}

void SetField(uint8_t& byte, uint8_t mask, int value) {
    byte = uint8_t((byte & ~mask) | ((unsigned(value) << TrailingZeros(mask)) & mask));
}

uint8_t InRangeOr(uint8_t value, uint8_t lo, uint8_t hi, uint8_t fallback) {
    return (value >= lo && value <= hi) ? value : fallback;
}

uint8_t& OptionByte(TALL& all, int n) { return all.Image[Addr::FmPresentMap + ((n + 8) & 0xFF)]; }

uint8_t GetOption(const TALL& all, int n, uint8_t mask) {
    return GetField(OptionByte(const_cast<TALL&>(all), n), mask, 0xFF, 0);
}

void SetOption(TALL& all, int n, uint8_t mask, int value) {
    SetField(OptionByte(all, n), mask, value);
}

void ClampOption(TALL& all, int n, uint8_t mask, uint8_t lo, uint8_t hi, uint8_t fallback) {
    SetOption(all, n, mask, InRangeOr(GetOption(all, n, mask), lo, hi, fallback));
}

bool TestMapBit(const TALL& all, int start, int k) {
    return GetBit(all.Image[start + (k - 1) / 8], (k - 1) % 8) == 0;
}

void SetMapBit(TALL& all, int start, int k, bool clear) {
    SetBit(all.Image[start + (k - 1) / 8], (k - 1) % 8, !clear);
}

uint32_t PackU31(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3] & 0x7F) << 24;
}

double BytesToMHz(const uint8_t* bytes) { return PackU31(bytes) / 100000.0; }

int GetU16(const TALL& all, int at) {
    return all.Image[at] | all.Image[at + 1] << 8;
}

void PutU16(TALL& all, int at, int value) {
    all.Image[at] = uint8_t(value);
    all.Image[at + 1] = uint8_t(value >> 8);
}

void PutU32(uint8_t* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
}

int HexToInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 16);
    if (!ok || text.isEmpty() || text.startsWith(QLatin1Char('-')) ||
        text.startsWith(QLatin1Char('+')) || text.trimmed() != text)
        throw EConvertError("'" + text.toStdString() + "' is not a valid hexadecimal number");
    return value;
}

uint8_t HexToByte(const QString& text) {
    if (text.size() > 2)
        throw EConvertError("'" + text.toStdString() + "' is not a hexadecimal byte");
    return uint8_t(HexToInt(text));
}

void FillFF(uint8_t* buffer, int highIndex) {
    for (int i = 0; i <= highIndex; ++i)
        buffer[i] = 0xFF;
}

int ParseInt(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw EConvertError("'" + text.toStdString() + "' is not a valid integer");
    return value;
}

QString FormatMHz(double mhz) { return QString::number(mhz, 'f', 5); }

double ParseMHz(const QString& text) {
    const int unit = text.indexOf(QLatin1String("MHz"));
    const QString number = unit >= 0 ? text.left(unit) : text;
    if (number.isEmpty())
        return -1.0;
    return ParseNumberOrThrow(number);
}

int64_t SnapFrequency(const TALL& all, double& mhz, int& mode) {
    int64_t n = ToCounts(mhz);
    switch (mode) {
    case 0:
        n = RoundToGrid(n, Grid500);
        break;
    case 1:
        n = RoundToGrid(n, Grid1250);
        break;
    case 3:
        mode = VfoGridMode(all);
        return SnapFrequency(all, mhz, mode);
    case 4:
        n = RoundToGrid(n, Grid2500);
        break;
    case 2:
    case 5: {
        const int64_t r125 = n % Grid1250;
        const int64_t r50 = n % Grid500;
        const int reported = mode;
        if (r125 == 0) {
            mode = 1;
        } else if (r50 == 0) {
            mode = 0;
        } else if (r50 < r125) {
            n = RoundToGrid(n, Grid500);
            mode = 0;
        } else {
            n = RoundToGrid(n, Grid1250);
            mode = 1;
        }
        if (reported == 5)
            mode = 5;
        if (r125 == 0 || r50 == 0)
            return n; // already on a grid: the value is kept exactly as it came in
        break;
    }
    default:
        return 0;
    }
    mhz = n / 100000.0;
    return n;
}

int VfoGridMode(const TALL& all) {
    const int step = GetOption(all, 9, 0x0F);
    if (step == 2)
        return 1;
    return step >= 4 ? 2 : 0;
}

int GridModeOf(double mhz) {
    const int64_t n = ToCounts(mhz);
    const bool on1250 = n % Grid1250 == 0;
    const bool on500 = n % Grid500 == 0;
    if (on1250 && !on500)
        return 1;
    if (on500 && !on1250)
        return 0;
    return 2;
}

bool CheckFrequency(const TALL& all, const QString& text, double& mhz) {
    if (!text.isEmpty()) {
        bool ok = false;
        mhz = ParseNumber(text, &ok);
        if (!ok)
            mhz = -1.0;
    }
    bool inRange = false;
    if (mhz > 0) {
        for (const TBand& band : all.Bands) {
            if (band.Low != 0 && band.High != 0 && band.Low <= mhz && mhz <= band.High)
                inRange = true;
        }
    }
    if (inRange)
        return false;
    for (const TBand& band : all.Bands) {
        if (band.Low != 0) {
            mhz = band.Low;
            break;
        }
    }
    return true;
}

double NearestBandEdge(const TALL& all, bool upper, double mhz) {
    constexpr double NeverCounts = 999.0;
    double bestLow = NeverCounts, bestHigh = NeverCounts;
    double low = 0.0, high = 0.0;
    for (const TBand& band : all.Bands) {
        if (band.Low == 0 || band.High == 0)
            continue;
        if (std::fabs(band.Low - mhz) < bestLow) {
            bestLow = std::fabs(band.Low - mhz);
            low = band.Low;
        }
        if (std::fabs(band.High - mhz) < bestHigh) {
            bestHigh = std::fabs(band.High - mhz);
            high = band.High;
        }
    }
    return upper ? high : low;
}

void EncodeTone(const QString& text, uint8_t& lo, uint8_t& hi) {
    if (text.isEmpty()) {
        lo = hi = 0xFF;
        return;
    }
    if (text.startsWith(QLatin1Char('D'))) {
        const QString polarity = text.mid(4, 1);
        const uint8_t newLo = HexToByte(text.mid(2, 2));
        const QString prefix = polarity == QLatin1String("I") ? QStringLiteral("C")
                                                              : QStringLiteral("8");
        hi = HexToByte(prefix + text.mid(1, 1));
        lo = newLo;
        return;
    }
    const double hz = ParseNumberOrThrow(text);
    if (hz < 0 || hz >= 100000.0)
        throw EConvertError("'" + text.toStdString() + "' is not a valid tone");
    const QString digits = QStringLiteral("%1").arg(std::llround(hz * 10), 4, 10, QLatin1Char('0'));
    const uint8_t newLo = HexToByte(digits.mid(2, 2));
    hi = HexToByte(digits.left(2));
    lo = newLo;
}

QString DecodeTone(uint8_t lo, uint8_t hi) {
    if (hi == 0xFF)
        return QString();
    if (hi & 0x80) {
        return QStringLiteral("D%1%2%3%4")
            .arg(hi & 7)
            .arg((lo >> 4) & 7)
            .arg(lo & 7)
            .arg((hi & 0x40) ? QLatin1Char('I') : QLatin1Char('N'));
    }
    const QString hex = QStringLiteral("%1%2")
                            .arg(int(hi), 2, 16, QLatin1Char('0'))
                            .arg(int(lo), 2, 16, QLatin1Char('0'))
                            .toUpper();
    for (QChar c : hex) {
        if (!c.isDigit())
            throw EConvertError("tone bytes " + hex.toStdString() + " are not decimal");
    }
    return QString::number(hex.toInt() / 10.0, 'f', 1);
}

QString NormalizeTone(const QString& text) {
    static const QString Fallback = QStringLiteral("67.0");
    if (text.isEmpty())
        return QString();
    const QChar first = text.at(0);
    if (first >= QLatin1Char('0') && first <= QLatin1Char('9')) {
        bool ok = false;
        const double hz = ParseNumber(text, &ok);
        if (!ok)
            return Fallback;
        return QString::number(std::clamp(hz, 30.0, 290.0), 'f', 1);
    }
    if (first != QLatin1Char('D') && first != QLatin1Char('d'))
        return Fallback;
    QString code = text.left(5);
    while (code.size() < 4)
        code += QLatin1Char('0');
    if (code.size() == 4)
        code += QLatin1Char('N');
    for (int i = 1; i <= 3; ++i) {
        if (!IsOctalDigit(code.at(i)))
            code[i] = QLatin1Char('7');
    }
    if (!QStringLiteral("INin").contains(code.at(4)))
        code[4] = QLatin1Char('N');
    return code.toUpper();
}

uint8_t EncodeNameChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7A) ? uint8_t(u - 0x20) : 0x20;
}

QChar DecodeNameChar(uint8_t value) {
    return value <= 0x7A ? QChar(char16_t(value + 0x20)) : QLatin1Char(' ');
}

uint8_t DtmfCharToCode(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '1' && u <= '9')
        return uint8_t(u - '0');
    if (u >= 'A' && u <= 'D')
        return uint8_t(u - 'A' + 10);
    if (u == '#')
        return 14;
    if (u == '*')
        return 15;
    return 0;
}

QChar DtmfCodeToChar(int code) {
    static const char Chars[] = "0123456789ABCD#*";
    return (code >= 0 && code <= 15) ? QLatin1Char(Chars[code]) : QLatin1Char(' ');
}

QChar SerialChar(uint8_t byte) {
    const bool keep = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                      (byte >= '0' && byte <= '9');
    return keep ? QLatin1Char(char(byte)) : QLatin1Char(' ');
}

QString FlagText(int a, int b) { return a == b ? QStringLiteral("1") : QStringLiteral("0"); }

void EncodeDateStamp(uint8_t* bytes, const QString& text) {
    const int year = ParseInt(text.mid(0, 4));
    const int parts[] = {ParseInt(text.mid(5, 2)), ParseInt(text.mid(8, 2)),
                         ParseInt(text.mid(11, 2)), ParseInt(text.mid(14, 2)),
                         ParseInt(text.mid(17, 2))};
    bytes[0] = uint8_t(year);
    bytes[1] = uint8_t(year >> 8);
    for (int i = 0; i < 5; ++i)
        bytes[2 + i] = uint8_t(parts[i]);
}

QString FormatDateStamp(const uint8_t* bytes) {
    const auto two = [](uint8_t v) { return QStringLiteral("%1").arg(int(v), 2, 10, QLatin1Char('0')); };
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(bytes[0] + 256 * bytes[1])
        .arg(two(bytes[2]), two(bytes[3]), two(bytes[4]), two(bytes[5]), two(bytes[6]));
}
