#pragma once

#include <QString>
#include <array>
#include <cstdint>

// Image geometry shared by every part of the program.
constexpr int ImageSize = 0x16C2;
constexpr int BlockSize = 16;
constexpr int UsedImageEnd = 0x12A0;       // offsets 0x0000-0x129F (blocks 0 to 297) are used
constexpr int FileOnlyBlockStart = 0x1290; // block 297 never goes to or comes from the radio
constexpr int MemoryChannelMax = 128;
constexpr int VfoLow = 129;  // "Freq_Down"
constexpr int VfoHigh = 130; // "Freq_Up"
constexpr int BandCount = 4;

// Image addresses of the regions that more than one unit reads or writes.
namespace Addr {
constexpr int PresentMap = 0x1190;
constexpr int ScanMap = 0x11A0;
constexpr int FmPresentMap = 0x11B0;
constexpr int FmLow = 0x11B4;
constexpr int FmHigh = 0x11B6;
constexpr int OptionArea = 0x11B8;
constexpr int Identity = 0x11F8;
constexpr int ManualFreq = 0x11FD;
constexpr int BandEnable = 0x11FE;
constexpr int BandLimits = 0x1200;
constexpr int DateStamp = 0x1260;
constexpr int Serial = 0x1280;
} // namespace Addr

// A frequency band in MHz; (0, 0) means the band is off.
struct TBand {
    double Low = 0.0;
    double High = 0.0;
};

// The one state object of a run: settings in use, facts of the selected model, switches of the
// built-in model, the modified flag and the radio's memory image. Every unit reads and writes
// its fields directly.
class TALL {
public:
    QString LanguageName;
    int32_t LanguageIndex = 0;
    bool LanguageMenuVisible = false;
    int32_t CurrentChannel = 0;
    QString PortName;
    QString ProgramFolder;
    QString DisplayName;
    int32_t ChannelCount = 0;
    QString ModelName;
    QString BandText;
    uint8_t BandEnable = 0;
    uint8_t ManualFreq = 0;
    uint8_t ModelBandMask = 0;
    uint8_t DefaultManualFreq = 0;
    bool ManualFreqSelectable = false;
    std::array<TBand, BandCount> Bands{};
    double FmLow = 0.0;
    double FmHigh = 0.0;
    QString ModelCode;
    int32_t BaudRate = 0;
    bool DtmfDecodeVisible = false;
    bool Modified = false;
    QString SoftwareCode;
    QString SnStart;
    int32_t SnIndex = 0;
    int32_t SnCount = 0;
    bool TestMenuVisible = false;
    bool SerialEditable = false;
    std::array<uint8_t, ImageSize> Image{};
};
