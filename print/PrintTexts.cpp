#include "print/PrintTexts.h"

#include "core/IniFile.h"

const TPrintTexts::TText TPrintTexts::Texts[8] = {
    {"Title", &TPrintTexts::Title},       {"Model", &TPrintTexts::Model},
    {"File", &TPrintTexts::File},         {"Date", &TPrintTexts::Date},
    {"Untitled", &TPrintTexts::Untitled}, {"Page", &TPrintTexts::Page},
    {"Settings", &TPrintTexts::Settings}, {"AskSettings", &TPrintTexts::AskSettings},
};

void TPrintTexts::Translate(const TIniFile& languageFile) {
    const QString section = QString::fromLatin1(FormName);
    for (const TText& text : Texts)
        this->*text.Text =
            languageFile.ReadString(section, QString::fromLatin1(text.Key), this->*text.Text);
}
