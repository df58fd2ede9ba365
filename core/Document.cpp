#include "core/Document.h"

#include "core/All.h"

TDocument::TDocument(TALL& all) : All(all) {}

bool TDocument::Modified() const {
    return All.Modified;
}

void TDocument::SetModified(bool modified) {
    All.Modified = modified;
}

void TDocument::Edit(const TImageChange& change, const std::function<void()>& edit,
                     const QString& name, bool mergeable) {
    const TImageState before = TImageState::Of(All);
    edit();
    const TImageState after = TImageState::Of(All);
    All.Modified = true;
    if (after != before) {
        History.Record(name, before, after, mergeable);
        emit HistoryChanged();
    }
    emit Changed(change);
}

void TDocument::Replace(bool saved) {
    History.Clear(saved);
    All.Modified = !saved;
    emit HistoryChanged();
    emit Replaced();
}

void TDocument::MarkSaved() {
    History.MarkClean();
    All.Modified = false;
}

void TDocument::Undo() {
    if (CanUndo()) Restore(History.Undo());
}

void TDocument::Redo() {
    if (CanRedo()) Restore(History.Redo());
}

void TDocument::Restore(const TImageState& state) {
    state.RestoreTo(All);
    All.Modified = !History.AtClean();
    emit HistoryChanged();
    emit Changed(TImageChange::WholeImage());
}

int TDocument::CurrentChannel() const {
    return All.CurrentChannel;
}

void TDocument::SetCurrentChannel(int k) {
    if (All.CurrentChannel == k) return;
    All.CurrentChannel = k;
    emit CurrentChannelChanged(k);
}
