#include "DialogButton.h"

#include <QPushButton>

QPushButton* MakeDialogButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}
