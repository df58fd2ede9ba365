#include "core/SysSettings.h"

#include "core/All.h"
#include "core/IniFile.h"

namespace {

const QString Section = QStringLiteral("SysInfo");
const QString DefaultLanguage = QStringLiteral("English");
const QString DefaultLanguageList = QStringLiteral("English|Chinese");

// The serial-number keys hold 64-bit decimals of which only the low 32 bits are kept.
int32_t ReadLow32(const TIniFile& ini, const QString& key, int32_t fallback) {
    bool ok = false;
    const qlonglong value = ini.ReadString(Section, key, QString::number(fallback)).toLongLong(&ok);
    return ok ? int32_t(uint32_t(quint64(value))) : fallback;
}

void UseFirstLanguage(TALL& all) {
    all.LanguageIndex = 0;
    all.LanguageName = DefaultLanguage;
}

void SelectLanguage(TALL& all, const QStringList& names) {
    if (names.size() < 2 || all.LanguageIndex < 0 || all.LanguageIndex >= names.size())
        UseFirstLanguage(all);
    else
        all.LanguageName = names[all.LanguageIndex];
}

bool IsBlank(QChar c) {
    return c.unicode() <= ' ';
}

// A quoted entry: a doubled quote stands for one quote, and a missing closing quote takes the
// rest of the text.
QString TakeQuoted(const QString& text, int& at) {
    QString entry;
    for (++at; at < text.size(); ++at) {
        if (text[at] != QLatin1Char('"')) {
            entry += text[at];
        } else if (at + 1 < text.size() && text[at + 1] == QLatin1Char('"')) {
            entry += text[++at];
        } else {
            ++at;
            break;
        }
    }
    return entry;
}

QString TakePlain(const QString& text, int& at) {
    const int start = at;
    while (at < text.size() && text[at] != QLatin1Char('|') && !IsBlank(text[at]))
        ++at;
    return text.mid(start, at - start);
}

void SkipBlanks(const QString& text, int& at) {
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

} // namespace

QString SettingsFileName(const TALL& all) {
    return all.ProgramFolder + QStringLiteral("SysInfo.Ini");
}

void LoadSettings(TALL& all) {
    const TIniFile ini(SettingsFileName(all));
    all.PortName = ini.ReadString(Section, QStringLiteral("Com"), QStringLiteral("Com1"));
    const QString languageId =
        ini.ReadString(Section, QStringLiteral("Language_ID"), QStringLiteral("0"));
    all.SnStart = ini.ReadString(Section, QStringLiteral("SN_Start"), QString());
    all.SnIndex = ReadLow32(ini, QStringLiteral("SN_Index"), 0);
    all.SnCount = ReadLow32(ini, QStringLiteral("SN_NumS"), 1);
    if (all.SnCount == 0) all.SnCount = 1;
    if (all.LanguageMenuVisible) {
        bool ok = false;
        const int index = languageId.toInt(&ok);
        if (ok)
            all.LanguageIndex = index;
        else
            UseFirstLanguage(all);
    }
    SelectLanguage(all, SplitNameList(ini.ReadString(Section, QStringLiteral("Language_SW"),
                                                     DefaultLanguageList)));
}

QStringList ReadNameList(const TALL& all, const QString& key) {
    const TIniFile ini(SettingsFileName(all));
    return SplitNameList(ini.ReadString(Section, key, DefaultLanguageList));
}

bool SaveSettings(const TALL& all, QString* error) {
    TIniFile ini(SettingsFileName(all));
    ini.WriteString(Section, QStringLiteral("Com"), all.PortName);
    ini.WriteString(Section, QStringLiteral("Language_ID"), QString::number(all.LanguageIndex));
    ini.WriteString(Section, QStringLiteral("SN_Start"), all.SnStart);
    ini.WriteString(Section, QStringLiteral("SN_Index"), QString::number(all.SnIndex));
    ini.WriteString(Section, QStringLiteral("SN_NumS"), QString::number(all.SnCount));
    return ini.UpdateFile(error);
}

QStringList SplitNameList(const QString& text) {
    QStringList names;
    int at = 0;
    SkipBlanks(text, at);
    while (at < text.size()) {
        names << (text[at] == QLatin1Char('"') ? TakeQuoted(text, at) : TakePlain(text, at));
        SkipBlanks(text, at);
        if (at < text.size() && text[at] == QLatin1Char('|')) {
            if (at == text.size() - 1) names << QString();
            ++at;
            SkipBlanks(text, at);
        }
    }
    return names;
}
