#include "ui/functions/FmCellDelegate.h"

#include "widgets/CharValidator.h"

#include <QLineEdit>

namespace {

constexpr int CellLength = 9;

} // namespace

QWidget* TFmCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                       const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setValidator(new TCharValidator(TCharRules::TKind::Frequency, CellLength, editor));
    return editor;
}

void TFmCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    line->setText(index.data().toString());
    line->selectAll();
}

void TFmCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                   const QModelIndex& index) const {
    emit TextAccepted(index.row(), index.column(), static_cast<QLineEdit*>(editor)->text());
}
