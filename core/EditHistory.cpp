#include "core/EditHistory.h"

TImageState TImageState::Of(const TALL& all) {
    return {all.Image,      all.ModelCode,  all.ModelName, all.ChannelCount, all.ModelBandMask,
            all.BandEnable, all.ManualFreq, all.Bands,     all.BandText};
}

void TImageState::RestoreTo(TALL& all) const {
    all.Image = Image;
    all.ModelCode = ModelCode;
    all.ModelName = ModelName;
    all.ChannelCount = ChannelCount;
    all.ModelBandMask = ModelBandMask;
    all.BandEnable = BandEnable;
    all.ManualFreq = ManualFreq;
    all.Bands = Bands;
    all.BandText = BandText;
}

bool TImageState::operator==(const TImageState& other) const {
    const auto sameBands = [](const TBand& a, const TBand& b) {
        return a.Low == b.Low && a.High == b.High;
    };
    return Image == other.Image && ModelCode == other.ModelCode && ModelName == other.ModelName &&
           ChannelCount == other.ChannelCount && ModelBandMask == other.ModelBandMask &&
           BandEnable == other.BandEnable && ManualFreq == other.ManualFreq &&
           BandText == other.BandText &&
           std::equal(Bands.begin(), Bands.end(), other.Bands.begin(), sameBands);
}

void TEditHistory::Record(const QString& name, const TImageState& before, const TImageState& after,
                          bool mergeable) {
    Steps.resize(size_t(Index));
    if (CleanAt > Index) CleanAt = -1; // the saved state was among the undone steps
    if (mergeable && Index > 0 && CleanAt != Index && Steps.back().Mergeable &&
        Steps.back().Name == name) {
        Steps.back().After = after;
        return;
    }
    Steps.push_back({name, before, after, mergeable});
    if (int(Steps.size()) > Limit) {
        Steps.erase(Steps.begin());
        if (CleanAt >= 0) --CleanAt;
    }
    Index = int(Steps.size());
}

void TEditHistory::Clear(bool clean) {
    Steps.clear();
    Index = 0;
    CleanAt = clean ? 0 : -1;
}
