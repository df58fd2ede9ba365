#include "core/DtmfCodes.h"

#include "core/CharRules.h"
#include "core/Codecs.h"

namespace {

constexpr int PttOption = 32;
constexpr int LengthOption = 35;
constexpr int IdOption = 36;
constexpr int StunLengthOption = 40;
constexpr int StunOption = 41;
constexpr int IdMinLength = 3;
constexpr int LastDigit = 9;   // the ID code ends at the first nibble above it
constexpr int LastCode = 15;   // the other codes take every nibble
constexpr int FillerCode = 15; // "*"

// Where a begin or end code lies.
struct TPttCode {
    uint8_t AbsentMask;
    uint8_t LengthMask;
    int Start;
};

TPttCode PttCode(TDtmfCode code) {
    return code == TDtmfCode::Begin ? TPttCode{0x04, 0x0F, 48} : TPttCode{0x08, 0xF0, 56};
}

int Nibble(const TALL& all, int start, int i) {
    const uint8_t byte = GetOption(all, start + i / 2, 0xFF);
    return i % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Digits 0 to count - 1, up to the first whose code is above limit.
QString ReadDigits(const TALL& all, int start, int count, int limit) {
    QString digits;
    for (int i = 0; i < count; ++i) {
        const int code = Nibble(all, start, i);
        if (code > limit) break;
        digits += DtmfCodeToChar(code);
    }
    return digits;
}

// The text padded with "*" to capacity digits, in capacity / 2 bytes.
void WriteDigits(TALL& all, int start, int capacity, const QString& text) {
    for (int i = 0; i < capacity; ++i) {
        const int code = i < text.size() ? DtmfCharToCode(text.at(i)) : FillerCode;
        SetOption(all, start + i / 2, i % 2 == 0 ? 0xF0 : 0x0F, code);
    }
}

} // namespace

int DtmfCodeCapacity(TDtmfCode code) {
    switch (code) {
    case TDtmfCode::Begin:
    case TDtmfCode::End:
        return 16;
    case TDtmfCode::Id:
        return 6;
    case TDtmfCode::Stun:
        return 10;
    }
    return 0;
}

QString ReadDtmfCode(const TALL& all, TDtmfCode code) {
    const int capacity = DtmfCodeCapacity(code);
    switch (code) {
    case TDtmfCode::Begin:
    case TDtmfCode::End: {
        const TPttCode ptt = PttCode(code);
        if (GetOption(all, PttOption, ptt.AbsentMask)) return QString();
        return ReadDigits(all, ptt.Start, GetOption(all, LengthOption, ptt.LengthMask) + 1,
                          LastCode);
    }
    case TDtmfCode::Id: {
        const QString id = ReadDigits(all, IdOption, capacity, LastDigit);
        return id.size() < IdMinLength ? QStringLiteral("000") : id;
    }
    case TDtmfCode::Stun:
        // A length beyond the code's bytes (an image the check has not seen) reads no further.
        return ReadDigits(all, StunOption,
                          qMin(int(GetOption(all, StunLengthOption, 0xFF)), capacity), LastCode);
    }
    return QString();
}

void WriteDtmfCode(TALL& all, TDtmfCode code, const QString& text) {
    const int capacity = DtmfCodeCapacity(code);
    const TCharRules::TKind kind =
        code == TDtmfCode::Id ? TCharRules::TKind::IdCode : TCharRules::TKind::DtmfCode;
    const QString digits = TCharRules::Filter(kind, text).left(capacity);
    switch (code) {
    case TDtmfCode::Begin:
    case TDtmfCode::End: {
        const TPttCode ptt = PttCode(code);
        SetOption(all, PttOption, ptt.AbsentMask, digits.isEmpty() ? 1 : 0);
        if (digits.isEmpty()) return;
        SetOption(all, LengthOption, ptt.LengthMask, int(digits.size()) - 1);
        WriteDigits(all, ptt.Start, capacity, digits);
        return;
    }
    case TDtmfCode::Id:
        WriteDigits(all, IdOption, capacity,
                    digits.size() < IdMinLength ? (digits + QStringLiteral("000")).left(IdMinLength)
                                                : digits);
        return;
    case TDtmfCode::Stun:
        SetOption(all, StunLengthOption, 0xFF, int(digits.size()));
        WriteDigits(all, StunOption, capacity, digits);
        return;
    }
}
