#pragma once

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

// The image being edited, with the data file it belongs to and whether it holds unsaved
// changes. Every change a user makes goes through Edit, which marks the image modified and
// tells the open windows what changed; the windows refresh themselves from that notice. A
// whole new image (New, Open, a completed read) is announced by Replaced.
class TDocument : public QObject {
    Q_OBJECT
public:
    explicit TDocument(TALL& all);

    // The data file the image came from or was last saved as; empty when there is none.
    const QString& FileName() const { return Name; }
    void SetFileName(const QString& fileName) { Name = fileName; }
    bool Modified() const;
    void SetModified(bool modified);

    // One change by the user: edit writes the image, then the image counts as modified and the
    // windows are told.
    void Edit(const TImageChange& change, const std::function<void()>& edit);
    // The image has been replaced as a whole: the windows start over.
    void AnnounceReplaced() { emit Replaced(); }

    // The channel that the grid and the channel edit window follow.
    int CurrentChannel() const;
    void SetCurrentChannel(int k);

signals:
    void Changed(const TImageChange& change);
    void Replaced();
    void CurrentChannelChanged(int k);

private:
    TALL& All;
    QString Name;
};
