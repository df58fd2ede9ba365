#include "IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const char* const Gb18030 = "GB18030";

QStringDecoder::Flags Stateless() {
    return QStringDecoder::Flag::Stateless;
}

bool IsPrivateUse(QChar c) {
    return c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF;
}

// Latin-1 text often happens to form valid GB18030 byte pairs too, but those land in the
// user-defined (private use) area far more often than a real Chinese text ever does.
bool ReadsAsGb18030(const QByteArray& data) {
    QStringDecoder decoder(Gb18030, Stateless());
    if (!decoder.isValid()) return false;
    const QString text = decoder.decode(data);
    return !decoder.hasError() && std::none_of(text.begin(), text.end(), IsPrivateUse);
}

bool IsUtf8(const QByteArray& data) {
    QStringDecoder decoder(QStringDecoder::Utf8, Stateless());
    const QString text = decoder.decode(data); // decoding happens only on conversion
    return !decoder.hasError();
}

bool IsBlank(const QString& line) {
    return line.trimmed().isEmpty();
}

// The name of a "[Section]" line, or a null string for any other line.
QString SectionName(const QString& line) {
    const QString text = line.trimmed();
    if (!text.startsWith(QLatin1Char('['))) return QString();
    const int close = text.indexOf(QLatin1Char(']'));
    if (close < 0) return QString();
    return text.mid(1, close - 1).trimmed();
}

bool IsComment(const QString& text) {
    return text.startsWith(QLatin1Char(';')) || text.startsWith(QLatin1Char('#'));
}

// Splits a "key=value" line; false for blank lines, comments, section lines and lines without "=".
bool SplitKeyLine(const QString& line, QString* key, QString* value) {
    const QString text = line.trimmed();
    if (text.isEmpty() || IsComment(text) || !SectionName(text).isNull()) return false;
    const int equals = text.indexOf(QLatin1Char('='));
    if (equals < 0) return false;
    *key = text.left(equals).trimmed();
    if (value) *value = text.mid(equals + 1).trimmed();
    return !key->isEmpty();
}

bool SameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

QString KeyLine(const QString& key, const QString& value) {
    return key + QLatin1Char('=') + value;
}

// A changed key keeps its own spelling and spacing up to the value; only the value is replaced.
// The "=" and blank bytes never occur inside a character of the file's encodings.
QByteArray ReplaceValue(const QByteArray& raw, const QByteArray& value) {
    int start = raw.indexOf('=') + 1;
    while (start < raw.size() && (raw[start] == ' ' || raw[start] == '\t'))
        ++start;
    QByteArray line = raw.left(start) + value;
    if (raw.endsWith('\r')) // a CRLF line in a file that also has bare LF line ends
        line += '\r';
    return line;
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
    // A byte order mark declares UTF-8 even when a stray byte is broken.
    if (!Bom && !IsUtf8(data))
        Encoding = ReadsAsGb18030(data) ? TEncoding::Gb18030 : TEncoding::Latin1;
    // After a final line end the split leaves an empty last line; joining the lines again with
    // the line end then gives back the file exactly. No encoding uses the byte "\n" inside a
    // character.
    const QList<QByteArray> parts = data.split('\n');
    // CRLF is the file's style only when every line end is CRLF; otherwise the carriage returns
    // stay part of their lines, so a file with mixed line ends is still written back unchanged.
    const bool allCrlf =
        parts.size() > 1 && std::all_of(parts.begin(), parts.end() - 1,
                                        [](const QByteArray& line) { return line.endsWith('\r'); });
    if (allCrlf) Eol = "\r\n";
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QByteArray raw = allCrlf && i + 1 < parts.size() ? parts[i].chopped(1) : parts[i];
        Lines.push_back({raw, Decode(raw)});
    }
}

QString TIniFile::Decode(const QByteArray& raw) const {
    switch (Encoding) {
    case TEncoding::Gb18030:
        return QStringDecoder(Gb18030, Stateless()).decode(raw);
    case TEncoding::Latin1:
        return QString::fromLatin1(raw);
    default:
        return QString::fromUtf8(raw);
    }
}

QByteArray TIniFile::Encode(const QString& text) const {
    switch (Encoding) {
    case TEncoding::Gb18030:
        return QStringEncoder(Gb18030, Stateless()).encode(text);
    case TEncoding::Latin1:
        return text.toLatin1();
    default:
        return text.toUtf8();
    }
}

// Adds "[section]" and its first key line at the end of the file, after a blank line.
void TIniFile::AppendSection(const QString& section, const QString& keyLine) {
    std::vector<TLine> added;
    if (!Lines.empty()) {
        if (!Lines.back().Raw.isEmpty()) Lines.emplace_back(); // end the last line first
        if (Lines.size() < 2 || !IsBlank(Lines[Lines.size() - 2].Text)) added.emplace_back();
    }
    added.push_back(MakeLine(QLatin1Char('[') + section + QLatin1Char(']')));
    added.push_back(MakeLine(keyLine));
    if (Lines.empty()) Lines.emplace_back();
    Lines.insert(Lines.end() - 1, added.begin(), added.end());
}

void TIniFile::MakeEncodable(const QString& text) {
    bool fits = true;
    if (Encoding == TEncoding::Latin1) {
        fits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    } else if (Encoding == TEncoding::Gb18030) {
        QStringEncoder encoder(Gb18030, Stateless());
        const QByteArray bytes = encoder.encode(text);
        fits = !encoder.hasError();
    }
    if (fits) return;
    Encoding = TEncoding::Utf8;
    for (TLine& line : Lines)
        line.Raw = Encode(line.Text);
}

int TIniFile::FindSection(const QString& section) const {
    for (size_t i = 0; i < Lines.size(); ++i) {
        const QString name = SectionName(Lines[i].Text);
        if (!name.isNull() && SameName(name, section)) return int(i);
    }
    return -1;
}

int TIniFile::SectionEnd(int sectionLine) const {
    for (size_t i = sectionLine + 1; i < Lines.size(); ++i)
        if (!SectionName(Lines[i].Text).isNull()) return int(i);
    return int(Lines.size());
}

int TIniFile::FindKey(int sectionLine, const QString& key) const {
    const int end = SectionEnd(sectionLine);
    QString name;
    for (int i = sectionLine + 1; i < end; ++i)
        if (SplitKeyLine(Lines[i].Text, &name, nullptr) && SameName(name, key)) return i;
    return -1;
}

QString TIniFile::ReadString(const QString& section, const QString& key,
                             const QString& defaultValue) const {
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) return defaultValue;
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine < 0) return defaultValue;
    QString name, value;
    SplitKeyLine(Lines[keyLine].Text, &name, &value);
    return value;
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value) {
    MakeEncodable(section + key + value);
    const int sectionLine = FindSection(section);
    if (sectionLine < 0) {
        AppendSection(section, KeyLine(key, value));
        return;
    }
    const int keyLine = FindKey(sectionLine, key);
    if (keyLine >= 0) {
        QString name, oldValue;
        SplitKeyLine(Lines[keyLine].Text, &name, &oldValue);
        if (oldValue == value) return;
        TLine& line = Lines[keyLine];
        line.Raw = ReplaceValue(line.Raw, Encode(value));
        line.Text = Decode(line.Raw);
        return;
    }
    int after = SectionEnd(sectionLine);
    while (after - 1 > sectionLine && IsBlank(Lines[after - 1].Text))
        --after;
    Lines.insert(Lines.begin() + after, MakeLine(KeyLine(key, value)));
}

bool TIniFile::UpdateFile(QString* error) {
    QByteArray data = Bom ? Utf8Bom : QByteArray();
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) data += Eol;
        data += Lines[i].Raw;
    }
    QSaveFile file(FileName);
    file.setDirectWriteFallback(true);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
    if (!written && error) *error = FileError(FileName, file.errorString());
    return written;
}
