#pragma once

#include "core/All.h"

#include <QString>
#include <array>
#include <cstdint>

class TfMaindb;

// What a simulated ZP-407NE keeps: its memory, addressed as the image is (blocks 0 to 297), its
// power-setting table, and the model codes that a data file of that memory carries.
class TSimMemory {
public:
    static constexpr int PowerBlocks = 65;
    static constexpr int PowerTableSize = PowerBlocks * BlockSize;

    // An erased memory (0xFF) of the built-in model with the demo power table.
    TSimMemory();

    // A radio programmed with a few channels and a serial number, made on a new image of db.
    static TSimMemory Demo(TfMaindb& db);
    // Blocks 1 to 297 and the model codes of a data file; block 0 stays 0xFF. A file shorter
    // than a full data file is refused.
    bool Load(const QString& fileName, QString* error);
    // Writes the memory as a data file.
    bool Save(const QString& fileName, QString* error) const;

    std::array<uint8_t, UsedImageEnd> Bytes;
    std::array<uint8_t, PowerTableSize> PowerTable;
    QString ModelCode;
    QString SoftwareCode;
};
