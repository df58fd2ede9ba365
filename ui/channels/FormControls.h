#pragma once

#include "core/CharRules.h"

#include <QStringList>
#include <functional>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QGridLayout;
class QObject;
class QPushButton;
class QWidget;

// The controls of the channel editors' forms, named after their components so that the
// translation and the tests find them.

QLabel* MakeLabel(const char* name, const char* caption, QWidget* parent);
QCheckBox* MakeCheck(const char* name, const char* caption, QWidget* parent);
// A drop-down list; tag tells the translation how many items it translates (core/ListTag.h).
QComboBox* MakeList(const char* name, const QStringList& items, QWidget* parent, int tag = 0);
// A text field that takes the characters of its kind, typed, pasted or dropped; maxLength 0 is
// no limit.
QLineEdit* MakeTextField(const char* name, TCharRules::TKind kind, int maxLength, QWidget* parent);
// Runs handler when the user has changed the field's text and accepts it: Enter, or leaving the
// field.
void OnAccepted(QLineEdit* field, QObject* context, const std::function<void()>& handler);
// Accepts a changed text that the user has not accepted yet, as leaving the field would.
void AcceptPending(QLineEdit* field);

// A label and its control, as one row of a form.
struct TLabelled {
    const char* Label;
    const char* Caption;
    QWidget* Control;
};
// Adds the rows to the form from row on; returns the next free row.
int AddLabelledRows(QGridLayout* form, int row, std::initializer_list<TLabelled> rows,
                    QWidget* parent);
// The "&Close" button (btnClose) that closes the window.
QPushButton* MakeCloseButton(QWidget* window);

