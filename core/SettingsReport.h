#pragma once

#include <QString>
#include <utility>
#include <vector>

class TALL;
class TChannel;

// Every value the VFO editor and the function editors show for the image, window by window,
// under the English captions of their controls, as the windows load them (range corrections
// included): a radio's whole configuration as text that can be kept and compared.
struct TSettingsSection {
    QString Name;
    std::vector<std::pair<QString, QString>> Lines; // caption, shown text
};

std::vector<TSettingsSection> SettingsReport(TALL& all, TChannel& channel);
// The sections as INI text: "[Name]", then one "caption=text" a line; blanks around both trimmed.
QString SettingsIniText(const std::vector<TSettingsSection>& sections);
