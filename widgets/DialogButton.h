#pragma once

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;
class QWidget;

// A dialog's push button named after its component; Enter in a field does not press it unless
// the dialog makes it the default button.
QPushButton* MakeDialogButton(const QString& name, const QString& caption, QWidget* parent);

// The closing buttons of a dialog, btnOk (the default button) and btnCancel (rejects the
// dialog), right-aligned in a row for the dialog's layout.
struct TOkCancelRow {
    QPushButton* Ok;
    QPushButton* Cancel;
    QHBoxLayout* Row;
};
TOkCancelRow MakeOkCancelRow(QDialog* dialog);
