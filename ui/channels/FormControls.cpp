#include "ui/channels/FormControls.h"

#include "widgets/CharValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
} // namespace

QLabel* MakeLabel(const char* name, const char* caption, QWidget* parent) {
    auto* label = new QLabel(QLatin1String(caption), parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QCheckBox* MakeCheck(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QLatin1String(caption), parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent, int tag) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setProperty("tag", tag);
    box->addItems(items);
    return box;
}

QLineEdit* MakeTextField(const char* name, TCharRules::TKind kind, int maxLength, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setValidator(new TCharValidator(kind, maxLength, field));
    return field;
}

// setText() clears the modified mark, so a text the program shows is never taken as typed.
void OnAccepted(QLineEdit* field, QObject* context, const std::function<void()>& handler) {
    QObject::connect(field, &QLineEdit::editingFinished, context, [field, handler] {
        if (!field->isModified()) return;
        field->setModified(false);
        handler();
    });
}

void AcceptPending(QLineEdit* field) {
    if (field->isModified()) emit field->editingFinished();
}

int AddLabelledRows(QGridLayout* form, int row, std::initializer_list<TLabelled> rows,
                    QWidget* parent) {
    for (const TLabelled& design : rows) {
        form->addWidget(MakeLabel(design.Label, design.Caption, parent), row, 0);
        form->addWidget(design.Control, row++, 1);
    }
    return row;
}

QPushButton* MakeCloseButton(QWidget* window) {
    auto* button = new QPushButton(QStringLiteral("&Close"), window);
    button->setObjectName(QStringLiteral("btnClose"));
    QObject::connect(button, &QPushButton::clicked, window,
                     [window] { window->window()->close(); });
    return button;
}

