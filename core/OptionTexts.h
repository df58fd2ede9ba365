#pragma once

#include <QString>
#include <QStringList>

class TALL;

// The optional-function settings that are no option field: the radio name in option bytes
// 16-22 and the "Manual Freq." choice, which lives in the state object and image byte 0x11FD.
constexpr int RadioNameLength = 7;

// The seven name characters, trailing blanks removed; bytes outside the name code show blanks.
QString ReadRadioName(const TALL& all);
// Pads the text with blanks and stores its first seven characters.
void WriteRadioName(TALL& all, const QString& text);

// The "Manual Freq." list: "Yes", "No".
const QStringList& ManualFreqItems();
// The "Manual Freq." item: 0 "Yes" (0xAA), 1 "No" (any other value). Without
// ManualFreqSelectable the choice is "No" and ManualFreq is set so.
int ManualFreqItem(TALL& all);
// Item 0 stores "Yes", anything else "No", in ManualFreq and the image byte.
void SaveManualFreq(TALL& all, int item);
