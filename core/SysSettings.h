#pragma once

#include <QString>
#include <QStringList>

class TALL;

// The settings that outlive a run, in "SysInfo.Ini" in the program folder, section "SysInfo".
QString SettingsFileName(const TALL& all);
void LoadSettings(TALL& all);
// Writes the port, the language index and the serial-number keys; every other line stays.
// False with a reason when the file cannot be written: only the settings are lost then.
bool SaveSettings(const TALL& all, QString* error = nullptr);

// A name list of section "SysInfo" (default "English|Chinese"), split into its entries.
QStringList ReadNameList(const TALL& all, const QString& key);

// Splits a name list such as "English|Chinese": "|" or a blank ends an entry, and an entry in
// double quotes may contain either.
QStringList SplitNameList(const QString& text);
