#pragma once

#include <QString>

class TALL;
class TChannel;

// The 32-byte channel record: channel k (1 to 128 memory channels, 129 and 130 the VFO records)
// lives at image offset 32k - 16. Field codes are the numbers the channel grid's columns carry.
namespace FieldCode {
enum : int {
    RxFreq = 2,
    TxFreq = 3,
    Offset = 4,
    Duplex = 5,
    RxTone = 6,
    TxTone = 7,
    Power = 9,
    Bandwidth = 10,
    Scan = 11,
    BusyLock = 12,
    Vox = 13,
    VoiceMode = 14,
    Epilogue = 15,
    PttId = 16,
    Ani = 17,
    Name = 18,
    IdCode = 19,
};
} // namespace FieldCode

constexpr int ChannelRecordSize = 32;

int ChannelOffset(int k);
bool IsVfoChannel(int k);

// Decodes record k into channel; false (channel untouched) for an empty memory channel. Rewrites
// the record's frequencies and tones in their normalised form; never touches Modified.
bool ReadChannel(TALL& all, int k, TChannel& channel);

// Encodes one field of record k from its text; text returns the form actually stored.
void WriteChannelField(TALL& all, int k, int code, QString& text);

// The value ReadChannel reported for a choice or flag field (codes 5, 9 to 17): an item index
// or the stored bit; 0 for any other code.
int ChannelFieldValue(const TChannel& channel, int code);

// The name stored in record k, trailing blanks removed; the record is left as it is.
QString ChannelName(const TALL& all, int k);

// Makes record k a present channel on rxText with the default settings.
void NewChannel(TALL& all, int k, const QString& rxText);
