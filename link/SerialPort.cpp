#include "link/SerialPort.h"

#include "link/PortNames.h"
#include "link/PortTexts.h"

#include <QFile>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/ioctl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/serial.h>
#endif

namespace {

// Errors without received bytes (a radio answering at another speed) show in the counters only.
constexpr int LineErrorPollMs = 100;
// What the port holds of received bytes; past that it leaves them to the driver, so a device
// that floods the line cannot grow the program's memory.
constexpr qint64 ReceiveBufferSize = 4096;

} // namespace

TSerialPort::TSerialPort(QObject* parent)
    : TLinkPort(parent), Port(new QSerialPort(this)), ErrorPoll(new QTimer(this)) {
    ErrorPoll->setInterval(LineErrorPollMs);
    Port->setReadBufferSize(ReceiveBufferSize);
    connect(ErrorPoll, &QTimer::timeout, this, &TSerialPort::CheckLineErrors);
    connect(Port, &QSerialPort::readyRead, this, &TSerialPort::PortReadyRead);
    connect(Port, &QSerialPort::errorOccurred, this, &TSerialPort::PortErrorOccurred);
}

bool TSerialPort::Open(const TLineSettings& settings, QString* error) {
    Close();
    Settings = settings;
    const QString device = DevicePath(settings.Device);
    QString reason;
    if (device.isEmpty()) {
        reason = QStringLiteral("No serial device was named.");
    } else {
        Port->setPortName(device);
        Port->setBaudRate(settings.BaudRate);
        Port->setDataBits(QSerialPort::Data8);
        Port->setParity(QSerialPort::NoParity);
        Port->setStopBits(QSerialPort::TwoStop);
        Port->setFlowControl(QSerialPort::NoFlowControl);
        if (!Port->open(QIODevice::ReadWrite))
            reason = OpenErrorText(Port->error(), settings.Device, AccessDenied(device),
                                   Port->errorString());
    }
    if (!reason.isEmpty()) {
        if (error) *error = reason;
        return false;
    }
    // A pseudo-terminal has no modem lines and refuses both; the line works without them.
    Port->setDataTerminalReady(true);
    Port->setRequestToSend(true);
    Port->clearError();
    if (ReadLineErrorCount(&LineErrors)) ErrorPoll->start();
    return true;
}

void TSerialPort::Close() {
    Losing = false;
    ErrorPoll->stop();
    if (Port->isOpen()) Port->close();
}

bool TSerialPort::IsOpen() const {
    return Port->isOpen();
}

bool TSerialPort::Reopen() {
    return IsOpen() || Open(TLineSettings(Settings), nullptr);
}

void TSerialPort::FlushInput() {
    if (Reopen()) Port->clear(QSerialPort::Input);
}

void TSerialPort::FlushOutput() {
    if (Reopen()) Port->clear(QSerialPort::Output);
}

int TSerialPort::OutputPending() {
    if (!IsOpen()) return 0;
    int queued = 0;
#ifdef TIOCOUTQ
    if (::ioctl(Port->handle(), TIOCOUTQ, &queued) != 0) queued = 0;
#endif
    return int(Port->bytesToWrite()) + queued;
}

bool TSerialPort::WriteBlock(const QByteArray& bytes) {
    return Reopen() && Port->write(bytes) == bytes.size();
}

QByteArray TSerialPort::ReadAvailable() {
    return Reopen() ? Port->readAll() : QByteArray();
}

bool TSerialPort::ReadLineErrorCount(quint64* count) const {
#if defined(Q_OS_LINUX) && defined(TIOCGICOUNT)
    serial_icounter_struct counters{};
    if (::ioctl(Port->handle(), TIOCGICOUNT, &counters) != 0) return false;
    *count = quint64(counters.frame) + quint64(counters.parity) + quint64(counters.overrun) +
             quint64(counters.brk) + quint64(counters.buf_overrun);
    return true;
#else
    Q_UNUSED(count);
    return false;
#endif
}

// A count that went down (a driver that reset it) only moves the mark.
void TSerialPort::CheckLineErrors() {
    quint64 count = 0;
    if (!IsOpen() || !ReadLineErrorCount(&count)) return;
    const bool rose = count > LineErrors;
    LineErrors = count;
    if (rose) emit LineError();
}

// The error comes before the bytes that followed it; a handler that flushes the input gets no
// notice of bytes it has thrown away.
void TSerialPort::PortReadyRead() {
    if (ErrorPoll->isActive()) CheckLineErrors();
    if (!IsOpen()) return;
    const qint64 count = Port->bytesAvailable();
    if (count > 0) emit DataAvailable(int(count));
}

// Qt 6 reports a vanished device as ResourceError, and the end of a pseudo-terminal whose other
// side closed as ReadError, again and again until the port is closed. Refused modem lines
// (UnsupportedOperationError) and the errors of a failed open need no action here.
void TSerialPort::PortErrorOccurred(QSerialPort::SerialPortError error) {
    if (!Port->isOpen() || Losing) return;
    const QString device = Settings.Device;
    switch (error) {
    case QSerialPort::ResourceError:
        LoseDevice(
            QStringLiteral("The serial device %1 was unplugged or stopped working.").arg(device));
        break;
    case QSerialPort::ReadError:
        LoseDevice(QStringLiteral("The serial device %1 can no longer be read: it was unplugged "
                                  "or closed at its other end.")
                       .arg(device));
        break;
    case QSerialPort::WriteError:
        LoseDevice(QStringLiteral("The serial device %1 can no longer be written: it was "
                                  "unplugged or closed at its other end.")
                       .arg(device));
        break;
    default:
        break;
    }
}

// Closing inside Qt's own error notice would pull its buffer away under it, so the port closes
// right after. A Close or Open before then cancels the notice.
void TSerialPort::LoseDevice(const QString& reason) {
    Losing = true;
    ErrorPoll->stop();
    QMetaObject::invokeMethod(
        this,
        [this, reason] {
            if (!Losing) return;
            Close();
            emit Lost(reason);
        },
        Qt::QueuedConnection);
}

bool TSerialPort::AccessDenied(const QString& device) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) != 0 && errno == EACCES;
#else
    Q_UNUSED(device);
    return false;
#endif
}

QString TSerialPort::OpenErrorText(QSerialPort::SerialPortError error, const QString& device,
                                   bool accessDenied, const QString& systemText) {
    if (accessDenied) return TPortTexts().Text(TPortTexts::Permission).arg(device);
    switch (error) {
    case QSerialPort::PermissionError:
        return QStringLiteral("The serial device %1 is in use by another program.").arg(device);
    case QSerialPort::DeviceNotFoundError:
        return QStringLiteral("The serial device %1 does not exist. Check that the programming "
                              "cable is plugged in.")
            .arg(device);
    case QSerialPort::UnsupportedOperationError:
        return QStringLiteral("%1 is no serial device.").arg(device);
    default:
        return QStringLiteral("The serial device %1 cannot be opened: %2.").arg(device, systemText);
    }
}
