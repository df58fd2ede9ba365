#include "ui/functions/FieldPanel.h"

#include "ui/functions/OptionControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

QLabel* FieldLabel(const QString& name, const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

void LayOutFieldPanel(QWidget* window, const TOptionControls& options, const char* titleName,
                      const char* title, const QStringList& fields, QWidget* button) {
    auto* panel = Named<QGroupBox>(titleName, window);
    panel->setTitle(QLatin1String(title));
    auto* grid = new QGridLayout(panel);
    for (int row = 0; row < fields.size(); ++row)
        options.Place(grid, fields.at(row), row, 0);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(panel);
    layout->addWidget(button, 0, Qt::AlignRight);
}
