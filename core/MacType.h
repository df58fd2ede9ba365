#pragma once

#include "core/All.h"

#include <QString>
#include <array>
#include <cstdint>

// One radio model the program can program: its code, name, channel count and four bands with
// their hardware limits, default ranges and how the model dialog presents them.
class TMacType {
public:
    QString Code;
    QString Name;
    int32_t ChannelCount = 0;
    std::array<TBand, BandCount> Limits{};
    std::array<TBand, BandCount> Defaults{};
    std::array<std::array<uint8_t, 2>, BandCount> EditFlags{}; // lower, upper edge editable
    std::array<uint8_t, BandCount> Present{};
    uint8_t BandMask = 0;
    uint8_t DefaultBands = 0;
    uint8_t BandCheckBoxes = 0;

    TMacType(const QString& code, const QString& name, int32_t channelCount);

    void SetLimits(int band, double lo, double hi);
    void SetDefaults(int band, bool editLo, double lo, double hi, bool editHi, bool present);
    void SetBandSelection(uint8_t mask, uint8_t defaultBands, bool checkBoxes);
    TBand GetLimits(int band) const { return Limits[band]; }
    TBand GetDefaults(int band) const { return Defaults[band]; }
    bool IsPresent(int band) const { return Present[band] != 0; }
    TBand GetRange(int band, bool useLimits) const;
    // A model starts on its limits when its default selection is its whole mask.
    bool StartsOnLimits() const { return DefaultBands == BandMask; }
};
