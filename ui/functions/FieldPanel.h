#pragma once

#include <QString>
#include <QStringList>

class QLabel;
class QWidget;
class TOptionControls;

// Building blocks of the function windows' layouts.

// A control named for translation and for the tests.
template <class T> T* Named(const char* name, QWidget* parent) {
    auto* widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A field's label: right-aligned beside its control.
QLabel* FieldLabel(const QString& name, const QString& caption, QWidget* parent);

// Lays a small function window out: a framed panel with a title and one row per field, label
// and list, and the window's button below it at the right.
void LayOutFieldPanel(QWidget* window, const TOptionControls& options, const char* titleName,
                      const char* title, const QStringList& fields, QWidget* button);
