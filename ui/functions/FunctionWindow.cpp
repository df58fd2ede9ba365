#include "ui/functions/FunctionWindow.h"

#include "core/Maindb.h"

#include <QPushButton>
#include <QScopedValueRollback>

TfFunctionWindow::TfFunctionWindow(TfMaindb& db, const QString& formName, const QString& unit,
                                   const QString& caption, QWidget* parent)
    : TfEditorWindow(db, formName, parent), Options(unit, this) {
    setWindowTitle(caption);
    btnCancel = new QPushButton(QStringLiteral("&Close"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
}

namespace {


} // namespace

// The controls go after the window: a box that loses the focus then must not save into it.
TfFunctionWindow::~TfFunctionWindow() {
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
}

void TfFunctionWindow::Edit(const std::function<void()>& edit) {
    if (Loading()) return;
    const QScopedValueRollback<bool> editing(Editing, true);
    Db.Document.Edit(TImageChange::Options(), edit);
}

void TfFunctionWindow::SaveOnChange() {
    Options.OnChange(this, [this] { Edit([this] { Options.Save(Db.All); }); });
}

void TfFunctionWindow::Load() {
    Options.Load(Db.All);
}

bool TfFunctionWindow::Shows(const TImageChange& change) const {
    return !Editing && change.Scope != TImageChange::TScope::Channels;
}
