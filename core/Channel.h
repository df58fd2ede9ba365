#pragma once

#include <QString>
#include <cstdint>

// One channel record decoded into the values the channel editors show; filled by ReadChannel.
class TChannel {
public:
    double RxFreq = 0.0;
    double TxFreq = 0.0; // -1.0 = no transmit frequency
    double Offset = 0.0;
    uint8_t Duplex = 0; // 0 simplex, 1 transmit above receive, 2 transmit below
    QString RxTone;     // empty = none
    QString TxTone;
    uint8_t Reverse = 0;
    uint8_t BusyLock = 0;
    uint8_t Bandwidth = 0;
    uint8_t Power = 0;
    uint8_t VoiceMode = 0;
    uint8_t ScanDel = 0;
    uint8_t Epilogue = 0;
    uint8_t Vox = 0;
    uint8_t PttId = 0;
    uint8_t Ani = 0;
    QString Name;
    QString IdCode;
};
