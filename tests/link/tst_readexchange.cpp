// Reading the radio on the fake port and clock: the frames and their timing, the reply rules,
// every time-out and message, and what a completed, failed or cancelled read does to the image.

#include "link/LinkTimer.h"
#include "link/ReadExchange.h"
#include "link/TimerClock.h"
#include "link/WakeUp.h"
#include "tests/support/LinkSession.h"

#include <QRandomGenerator>
#include <QtTest>

using TSession = TLinkSession<TReadExchange>;

namespace {

constexpr int Blocks = TReadExchange::BlockCount;
constexpr int ChannelArea = 0x1190; // the channel records and the VFOs, untouched by derivations
constexpr int TailArea = 0x1220;    // blocks 290-296, after the band limits: copied as they are
constexpr uint8_t FileOnlyMark = 0x5A;

// A radio whose memory is a consistent image with channel bytes that differ from the PC's.
void FillRadio(TSession& s) {
    s.Radio.Memory = s.Db.All.Image;
    for (int i = 0; i < ChannelArea; ++i)
        s.Radio.Memory[i] = uint8_t(i * 7 + i / 16);
    for (int i = TailArea; i < FileOnlyBlockStart; ++i) // the serial number in block 296 too
        s.Radio.Memory[i] = uint8_t(i * 11 + 5);
    s.Radio.Memory[Addr::BandEnable] = 0x05;
    s.Radio.Memory[Addr::ManualFreq] = 0x01;
    s.Db.All.Image[FileOnlyBlockStart] = FileOnlyMark;
}

bool ChannelsFromRadio(const TSession& s) {
    const auto& memory = s.Radio.Memory;
    const auto& image = s.Db.All.Image;
    return std::equal(memory.begin(), memory.begin() + ChannelArea, image.begin()) &&
           std::equal(memory.begin() + TailArea, memory.begin() + FileOnlyBlockStart,
                      image.begin() + TailArea);
}

QStringList ExpectedFrames(const QString& secondWakeUp) {
    QStringList frames{QStringLiteral("PROGRAMa"), secondWakeUp, QStringLiteral("02"),
                       QStringLiteral("06")};
    for (int block = 0; block < Blocks; ++block) {
        frames << QStringLiteral("R %1").arg(block * 16, 4, 16, QLatin1Char('0')).toUpper()
               << QStringLiteral("06");
    }
    return frames << QStringLiteral("45");
}

} // namespace

class TstReadExchange : public QObject {
    Q_OBJECT

private slots:
    void completedRead() {
        TSession s;
        FillRadio(s);
        const qint64 ok = s.StartAndOk();
        QVERIFY(!s.Exchange.OkEnabled());
        s.Clock.Advance(60000);

        QCOMPARE(s.Sent(), ExpectedFrames(QStringLiteral("PROGRAMa")));
        const auto& frames = s.Port.Frames;
        QCOMPARE(frames[0].At, ok + 450 + 50 + 20);
        QCOMPARE(frames[1].At, frames[0].At + 200 + 20);
        for (size_t i = 2; i < frames.size(); ++i) // each reply after 30 ms, then the 20 ms gap
            QCOMPARE(frames[i].At - frames[i - 1].At, qint64(30 + 20));

        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ReadOk")});
        QCOMPARE(s.Shown[0].Message.Text, QStringLiteral("Reading Completed."));
        QCOMPARE(s.Shown[0].Message.Caption, s.Db.Language.Confirmation);
        QCOMPARE(s.Finishes, std::vector<bool>{true});
        QCOMPARE(s.Closes, std::vector<qint64>{frames.back().At + 300});

        // 0 on showing and on OK, one step per block but never above 296, 296 at the end
        std::vector<int> positions{0, 0};
        for (int block = 1; block <= Blocks; ++block)
            positions.push_back(std::min(block, 296));
        positions.push_back(296);
        QCOMPARE(s.Positions, positions);

        QVERIFY(s.Exchange.Done());
        QVERIFY(s.Db.All.Modified);
        QVERIFY(ChannelsFromRadio(s));
        QCOMPARE(s.Db.All.Image[FileOnlyBlockStart], FileOnlyMark);
        QVERIFY(s.Port.IsOpen());
        s.Exchange.Close();
        QVERIFY(!s.Port.IsOpen());
    }

    void wakeUpLetters_data() {
        QTest::addColumn<QString>("port");
        QTest::addColumn<char>("letter");
        QTest::newRow("COM1") << "COM1" << 'a';
        QTest::newRow("COM3") << "COM3" << 'c';
        QTest::newRow("lower case com9") << "com9" << 'i';
        QRandomGenerator same(7);
        QTest::newRow("COM12 random") << "COM12" << char('e' + same.bounded(5));
    }
    void wakeUpLetters() {
        QFETCH(QString, port);
        QFETCH(char, letter);
        TSession s(port);
        QRandomGenerator random(7);
        s.Exchange.Random = [&random](int bound) { return int(random.bounded(bound)); };
        s.StartAndOk();
        s.Clock.Advance(800);
        QCOMPARE(s.Sent().mid(0, 2),
                 (QStringList{QStringLiteral("PROGRAMa"), QStringLiteral("PROGRAM") + letter}));
    }

    void randomLetterStaysInRange() {
        TSession s;
        int next = 0;
        s.Exchange.Random = [&next](int bound) { return next++ % bound; };
        QSet<char> letters;
        for (int i = 0; i < 5; ++i)
            letters << MakeWakeUp(12, s.Exchange.Random).at(7);
        QCOMPARE(letters, (QSet<char>{'e', 'f', 'g', 'h', 'i'}));
        QCOMPARE(MakeWakeUp(0, s.Exchange.Random).left(7), QByteArray("PROGRAM"));
    }

    // Replies that are not exactly what the radio should send but still carry what counts.
    void tolerantReplies_data() {
        QTest::addColumn<QString>("tamper");
        QTest::newRow("ack as second byte of the wake-up reply") << "ack second";
        QTest::newRow("block reply with one byte too many") << "21 bytes";
        QTest::newRow("block reply of 48 bytes, the most that is stored") << "48 bytes";
        QTest::newRow("junk in the block reply's header") << "junk header";
        QTest::newRow("block reply in two pieces") << "split";
    }
    void tolerantReplies() {
        QFETCH(QString, tamper);
        TSession s;
        FillRadio(s);
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) -> QByteArray {
            if (tamper == QLatin1String("ack second") && frame.startsWith("PROGRAM"))
                return QByteArray("\x15\x06");
            if (frame.at(0) != 'R') return reply;
            if (tamper == QLatin1String("21 bytes")) return reply + '\x06';
            if (tamper == QLatin1String("48 bytes")) return reply.leftJustified(48, '\xFF');
            if (tamper == QLatin1String("junk header"))
                return QByteArray("\x06\x06\xFF\x00", 4) + reply.mid(4);
            s.Clock.After(s.Radio.Delay + 5, [&s, reply] { s.Port.Inject(reply.mid(7)); });
            return reply.left(7);
        };
        s.StartAndOk();
        s.Clock.Advance(60000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ReadOk")});
        QVERIFY(s.Exchange.Done());
        QVERIFY(ChannelsFromRadio(s));
    }

    // Replies during the blocks that are not taken: the read stops there and the reply time-out
    // tells ComError. Only the wake-up reply may carry its acknowledge in byte 1.
    void refusedBlockReplies_data() {
        QTest::addColumn<QString>("tamper");
        QTest::newRow("acknowledge in byte 1 after a block") << "ack second";
        QTest::newRow("block reply of 49 bytes") << "49 bytes";
    }
    void refusedBlockReplies() {
        QFETCH(QString, tamper);
        TSession s;
        FillRadio(s);
        bool block = false; // the frame before was R 0120
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) -> QByteArray {
            const bool after = block;
            block = frame.at(0) == 'R' && TRadioPeer::Address(frame) == 0x0120;
            if (tamper == QLatin1String("49 bytes") && block)
                return reply.leftJustified(49, '\xFF');
            if (tamper == QLatin1String("ack second") && after) return QByteArray("\x15\x06");
            return reply;
        };
        s.StartAndOk();
        s.Clock.Advance(60000);
        const QString last = tamper == QLatin1String("49 bytes") ? "R 0120" : "06";
        QCOMPARE(s.Sent().last(), last);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, s.Port.Frames.back().At + 1500);
        QCOMPARE(s.Finishes, std::vector<bool>{false});
        QVERIFY(!s.Db.All.Modified);
    }

    // OK and a line error drop what the line still holds from before: bytes received and bytes
    // queued for sending (here stuck, so without the flush every drain wait would last its
    // whole second).
    void flushesTheLine() {
        TSession s;
        FillRadio(s);
        std::vector<std::pair<int, int>> flushesAtWakeUp; // input, output
        bool failed = false;
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.startsWith("PROGRAM"))
                flushesAtWakeUp.emplace_back(s.Port.InputFlushes, s.Port.OutputFlushes);
            if (frame.at(0) != 'R' || TRadioPeer::Address(frame) != 0x00A0 || failed) return reply;
            failed = true;
            s.Clock.After(100, [&s] {
                s.Port.Pending = 8;
                s.Port.InjectLineError();
            });
            return QByteArray();
        };
        s.Exchange.Start();
        s.Clock.Advance(50);
        const std::pair<int, int> opened{s.Port.InputFlushes, s.Port.OutputFlushes};
        s.Port.Pending = 8;
        s.Exchange.Ok();
        s.Clock.Advance(60000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ReadOk")});
        // OK flushes once before the first wake-up; the line error and the retry's OK once each.
        const auto after = [&opened](int flushes) {
            return std::make_pair(opened.first + flushes, opened.second + flushes);
        };
        QCOMPARE(flushesAtWakeUp,
                 (std::vector<std::pair<int, int>>{after(1), after(1), after(3), after(3)}));
        QCOMPARE(s.Port.Frames[1].At - s.Port.Frames[0].At, qint64(200 + 20));
    }

    // Block 287 carries 0x11FE; a band byte other than 0xFF in the identification replaces it
    // (AND 0x55) before the bands are derived. 0x11FD follows the model's switch.
    void identByteAndManualFreq_data() {
        QTest::addColumn<int>("bandByte");
        QTest::addColumn<bool>("manualSelectable");
        QTest::addColumn<int>("bandEnable");
        QTest::addColumn<bool>("band3");
        QTest::addColumn<int>("manualFreq");
        QTest::newRow("no band byte") << 0xFF << true << 0x05 << false << 0x01;
        QTest::newRow("band byte 0xBF") << 0xBF << true << 0x15 << true << 0x01;
        QTest::newRow("manual frequency not selectable") << 0xFF << false << 0x05 << false << 0xFF;
    }
    void identByteAndManualFreq() {
        QFETCH(int, bandByte);
        QFETCH(bool, manualSelectable);
        QFETCH(int, bandEnable);
        QFETCH(bool, band3);
        QFETCH(int, manualFreq);
        TSession s;
        FillRadio(s);
        s.Radio.BandByte = uint8_t(bandByte);
        s.Db.All.ManualFreqSelectable = manualSelectable;
        s.StartAndOk();
        s.Clock.Advance(60000);
        QVERIFY(s.Exchange.Done());
        const TALL& all = s.Db.All;
        QCOMPARE(int(all.BandEnable), bandEnable);
        QCOMPARE(int(all.Image[Addr::BandEnable]), bandEnable);
        QCOMPARE(all.Bands[2].High != 0, band3);
        QCOMPARE(int(all.ManualFreq), manualFreq);
        QCOMPARE(int(all.Image[Addr::ManualFreq]), manualFreq);
        QCOMPARE(all.ModelCode, QStringLiteral("QX47"));
    }

    // No acknowledge to the wake-up, or no identification: 1.5 s, a 2.5 s pause, ComError, and
    // the dialog closes 300 ms later.
    void headTimeOut_data() {
        QTest::addColumn<QString>("silentTo");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("wake-up") << "PROGRAMa" << QStringList{"PROGRAMa", "PROGRAMa"};
        QTest::newRow("identification") << "02" << QStringList{"PROGRAMa", "PROGRAMa", "02"};
    }
    void headTimeOut() {
        QFETCH(QString, silentTo);
        QFETCH(QStringList, frames);
        TSession s;
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            return TSession::Describe(frame) == silentTo ? QByteArray() : reply;
        };
        s.StartAndOk();
        s.Clock.Advance(10000);
        QCOMPARE(s.Sent(), frames);
        const qint64 last = s.Port.Frames.back().At;
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, last + 1500 + 2500);
        QCOMPARE(s.Closes, std::vector<qint64>{last + 4300});
        QCOMPARE(s.Finishes, std::vector<bool>{false});
    }

    // A read that does not complete changes neither the image nor the model fields nor Modified.
    void unfinishedReadLeavesTheImage_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no reply to a block") << "silent" << QStringList{"ComError"} << true;
        QTest::newRow("port lost") << "lost" << QStringList{"ComError"} << true;
        QTest::newRow("cancelled") << "cancel" << QStringList{} << false;
        QTest::newRow("model not in the catalogue") << "model" << QStringList{"ModError"} << false;
    }
    void unfinishedReadLeavesTheImage() {
        QFETCH(QString, how);
        QFETCH(QStringList, keys);
        QFETCH(bool, closes);
        TSession s;
        FillRadio(s);
        TALL& all = s.Db.All;
        all.ModelName = QStringLiteral("before");
        all.BandEnable = 0x41;
        const auto image = all.Image;
        if (how == QLatin1String("model")) s.Radio.Code = "QX48";
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) != 'R' || TRadioPeer::Address(frame) != 100 * 16) return reply;
            if (how == QLatin1String("lost")) s.Clock.After(10, [&s] { s.Port.Lose(); });
            if (how == QLatin1String("cancel")) s.Clock.After(10, [&s] { s.Exchange.Close(); });
            return how == QLatin1String("silent") ? QByteArray() : reply;
        };
        s.StartAndOk();
        s.Clock.Advance(60000);

        QCOMPARE(s.Keys(), keys);
        QCOMPARE(s.Closes.size(), size_t(closes ? 1 : 0));
        QVERIFY(!s.Exchange.Done());
        QVERIFY(all.Image == image);
        QCOMPARE(all.ModelName, QStringLiteral("before"));
        QCOMPARE(int(all.BandEnable), 0x41);
        QVERIFY(!all.Modified);
        QVERIFY(!s.Sent().contains(QStringLiteral("R 0650")));
    }

    void blockTimeOutTiming() {
        TSession s;
        s.Radio.Tamper = [](const QByteArray& frame, const QByteArray& reply) {
            return frame.at(0) == 'R' && TRadioPeer::Address(frame) == 0x0100 ? QByteArray()
                                                                              : reply;
        };
        s.StartAndOk();
        s.Clock.Advance(10000);
        const qint64 sent = s.TimeOf(QStringLiteral("R 0100"));
        QCOMPARE(s.Sent().last(), QStringLiteral("R 0100")); // no end byte after a time-out
        QCOMPARE(s.Shown.at(0).At, sent + 1500);
        QCOMPARE(s.Closes, std::vector<qint64>{sent + 1800});
    }

    // The radio names a model the catalogue lacks: the end byte, ModError, the dialog stays
    // open with OK disabled, and later bytes start nothing.
    void wrongModelStops() {
        TSession s;
        s.Radio.Code = "QX48";
        s.StartAndOk();
        s.Clock.Advance(5000);
        QCOMPARE(s.Sent(), (QStringList{"PROGRAMa", "PROGRAMa", "02", "45"}));
        s.Port.Inject(QByteArray("\x06IQX47\0\xFF\0", 8));
        s.Clock.Advance(5000);
        QCOMPARE(s.Port.Frames.size(), size_t(4));
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ModError")});
        QVERIFY(s.Closes.empty());
        QVERIFY(!s.Exchange.OkEnabled());
        QCOMPARE(s.Finishes, std::vector<bool>{false});
    }

    // The first line error restarts the read 500 ms later without a message; the broken
    // attempt's reply timer, which would expire during the new wake-up, says nothing. The next
    // line error ends the read with ComError 1.5 s later.
    void lineErrors() {
        TSession s;
        FillRadio(s);
        std::vector<qint64> errors;
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) != 'R' || TRadioPeer::Address(frame) != 0x00A0 || errors.size() == 2)
                return reply;
            errors.push_back(s.Clock.Now() + 300);
            s.Clock.After(300, [&s] { s.Port.InjectLineError(); });
            return QByteArray();
        };
        s.StartAndOk();
        s.Clock.Advance(60000);

        QCOMPARE(errors.size(), size_t(2));
        const QStringList sent = s.Sent();
        const int retry = sent.indexOf(QStringLiteral("PROGRAMa"), 2);
        QCOMPARE(sent.at(retry - 1), QStringLiteral("R 00A0"));
        QCOMPARE(s.Port.Frames[retry].At, errors[0] + 500 + 450 + 50 + 20);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, errors[1] + 1500);
        QCOMPARE(s.Closes, std::vector<qint64>{errors[1] + 1800});
        QCOMPARE(s.Finishes, std::vector<bool>{false});
        QCOMPARE(sent.last(), QStringLiteral("R 00A0"));
        QVERIFY(!s.Db.All.Modified);
    }

    void retriedReadCompletes() {
        TSession s;
        FillRadio(s);
        bool once = false;
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) == 'R' && !once) {
                once = true;
                s.Port.InjectLineError(); // arrives during the drain wait: held until it ends
            }
            return reply;
        };
        s.StartAndOk();
        s.Clock.Advance(60000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ReadOk")});
        QCOMPARE(s.Finishes, std::vector<bool>{true});
        QCOMPARE(s.Sent().count(QStringLiteral("PROGRAMa")), 4);
        QVERIFY(s.Exchange.Done());
        QVERIFY(ChannelsFromRadio(s));
    }

    // After each frame the read waits for the transmit buffer, 1 s at most, looking again every
    // millisecond once its bytes can have left; a reply that arrives meanwhile is handled when
    // the wait ends.
    void drainWait_data() {
        QTest::addColumn<int>("drainedAfter"); // -1: never
        QTest::addColumn<int>("wait");
        QTest::newRow("drained at once") << 0 << 0;
        QTest::newRow("drained after 45 ms") << 45 << 45;
        QTest::newRow("never drained") << -1 << 1000;
    }
    void drainWait() {
        QFETCH(int, drainedAfter);
        QFETCH(int, wait);
        TSession s;
        s.Radio.Tamper = [&](const QByteArray&, const QByteArray& reply) {
            s.Port.Pending = drainedAfter == 0 ? 0 : 8;
            if (drainedAfter > 0) s.Clock.After(drainedAfter, [&s] { s.Port.Pending = 0; });
            return reply;
        };
        s.StartAndOk();
        s.Clock.Advance(5000);
        const auto& frames = s.Port.Frames;
        QVERIFY(frames.size() >= 4);
        QCOMPARE(frames[1].At - frames[0].At, qint64(wait + 200 + 20));
        QCOMPARE(frames[2].At - frames[1].At, qint64(std::max(wait, 30) + 20));
        QCOMPARE(TSession::Describe(frames[3].Bytes), QStringLiteral("06"));
    }

    void portCannotBeOpened() {
        TSession s;
        s.Port.OpenError = QStringLiteral("Permission denied: join the dialout group.");
        s.Exchange.Start();
        s.Clock.Advance(1000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("PortError")});
        QCOMPARE(s.Shown[0].Message.Text,
                 QStringLiteral("Cannot Open Commcmication Port.\n"
                                "Permission denied: join the dialout group."));
        QCOMPARE(s.Closes, std::vector<qint64>{50 + 300});
        QVERIFY(!s.Exchange.OkEnabled());
        QVERIFY(s.Port.Frames.empty());
    }

    void portNameWithoutNumber() {
        TSession s(QStringLiteral("COMx"));
        s.Exchange.Start();
        s.Clock.Advance(1000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("PortError")});
        QCOMPARE(s.Port.Opens, 0);
    }

    // The timers of an exchange: a second start keeps the expiry, stop and start begin anew.
    void timerRules() {
        TFakeLinkClock clock;
        std::vector<qint64> fired;
        TLinkTimer timer(
            clock, 100, [&] { fired.push_back(clock.Now()); }, [&] { timer.Fire(); });
        timer.Start();
        clock.Advance(60);
        timer.Start();
        clock.Advance(60);
        QCOMPARE(fired, std::vector<qint64>{100});
        timer.Start();
        clock.Advance(60);
        timer.Stop();
        timer.Start();
        clock.Advance(200);
        QCOMPARE(fired, (std::vector<qint64>{100, 280}));
    }

    // The program's clock: callbacks run from the event loop, a cancelled one never, and a
    // callback may cancel another or ask for a new one.
    void timerClock() {
        TTimerClock clock;
        QStringList ran;
        int second = 0;
        clock.After(0, [&] {
            ran << "first";
            clock.Cancel(second);
            clock.After(0, [&] { ran << "third"; });
        });
        second = clock.After(0, [&] { ran << "second"; });
        clock.Cancel(clock.After(0, [&] { ran << "cancelled"; }));
        clock.Cancel(12345);
        for (int i = 0; i < 20 && ran.size() < 2; ++i)
            QCoreApplication::processEvents();
        QCOMPARE(ran, (QStringList{"first", "third"}));
        QVERIFY(clock.Now() >= 0);
    }
};

QTEST_GUILESS_MAIN(TstReadExchange)
#include "tst_readexchange.moc"
