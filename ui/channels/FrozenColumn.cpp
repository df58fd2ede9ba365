#include "ui/channels/FrozenColumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

TFrozenColumn::TFrozenColumn(QTableView* grid)
    : QTableView(grid), Grid(grid), Viewport(grid->viewport()) {
    setModel(grid->model());
    setSelectionModel(grid->selectionModel());
    setSelectionMode(grid->selectionMode());
    setSelectionBehavior(grid->selectionBehavior());
    setFocusPolicy(Qt::NoFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(grid->verticalScrollMode());
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(grid->verticalHeader()->defaultSectionSize());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(grid->horizontalHeader()->defaultAlignment());
    setStyleSheet(QStringLiteral("QTableView { border: none; }"));

    connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, verticalScrollBar(),
            &QScrollBar::setValue);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, grid->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) {
                if (column == Column) setColumnWidth(column, width);
                UpdateGeometry();
            });
    // The grid lays out its viewport only after its own resize event has been delivered, so the
    // viewport's resize is the moment the view's height is known.
    Viewport->installEventFilter(this);
    grid->installEventFilter(this);
}

void TFrozenColumn::Freeze(int column) {
    Column = column;
    for (int c = 0; c < model()->columnCount(); ++c)
        setColumnHidden(c, c != column);
    setColumnWidth(column, Grid->columnWidth(column));
    horizontalHeader()->setFixedHeight(Grid->horizontalHeader()->height());
    UpdateGeometry();
    show();
}

// The grid's events also come while it is being torn down: only pointers are compared here.
bool TFrozenColumn::eventFilter(QObject* watched, QEvent* event) {
    const bool gridOrViewport = watched == Grid || watched == Viewport;
    if (gridOrViewport && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        UpdateGeometry();
    return QTableView::eventFilter(watched, event);
}

void TFrozenColumn::UpdateGeometry() {
    setGeometry(Grid->frameWidth(), Grid->frameWidth(), Grid->columnWidth(Column),
                Grid->viewport()->height() + Grid->horizontalHeader()->height());
}
