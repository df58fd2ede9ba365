#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLineEdit;

// The in-place text editor of the channel grid's cells. It limits the length and the characters
// of a cell (typed, pasted or dropped) by its column's field code (kept in the header item's
// Qt::UserRole) and hands every accepted text to the grid window, which writes it into the image,
// instead of storing it.
class TChsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

    // Accepts the text of the open editor and closes it; does nothing when none is open.
    void CommitOpenEditor();

signals:
    void TextAccepted(int row, int column, const QString& text) const;

private:
    mutable QPointer<QLineEdit> Editor;
};
