#pragma once

#include <QString>

class QPushButton;
class QWidget;

// A dialog's push button named after its component; Enter in a field does not press it unless
// the dialog makes it the default button.
QPushButton* MakeDialogButton(const QString& name, const QString& caption, QWidget* parent);
