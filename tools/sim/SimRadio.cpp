#include "tools/sim/SimRadio.h"

#include <algorithm>

namespace {

const QByteArray WakeUpWord = QByteArrayLiteral("PROGRAM");
constexpr int WakeUpLength = 8; // "PROGRAM" and a letter
constexpr int FrameHeader = 4;  // command, address high byte, address low byte, length byte
constexpr char AckByte = 0x06;
constexpr char BlockLength = 0x10;
constexpr char ValueLength = 0x01;
constexpr char BlockReplyFirst = 'W';
constexpr char PowerReplyFirst = 'X';
constexpr char BadPowerReplyFirst = 'S';

bool WakeUpLetter(char c) {
    return c >= 'a' && c <= 'i';
}

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString AddressText(int address) {
    return QString::asprintf("0x%04X", address);
}

// The 16 bytes at address of a memory, 0xFF beyond its end.
template <size_t N> QByteArray Peek(const std::array<uint8_t, N>& memory, int address) {
    QByteArray data(BlockSize, char(0xFF));
    for (int i = 0; i < BlockSize && address + i < int(N); ++i)
        data[i] = char(memory[size_t(address + i)]);
    return data;
}

} // namespace

const TSimRadio::TRequest TSimRadio::Requests[] = {
    {'P', WakeUpLength, 0, true, &TSimRadio::WakeUp},
    {0x02, 1, 0, false, &TSimRadio::Identify},
    {AckByte, 1, 0, false, &TSimRadio::Acknowledge},
    {'R', FrameHeader, BlockLength, false, &TSimRadio::ReadBlock},
    {'W', FrameHeader + BlockSize, BlockLength, false, &TSimRadio::WriteBlock},
    {'S', FrameHeader, BlockLength, false, &TSimRadio::ReadPower},
    {'X', FrameHeader + 1, ValueLength, false, &TSimRadio::WritePower},
    {'E', 1, 0, false, &TSimRadio::End},
};

TSimRadio::TSimRadio(const TSimMemory& memory, const TOptions& options)
    : Mem(memory), Options(options) {}

QByteArray TSimRadio::Feed(const QByteArray& bytes, qint64 nowMs) {
    if (!Pending.isEmpty() && nowMs - LastByteMs > FrameGapMs) {
        Log(Pending, QStringLiteral("incomplete frame dropped"));
        Pending.clear();
    }
    LastByteMs = nowMs;
    Pending += bytes;
    QByteArray answer;
    QByteArray ignored;
    const auto logIgnored = [&] {
        if (!ignored.isEmpty()) Log(ignored, QStringLiteral("ignored"));
        ignored.clear();
    };
    while (!Pending.isEmpty()) {
        const TRequest* request = FindRequest(Pending[0]);
        if (!request || !Plausible(*request)) {
            ignored += Pending[0];
            Pending.remove(0, 1);
            continue;
        }
        logIgnored();
        if (Pending.size() < request->Length) break;
        const QByteArray frame = Pending.left(request->Length);
        Pending.remove(0, request->Length);
        answer += Handle(*request, frame);
    }
    logIgnored();
    return answer;
}

const TSimRadio::TRequest* TSimRadio::FindRequest(char first) const {
    for (const TRequest& request : Requests) {
        if (request.First == first && (InProgramming || request.WhileIdle)) return &request;
    }
    return nullptr;
}

// A wake-up must spell "PROGRAM" and end in a letter from 'a' to 'i'; any other bytes that start
// with 'P' are noise.
bool TSimRadio::Plausible(const TRequest& request) const {
    if (request.Answer != &TSimRadio::WakeUp) return true;
    const int word = std::min<int>(Pending.size(), WakeUpWord.size());
    return Pending.left(word) == WakeUpWord.left(word) &&
           (Pending.size() <= WakeUpWord.size() || WakeUpLetter(Pending[WakeUpWord.size()]));
}

QByteArray TSimRadio::Handle(const TRequest& request, const QByteArray& frame) {
    ++Frames;
    QString what;
    QByteArray reply;
    if (Options.SilentAfter >= 0 && Frames > Options.SilentAfter)
        what = QStringLiteral("not answered: the radio hangs");
    else if (request.LengthByte && frame[3] != request.LengthByte)
        what = QStringLiteral("wrong length byte, not answered");
    else
        reply = (this->*request.Answer)(frame, what);
    Log(frame, what, reply);
    if (EndedWithWrites) {
        const bool written = *EndedWithWrites;
        EndedWithWrites.reset();
        if (OnEnd) OnEnd(written);
    }
    return reply;
}

void TSimRadio::Log(const QByteArray& bytes, const QString& what, const QByteArray& reply) const {
    if (!OnLog) return;
    QString line = Hex(bytes) + QLatin1String("  ") + what;
    if (!reply.isEmpty()) line += QLatin1String("  -> ") + Hex(reply);
    OnLog(line);
}

QByteArray TSimRadio::Ack() const {
    return Options.JunkAck ? QByteArray(1, JunkByte) + AckByte : QByteArray(1, AckByte);
}

int TSimRadio::Address(const QByteArray& frame) {
    return uint8_t(frame[1]) << 8 | uint8_t(frame[2]);
}

QByteArray TSimRadio::WakeUp(const QByteArray& frame, QString& what) {
    InProgramming = true;
    what = QStringLiteral("wake-up, letter %1").arg(QLatin1Char(frame[WakeUpWord.size()]));
    return Ack();
}

QByteArray TSimRadio::Identify(const QByteArray&, QString& what) {
    const QString code = Options.ModelCode.isEmpty() ? Mem.ModelCode : Options.ModelCode;
    what = QStringLiteral("identification");
    return 'P' + code.toLatin1().leftJustified(4, ' ', true) + '\0' + char(Options.BandByte) + '\0';
}

QByteArray TSimRadio::Acknowledge(const QByteArray&, QString& what) {
    what = QStringLiteral("acknowledge");
    return Ack();
}

QByteArray TSimRadio::ReadBlock(const QByteArray& frame, QString& what) {
    const int address = Address(frame);
    what = QStringLiteral("read ") + AddressText(address);
    return BlockReplyFirst + frame.mid(1, FrameHeader - 1) + Peek(Mem.Bytes, address);
}

QByteArray TSimRadio::WriteBlock(const QByteArray& frame, QString& what) {
    const int address = Address(frame);
    for (int i = 0; i < BlockSize && address + i < int(Mem.Bytes.size()); ++i)
        Mem.Bytes[size_t(address + i)] = uint8_t(frame[FrameHeader + i]);
    Written = true;
    what = QStringLiteral("write ") + AddressText(address);
    return Ack();
}

QByteArray TSimRadio::ReadPower(const QByteArray& frame, QString& what) {
    const int address = Address(frame);
    what = QStringLiteral("power-table read ") + AddressText(address);
    const char first = Options.BadPowerReply ? BadPowerReplyFirst : PowerReplyFirst;
    return first + frame.mid(1, FrameHeader - 1) + Peek(Mem.PowerTable, address);
}

QByteArray TSimRadio::WritePower(const QByteArray& frame, QString& what) {
    const int address = Address(frame);
    const uint8_t value = uint8_t(frame[FrameHeader]);
    if (address < TSimMemory::PowerTableSize) Mem.PowerTable[size_t(address)] = value;
    what = QStringLiteral("power-table write ") + AddressText(address) +
           QStringLiteral(" := %1").arg(value);
    return Ack();
}

QByteArray TSimRadio::End(const QByteArray&, QString& what) {
    InProgramming = false;
    EndedWithWrites = Written;
    Written = false;
    what = QStringLiteral("end");
    return {};
}
