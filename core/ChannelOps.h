#pragma once

#include <vector>

class TALL;

// Operations on whole memory channels, each channel being its 32-byte record together with its
// present and scan bits: clear, insert, move and sort keep those three parts of a channel
// together. Channel numbers run from 1 to the model's channel count; the lists given are in
// ascending order without repeats. A refused operation changes nothing.
class TChannelOps {
public:
    enum class TSortKey {
        RxFrequency, // ascending receive frequency
        Name,        // names in alphabetical order, unnamed channels after the named ones
        Compact,     // the present channels in their order
    };

    explicit TChannelOps(TALL& all);

    int Count() const;
    bool Present(int k) const;

    // Whether InsertEmpty and the moves would take place.
    bool CanInsert(int k) const;
    bool CanMoveUp(const std::vector<int>& channels) const;
    bool CanMoveDown(const std::vector<int>& channels) const;

    // Each channel becomes empty.
    void Delete(const std::vector<int>& channels);
    // An empty channel at k, the channels from k on one place down; refused while the last
    // channel is present, since it would fall off the end.
    bool InsertEmpty(int k);
    // Each channel changes places with the one above (below) it; refused when the first (last)
    // channel is among them.
    bool MoveUp(const std::vector<int>& channels);
    bool MoveDown(const std::vector<int>& channels);
    // The channels reordered among their own places by key; stable, empty channels last.
    void Sort(const std::vector<int>& channels, TSortKey key);

private:
    struct TSlot;
    TALL& All;

    TSlot Take(int k) const;
    void Put(int k, const TSlot& slot);
    void Swap(int a, int b);
};
