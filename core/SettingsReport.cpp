#include "core/SettingsReport.h"

#include "core/SettingsKeys.h"

std::vector<TSettingsSection> SettingsReport(TALL& all, TChannel& channel) {
    std::vector<TSettingsSection> report;
    for (const TSettingsKeySection& section : SettingsKeys()) {
        TSettingsSection& lines = report.emplace_back(TSettingsSection{section.Name, {}});
        for (const TSettingsKey& key : section.Keys)
            lines.Lines.emplace_back(key.Caption, key.Read(all, channel));
    }
    return report;
}

QString SettingsIniText(const std::vector<TSettingsSection>& sections) {
    QString text;
    for (const TSettingsSection& section : sections) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += QLatin1Char('[') + section.Name + QLatin1String("]\n");
        for (const auto& [caption, shown] : section.Lines)
            text += caption.trimmed() + QLatin1Char('=') + shown.trimmed() + QLatin1Char('\n');
    }
    return text;
}
