#include "core/Document.h"

#include "core/All.h"

TDocument::TDocument(TALL& all) : All(all) {}

bool TDocument::Modified() const {
    return All.Modified;
}

void TDocument::SetModified(bool modified) {
    All.Modified = modified;
}

void TDocument::Edit(const TImageChange& change, const std::function<void()>& edit) {
    edit();
    All.Modified = true;
    emit Changed(change);
}

int TDocument::CurrentChannel() const {
    return All.CurrentChannel;
}

void TDocument::SetCurrentChannel(int k) {
    if (All.CurrentChannel == k) return;
    All.CurrentChannel = k;
    emit CurrentChannelChanged(k);
}
