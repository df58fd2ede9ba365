#include "CharValidator.h"

TCharValidator::TCharValidator(TCharRules::TKind kind, QObject* parent)
    : QValidator(parent), Kind(kind) {}

QValidator::State TCharValidator::validate(QString& input, int& pos) const {
    if (!KeptText.isEmpty() && input == KeptText) return Acceptable;
    pos = TCharRules::Filter(Kind, input.left(pos)).size();
    input = TCharRules::Filter(Kind, input);
    return Acceptable;
}
