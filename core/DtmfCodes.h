#pragma once

#include <QString>

class TALL;

// The DTMF code texts of the option area: the PTT ID codes sent at the beginning and end of a
// transmission, the decoder's ID code and the stun code. Each is a string of 4-bit DTMF digit
// codes, two a byte, high nibble first; unused nibbles hold "*" (15).
enum class TDtmfCode {
    Begin = 1, // option bytes 48-55, length in byte 35 bits 0-3, absent when byte 32 bit 2 is set
    End = 2,   // option bytes 56-63, length in byte 35 bits 4-7, absent when byte 32 bit 3 is set
    Id = 3,    // option bytes 36-38, at least three digits
    Stun = 4,  // option bytes 41-45, length in byte 40 (0: no stun code)
};

// The most characters each code holds.
int DtmfCodeCapacity(TDtmfCode code);
// The code as its box shows it.
QString ReadDtmfCode(const TALL& all, TDtmfCode code);
// Stores a code text; characters that are no DTMF digits of the code are dropped and the text is
// cut to the code's capacity. An empty begin or end code marks the code absent and keeps its
// digits; an ID code shorter than three digits is completed with "0".
void WriteDtmfCode(TALL& all, TDtmfCode code, const QString& text);
