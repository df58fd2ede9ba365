#pragma once

#include <QStringList>

class QWidget;
class TOptionControls;

// Lays a small function window out: a framed panel with a title and one row per field, label
// and list, and the window's button below it at the right.
void LayOutFieldPanel(QWidget* window, const TOptionControls& options, const char* titleName,
                      const char* title, const QStringList& fields, QWidget* button);
