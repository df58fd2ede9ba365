#include "core/ChannelOps.h"

#include "core/All.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"

#include <algorithm>
#include <array>
#include <cstdint>

struct TChannelOps::TSlot {
    std::array<uint8_t, ChannelRecordSize> Record{};
    bool Present = false;
    bool Scanned = false;
};

TChannelOps::TChannelOps(TALL& all) : All(all) {}

int TChannelOps::Count() const {
    return std::clamp(All.ChannelCount, 0, MemoryChannelMax);
}

bool TChannelOps::Present(int k) const {
    return TestMapBit(All, Addr::PresentMap, k);
}

TChannelOps::TSlot TChannelOps::Take(int k) const {
    TSlot slot;
    const auto* record = &All.Image[ChannelOffset(k)];
    std::copy(record, record + ChannelRecordSize, slot.Record.begin());
    slot.Present = Present(k);
    slot.Scanned = TestMapBit(All, Addr::ScanMap, k);
    return slot;
}

void TChannelOps::Put(int k, const TSlot& slot) {
    std::copy(slot.Record.begin(), slot.Record.end(), &All.Image[ChannelOffset(k)]);
    SetMapBit(All, Addr::PresentMap, k, slot.Present);
    SetMapBit(All, Addr::ScanMap, k, slot.Scanned);
}

void TChannelOps::Swap(int a, int b) {
    const TSlot first = Take(a);
    Put(a, Take(b));
    Put(b, first);
}

void TChannelOps::Delete(const std::vector<int>& channels) {
    for (int k : channels) {
        QString none;
        WriteChannelField(All, k, FieldCode::RxFreq, none);
    }
}

bool TChannelOps::CanInsert(int k) const {
    return k >= 1 && k <= Count() && !Present(Count());
}

bool TChannelOps::CanMoveUp(const std::vector<int>& channels) const {
    return !channels.empty() && channels.front() > 1;
}

bool TChannelOps::CanMoveDown(const std::vector<int>& channels) const {
    return !channels.empty() && channels.back() < Count();
}

bool TChannelOps::InsertEmpty(int k) {
    if (!CanInsert(k)) return false;
    for (int to = Count(); to > k; --to)
        Put(to, Take(to - 1));
    Delete({k});
    return true;
}

bool TChannelOps::MoveUp(const std::vector<int>& channels) {
    if (!CanMoveUp(channels)) return false;
    for (int k : channels)
        Swap(k - 1, k);
    return true;
}

bool TChannelOps::MoveDown(const std::vector<int>& channels) {
    if (!CanMoveDown(channels)) return false;
    for (auto k = channels.rbegin(); k != channels.rend(); ++k)
        Swap(*k, *k + 1);
    return true;
}

void TChannelOps::Sort(const std::vector<int>& channels, TSortKey key) {
    struct TEntry {
        TSlot Slot;
        uint32_t Rx;
        QString Name;
    };
    std::vector<TEntry> entries;
    for (int k : channels)
        entries.push_back({Take(k), PackU31(&All.Image[ChannelOffset(k)]), ChannelName(All, k)});
    // Empty channels go last whatever the key; the name key puts unnamed channels after named.
    const auto before = [key](const TEntry& a, const TEntry& b) {
        if (a.Slot.Present != b.Slot.Present) return a.Slot.Present;
        if (!a.Slot.Present || key == TSortKey::Compact) return false;
        if (key == TSortKey::RxFrequency) return a.Rx < b.Rx;
        if (a.Name.isEmpty() != b.Name.isEmpty()) return b.Name.isEmpty();
        return a.Name.compare(b.Name, Qt::CaseInsensitive) < 0;
    };
    std::stable_sort(entries.begin(), entries.end(), before);
    for (size_t i = 0; i < channels.size(); ++i)
        Put(channels[i], entries[i].Slot);
}
