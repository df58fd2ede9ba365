#pragma once

#include "core/Document.h"

#include <QWidget>

class TfMaindb;

// What every editor window shares. It is translated and loaded from the image on its first
// showing, with its change handlers silenced while it fills its controls, and it refreshes
// itself whenever the document tells of a change it shows; it opens at 20,20 of the main
// window's work area. The main window keeps one of each kind at most and frees it when it closes.
class TfEditorWindow : public QWidget {
    Q_OBJECT
public:
    TfEditorWindow(TfMaindb& db, const QString& formName, QWidget* parent = nullptr);

    // Commits a half-typed field; the main window runs it before every command.
    virtual void Deactivate() {}

protected:
    TfMaindb& Db;

    // Silences the change handlers while the window itself fills its controls; handlers test
    // Loading() and return.
    class TLoadingGuard {
    public:
        explicit TLoadingGuard(TfEditorWindow& window);
        ~TLoadingGuard();
        TLoadingGuard(const TLoadingGuard&) = delete;
        TLoadingGuard& operator=(const TLoadingGuard&) = delete;

    private:
        TfEditorWindow& Window;
        bool Was;
    };
    bool Loading() const { return IsLoading; }
    // The MDI frame around the window, or the window itself when it stands alone.
    QWidget* Frame();

    // Once, on the first showing, after the translation: takes translated texts, builds what
    // depends on them.
    virtual void Prepare() {}
    // Shows the image's values in the controls.
    virtual void Load() = 0;
    // Whether a change of the image concerns what the window shows; every change by default.
    virtual bool Shows(const TImageChange& change) const;
    // A change the window shows: by default the whole window is loaded again.
    virtual void Refresh(const TImageChange& change);

    void showEvent(QShowEvent* event) override;

private:
    bool IsLoading = false;
    bool Opened = false;

    void DocumentChanged(const TImageChange& change);
};
