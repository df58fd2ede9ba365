#include "ui/functions/FieldPanel.h"

#include "ui/functions/OptionControls.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

void LayOutFieldPanel(QWidget* window, const TOptionControls& options, const char* titleName,
                      const char* title, const QStringList& fields, QWidget* button) {
    auto* panel = new QGroupBox(QLatin1String(title), window);
    panel->setObjectName(QLatin1String(titleName));
    auto* grid = new QGridLayout(panel);
    for (int row = 0; row < fields.size(); ++row)
        options.Place(grid, fields.at(row), row, 0);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(panel);
    layout->addWidget(button, 0, Qt::AlignRight);
}
