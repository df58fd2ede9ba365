#pragma once

#include <QString>

class TALL;
class TLanguage;

// The active language's file: the program folder, the language name and ".Ini".
QString LanguageFileName(const TALL& all);

// Fills every message text from section "Language" of folder + name + ".Ini"; a missing file,
// section or key leaves the built-in default text.
void LoadMessages(const QString& folder, const QString& name, TLanguage& language);
