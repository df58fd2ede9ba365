#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A hand-written initialisation file: "[Section]" lines and "key=value" lines. Sections and keys
// match without regard to case, values come back verbatim (trimmed of surrounding blanks only),
// a UTF-8 byte order mark and CRLF line ends are understood, and writing a key changes only that
// key's line: every other line, section and comment stays byte for byte.
//
// The text encoding is decided once for the whole file: UTF-16 (little or big endian) when the
// file starts with its byte order mark, UTF-8 when it carries that mark or is valid UTF-8,
// otherwise GB18030 (files saved by Chinese editors) when the bytes read cleanly as such, and
// Latin-1 as the last resort. Written values use the file's encoding.
//
// The file is read once, into memory. A file that is no regular file (a FIFO, a device) or is
// larger than MaxFileSize reads as empty, with a warning on stderr, and is never written back.
class TIniFile {
public:
    static constexpr qint64 MaxFileSize = 1 << 20;

    // Reads the file when it exists; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString& fileName);

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Changes the key's line, or adds the key (and its section) when missing. Kept in memory
    // until UpdateFile.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes the file back through a temporary file, so that a failed write leaves the old file
    // as it was; false with a reason when it cannot be written or was refused on reading.
    bool UpdateFile(QString* error = nullptr);

private:
    enum class TEncoding { Utf8, Gb18030, Latin1, Utf16Le, Utf16Be };
    // One line without its line end: the bytes as read or written, their text, and, for a
    // "[Section]" line, the section's name (null for every other line).
    struct TLine {
        QByteArray Raw;
        QString Text;
        QString Section;
    };

    QString FileName;
    std::vector<TLine> Lines;
    QString Eol = QStringLiteral("\n"); // the file's own line end, "\n" or "\r\n"
    bool Bom = false;
    TEncoding Encoding = TEncoding::Utf8;
    QString Refused; // why the file was not read, and so is not written either

    bool ReadData(QByteArray* data);
    void SplitLines(const QByteArray& data);

    QString Decode(const QByteArray& raw) const;
    QByteArray Encode(const QString& text) const;
    // A text that the file's encoding cannot hold turns the whole file into UTF-8.
    void MakeEncodable(const QString& text);
    TLine MakeLine(const QString& text) const;

    void AppendSection(const QString& section, const QString& keyLine);
    int FindSection(const QString& section) const;          // line index or -1
    int FindKey(int sectionLine, const QString& key) const; // line index or -1
    int SectionEnd(int sectionLine) const;
};
