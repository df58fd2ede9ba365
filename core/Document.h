#pragma once

#include "core/EditHistory.h"

#include <QMetaType>
#include <QObject>
#include <QString>
#include <functional>

class TALL;

// What a change of the image touched, so that each open window refreshes what it shows of it.
struct TImageChange {
    enum class TScope {
        Channels, // memory channels First to Last
        Options,  // the option area and the other settings outside the channel records
        Image,    // anything: every window reads the image again
    };
    TScope Scope = TScope::Image;
    int First = 0;
    int Last = 0;

    static TImageChange Channel(int k) { return {TScope::Channels, k, k}; }
    static TImageChange Channels(int first, int last) { return {TScope::Channels, first, last}; }
    static TImageChange Options() { return {TScope::Options, 0, 0}; }
    static TImageChange WholeImage() { return {TScope::Image, 0, 0}; }

    bool TouchesChannel(int k) const {
        return Scope == TScope::Image || (Scope == TScope::Channels && First <= k && k <= Last);
    }
};

Q_DECLARE_METATYPE(TImageChange)

// The image being edited, with the data file it belongs to, whether it holds unsaved changes and
// its undo history. Every change a user makes goes through Edit, which records it as one step,
// marks the image modified and tells the open windows what changed; the windows refresh
// themselves from that notice. A whole new image (New, Open, a completed read) starts a fresh
// history and is announced by Replaced.
class TDocument : public QObject {
    Q_OBJECT
public:
    explicit TDocument(TALL& all);

    // The data file the image came from or was last saved as; empty when there is none.
    const QString& FileName() const { return Name; }
    void SetFileName(const QString& fileName) { Name = fileName; }
    bool Modified() const;
    void SetModified(bool modified);

    // One change by the user: edit writes the image, which then counts as modified, and the
    // windows are told. When that changed any byte or model fact, it becomes one step of the undo
    // history, named name; a mergeable step with the name of the newest one extends it (one more
    // key typed into the same field).
    void Edit(const TImageChange& change, const std::function<void()>& edit,
              const QString& name = QString(), bool mergeable = false);
    // The image has been replaced as a whole: a fresh history, clean when the image is as saved
    // (New, Open) and modified otherwise (a read); the windows start over.
    void Replace(bool saved);
    // The image as it is now is in its file: the clean mark of the history.
    void MarkSaved();

    bool CanUndo() const { return History.CanUndo(); }
    bool CanRedo() const { return History.CanRedo(); }
    QString UndoName() const { return History.UndoName(); }
    QString RedoName() const { return History.RedoName(); }
    // Back to the state before the newest step, or forward again; every window shows it at once
    // and the image is modified unless that state is the saved one.
    void Undo();
    void Redo();

    // The channel that the grid and the channel edit window follow.
    int CurrentChannel() const;
    void SetCurrentChannel(int k);

signals:
    void Changed(const TImageChange& change);
    void Replaced();
    void CurrentChannelChanged(int k);
    // Undo or Redo became possible or impossible, or their steps changed.
    void HistoryChanged();

private:
    TALL& All;
    QString Name;
    TEditHistory History;

    void Restore(const TImageState& state);
};
