#pragma once

#include "CharRules.h"

#include <QValidator>

// Applies a field's character rules to a line edit: typed keys, pasted and dropped text all pass
// through validate(), which drops the characters the field does not take.
class TCharValidator : public QValidator {
    Q_OBJECT
public:
    TCharValidator(TCharRules::TKind kind, QObject* parent);

    // A text the field keeps as it is although the rules would not let it be typed (the tone
    // box's None text, which comes from the language file).
    void SetKeptText(const QString& text) { KeptText = text; }

    State validate(QString& input, int& pos) const override;

private:
    TCharRules::TKind Kind;
    QString KeptText;
};
