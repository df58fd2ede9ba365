#pragma once

#include "core/All.h"
#include "tests/support/FakeLinkClock.h"
#include "tests/support/FakeLinkPort.h"
#include "link/PowerTableExchange.h"

#include <array>

// The radio at the other end of the fake port. It answers every frame Delay ms after it was
// written: an acknowledge to a wake-up, to 0x06 and to a 'W' block (whose 16 bytes it stores),
// its 8-byte identification to 0x02, 20 bytes with a block of Memory to an 'R' frame, 'X' and 20
// bytes with a block of PowerTable to an 'S' frame, an acknowledge to an 'X' value (which it
// stores), nothing to 'E'. Tamper lets a test change or drop (empty) a reply, or act when a frame
// arrives.
class TRadioPeer {
public:
    TRadioPeer(TFakeLinkPort& port, TFakeLinkClock& clock) : Port(port), Clock(clock) {
        Port.OnWrite = [this](const QByteArray& frame) { Receive(frame); };
    }

    QByteArray Code = "QX47";
    uint8_t BandByte = 0xFF;
    std::array<uint8_t, ImageSize> Memory{};
    std::array<uint8_t, TPowerTableExchange::TableSize> PowerTable{};
    int Delay = 30;
    std::function<QByteArray(const QByteArray& frame, const QByteArray& reply)> Tamper;

    QByteArray Reply(const QByteArray& frame) const {
        const char command = frame.at(0);
        if (frame.startsWith("PROGRAM") || (frame.size() == 1 && command == 0x06))
            return QByteArray(1, 0x06);
        if (frame.size() == 1 && command == 0x02) return 'I' + Code + '\0' + char(BandByte) + '\0';
        if (command == 'R')
            return frame.left(4) +
                   QByteArray(reinterpret_cast<const char*>(&Memory[Address(frame)]), 16);
        if (command == 'W' || command == 'X') return QByteArray(1, 0x06);
        if (command == 'S')
            return 'X' + frame.mid(1, 3) +
                   QByteArray(reinterpret_cast<const char*>(&PowerTable[Address(frame)]), 16);
        return QByteArray();
    }

    static int Address(const QByteArray& frame) {
        return uint8_t(frame.at(1)) << 8 | uint8_t(frame.at(2));
    }

private:
    TFakeLinkPort& Port;
    TFakeLinkClock& Clock;

    void Receive(const QByteArray& frame) {
        if (frame.at(0) == 'W')
            std::copy(frame.begin() + 4, frame.end(), Memory.begin() + Address(frame));
        if (frame.at(0) == 'X') PowerTable[Address(frame)] = uint8_t(frame.at(4));
        QByteArray reply = Reply(frame);
        if (Tamper) reply = Tamper(frame, reply);
        if (!reply.isEmpty()) Clock.After(Delay, [this, reply] { Port.Inject(reply); });
    }
};
