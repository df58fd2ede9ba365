#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

// Comma- or tab-separated text as spreadsheets write it: fields quoted only when they hold the
// separator, a quote or a line break, a quote inside a quoted field doubled.
class TCsvText {
public:
    // One record of the text and the line it starts on (from 1).
    struct TRecord {
        int Line = 0;
        QStringList Fields;
    };

    // The fields joined into one line, without its line end.
    static QString JoinLine(const QStringList& fields, QChar separator);
    // The records of text; a leading byte order mark, lines beginning with '#' and lines with
    // no text in any field are skipped. CRLF, LF and CR all end a line.
    static std::vector<TRecord> Records(const QString& text, QChar separator);
};
