// Runs a read or a write of the radio on the fake port and clock with everything the line can
// do taken from the input: replies right, late, cut short, padded, garbled or missing, stray
// bytes, line errors, a lost device, ports that cannot be opened, clock advances, OK presses,
// question answers and closing at any moment. Besides crashes and sanitizer reports it traps
// when an exchange that did not complete a read changed the image, or a write changed more of it
// than the date stamp.

#include "tests/support/FakeLinkClock.h"
#include "tests/support/FakeLinkPort.h"
#include "core/MacType.h"
#include "core/Maindb.h"
#include "tests/support/RadioPeer.h"
#include "link/ReadExchange.h"
#include "link/WriteExchange.h"

#include <QTemporaryDir>
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int MaxOps = 400;
constexpr int MaxGoodFrames = 700; // more than a whole read or write needs
constexpr int SettleMs = 10000;
constexpr int SettleRounds = 10;
constexpr int StampStart = 0x1260;
constexpr int StampEnd = 0x1267;

const QByteArray RadioCodes[] = {"QX47", "QX48", "ABCD"};

// The program after start-up, made once; every run starts from a copy of its state.
TfMaindb& Program() {
    static QTemporaryDir folder;
    static TfMaindb db(folder.path() + QLatin1Char('/'));
    static const bool ready = [] {
        db.BuildStartImage();
        db.NewImage();
        // Another model with as many channels, so that a write can meet the force question.
        db.MacList.Add(std::make_unique<TMacType>(QStringLiteral("QX48"), QStringLiteral("QX48"),
                                                  db.All.ChannelCount));
        db.Now = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
        return true;
    }();
    Q_UNUSED(ready);
    return db;
}

QByteArray Bytes(FuzzedDataProvider& input, size_t most) {
    const std::string bytes =
        input.ConsumeBytesAsString(input.ConsumeIntegralInRange<size_t>(0, most));
    return QByteArray(bytes.data(), int(bytes.size()));
}

// How the radio answers one frame: the next good frames right after 30 ms, any other as the
// input says. With the input used up it answers nothing, so that every run ends soon.
QByteArray Tamper(FuzzedDataProvider& input, TRadioPeer& radio, TFakeLinkPort& port,
                  TFakeLinkClock& clock, const QByteArray& reply, int& goodFrames) {
    if (goodFrames > 0) {
        --goodFrames;
        radio.Delay = 30;
        return reply;
    }
    radio.Delay = input.ConsumeIntegralInRange(0, 1700);
    switch (input.ConsumeIntegralInRange(0, 7)) {
    case 0:
        return QByteArray();
    case 1:
    case 2:
        return reply;
    case 3:
        return reply.left(input.ConsumeIntegralInRange(0, int(reply.size())));
    case 4:
        return reply + Bytes(input, 40);
    case 5:
        return Bytes(input, 60);
    case 6:
        return Bytes(input, 4) + reply;
    default: {
        // The reply in two parts, the second some time after the first.
        const int cut = input.ConsumeIntegralInRange(0, int(reply.size()));
        const QByteArray rest = reply.mid(cut);
        clock.After(radio.Delay + input.ConsumeIntegralInRange(0, 1700),
                    [&port, rest] { port.Inject(rest); });
        return reply.left(cut);
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    TfMaindb& db = Program();
    static const TALL start = db.All;
    db.All = start;
    db.All.PortName = QStringLiteral("COM%1").arg(input.ConsumeIntegralInRange(1, 12));
    const bool reading = input.ConsumeBool();

    TFakeLinkClock clock;
    TFakeLinkPort port(clock);
    TRadioPeer radio(port, clock);
    std::copy(start.Image.begin(), start.Image.end(), radio.Memory.begin());
    int goodFrames = 0;
    radio.Tamper = [&](const QByteArray&, const QByteArray& reply) {
        return Tamper(input, radio, port, clock, reply, goodFrames);
    };

    std::unique_ptr<TLinkExchange> exchange;
    TReadExchange* read = nullptr;
    if (reading) {
        auto made = std::make_unique<TReadExchange>(db, port, clock);
        read = made.get();
        exchange = std::move(made);
    } else {
        exchange = std::make_unique<TWriteExchange>(db, port, clock);
    }
    exchange->ResolveLine = [](const TALL& all, TLineSettings* line, QString*) {
        line->Device = QStringLiteral("/dev/fake");
        line->BaudRate = all.BaudRate;
        return true;
    };
    exchange->Random = [&input](int bound) { return input.ConsumeIntegralInRange(0, bound - 1); };
    QObject::connect(exchange.get(), &TLinkExchange::ProgressChanged, [](int position, int most) {
        if (position < 0 || position > most) __builtin_trap();
    });

    exchange->Start();
    for (int op = 0; op < MaxOps && input.remaining_bytes() > 0; ++op) {
        switch (input.ConsumeIntegralInRange(0, 13)) {
        case 0:
            clock.Advance(input.ConsumeIntegralInRange(0, 3000));
            break;
        case 1:
            port.Inject(Bytes(input, 30));
            break;
        case 2:
            port.InjectLineError();
            break;
        case 3:
            port.Lose();
            break;
        case 4:
        case 5:
            exchange->Ok();
            break;
        case 6:
            exchange->Answer(input.ConsumeBool());
            break;
        case 7:
            port.Pending = input.ConsumeIntegralInRange(0, 5);
            break;
        case 8:
            port.WriteFails = input.ConsumeBool();
            break;
        case 9:
            port.OpenError = input.ConsumeBool() ? QStringLiteral("busy") : QString();
            break;
        case 10:
            radio.Memory[input.ConsumeIntegralInRange(0, UsedImageEnd - 1)] =
                input.ConsumeIntegral<uint8_t>();
            break;
        case 11:
            goodFrames = input.ConsumeIntegralInRange(0, MaxGoodFrames);
            break;
        case 12:
            radio.Code = RadioCodes[input.ConsumeIntegralInRange(0, 2)];
            break;
        default:
            if (input.ConsumeIntegralInRange(0, 7) == 0)
                exchange->Close();
            else
                exchange->Start();
            break;
        }
    }
    for (int round = 0; round < SettleRounds && !clock.Idle(); ++round)
        clock.Advance(SettleMs);
    exchange->Close();

    const TALL& after = db.All;
    if (reading && !read->Done()) {
        if (after.Image != start.Image || after.Modified != start.Modified ||
            after.ModelCode != start.ModelCode || after.BandEnable != start.BandEnable)
            __builtin_trap();
    }
    if (!reading) {
        for (int i = 0; i < ImageSize; ++i) {
            if ((i < StampStart || i >= StampEnd) && after.Image[i] != start.Image[i])
                __builtin_trap();
        }
        if (after.Modified != start.Modified) __builtin_trap();
    }
    return 0;
}
