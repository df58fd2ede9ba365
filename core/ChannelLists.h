#pragma once

#include <QStringList>

// The designed items of the channel settings that the VFO and batch editors offer as lists
// beyond the grid's boxes, shared by those windows and the settings text.
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
