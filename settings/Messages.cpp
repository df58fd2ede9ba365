#include "Messages.h"

#include "IniFile.h"
#include "Language.h"

void LoadMessages(const QString& folder, const QString& name, TLanguage& language) {
    const TIniFile ini(folder + name + QStringLiteral(".Ini"));
    const QString section = QStringLiteral("Language");
    for (int i = 0; i < TLanguage::MessageCount; ++i) {
        const TLanguage::TMessage& message = TLanguage::Messages[i];
        language.*message.text = ini.ReadString(section, QString::fromUtf8(message.key),
                                                QString::fromUtf8(message.defaultText));
    }
}
