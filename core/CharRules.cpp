#include "core/CharRules.h"

namespace {

bool InRange(QChar c, char lo, char hi) {
    return c >= QLatin1Char(lo) && c <= QLatin1Char(hi);
}

QChar OneOf(QChar c, QLatin1String chars) {
    return chars.contains(c) ? c : QChar();
}

} // namespace

QChar TCharRules::Accept(TKind kind, QChar c) {
    switch (kind) {
    case TKind::Frequency:
        return c == QLatin1Char(',') ? QLatin1Char('.') : OneOf(c, QLatin1String(".0123456789"));
    case TKind::Tone:
        return OneOf(c, QLatin1String(".0123456789DINdin"));
    case TKind::Name:
        return InRange(c, ' ', 'z') ? c : QChar();
    case TKind::IdCode:
        return InRange(c, '0', '9') ? c : QChar();
    case TKind::DtmfCode:
        return InRange(c, 'a', 'd') ? c.toUpper() : OneOf(c, QLatin1String("0123456789ABCD#*"));
    }
    return QChar();
}

QString TCharRules::Filter(TKind kind, const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (QChar c : text) {
        const QChar accepted = Accept(kind, c);
        if (!accepted.isNull()) kept += accepted;
    }
    return kept;
}
