#include "ui/channels/ChsCellDelegate.h"

#include "core/ChannelRecord.h"
#include "widgets/CharValidator.h"

#include <QLineEdit>

namespace {

// What a cell editor of a field takes: its length and its characters.
struct TCellRule {
    int code;
    int maxLength;
    TCharRules::TKind chars;
};
constexpr TCellRule CellRules[] = {
    {FieldCode::RxFreq, 9, TCharRules::TKind::Frequency},
    {FieldCode::TxFreq, 9, TCharRules::TKind::Frequency},
    {FieldCode::Name, 7, TCharRules::TKind::Name},
    {FieldCode::IdCode, 6, TCharRules::TKind::IdCode},
};

const TCellRule* RuleFor(int code) {
    for (const TCellRule& rule : CellRules) {
        if (rule.code == code) return &rule;
    }
    return nullptr;
}

} // namespace

QWidget* TChsCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const int code =
        index.model()->headerData(index.column(), Qt::Horizontal, Qt::UserRole).toInt();
    if (const TCellRule* rule = RuleFor(code))
        editor->setValidator(new TCharValidator(rule->chars, rule->maxLength, editor));
    editor->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
    Editor = editor;
    return editor;
}

void TChsCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                    const QModelIndex& index) const {
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        emit TextAccepted(index.row(), index.column(), edit->text());
}

void TChsCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (editor == Editor) Editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

void TChsCellDelegate::CommitOpenEditor() {
    if (!Editor) return;
    QWidget* editor = Editor;
    emit commitData(editor);
    emit closeEditor(editor, NoHint);
}
