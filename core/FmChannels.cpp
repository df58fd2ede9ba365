#include "core/FmChannels.h"

#include "core/All.h"
#include "core/Codecs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int FmSlots = 0x1050;
constexpr double UnitsPerMHz = 40.0; // 25 kHz units

int SlotAddr(int slot) {
    return FmSlots + 2 * (slot - 1);
}

bool Present(const TALL& all, int slot) {
    return slot == FmCurrentSlot || TestMapBit(all, Addr::FmPresentMap, slot);
}

// The text's frequency; false when it is no number.
bool ParseFm(const QString& text, double& mhz) {
    bool ok = false;
    mhz = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(mhz);
}

} // namespace

bool FmTextReadable(const QString& text) {
    double mhz = 0;
    return text.trimmed().isEmpty() || ParseFm(text, mhz);
}

double ReadFmChannel(TALL& all, int slot) {
    if (!Present(all, slot)) return -1.0;
    const int lower = GetU16(all, Addr::FmLow);
    const int upper = GetU16(all, Addr::FmHigh);
    int value = GetU16(all, SlotAddr(slot));
    if (value > upper || value < lower) value = lower;
    QString shown;
    WriteFmChannel(all, slot, FormatMHz(value / UnitsPerMHz), shown);
    return GetU16(all, SlotAddr(slot)) / UnitsPerMHz;
}

QString FmChannelText(TALL& all, int slot) {
    const double mhz = ReadFmChannel(all, slot);
    return mhz > 0 ? FormatMHz(mhz) : QString();
}

bool WriteFmChannel(TALL& all, int slot, const QString& text, QString& shown) {
    const int lower = GetU16(all, Addr::FmLow);
    const int upper = GetU16(all, Addr::FmHigh);
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        if (slot == FmCurrentSlot) {
            shown = FormatMHz(lower / UnitsPerMHz);
        } else {
            SetMapBit(all, Addr::FmPresentMap, slot, false);
            shown.clear();
        }
        return true;
    }
    double mhz = 0;
    if (!ParseFm(trimmed, mhz)) return false;
    if (slot != FmCurrentSlot) SetMapBit(all, Addr::FmPresentMap, slot, true);
    // Below zero only the lower bound can result; clamping first keeps the rounding in range.
    mhz = std::max(0.0, std::min(mhz, all.FmHigh));
    const int value = std::max(lower, std::min(int(std::lround(mhz * UnitsPerMHz)), upper));
    PutU16(all, SlotAddr(slot), value);
    shown = FormatMHz(value / UnitsPerMHz);
    return true;
}

QString FmBoundText(double mhz) {
    return QString::asprintf("%06.3f", mhz);
}
