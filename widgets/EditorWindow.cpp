#include "widgets/EditorWindow.h"

#include "core/Maindb.h"
#include "widgets/TranslateForm.h"

#include <QMdiSubWindow>

TfEditorWindow::TLoadingGuard::TLoadingGuard(TfEditorWindow& window)
    : Window(window), Was(window.IsLoading) {
    Window.IsLoading = true;
}

TfEditorWindow::TLoadingGuard::~TLoadingGuard() {
    Window.IsLoading = Was;
}

TfEditorWindow::TfEditorWindow(TfMaindb& db, const QString& formName, QWidget* parent)
    : QWidget(parent), Db(db) {
    setObjectName(formName);
    connect(&db.Document, &TDocument::Changed, this, &TfEditorWindow::DocumentChanged);
}

void TfEditorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (Opened) return;
    Opened = true;
    Frame()->move(20, 20);
    TLoadingGuard loading(*this);
    TranslateForm(this, Db.All, false);
    Prepare();
    Load();
}

QWidget* TfEditorWindow::Frame() {
    return qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
}

bool TfEditorWindow::Shows(const TImageChange&) const {
    return true;
}

void TfEditorWindow::Refresh(const TImageChange&) {
    TLoadingGuard loading(*this);
    Load();
}

// A window that has not been shown yet loads everything when it is.
void TfEditorWindow::DocumentChanged(const TImageChange& change) {
    if (Opened && Shows(change)) Refresh(change);
}
