#pragma once

#include <QStringList>

// The tones every tone box offers: "None", the 50 CTCSS tones, the 106 DCS codes with suffix
// "N" and the same 106 with suffix "I" (263 entries).
const QStringList& ToneList();
