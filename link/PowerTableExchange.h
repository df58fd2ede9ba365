#pragma once

#include "link/LinkMachine.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TALL;

// A frequency segment of the power test: a band piece of at most 10 MHz and the row of the
// radio's power table that holds its two power values.
struct TPowerSegment {
    QString Text; // "136.000 -- 140.000MHz"
    int Row = 0;  // the number formed by the text's first two characters
};

// The segments of the bands of the current model: bands 1, 2, 3 and then 0, each when its lower
// edge is not 0, cut at every multiple of 10 MHz. A piece whose row has no place in the power
// table (its text does not start with two digits, or the row is above 64) is left out.
std::vector<TPowerSegment> PowerSegments(const TALL& all);

// The online power test as a state machine apart from its dialog. Online reads the radio's
// power-setting table (65 blocks of 16 bytes); SetLevel writes one value of it; Finish ends
// programming mode and asks the view to close. Each runs a short script of frames, slot by
// slot: a wake-up with a fresh random letter, the requests, the end byte. The port is opened by
// Online and stays open until the dialog closes or the user gives up after a time-out.
//
// Every frame goes out without a pause before it and is followed by the drain wait (20 ms polls,
// 50 at most) and 20 ms more. A reply not accepted within 1500 ms asks ComError as a Retry/Cancel
// question: Retry sends the script again from its wake-up (an interrupted table read goes on at
// the block that failed), Cancel closes the port 300 ms later.
//
// The view drives it with Online, SetLevel, Finish, Answer and Close, and follows the signals.
// While a script runs (Running) the view keeps its controls disabled and the inputs are ignored.
// A script given up with Cancel takes no reply any more.
class TPowerTableExchange : public TLinkMachine {
    Q_OBJECT
public:
    static constexpr int TableBlocks = 65;
    static constexpr int TableSize = TableBlocks * 16;
    // Where a row keeps its two values: row * 16 + level. They are the track bars' tags.
    static constexpr int LowPower = 10;
    static constexpr int HighPower = 12;

    enum class TScriptKind { Online, SetLevel, Finish };

    TPowerTableExchange(TfMaindb& db, TLinkPort& port, TLinkClock& clock, QObject* parent = nullptr);

    // "Online": opens the port (PortError with the reason when it cannot), then after 200 ms
    // reads the power table.
    void Online();
    // A value the user set: stored into the table and written to the radio. Level is LowPower or
    // HighPower, value 0 to 255; anything else is ignored.
    void SetLevel(int row, int level, int value);
    // "Close": the wake-up and the end byte when the port is open. CloseRequested follows 500 ms
    // after the wake-up's send and drain wait, whatever the radio answers; with the port not
    // open, nothing is sent and it follows 500 ms after the call.
    void Finish();
    // Closing the view by any means: stops everything and closes the port.
    void Close() { Shutdown(); }

    bool Running() const { return Busy; }
    bool PortOpen() const { return Port.IsOpen(); }
    // The power table as read and changed; all zero until read.
    int PowerValue(int row, int level) const;

signals:
    void PortOpenChanged(bool open);
    void ProgressChanged(int position, int maximum);
    void ProgressShown(bool shown);
    // The dialog's panel cxAll.
    void ControlsEnabled(bool enabled);
    // The segment list, the segment text, the track bars and the edits: live only while the
    // table has been read and the port is open.
    void ValuesEnabled(bool enabled);
    // The Online script has ended: the table has been read.
    void TableRead();
    void CloseRequested();

private:
    enum class TReplyKind { Ack, TableBlock, NoReply };
    struct TSlot {
        QByteArray Frame;
        int ReplyLen = 0;
        TReplyKind ReplyKind = TReplyKind::NoReply;
        int NextBlock = 0; // TableBlock: the next block to request
        int LastBlock = 0;
    };

    std::array<uint8_t, TableSize> PowerTable{};
    std::vector<TSlot> Slots;
    int CurSlot = 0;
    TScriptKind ScriptKind = TScriptKind::Online;
    std::array<uint8_t, 79> RxBuf{};
    int RxCount = 0;
    int Expected = 0;
    int Position = 0;
    int Maximum = 0;
    bool Busy = false;
    bool WasOpen = false;

    TLinkTimer& TryTimer;
    TLinkTimer& ErrsTimer;
    TLinkTimer& YesTimer;
    TLinkTimer& CloseTimer;

    void BuildScript(TScriptKind kind, int address = 0, int value = 0);
    void StartScript(std::function<void()> then);
    void SendSlot(std::function<void()> then);
    void BytesArrived() override;
    void PortLost() override;
    bool AcceptReply(TSlot& slot);
    void SendNextSlot();
    void TryTimerExpired();
    void Retry();
    void Cancel();
    void ErrsTimerExpired();
    void YesTimerExpired();
    void SetBusy(bool busy);
    void SetProgress(int position);
    void NotePortState();
};
