#pragma once

#include "link/LinkPort.h"

#include <QSerialPort>

class QTimer;

// The radio's line over a real serial device (QSerialPort): 8 data bits, no parity, 2 stop bits,
// no flow control, DTR and RTS raised where the device has them, opened exclusively.
//
// Qt reports no framing, parity or break errors (it discards bytes with such errors), so the
// port watches the driver's error counters instead and signals LineError when they rise. A read
// or write that fails for good (the adapter unplugged, the other end of a pseudo-terminal
// closed) closes the port and signals Lost once.
class TSerialPort : public TLinkPort {
    Q_OBJECT
public:
    explicit TSerialPort(QObject* parent = nullptr);

    bool Open(const TLineSettings& settings, QString* error) override;
    void Close() override;
    bool IsOpen() const override;
    // FlushInput, FlushOutput, WriteBlock and ReadAvailable on a closed port first open it again
    // with the settings last given; when that fails they do nothing.
    void FlushInput() override;
    void FlushOutput() override;
    int OutputPending() override;
    bool WriteBlock(const QByteArray& bytes) override;
    QByteArray ReadAvailable() override;

    // Why the device could not be opened, in words a user can act on. accessDenied: the user
    // lacks read or write permission on the device file.
    static QString OpenErrorText(QSerialPort::SerialPortError error, const QString& device,
                                 bool accessDenied, const QString& systemText);
    // Whether the user lacks read or write permission on the device file.
    static bool AccessDenied(const QString& device);

protected:
    // The line errors counted by the driver so far (framing, parity, overrun, break); false
    // where the device keeps no count, as a pseudo-terminal.
    virtual bool ReadLineErrorCount(quint64* count) const;

private:
    QSerialPort* Port;
    QTimer* ErrorPoll;
    TLineSettings Settings;
    quint64 LineErrors = 0;
    bool Losing = false;

    bool Reopen();
    void CheckLineErrors();
    void PortReadyRead();
    void PortErrorOccurred(QSerialPort::SerialPortError error);
    void LoseDevice(const QString& reason);
};
