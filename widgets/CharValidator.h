#pragma once

#include "core/CharRules.h"

#include <QValidator>

// Applies a field's character rules and length to a line edit: typed keys, pasted and dropped
// text all pass through validate(), which drops the characters the field does not take and
// refuses a change that leaves more than the field holds. The length is checked after the
// filter, so a pasted text is not cut short before its unwanted characters are dropped.
class TCharValidator : public QValidator {
    Q_OBJECT
public:
    // maxLength 0: no limit.
    TCharValidator(TCharRules::TKind kind, int maxLength, QObject* parent);

    // A text the field keeps as it is although the rules would not let it be typed (the tone
    // box's None text, which comes from the language file).
    void SetKeptText(const QString& text) { KeptText = text; }

    State validate(QString& input, int& pos) const override;

private:
    TCharRules::TKind Kind;
    int MaxLength;
    QString KeptText;
};
