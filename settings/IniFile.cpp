#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// Lines are kept as bytes; a line that is not valid UTF-8 was most likely written by an older
// editor in a single-byte code page, so it reads as Latin-1 rather than with replacement marks.
QString DecodeLine(const QByteArray& raw) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(raw);
    return decoder.hasError() ? QString::fromLatin1(raw) : text;
}

bool IsBlank(const QByteArray& raw) {
    return raw.trimmed().isEmpty();
}

// The name of a "[Section]" line, or a null string for any other line.
QString SectionName(const QByteArray& raw) {
    const QString text = DecodeLine(raw).trimmed();
    if (!text.startsWith(QLatin1Char('['))) return QString();
    const int close = text.indexOf(QLatin1Char(']'));
    if (close < 0) return QString();
    return text.mid(1, close - 1).trimmed();
}

bool IsComment(const QString& text) {
    return text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'));
}

// Splits a "key=value" line; false for blank lines, comments, section lines and lines without "=".
bool SplitKeyLine(const QByteArray& raw, QString* key, QString* value) {
    const QString text = DecodeLine(raw).trimmed();
    if (text.isEmpty() || IsComment(text) || !SectionName(raw).isNull()) return false;
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) return false;
    *key = text.left(equals).trimmed();
    if (value) *value = text.mid(equals + 1).trimmed();
    return !key->isEmpty();
}

bool SameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QByteArray KeyLine(const QString& key, const QString& value) {
    return key.toUtf8() + '=' + value.toUtf8();
}

// A changed key keeps its own spelling and spacing up to the value; only the value is replaced.
QByteArray ReplaceValue(const QByteArray& raw, const QString& value) {
    int start = raw.indexOf('=') + 1;
    while (start < raw.size() && (raw[start] == ' ' || raw[start] == '\t'))
        ++start;
    QByteArray line = raw.left(start) + value.toUtf8();
    if (raw.endsWith('\r')) // a CRLF line in a file that also has bare LF line ends
        line += '\r';
    return line;
}

// Adds "[section]" and its first key at the end of the file, after a blank line.
void AppendSection(std::vector<QByteArray>& lines, const QString& section, const QString& key,
                   const QString& value) {
    std::vector<QByteArray> added;
    if (!lines.empty()) {
        if (!lines.back().isEmpty()) lines.emplace_back(); // end the last line first
        if (lines.size() < 2 || !IsBlank(lines[lines.size() - 2])) added.emplace_back();
    }
    added.push_back('[' + section.toUtf8() + ']');
    added.push_back(KeyLine(key, value));
    if (lines.empty()) lines.emplace_back();
    lines.insert(lines.end() - 1, added.begin(), added.end());
}

QString FileError(const QString& fileName, const QString& reason) {
    return QStringLiteral("%1: %2").arg(fileName, reason);
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : FileName(fileName), Eol("\n") {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return;
    QByteArray data = file.readAll();
    if (data.startsWith(Utf8Bom)) {
        Bom = true;
        data.remove(0, Utf8Bom.size());
    }
    if (data.isEmpty()) return;
    // After a final line end the split leaves an empty last line; joining the lines again with
    // the line end then gives back the file exactly.
    const QList<QByteArray> parts = data.split('\n');
    Lines.assign(parts.begin(), parts.end());
    // CRLF is the file's style only when every line end is CRLF; otherwise the carriage returns
    // stay part of their lines, so a file with mixed line ends is still written back unchanged.
    const bool allCrlf = std::all_of(Lines.begin(), Lines.end() - 1,
                                     [](const QByteArray& line) { return line.endsWith('\r'); });
    if (Lines.size() > 1 && allCrlf) {
        Eol = "\r\n";
        for (auto line = Lines.begin(); line != Lines.end() - 1; ++line)
            line->chop(1);
    }
}

int TIniFile::FindSection(const QString& section) const {
    for (size_t i = 0; i < Lines.size(); ++i) {
        const QString name = SectionName(Lines[i]);
        if (!name.isNull() && SameName(name, section)) return int(i);
    }
    return -1;
}

int TIniFile::SectionEnd(int sectionLine) const {
    for (size_t i = sectionLine + 1; i < Lines.size(); ++i)
        if (!SectionName(Lines[i]).isNull()) return int(i);
    return int(Lines.size());
}

int TIniFile::FindKey(int sectionLine, const QString& key) const {
    const int end = SectionEnd(sectionLine);
    QString name;
    for (int i = sectionLine + 1; i < end; ++i)
        if (SplitKeyLine(Lines[i], &name, nullptr) && SameName(name, key)) return i;
    return -1;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& defaultValue) const {
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) return defaultValue;
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine < 0) return defaultValue;
    QString name, value;
    SplitKeyLine(Lines[keyLine], &name, &value);
    return value;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        AppendSection(Lines, section, key, value);
        return;
    }
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine >= 0) {
        QString name, oldValue;
        SplitKeyLine(Lines[keyLine], &name, &oldValue);
        if (oldValue != value) Lines[keyLine] = ReplaceValue(Lines[keyLine], value);
        return;
    }
    int after = SectionEnd(sectionLine);
    while (after - 1 > sectionLine && IsBlank(Lines[after - 1]))
        --after;
    Lines.insert(Lines.begin() + after, KeyLine(key, value));
}

bool TIniFile::UpdateFile(QString* error) {
    QByteArray data = Bom ? Utf8Bom : QByteArray();
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) data += Eol;
        data += Lines[i];
    }
    QSaveFile file(FileName);
    file.setDirectWriteFallback(true);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!written && error) *error = FileError(FileName, file.errorString());
    return written;
}
