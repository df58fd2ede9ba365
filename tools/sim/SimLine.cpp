#include "tools/sim/SimLine.h"

#include <QSocketNotifier>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int BitsPerByte = 11;
constexpr qint64 NsPerSecond = 1000000000;
constexpr qint64 NsPerMs = 1000000;
constexpr int RetryMs = 10; // the pseudo-terminal's buffer was full

// Timers count whole milliseconds. They are started for the whole milliseconds left, and the
// rest, less than one, is waited out here, so a byte leaves or a frame arrives on time instead
// of up to a millisecond late at every step.
int WholeMsUntil(qint64 dueNs, qint64 nowNs) {
    return int((dueNs - nowNs) / NsPerMs);
}
void WaitUntil(const QElapsedTimer& clock, qint64 dueNs) {
    if (dueNs - clock.nsecsElapsed() >= NsPerMs) return;
    while (clock.nsecsElapsed() < dueNs) {
    }
}

QString SystemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

} // namespace

TSimLine::TSimLine() {
    Timer.setSingleShot(true);
    Timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&Timer, &QTimer::timeout, [this] { Pump(); });
    ArrivalTimer.setSingleShot(true);
    ArrivalTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ArrivalTimer, &QTimer::timeout, [this] { Deliver(); });
    Clock.start();
}

TSimLine::~TSimLine() {
    Reader.reset();
    if (Slave >= 0) ::close(Slave);
    if (Master >= 0) ::close(Master);
}

bool TSimLine::Open(QString* error) {
    Master = posix_openpt(O_RDWR | O_NOCTTY);
    if (Master < 0 || grantpt(Master) != 0 || unlockpt(Master) != 0) {
        *error = SystemError("pseudo-terminal");
        return false;
    }
    const char* name = ptsname(Master);
    if (!name) {
        *error = SystemError("ptsname");
        return false;
    }
    Path = QString::fromLocal8Bit(name);
    Slave = ::open(name, O_RDWR | O_NOCTTY);
    termios settings{};
    if (Slave < 0 || tcgetattr(Slave, &settings) != 0) {
        *error = SystemError(name);
        return false;
    }
    cfmakeraw(&settings);
    settings.c_cflag |= CSTOPB | CLOCAL | CREAD;
    if (tcsetattr(Slave, TCSANOW, &settings) != 0 ||
        fcntl(Master, F_SETFL, fcntl(Master, F_GETFL) | O_NONBLOCK) != 0) {
        *error = SystemError(name);
        return false;
    }
    Reader = std::make_unique<QSocketNotifier>(Master, QSocketNotifier::Read);
    QObject::connect(Reader.get(), &QSocketNotifier::activated, [this] { Receive(); });
    return true;
}

void TSimLine::SetPace(int baudRate) {
    ByteNs = baudRate > 0 ? BitsPerByte * NsPerSecond / baudRate : 0;
}

void TSimLine::Send(const QByteArray& bytes) {
    if (bytes.isEmpty()) return;
    if (Queue.isEmpty()) NextNs = std::max(NextNs, Clock.nsecsElapsed() + ByteNs);
    Queue += bytes;
    if (!Timer.isActive()) Pump();
}

void TSimLine::Receive() {
    QByteArray received;
    char buffer[256];
    for (;;) {
        const ssize_t count = ::read(Master, buffer, sizeof buffer);
        if (count > 0) {
            received.append(buffer, int(count));
            continue;
        }
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            Reader->setEnabled(false);
            if (OnError) OnError(SystemError("reading the pseudo-terminal"));
        }
        break;
    }
    if (received.isEmpty()) return;
    if (ByteNs == 0) {
        if (OnReceived) OnReceived(received);
        return;
    }
    ArrivedNs = std::max(ArrivedNs, Clock.nsecsElapsed()) + received.size() * ByteNs;
    Arriving.emplace_back(ArrivedNs, received);
    if (!ArrivalTimer.isActive()) Deliver();
}

void TSimLine::Deliver() {
    if (!Arriving.empty()) WaitUntil(Clock, Arriving.front().first);
    const qint64 now = Clock.nsecsElapsed();
    while (!Arriving.empty() && Arriving.front().first <= now) {
        const QByteArray bytes = std::move(Arriving.front().second);
        Arriving.pop_front();
        if (OnReceived) OnReceived(bytes);
    }
    if (!Arriving.empty()) ArrivalTimer.start(WholeMsUntil(Arriving.front().first, now));
}

void TSimLine::Pump() {
    if (ByteNs > 0 && !Queue.isEmpty()) WaitUntil(Clock, NextNs);
    const qint64 now = Clock.nsecsElapsed();
    qsizetype due = Queue.size();
    if (ByteNs > 0) due = now < NextNs ? 0 : std::min<qsizetype>(due, (now - NextNs) / ByteNs + 1);
    if (due > 0) {
        const ssize_t written = ::write(Master, Queue.constData(), size_t(due));
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            if (OnError) OnError(SystemError("writing the pseudo-terminal"));
            return;
        }
        if (written > 0) {
            Queue.remove(0, written);
            NextNs += written * ByteNs;
        }
        if (written < due) {
            Timer.start(RetryMs);
            return;
        }
    }
    if (Queue.isEmpty()) {
        if (OnDrained) OnDrained();
        return;
    }
    Timer.start(WholeMsUntil(NextNs, now));
}
