#pragma once

#include <QString>
#include <functional>
#include <vector>

class TALL;
class TChannel;

// One line of the settings text: the caption of its control, what the control shows for the
// image and how a text sets it, through the same core functions as the window's save.
struct TSettingsKey {
    QString Caption;
    std::function<QString(TALL&, TChannel&)> Read;
    // False, when the text is no value of the key. Empty for a value that is only shown.
    std::function<bool(TALL&, const QString&)> Write;
};

// A window's section of the settings text.
struct TSettingsKeySection {
    QString Name;
    std::vector<TSettingsKey> Keys;
};

// Every section of the settings text with its keys, in the text's order. The settings report
// reads them, the settings import writes them.
const std::vector<TSettingsKeySection>& SettingsKeys();
