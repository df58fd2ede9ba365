#pragma once

#include <QChar>
#include <QString>

// Which characters the program's text fields take: frequencies, tones, names, ID codes and DTMF
// codes. The windows apply these rules to typed, pasted and dropped text alike, and the
// command-line tools to the texts they are given, so every way into a field keeps the same
// characters out.
class TCharRules {
public:
    enum class TKind { Frequency, Tone, Name, IdCode, DtmfCode };

    // The character a field of the kind stores for c, or a null QChar when the field discards c.
    // A frequency takes ',' as its decimal point '.'; a DTMF code takes 'a'..'d' as upper case.
    static QChar Accept(TKind kind, QChar c);
    // The text with every character the field discards dropped and the others as Accept gives
    // them.
    static QString Filter(TKind kind, const QString& text);
};
