#pragma once

#include "core/All.h"

#include <QString>
#include <vector>

// What an edit can change: the image and the model facts that go with it.
struct TImageState {
    std::array<uint8_t, ImageSize> Image{};
    QString ModelCode;
    QString ModelName;
    int32_t ChannelCount = 0;
    uint8_t ModelBandMask = 0;
    uint8_t BandEnable = 0;
    uint8_t ManualFreq = 0;
    std::array<TBand, BandCount> Bands{};
    QString BandText;

    static TImageState Of(const TALL& all);
    void RestoreTo(TALL& all) const;
    bool operator==(const TImageState& other) const;
    bool operator!=(const TImageState& other) const { return !(*this == other); }
};

// The undo history of the image: one step per user action, with the state before and after it,
// and a clean mark where the image was last saved or opened. A new step after undoing drops the
// steps that were undone; the oldest steps go beyond Limit.
class TEditHistory {
public:
    static constexpr int Limit = 200;

    // Records a step; a mergeable step with the same name as the newest one (say, one more key
    // typed into the same field) extends it instead.
    void Record(const QString& name, const TImageState& before, const TImageState& after,
                bool mergeable);
    // Starts over: no steps; the current state is clean when clean is true.
    void Clear(bool clean);
    void MarkClean() { CleanAt = Index; }
    bool AtClean() const { return CleanAt == Index; }

    bool CanUndo() const { return Index > 0; }
    bool CanRedo() const { return Index < int(Steps.size()); }
    QString UndoName() const { return CanUndo() ? Steps[size_t(Index - 1)].Name : QString(); }
    QString RedoName() const { return CanRedo() ? Steps[size_t(Index)].Name : QString(); }
    // The state to return to; call only when CanUndo() / CanRedo().
    const TImageState& Undo() { return Steps[size_t(--Index)].Before; }
    const TImageState& Redo() { return Steps[size_t(Index++)].After; }

private:
    struct TStep {
        QString Name;
        TImageState Before;
        TImageState After;
        bool Mergeable = false;
    };
    std::vector<TStep> Steps;
    int Index = 0;   // steps before it are done, from it on undone
    int CleanAt = 0; // -1: no step leads back to a saved state
};
