#include "core/IniFile.h"

#include "core/FileAccess.h"

#include <QFile>
#include <QStringDecoder>
#include <QtGlobal>
#include <algorithm>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");
const QByteArray Utf16LeBom("\xFF\xFE");
const QByteArray Utf16BeBom("\xFE\xFF");
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
QString ReplaceValue(const QString& line, const QString& value) {
    int start = line.indexOf(QLatin1Char('=')) + 1;
    while (start < line.size() &&
           (line[start] == QLatin1Char(' ') || line[start] == QLatin1Char('\t')))
        ++start;
    QString text = line.left(start) + value;
    if (line.endsWith(QLatin1Char('\r'))) // a CRLF line in a file that also has bare LF line ends
        text += QLatin1Char('\r');
    return text;
}

} // namespace

TIniFile::TIniFile(const QString& fileName) : FileName(fileName) {
    QByteArray data;
    if (!ReadData(&data)) return;
    if (data.startsWith(Utf16LeBom) || data.startsWith(Utf16BeBom)) {
        Encoding = data.startsWith(Utf16LeBom) ? TEncoding::Utf16Le : TEncoding::Utf16Be;
        Bom = true;
        data.remove(0, Utf16LeBom.size());
    } else if (data.startsWith(Utf8Bom)) {
        Bom = true;
        data.remove(0, Utf8Bom.size());
    } else if (!IsUtf8(data)) {
        Encoding = ReadsAsGb18030(data) ? TEncoding::Gb18030 : TEncoding::Latin1;
    }
    // A byte order mark declares its encoding even when a stray byte is broken.
    if (!data.isEmpty()) SplitLines(data);
}

// The file's bytes; false for a missing file and for one that is refused.
bool TIniFile::ReadData(QByteArray* data) {
    QFile file(FileName);
    if (!file.exists()) return false;
    QString error;
    if (OpenRegularFile(file, &error)) {
        *data = file.read(MaxFileSize + 1);
        if (data->size() <= MaxFileSize) return true;
        error = FileErrorText(FileName, QStringLiteral("larger than %1 bytes").arg(MaxFileSize));
    }
    Refused = error;
    qWarning("%s: ignored", qPrintable(error));
    return false;
}

// After a final line end the split leaves an empty last line; joining the lines again with the
// line end then gives back the file exactly. No 8-bit encoding uses the byte "\n" inside a
// character, and a UTF-16 file is split as text.
void TIniFile::SplitLines(const QByteArray& data) {
    const bool wide = Encoding == TEncoding::Utf16Le || Encoding == TEncoding::Utf16Be;
    QList<QByteArray> raws;
    QStringList texts;
    if (wide) {
        texts = Decode(data).split(QLatin1Char('\n'));
    } else {
        raws = data.split('\n');
        for (const QByteArray& raw : raws)
            texts << Decode(raw);
    }
    // CRLF is the file's style only when every line end is CRLF; otherwise the carriage returns
    // stay part of their lines, so a file with mixed line ends is still written back unchanged.
    const bool allCrlf =
        texts.size() > 1 && std::all_of(texts.begin(), texts.end() - 1,
                                        [](const QString& line) { return line.endsWith('\r'); });
    if (allCrlf) Eol = QStringLiteral("\r\n");
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const bool chop = allCrlf && i + 1 < texts.size();
        TLine line = MakeLine(chop ? texts[i].chopped(1) : texts[i]);
        if (!wide) line.Raw = chop ? raws[i].chopped(1) : raws[i];
        Lines.push_back(line);
    }
}

TIniFile::TLine TIniFile::MakeLine(const QString& text) const {
    return {Encode(text), text, SectionName(text)};
}

QString TIniFile::Decode(const QByteArray& raw) const {
    switch (Encoding) {
    case TEncoding::Gb18030:
        return QStringDecoder(Gb18030, Stateless()).decode(raw);
    case TEncoding::Latin1:
        return QString::fromLatin1(raw);
    case TEncoding::Utf16Le:
        return QStringDecoder(QStringDecoder::Utf16LE, Stateless()).decode(raw);
    case TEncoding::Utf16Be:
        return QStringDecoder(QStringDecoder::Utf16BE, Stateless()).decode(raw);
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
    case TEncoding::Utf16Le:
        return QStringEncoder(QStringEncoder::Utf16LE, Stateless()).encode(text);
    case TEncoding::Utf16Be:
        return QStringEncoder(QStringEncoder::Utf16BE, Stateless()).encode(text);
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
        const QString& name = Lines[i].Section;
        if (!name.isNull() && SameName(name, section)) return int(i);
    }
    return -1;
}

int TIniFile::SectionEnd(int sectionLine) const {
    for (size_t i = sectionLine + 1; i < Lines.size(); ++i)
        if (!Lines[i].Section.isNull()) return int(i);
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
        Lines[keyLine] = MakeLine(ReplaceValue(Lines[keyLine].Text, value));
        return;
    }
    int after = SectionEnd(sectionLine);
    while (after - 1 > sectionLine && IsBlank(Lines[after - 1].Text))
        --after;
    Lines.insert(Lines.begin() + after, MakeLine(KeyLine(key, value)));
}

bool TIniFile::UpdateFile(QString* error) {
    if (!Refused.isEmpty()) {
        if (error) *error = Refused;
        return false;
    }
    const QByteArray eol = Encode(Eol);
    QByteArray data;
    if (Bom)
        data = Encoding == TEncoding::Utf16Le   ? Utf16LeBom
               : Encoding == TEncoding::Utf16Be ? Utf16BeBom
                                                : Utf8Bom;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) data += eol;
        data += Lines[i].Raw;
    }
    return SaveFileSafely(FileName, data, error);
}
