#pragma once

#include <QStyledItemDelegate>

// The in-place editor of the FM channel grid's frequency cells: at most 9 characters of a
// frequency, its whole text selected when it opens. Every accepted text goes to the window,
// which stores it, instead of into the cell.
class TFmCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

signals:
    void TextAccepted(int row, int column, const QString& text) const;
};
