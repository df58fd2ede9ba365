// Writing the image to the radio on the fake port and clock: the block frames, the date stamp,
// the model classification with its question, the failures and the progress.

#include "core/MacList.h"
#include "link/WriteExchange.h"
#include "tests/support/LinkSession.h"

#include <QtTest>

using TSession = TLinkSession<TWriteExchange>;

namespace {

constexpr int Blocks = TWriteExchange::BlockCount;
const QDateTime StampTime(QDate(2024, 3, 5), QTime(14, 7, 9));
const QByteArray Stamp("\xE8\x07\x03\x05\x0E\x07\x09", 7);

void PrepareImage(TSession& s) {
    s.Db.Now = [] { return StampTime; };
    for (int i = 0; i < UsedImageEnd; ++i)
        s.Db.All.Image[i] = uint8_t(i * 13 + i / 16);
}

QByteArray ImageBytes(const TSession& s, int at, int count) {
    return QByteArray(reinterpret_cast<const char*>(&s.Db.All.Image[at]), count);
}

// A second catalogue model with the built-in one's channel count, made the current model.
void CurrentModelQX48(TSession& s, int channelCount) {
    s.Db.MacList.Add(std::make_unique<TMacType>(QStringLiteral("QX48"), QStringLiteral("X"), 128));
    s.Db.All.ModelCode = QStringLiteral("QX48");
    s.Db.All.ChannelCount = channelCount;
}

} // namespace

class TstWriteExchange : public QObject {
    Q_OBJECT

private slots:
    void completedWrite() {
        TSession s;
        PrepareImage(s);
        QByteArray stampAtBlock0;
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) == 'W' && TRadioPeer::Address(frame) == 0)
                stampAtBlock0 = ImageBytes(s, Addr::DateStamp, 7);
            return reply;
        };
        const qint64 ok = s.StartAndOk();
        s.Clock.Advance(60000);

        QStringList expected{"PROGRAMa", "PROGRAMa", "02", "06"};
        for (int block = 0; block < Blocks; ++block)
            expected << QStringLiteral("W %1").arg(block * 16, 4, 16, QLatin1Char('0')).toUpper();
        expected << "45";
        QCOMPARE(s.Sent(), expected);
        QCOMPARE(s.Sent().at(expected.size() - 2), QStringLiteral("W 1260"));

        const auto& frames = s.Port.Frames;
        QCOMPARE(frames[0].At, ok + 450 + 50 + 20);
        QCOMPARE(frames[1].At, frames[0].At + 200 + 20);
        for (size_t i = 2; i < frames.size(); ++i)
            QCOMPARE(frames[i].At - frames[i - 1].At, qint64(30 + 20));
        for (int block = 0; block < Blocks; ++block) {
            const QByteArray& frame = frames[4 + block].Bytes;
            QCOMPARE(frame.size(), 20);
            QCOMPARE(frame.mid(3), '\x10' + ImageBytes(s, block * 16, 16));
        }

        QCOMPARE(stampAtBlock0, Stamp);
        QCOMPARE(ImageBytes(s, Addr::DateStamp, 7), Stamp);
        QCOMPARE(frames[4 + 294].Bytes.mid(4, 7), Stamp);
        QVERIFY(std::equal(s.Radio.Memory.begin(), s.Radio.Memory.begin() + Blocks * 16,
                           s.Db.All.Image.begin()));
        QVERIFY(!s.Db.All.Modified);

        QCOMPARE(s.Keys(), QStringList{QStringLiteral("WriteOk")});
        QCOMPARE(s.Shown[0].Message.Text, QStringLiteral("Writing Completed."));
        QCOMPARE(s.Finishes, std::vector<bool>{true});
        QVERIFY(s.Closes.empty());
        // 0 on showing and on OK, one step per frame sent but never above 294, 294 when done,
        // 0 after the message
        std::vector<int> positions{0, 0};
        for (int block = 1; block <= Blocks; ++block)
            positions.push_back(std::min(block, 294));
        positions.insert(positions.end(), {294, 0});
        QCOMPARE(s.Positions, positions);
        QVERIFY(s.Exchange.OkEnabled());

        // ready for another write
        s.Exchange.Ok();
        s.Clock.Advance(60000);
        QCOMPARE(s.Finishes, (std::vector<bool>{true, true}));
    }

    // The radio's model against the current one: the same goes on, a compatible one after a
    // Yes (answered at once or later), anything else ends with the end byte and ModError.
    void modelClassification_data() {
        QTest::addColumn<QByteArray>("radioCode");
        QTest::addColumn<int>("channelCount"); // 0: current model stays QX47
        QTest::addColumn<int>("answer");       // -1 no question, 1 Yes, 0 No
        QTest::addColumn<int>("answerAfter");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("endByte");
        QTest::addColumn<bool>("closes");
        QTest::newRow("same") << QByteArray("QX47") << 0 << -1 << 0 << QStringList{"WriteOk"}
                              << true << true << false;
        QTest::newRow("compatible, Yes later")
            << QByteArray("QX47") << 128 << 1 << 5000 << QStringList{"Modforce", "WriteOk"} << true
            << true << false;
        QTest::newRow("compatible, No") << QByteArray("QX47") << 128 << 0 << 0
                                        << QStringList{"Modforce"} << false << false << true;
        QTest::newRow("other channel count") << QByteArray("QX47") << 64 << -1 << 0
                                             << QStringList{"ModError"} << false << true << true;
        QTest::newRow("unknown code") << QByteArray("ZZ99") << 0 << -1 << 0
                                      << QStringList{"ModError"} << false << true << true;
    }
    void modelClassification() {
        QFETCH(QByteArray, radioCode);
        QFETCH(int, channelCount);
        QFETCH(int, answer);
        QFETCH(int, answerAfter);
        QFETCH(QStringList, keys);
        QFETCH(bool, written);
        QFETCH(bool, endByte);
        QFETCH(bool, closes);
        TSession s;
        PrepareImage(s);
        const auto image = s.Db.All.Image;
        if (channelCount != 0) CurrentModelQX48(s, channelCount);
        s.Radio.Code = radioCode;
        if (answer >= 0) s.Answers.push_back(answer == 1);
        s.AnswerAfter = answerAfter;
        s.StartAndOk();
        s.Clock.Advance(2000);
        const size_t beforeAnswer = s.Port.Frames.size();
        s.Clock.Advance(60000);

        QCOMPARE(s.Keys(), keys);
        if (answer >= 0) {
            const TLinkMessage& question = s.Shown[0].Message;
            QCOMPARE(question.Kind, int(MessageKind::YesNo));
            QCOMPARE(question.Text,
                     QStringLiteral("Model Type Wrong.Do you wish to Force write data?"));
            QCOMPARE(beforeAnswer, size_t(3)); // nothing goes out while the question waits
        }
        QCOMPARE(s.Sent().contains(QStringLiteral("W 0000")), written);
        QCOMPARE(s.Sent().last() == QStringLiteral("45"), endByte);
        QCOMPARE(s.Closes.size(), size_t(closes ? 1 : 0));
        QCOMPARE(s.Finishes, std::vector<bool>{written});
        if (!written) QVERIFY(s.Db.All.Image == image); // no stamp without a write
    }

    void failures_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("messageAfter");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("okEnabled");
        QTest::newRow("acknowledge missing") << "silent" << 1500 << true << true;
        QTest::newRow("line error") << "line" << 10 << false << false;
        QTest::newRow("port lost") << "lost" << 10 << true << false;
    }
    void failures() {
        QFETCH(QString, how);
        QFETCH(int, messageAfter);
        QFETCH(bool, closes);
        QFETCH(bool, okEnabled);
        TSession s;
        PrepareImage(s);
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) != 'W' || TRadioPeer::Address(frame) != 0x0320) return reply;
            if (how == QLatin1String("line")) s.Clock.After(10, [&s] { s.Port.InjectLineError(); });
            if (how == QLatin1String("lost")) s.Clock.After(10, [&s] { s.Port.Lose(); });
            return how == QLatin1String("silent") ? QByteArray() : reply;
        };
        s.StartAndOk();
        s.Clock.Advance(60000);

        const qint64 sent = s.TimeOf(QStringLiteral("W 0320"));
        QCOMPARE(s.Sent().last(), QStringLiteral("W 0320"));
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, sent + messageAfter);
        if (closes)
            QCOMPARE(s.Closes, std::vector<qint64>{sent + messageAfter + 300});
        else
            QVERIFY(s.Closes.empty());
        QCOMPARE(s.Exchange.OkEnabled(), okEnabled);
        QCOMPARE(s.Finishes, std::vector<bool>{false});
        QCOMPARE(ImageBytes(s, Addr::DateStamp, 7), Stamp); // the stamp stays
        QCOMPARE(s.Positions.back(), 51);                   // block 50 was the 51st frame
    }

    // Acknowledges of the blocks that are not taken: the write stops there and the reply
    // time-out tells ComError; a 48-byte acknowledge, the longest that is stored, still counts.
    // Only the wake-up reply may carry its acknowledge in byte 1.
    void blockAcknowledges_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("taken");
        QTest::newRow("48 bytes") << QByteArray(1, 0x06).leftJustified(48, '\xFF') << true;
        QTest::newRow("49 bytes") << QByteArray(1, 0x06).leftJustified(49, '\xFF') << false;
        QTest::newRow("acknowledge in byte 1") << QByteArray("\x15\x06") << false;
    }
    void blockAcknowledges() {
        QFETCH(QByteArray, reply);
        QFETCH(bool, taken);
        TSession s;
        PrepareImage(s);
        s.Radio.Tamper = [&](const QByteArray& frame, const QByteArray& answer) {
            return frame.at(0) == 'W' && TRadioPeer::Address(frame) == 0x0320 ? reply : answer;
        };
        s.StartAndOk();
        s.Clock.Advance(60000);
        if (taken) {
            QCOMPARE(s.Keys(), QStringList{QStringLiteral("WriteOk")});
            return;
        }
        QCOMPARE(s.Sent().last(), QStringLiteral("W 0320"));
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, s.TimeOf(QStringLiteral("W 0320")) + 1500);
        QCOMPARE(s.Finishes, std::vector<bool>{false});
    }

    // A radio that does not answer the wake-up: ComError 2.5 s after the 1.5 s time-out, the
    // dialog closes 300 ms later, OK stays off and nothing is stamped.
    void wakeUpTimeOut() {
        TSession s;
        PrepareImage(s);
        const auto image = s.Db.All.Image;
        s.Radio.Tamper = [](const QByteArray& frame, const QByteArray& reply) {
            return frame.startsWith("PROGRAM") ? QByteArray() : reply;
        };
        s.StartAndOk();
        s.Clock.Advance(10000);
        QCOMPARE(s.Sent(), (QStringList{QStringLiteral("PROGRAMa"), QStringLiteral("PROGRAMa")}));
        const qint64 last = s.Port.Frames.back().At;
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("ComError")});
        QCOMPARE(s.Shown[0].At, last + 1500 + 2500);
        QCOMPARE(s.Closes, std::vector<qint64>{last + 4300});
        QVERIFY(!s.Exchange.OkEnabled());
        QCOMPARE(s.Finishes, std::vector<bool>{false});
        QVERIFY(s.Db.All.Image == image);
    }

    // Write waits for the transmit buffer 5 s at most.
    void drainWait() {
        TSession s;
        s.Radio.Tamper = [&s](const QByteArray&, const QByteArray& reply) {
            s.Port.Pending = 8; // never drained
            return reply;
        };
        s.StartAndOk();
        s.Clock.Advance(20000);
        const auto& frames = s.Port.Frames;
        QVERIFY(frames.size() >= 3);
        QCOMPARE(frames[1].At - frames[0].At, qint64(5000 + 200 + 20));
        QCOMPARE(frames[2].At - frames[1].At, qint64(5000 + 20));
    }

    // A port that fails on OK: PortError, and OK is there for another try.
    void portErrorOnOk() {
        TSession s;
        s.Exchange.Start();
        s.Clock.Advance(50);
        s.Port.Lose(); // while idle: nothing to end
        s.Port.OpenError = QStringLiteral("gone");
        s.Exchange.Ok();
        s.Clock.Advance(2000);
        QCOMPARE(s.Keys(), QStringList{QStringLiteral("PortError")});
        QVERIFY(s.Port.Frames.empty());
        QVERIFY(s.Closes.empty());
        QVERIFY(s.Exchange.OkEnabled());
        QCOMPARE(s.Finishes, std::vector<bool>{false});

        s.Port.OpenError.clear();
        s.Exchange.Ok();
        s.Clock.Advance(60000);
        QCOMPARE(s.Keys().last(), QStringLiteral("WriteOk"));
    }
};

QTEST_GUILESS_MAIN(TstWriteExchange)
#include "tst_writeexchange.moc"
