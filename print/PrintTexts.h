#pragma once

#include <QString>

class TIniFile;

// The printout's own texts: its title, the heading's labels, the page numbers and the question
// whether the settings are printed too. The language files hold them in their own section.
class TPrintTexts {
public:
    static constexpr const char* FormName = "fPrint";

    QString Title = QStringLiteral("Channel List");
    QString Model = QStringLiteral("Model");
    QString File = QStringLiteral("File");
    QString Date = QStringLiteral("Date");
    QString Untitled = QStringLiteral("(not saved)");
    QString Page = QStringLiteral("Page %1 of %2");
    QString Settings = QStringLiteral("Settings");
    QString AskSettings = QStringLiteral("Print the settings too?");

    // A text and the key the language file keeps it under.
    struct TText {
        const char* Key;
        QString TPrintTexts::*Text;
    };
    static const TText Texts[8];

    void Translate(const TIniFile& languageFile);
};
