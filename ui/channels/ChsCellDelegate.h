#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QKeyEvent;
class QLineEdit;

// The in-place text editor of the channel grid's cells. It limits the length and the keys of a
// cell by its column's field code (kept in the header item's Qt::UserRole) and hands every
// accepted text to the grid window, which writes it into the image, instead of storing it.
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

    // Whether a key types a character; control keys (Backspace, Enter, arrows, shortcuts) do
    // not, and key filters let them pass.
    static bool TypesCharacter(const QKeyEvent* key);

signals:
    void TextAccepted(int row, int column, const QString& text) const;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    mutable QPointer<QLineEdit> Editor;
};
