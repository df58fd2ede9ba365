#include "widgets/CharValidator.h"

TCharValidator::TCharValidator(TCharRules::TKind kind, int maxLength, QObject* parent)
    : QValidator(parent), Kind(kind), MaxLength(maxLength) {}

QValidator::State TCharValidator::validate(QString& input, int& pos) const {
    if (!KeptText.isEmpty() && input == KeptText) return Acceptable;
    const QString kept = TCharRules::Filter(Kind, input);
    if (MaxLength > 0 && kept.size() > MaxLength) return Invalid;
    pos = TCharRules::Filter(Kind, input.left(pos)).size();
    input = kept;
    return Acceptable;
}
