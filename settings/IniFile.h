#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// A hand-written initialisation file: "[Section]" lines and "key=value" lines. Sections and keys
// match without regard to case, values come back verbatim (trimmed of surrounding blanks only),
// a UTF-8 byte order mark and CRLF line ends are understood, and writing a key changes only that
// key's line: every other line, section and comment stays byte for byte.
class TIniFile {
public:
    // Reads the file when it exists; a missing or unreadable file reads as empty.
    explicit TIniFile(const QString& fileName);

    QString ReadString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // Changes the key's line, or adds the key (and its section) when missing. Kept in memory
    // until UpdateFile.
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes the file back; false with a reason when it cannot be written.
    bool UpdateFile(QString* error = nullptr);

private:
    QString FileName;
    std::vector<QByteArray> Lines; // raw lines without their line ends
    QByteArray Eol;                // the file's own line end, "\n" or "\r\n"
    bool Bom = false;

    int FindSection(const QString& section) const;           // line index or -1
    int FindKey(int sectionLine, const QString& key) const;  // line index or -1
    int SectionEnd(int sectionLine) const;
};
