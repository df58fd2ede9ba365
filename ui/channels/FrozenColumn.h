#pragma once

#include <QTableView>

// Keeps one column of a grid in view while the grid scrolls sideways: a second view of the same
// model and selection, laid over the grid's left edge, showing only that column.
class TFrozenColumn : public QTableView {
    Q_OBJECT
public:
    explicit TFrozenColumn(QTableView* grid);

    // Shows only column of the grid's model; call again after the grid's columns change.
    void Freeze(int column);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableView* Grid;
    QWidget* Viewport; // the grid's
    int Column = 0;

    void UpdateGeometry();
};
