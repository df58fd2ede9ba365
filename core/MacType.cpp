#include "core/MacType.h"

TMacType::TMacType(const QString& code, const QString& name, int32_t channelCount)
    : Code(code), Name(name), ChannelCount(channelCount) {}

void TMacType::SetLimits(int band, double lo, double hi) {
    Limits[band] = {lo, hi};
    EditFlags[band] = {1, 1};
}

void TMacType::SetDefaults(int band, bool editLo, double lo, double hi, bool editHi,
                           bool present) {
    Defaults[band] = {lo, hi};
    EditFlags[band] = {uint8_t(editLo), uint8_t(editHi)};
    Present[band] = uint8_t(present);
}

void TMacType::SetBandSelection(uint8_t mask, uint8_t defaultBands, bool checkBoxes) {
    BandMask = mask;
    DefaultBands = defaultBands;
    BandCheckBoxes = uint8_t(checkBoxes);
}

TBand TMacType::GetRange(int band, bool useLimits) const {
    return useLimits ? Limits[band] : Defaults[band];
}
