#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <utility>

class QSocketNotifier;

// The radio's end of a pseudo-terminal: creates the pair in raw mode, hands over the bytes the
// PC sends and sends the answers back, optionally paced at the rate of a real serial line in both
// directions (a byte the PC writes is handed over once it would have crossed the line). It
// keeps a handle on the PC's end itself, so the PC may open and close it as often as it likes.
class TSimLine {
public:
    TSimLine();
    ~TSimLine();
    TSimLine(const TSimLine&) = delete;
    TSimLine& operator=(const TSimLine&) = delete;

    bool Open(QString* error);
    // The device the PC opens, such as /dev/pts/3.
    QString DevicePath() const { return Path; }
    // Each byte takes 11 bit times (start, 8 data, 2 stop) each way; 0 = no pacing.
    void SetPace(int baudRate);
    void Send(const QByteArray& bytes);
    bool Idle() const { return Queue.isEmpty(); }

    std::function<void(const QByteArray& bytes)> OnReceived;
    // Everything queued has been handed to the pseudo-terminal.
    std::function<void()> OnDrained;
    // The pseudo-terminal failed for good.
    std::function<void(const QString& reason)> OnError;

private:
    void Receive();
    void Deliver();
    void Pump();

    int Master = -1;
    int Slave = -1;
    QString Path;
    std::unique_ptr<QSocketNotifier> Reader;
    QTimer Timer;
    QElapsedTimer Clock;
    QByteArray Queue;
    qint64 ByteNs = 0;
    qint64 NextNs = 0; // when the byte at the head of Queue has crossed the line
    // Bytes from the PC still on their way, each chunk with the time its last byte arrives.
    std::deque<std::pair<qint64, QByteArray>> Arriving;
    QTimer ArrivalTimer;
    qint64 ArrivedNs = 0; // when the last byte received so far has crossed the line
};
