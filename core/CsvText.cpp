#include "core/CsvText.h"

#include <algorithm>

namespace {

// Reads the records of one text, one character at a time.
class TCsvReader {
public:
    TCsvReader(const QString& text, QChar separator) : Text(text), Separator(separator) {}

    std::vector<TCsvText::TRecord> Read() {
        if (Text.startsWith(QChar(0xFEFF))) At = 1;
        while (At < Text.size()) {
            TCsvText::TRecord record{Line, ReadRecord()};
            if (std::any_of(record.Fields.begin(), record.Fields.end(),
                            [](const QString& field) { return !field.trimmed().isEmpty(); }))
                Records.push_back(record);
        }
        return Records;
    }

private:
    const QString& Text;
    const QChar Separator;
    int At = 0;
    int Line = 1;
    std::vector<TCsvText::TRecord> Records;

    // Consumes a line end at the reading position; false when there is none.
    bool LineEnd() {
        const QChar c = Text.at(At);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n')) return false;
        ++At;
        if (c == QLatin1Char('\r') && At < Text.size() && Text.at(At) == QLatin1Char('\n')) ++At;
        ++Line;
        return true;
    }

    QStringList ReadRecord() {
        QStringList fields;
        if (Text.at(At) == QLatin1Char('#')) {
            while (At < Text.size() && !LineEnd())
                ++At;
            return fields;
        }
        QString field;
        bool quoted = false;
        while (At < Text.size()) {
            const QChar c = Text.at(At);
            if (quoted) {
                ++At;
                if (c != QLatin1Char('"')) {
                    field += c;
                    if (c == QLatin1Char('\n')) ++Line;
                } else if (At < Text.size() && Text.at(At) == QLatin1Char('"')) {
                    field += c; // a doubled quote
                    ++At;
                } else {
                    quoted = false;
                }
                continue;
            }
            if (LineEnd()) break;
            ++At;
            if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == Separator) {
                fields << field;
                field.clear();
            } else {
                field += c;
            }
        }
        fields << field;
        return fields;
    }
};

} // namespace

QString TCsvText::JoinLine(const QStringList& fields, QChar separator) {
    QStringList quoted;
    for (QString field : fields) {
        if (field.contains(separator) || field.contains(QLatin1Char('"')) ||
            field.contains(QLatin1Char('\r')) || field.contains(QLatin1Char('\n')))
            field = QLatin1Char('"') + field.replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                    QLatin1Char('"');
        quoted << field;
    }
    return quoted.join(separator);
}

std::vector<TCsvText::TRecord> TCsvText::Records(const QString& text, QChar separator) {
    return TCsvReader(text, separator).Read();
}
