#include "core/Messages.h"

#include "core/All.h"
#include "core/IniFile.h"
#include "core/Language.h"

QString LanguageFileName(const TALL& all) {
    return all.ProgramFolder + all.LanguageName + QStringLiteral(".Ini");
}

void LoadMessages(const QString& folder, const QString& name, TLanguage& language) {
    const TIniFile ini(folder + name + QStringLiteral(".Ini"));
    const QString section = QStringLiteral("Language");
    for (int i = 0; i < TLanguage::MessageCount; ++i) {
        const TLanguage::TMessage& message = TLanguage::Messages[i];
        language.*message.text = ini.ReadString(section, QString::fromUtf8(message.key),
                                                QString::fromUtf8(message.defaultText));
    }
}
