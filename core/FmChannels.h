#pragma once

#include <QString>

class TALL;

// The broadcast FM receiver's frequencies: 32 slots of 16 bits in 25 kHz units at 0x1050, slots
// 1-25 the FM memory channels (present when their bit of the FM-present bitmap is clear), slot 32
// the receiver's current frequency. Every stored value lies between the image's FM bounds.
constexpr int FmChannelCount = 25;
constexpr int FmCurrentSlot = 32;

// The slot's frequency in MHz, -1 for an empty channel. A stored value outside the bounds is
// corrected in the image (to the lower bound), as is a value above the model's FmHigh.
double ReadFmChannel(TALL& all, int slot);
// The slot's frequency as shown: "0.00000", empty for an empty channel.
QString FmChannelText(TALL& all, int slot);
// Whether WriteFmChannel takes the text: empty, or a number.
bool FmTextReadable(const QString& text);
// Stores a typed frequency: capped at FmHigh, then kept inside the bounds. An empty text empties
// a channel (its stored value stays) and leaves the current frequency alone. shown gets the
// text to show. False, with the image untouched, when the text is no number.
bool WriteFmChannel(TALL& all, int slot, const QString& text, QString& shown);
// An FM band limit in the scan-bound boxes' form "00.000".
QString FmBoundText(double mhz);
