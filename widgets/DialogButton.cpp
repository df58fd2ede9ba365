#include "widgets/DialogButton.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

QPushButton* MakeDialogButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

TOkCancelRow MakeOkCancelRow(QDialog* dialog) {
    TOkCancelRow row{
        MakeDialogButton(QStringLiteral("btnOk"), QStringLiteral("&Ok"), dialog),
        MakeDialogButton(QStringLiteral("btnCancel"), QStringLiteral("&Cancel"), dialog),
        new QHBoxLayout};
    row.Ok->setDefault(true);
    QObject::connect(row.Cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    row.Row->addStretch();
    row.Row->addWidget(row.Ok);
    row.Row->addWidget(row.Cancel);
    return row;
}
