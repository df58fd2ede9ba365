#pragma once

#include <QStringList>

// The designed items of the channel settings that the VFO, channel and batch editors offer as
// lists beyond the grid's boxes, shared by those windows, the settings text and the CSV columns.
namespace ChannelLists {
// The VFO's shift direction, by its value.
inline QStringList Duplex() {
    return {QStringLiteral("OFF"), QStringLiteral("+Dup"), QStringLiteral("-Dup")};
}
// The voice mode, by its value (the record may also hold 3, both at once).
inline QStringList VoiceModes() {
    return {QStringLiteral("None"), QStringLiteral("Compander"), QStringLiteral("Scrambler")};
}
} // namespace ChannelLists
