#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

// The line every exchange with the radio uses: 8 data bits, no parity, 2 stop bits, no flow
// control, DTR and RTS raised where the device has them.
struct TLineSettings {
    QString Device; // a device path such as /dev/ttyUSB0, resolved from "COM" + number
    int BaudRate = 4800;
};

// The serial-port operations the radio exchanges use. One implementation runs over
// QSerialPort; tests use a fake that records frames and injects replies.
class TLinkPort : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Opens exclusively with the settings; false with a reason when it cannot.
    virtual bool Open(const TLineSettings& settings, QString* error) = 0;
    // Closing a closed port does nothing.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual void FlushInput() = 0;
    virtual void FlushOutput() = 0;
    // Bytes not yet on the wire, the kernel's transmit queue included; 0 when closed.
    virtual int OutputPending() = 0;
    // Queues the bytes for transmission and returns at once.
    virtual bool WriteBlock(const QByteArray& bytes) = 0;
    // Takes every received byte not yet taken.
    virtual QByteArray ReadAvailable() = 0;

signals:
    // Received bytes are waiting; count is how many.
    void DataAvailable(int count);
    // A framing, parity or overrun error or a break on the line.
    void LineError();
    // The device is gone (unplugged) or failed for good.
    void Lost(const QString& reason);
};
