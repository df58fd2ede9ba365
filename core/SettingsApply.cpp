#include "core/SettingsApply.h"

#include "core/SettingsKeys.h"

#include <algorithm>

namespace {

const TSettingsKeySection* FindSection(const QString& name) {
    const auto& sections = SettingsKeys();
    const auto found = std::find_if(sections.begin(), sections.end(),
                                    [&](const TSettingsKeySection& s) { return s.Name == name; });
    return found == sections.end() ? nullptr : &*found;
}

const TSettingsKey* FindKey(const TSettingsKeySection& section, const QString& caption) {
    const auto found =
        std::find_if(section.Keys.begin(), section.Keys.end(),
                     [&](const TSettingsKey& key) { return key.Caption.trimmed() == caption; });
    return found == section.Keys.end() ? nullptr : &*found;
}

// The verdict on one line in the given section; empty when it is taken or skipped.
QString ApplyLine(TALL& all, const TSettingsKeySection* section, const QString& line) {
    const int equals = int(line.indexOf(QLatin1Char('=')));
    if (equals < 0) return QStringLiteral("\"%1\" is no section and no key=value").arg(line);
    const QString caption = line.left(equals).trimmed();
    const QString value = line.mid(equals + 1).trimmed();
    if (!section) return QStringLiteral("key \"%1\" outside a known section").arg(caption);
    const TSettingsKey* key = FindKey(*section, caption);
    if (!key) return QStringLiteral("unknown key \"%1\" in [%2]").arg(caption, section->Name);
    if (key->Write && !key->Write(all, value))
        return QStringLiteral("\"%1\" is no value of \"%2\" in [%3]")
            .arg(value, caption, section->Name);
    return QString();
}

} // namespace

QStringList ApplySettingsText(TALL& all, const QString& text) {
    QStringList refused;
    const TSettingsKeySection* section = nullptr;
    bool unknownSection = false; // its keys are not told one by one
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        QString verdict;
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = FindSection(line.mid(1, line.size() - 2).trimmed());
            unknownSection = !section;
            if (unknownSection) verdict = QStringLiteral("unknown section %1").arg(line);
        } else if (!unknownSection) {
            verdict = ApplyLine(all, section, line);
        }
        if (!verdict.isEmpty()) refused << QStringLiteral("line %1: %2").arg(n + 1).arg(verdict);
    }
    return refused;
}
