#pragma once

#include <QString>

class TLanguage;

// Fills every message text from section "Language" of folder + name + ".Ini"; a missing file,
// section or key leaves the built-in default text.
void LoadMessages(const QString& folder, const QString& name, TLanguage& language);
