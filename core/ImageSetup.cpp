#include "core/ImageSetup.h"

#include "core/All.h"
#include "core/Codecs.h"
#include "core/MacList.h"
#include "core/OptionFields.h"

#include <QDateTime>
#include <cmath>

namespace {

// Bytes of a new image at 0x11B0-0x11DF before the option clamps run.
constexpr uint8_t DefaultOptions[48] = {
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xBD, 0xFA, 0xFC, 0x65,
    0x94, 0x16, 0x00, 0x0C, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xF1, 0x32, 0xD0, 0xEF, 0xFA, 0xF5, 0xFF, 0x00, 0x0F, 0xFF, 0xFF,
};

// FM broadcast limits in 25 kHz steps: the accepted range and the repair value (88-108 MHz).
constexpr int FmLimitMin = 2800;
constexpr int FmLimitMax = 4560;
constexpr int FmRepairLow = 3520;
constexpr int FmRepairHigh = 4320;

uint32_t ToCounts(double mhz) { return uint32_t(std::llround(mhz * 100000.0)); }

int LowAddr(int band) { return Addr::BandLimits + 8 * band; }
int HighAddr(int band) { return Addr::BandLimits + 8 * band + 4; }

uint8_t BandBits(uint8_t selection, int band) { return (selection >> (2 * band)) & 0x03; }

// Custom limits rounded to the 2.5 kHz grid, or none when the model does not allow them.
bool CustomBand(const TALL& all, int band, const TBand& limits, TBand& result) {
    int mode = 4;
    double lo = BytesToMHz(&all.Image[LowAddr(band)]);
    double hi = BytesToMHz(&all.Image[HighAddr(band)]);
    SnapFrequency(all, lo, mode);
    SnapFrequency(all, hi, mode);
    const auto inside = [&](double f) { return limits.Low <= f && f <= limits.High; };
    if (lo > hi || !inside(lo) || !inside(hi))
        return false;
    result = {lo, hi};
    return true;
}

QString BuildBandText(const TALL& all) {
    QString text;
    for (const TBand& band : all.Bands) {
        if (band.Low != 0)
            text += FormatMHz(band.Low) + QLatin1String(" - ") + FormatMHz(band.High) +
                    QLatin1Char('/');
    }
    text.chop(1);
    return text + QLatin1String("MHz");
}

} // namespace

void BlankImage(TALL& all, const QDateTime& now) {
    std::fill(all.Image.begin(), all.Image.begin() + FileOnlyBlockStart, uint8_t(0xFF));
    std::copy(std::begin(DefaultOptions), std::end(DefaultOptions),
              all.Image.begin() + Addr::FmPresentMap);
    all.ManualFreq = all.DefaultManualFreq;
    SanitizeOptions(all);
    EncodeDateStamp(&all.Image[Addr::DateStamp], now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void SanitizeOptions(TALL& all) {
    // Keeps every option field inside the range its editor can show.
    for (const TOptionField* field : ImageCheckFields())
        ClampOption(all, field->Option, field->Mask, field->Lo, field->Hi, field->Fallback);
    OptionByte(all, 46) = 0xFF;
    OptionByte(all, 47) = 0xFF;
    const int lo = GetU16(all, Addr::FmLow);
    const int hi = GetU16(all, Addr::FmHigh);
    if (lo < FmLimitMin || lo > FmLimitMax || hi < FmLimitMin || hi > FmLimitMax || hi <= lo) {
        PutU16(all, Addr::FmLow, FmRepairLow);
        PutU16(all, Addr::FmHigh, FmRepairHigh);
    }
}

bool ApplyModel(const TMacList& models, TALL& all, const QString& code, bool writeIdentity) {
    const TMacType* model = models.FindByCode(code);
    if (!model)
        return false;
    all.ModelName = model->Name;
    all.ModelCode = model->Code;
    all.ChannelCount = model->ChannelCount;
    all.ModelBandMask = model->BandMask;
    if (writeIdentity)
        WriteIdentity(all);
    return true;
}

void WriteIdentity(TALL& all) {
    all.Image[Addr::Identity] = 'P';
    const QByteArray code = all.ModelCode.toLatin1().leftJustified(4, ' ', true);
    std::copy(code.begin(), code.end(), all.Image.begin() + Addr::Identity + 1);
    all.Image[Addr::ManualFreq] = all.ManualFreq;
    all.Image[Addr::BandEnable] = all.BandEnable;
    all.Image[Addr::Identity + 7] = 0x00;
}

void BandsFromModel(const TMacList& models, TALL& all) {
    const TMacType* model = models.FindByCode(all.ModelCode);
    if (!model)
        return;
    for (int band = 0; band < BandCount; ++band)
        all.Bands[band] = model->GetRange(band, model->StartsOnLimits());
    all.BandEnable = model->StartsOnLimits() ? model->BandMask : model->DefaultBands;
}

void BandsToImage(TALL& all) {
    for (int band = 0; band < BandCount; ++band) {
        PutU32(&all.Image[LowAddr(band)], ToCounts(all.Bands[band].Low));
        PutU32(&all.Image[HighAddr(band)], ToCounts(all.Bands[band].High));
    }
}

void BandsFromImage(const TMacList& models, TALL& all) {
    const TMacType* model = models.FindByCode(all.ModelCode);
    if (!model)
        return;
    uint8_t selection = all.Image[Addr::BandEnable] & all.ModelBandMask;
    if (selection == 0)
        selection = all.ModelBandMask;
    for (int band = 0; band < BandCount; ++band) {
        const uint8_t bits = BandBits(selection, band);
        if (bits == 0) {
            all.Bands[band] = {};
            continue;
        }
        if (bits == 1 && CustomBand(all, band, model->GetLimits(band), all.Bands[band]))
            continue;
        all.Bands[band] = model->GetLimits(band);
        selection |= uint8_t(0x03 << (2 * band));
    }
    all.BandEnable = selection;
    all.BandText = BuildBandText(all);
}

void BuildFirstImage(const TMacList& models, TALL& all, const QDateTime& now) {
    BlankImage(all, now);
    BandsFromModel(models, all);
    ApplyModel(models, all, all.ModelCode, true);
    BandsToImage(all);
    BandsFromImage(models, all);
}

void BuildNewImage(const TMacList& models, TALL& all, const QDateTime& now) {
    BlankImage(all, now);
    ApplyModel(models, all, all.ModelCode, true);
    BandsToImage(all);
    BandsFromImage(models, all);
}

void TakeManualFreq(TALL& all) {
    if (!all.ManualFreqSelectable) all.Image[Addr::ManualFreq] = 0xFF;
    all.ManualFreq = all.Image[Addr::ManualFreq];
}

void AcceptFileImage(const TMacList& models, TALL& all, const QString& code) {
    TakeManualFreq(all);
    SanitizeOptions(all);
    ApplyModel(models, all, code, false);
    BandsFromImage(models, all);
    BandsToImage(all);
}

void AcceptRadioImage(const TMacList& models, TALL& all, const QString& code) {
    SanitizeOptions(all);
    ApplyModel(models, all, code, false);
    BandsFromImage(models, all);
    all.BandEnable &= 0x55;
    BandsToImage(all);
    WriteIdentity(all);
}
