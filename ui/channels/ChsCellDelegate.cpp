#include "ui/channels/ChsCellDelegate.h"

#include "core/ChannelRecord.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr char CodeProperty[] = "code";

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool IsNameChar(QChar c) {
    return c >= QLatin1Char(' ') && c <= QLatin1Char('z');
}

// What a cell editor of a field accepts: its length and the characters that may be typed.
// Frequencies take ',' and '.' alike as the decimal point.
struct TKeyRule {
    int code;
    int maxLength;
    bool (*accepts)(QChar);
    bool decimalPoint;
};
constexpr TKeyRule KeyRules[] = {
    {FieldCode::RxFreq, 9, IsDigit, true},
    {FieldCode::TxFreq, 9, IsDigit, true},
    {FieldCode::Name, 7, IsNameChar, false},
    {FieldCode::IdCode, 6, IsDigit, false},
};

const TKeyRule* RuleFor(int code) {
    for (const TKeyRule& rule : KeyRules) {
        if (rule.code == code) return &rule;
    }
    return nullptr;
}

} // namespace

bool TChsCellDelegate::TypesCharacter(const QKeyEvent* key) {
    const QString text = key->text();
    return text.size() == 1 && text.at(0) >= QLatin1Char(' ') && text.at(0) != QChar(0x7F);
}

QWidget* TChsCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    const int code =
        index.model()->headerData(index.column(), Qt::Horizontal, Qt::UserRole).toInt();
    editor->setProperty(CodeProperty, code);
    if (const TKeyRule* rule = RuleFor(code)) editor->setMaxLength(rule->maxLength);
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

bool TChsCellDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const TKeyRule* rule = RuleFor(edit->property(CodeProperty).toInt());
        if (rule && TypesCharacter(key)) {
            const QChar c = key->text().at(0);
            if (rule->decimalPoint && (c == QLatin1Char(',') || c == QLatin1Char('.'))) {
                edit->insert(QStringLiteral("."));
                return true;
            }
            if (!rule->accepts(c)) return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
