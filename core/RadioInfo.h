#pragma once

#include <QString>
#include <vector>

class TALL;
class TIniFile;

// The lines of the radio information window: model, bands, serial number and write time, each
// with its label. The window and the command-line tool both show these.
class TRadioInfo {
public:
    struct TLine {
        QString Label;   // component name of the caption label
        QString Caption;
        QString Text;
    };

    static constexpr const char* FormName = "fInfoMsg";

    explicit TRadioInfo(const TALL& all);
    void Translate(const TIniFile& languageFile);

    std::vector<TLine> Lines;
};

// The 16 serial-number bytes as shown: letters and digits stay, every other byte is a blank.
QString SerialText(const TALL& all);
// Stores the text padded with blanks to 16 characters, one byte each (a character beyond
// Latin-1 as a blank).
void WriteSerial(TALL& all, const QString& text);
