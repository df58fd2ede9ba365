// The online power test on the fake port and clock, driven through its dialog: the segment list,
// the table read with its frames and timing, the Retry/Cancel question, value writes from the
// track bars and the edits, and Close.

#include "link/PowerTableExchange.h"
#include "link/ReadExchange.h"
#include "tests/support/LinkSession.h"
#include "ui/link/TestFrm.h"
#include "widgets/MessageBox.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

Q_DECLARE_METATYPE(TBand)

namespace {

using TDescribe = TLinkSession<TReadExchange>;
constexpr int TableSize = TPowerTableExchange::TableSize;

// The dialog on the fake port and clock, shown, with the radio peer holding a power table of
// distinct bytes. Bands: 136-174 and 400-480 MHz. The wake-up letter is always 'g'.
struct TBench {
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    TFakeLinkClock Clock;
    TFakeLinkPort Port{Clock};
    TRadioPeer Radio{Port, Clock};
    std::unique_ptr<TfTestFrm> Form;

    TBench() {
        Db.BuildStartImage();
        Db.NewImage();
        Db.All.PortName = QStringLiteral("COM1");
        Db.All.Bands = {TBand{400, 480}, TBand{136, 174}, TBand{}, TBand{}};
        for (int i = 0; i < TableSize; ++i)
            Radio.PowerTable[size_t(i)] = uint8_t(i * 7 + 3);
        Form = std::make_unique<TfTestFrm>(Db, nullptr, TRadioLink{&Port, &Clock});
        Test().ResolveLine = [](const TALL& all, TLineSettings* line, QString*) {
            line->Device = QStringLiteral("/dev/fake");
            line->BaudRate = all.BaudRate;
            return true;
        };
        Test().Random = [](int) { return 2; };
        Form->show();
    }

    TPowerTableExchange& Test() const { return Form->Exchange(); }
    template <class TWidget> TWidget* Find(const char* name) const {
        auto* widget = Form->findChild<TWidget*>(QString::fromLatin1(name));
        Q_ASSERT(widget);
        return widget;
    }
    void Click(const char* name) { Find<QPushButton>(name)->click(); }

    // Online, and the table read to its end.
    void ReadTable() {
        Click("cxDebug");
        Clock.Advance(5000);
    }
    void SelectRow(const QString& text) {
        auto* tree = Find<QTreeWidget>("cxFreq_Rang");
        tree->setCurrentItem(tree->findItems(text, Qt::MatchExactly).value(0));
    }

    QStringList Sent(size_t from = 0) const {
        QStringList sent;
        for (size_t i = from; i < Port.Frames.size(); ++i)
            sent << TDescribe::Describe(Port.Frames[i].Bytes);
        return sent;
    }
    bool TableAsRadio() const {
        for (int i = 0; i < TableSize; ++i) {
            if (Test().PowerValue(i / 16, i % 16) != Radio.PowerTable[size_t(i)]) return false;
        }
        return true;
    }
};

QStringList OnlineFrames() {
    QStringList frames{QStringLiteral("PROGRAMg")};
    for (int block = 0; block < TPowerTableExchange::TableBlocks; ++block)
        frames << QStringLiteral("S %1").arg(block * 16, 4, 16, QLatin1Char('0')).toUpper();
    return frames << QStringLiteral("45");
}

QStringList Texts(const std::vector<TMessageBoxSeam::TShown>& shown) {
    QStringList texts;
    for (const auto& box : shown)
        texts << box.Text;
    return texts;
}

// The controls that show a segment's values.
const char* const ValueControls[] = {"cxFreq_Rang", "cxFreq_Selv", "tbTx0",
                                     "tbTx1",       "ceTx0",       "ceTx1"};

bool ValuesEnabled(const TBench& b) {
    return std::all_of(std::begin(ValueControls), std::end(ValueControls),
                       [&b](const char* name) { return b.Find<QWidget>(name)->isEnabled(); });
}
bool ValuesDisabled(const TBench& b) {
    return std::none_of(std::begin(ValueControls), std::end(ValueControls),
                        [&b](const char* name) { return b.Find<QWidget>(name)->isEnabled(); });
}
QColor Colour(const QWidget* shape) {
    return shape->palette().color(QPalette::Window);
}

// A radio whose answer to one table request starts with 'S' instead of 'X', once.
void SpoilTableReply(TBench& b, int address) {
    auto spoiled = std::make_shared<bool>(false);
    b.Radio.Tamper = [address, spoiled](const QByteArray& frame, const QByteArray& reply) {
        if (*spoiled || frame.at(0) != 'S' || TRadioPeer::Address(frame) != address) return reply;
        *spoiled = true;
        return 'S' + reply.mid(1);
    };
}

} // namespace

class TstPowerTable : public QObject {
    Q_OBJECT

private slots:
    void init() { TMessageBoxSeam::Reset(); }

    void beforeOnline() {
        TBench b;
        auto* tree = b.Find<QTreeWidget>("cxFreq_Rang");
        QCOMPARE(tree->topLevelItemCount(), 13);
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("136.000 -- 140.000MHz"));
        QCOMPARE(b.Find<QLineEdit>("cxFreq_Selv")->text(), QStringLiteral("136.000 -- 140.000MHz"));
        QCOMPARE(tree->property("tag").toInt(), 13);
        for (const char* name : {"tbTx0", "tbTx1"})
            QCOMPARE(b.Find<QSlider>(name)->value(), 0);
        for (const char* name : {"ceTx0", "ceTx1"})
            QCOMPARE(b.Find<QSpinBox>(name)->value(), 0);
        QVERIFY(ValuesDisabled(b));
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM:  Closed"));
        QVERIFY(b.Find<QProgressBar>("cxBar")->isHidden());
        QCOMPARE(Colour(b.Find<QWidget>("fSTx")), QColor(Qt::white));

        // A port that cannot be opened: PortError with the reason, and nothing else changes.
        b.Port.OpenError = QStringLiteral("Permission denied: join the dialout group.");
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        b.Click("cxDebug");
        b.Clock.Advance(5000);
        const auto shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(Texts(shown), QStringList{"Cannot Open Commcmication Port.\n"
                                           "Permission denied: join the dialout group."});
        QCOMPARE(shown[0].Kind, int(MessageKind::Information));
        QVERIFY(b.Port.Frames.empty());
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM:  Closed"));
        QVERIFY(b.Find<QWidget>("cxAll")->isEnabled());
        QVERIFY(ValuesDisabled(b));
    }

    void onlineReadsTheTable() {
        TBench b;
        QSignalSpy progress(&b.Test(), &TPowerTableExchange::ProgressChanged);
        b.Click("cxDebug");
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM: Opened"));
        QVERIFY(!b.Find<QWidget>("cxAll")->isEnabled());

        const qint64 end = 200 + 66 * 30; // 200 ms after opening, then each reply after 30 ms
        b.Clock.Advance(end + 519);
        QCOMPARE(b.Sent(), OnlineFrames());
        QCOMPARE(b.Port.Frames.front().At, qint64(200));
        QCOMPARE(b.Port.Frames.back().At, end);
        QVERIFY(!b.Find<QWidget>("cxAll")->isEnabled());
        QVERIFY(b.Find<QProgressBar>("cxBar")->isVisible());
        QCOMPARE(b.Find<QProgressBar>("cxBar")->maximum(), 67);

        b.Clock.Advance(1); // 500 ms after the end byte and its drain wait
        QVERIFY(b.Find<QWidget>("cxAll")->isEnabled());
        QVERIFY(ValuesEnabled(b));
        QVERIFY(b.Find<QProgressBar>("cxBar")->isHidden());
        QCOMPARE(Colour(b.Find<QWidget>("fSTx")), QColor(Qt::red));
        QVERIFY(b.TableAsRadio());
        QCOMPARE(b.Find<QSlider>("tbTx0")->value(), int(b.Radio.PowerTable[13 * 16 + 10]));
        QCOMPARE(b.Find<QSpinBox>("ceTx1")->value(), int(b.Radio.PowerTable[13 * 16 + 12]));
        QVERIFY(b.Find<QWidget>("fP0")->isHidden() && b.Find<QWidget>("fP1")->isHidden());

        QList<int> positions;
        for (const auto& args : progress) {
            QCOMPARE(args.at(1).toInt(), 67);
            positions << args.at(0).toInt();
        }
        QList<int> expected;
        for (int position = 0; position <= 65; ++position)
            expected << position;
        QCOMPARE(positions, expected << 67);
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // No pause before a frame; after it the drain wait (20 ms polls, 50 at most) and 20 ms more.
    // A reply that comes meanwhile is handled when they end.
    void frameTiming_data() {
        QTest::addColumn<int>("delay");        // the radio's reply time
        QTest::addColumn<int>("drainedAfter"); // -1: never
        QTest::addColumn<int>("gap");          // from a frame to the next
        QTest::newRow("reply after the wait") << 30 << 0 << 30;
        QTest::newRow("reply during the 20 ms") << 5 << 0 << 20;
        QTest::newRow("drained after 45 ms") << 30 << 45 << 65;
        QTest::newRow("never drained") << 30 << -1 << 1020;
    }
    void frameTiming() {
        QFETCH(int, delay);
        QFETCH(int, drainedAfter);
        QFETCH(int, gap);
        TBench b;
        b.Radio.Delay = delay;
        b.Radio.Tamper = [&b, drainedAfter](const QByteArray&, const QByteArray& reply) {
            b.Port.Pending = drainedAfter == 0 ? 0 : 8;
            if (drainedAfter > 0) b.Clock.After(drainedAfter, [&b] { b.Port.Pending = 0; });
            return reply;
        };
        b.Click("cxDebug");
        b.Clock.Advance(200 + 3 * gap);
        const auto& frames = b.Port.Frames;
        QCOMPARE(b.Sent().mid(0, 4), OnlineFrames().mid(0, 4));
        for (size_t i = 1; i < 4; ++i)
            QCOMPARE(frames[i].At - frames[i - 1].At, qint64(gap));
    }

    // A table reply of 78 bytes is the longest that is stored and still taken; one of 79 bytes
    // is never complete, and the reply time-out asks what to do.
    void longTableReplies_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("taken");
        QTest::newRow("78 bytes") << 78 << true;
        QTest::newRow("79 bytes") << 79 << false;
    }
    void longTableReplies() {
        QFETCH(int, length);
        QFETCH(bool, taken);
        TBench b;
        b.Radio.Tamper = [length](const QByteArray& frame, const QByteArray& reply) {
            return frame.at(0) == 'S' ? reply.leftJustified(length, '\xFF') : reply;
        };
        TMessageBoxSeam::QueueAnswer(MessageResult::Cancel);
        b.ReadTable();
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(taken ? 0 : 1));
        QCOMPARE(b.TableAsRadio(), taken);
    }

    // A table reply that does not start with 'X' is ignored; 1.5 s after the request went out
    // (and its 20 ms), Retry wakes the radio up again and asks for the same block.
    void badTableReplyThenRetry() {
        TBench b;
        SpoilTableReply(b, 0x00A0);
        TMessageBoxSeam::QueueAnswer(MessageResult::Retry);
        b.ReadTable();

        QStringList expected = OnlineFrames();
        expected.insert(12, QStringLiteral("PROGRAMg"));
        expected.insert(13, QStringLiteral("S 00A0"));
        QCOMPARE(b.Sent(), expected);
        QCOMPARE(b.Port.Frames[12].At, b.Port.Frames[11].At + 20 + 1500);
        const auto shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(Texts(shown), QStringList{b.Db.Language.ComError});
        QCOMPARE(shown[0].Kind, int(MessageKind::RetryCancel));
        QVERIFY(b.TableAsRadio());
        QCOMPARE(Colour(b.Find<QWidget>("fSTx")), QColor(Qt::red));
        QVERIFY(ValuesEnabled(b));
    }

    // No reply: Cancel hides the bar at once and closes the port 300 ms later; a reply that
    // comes late, meanwhile, starts nothing.
    void noReplyThenCancel() {
        TBench b;
        b.Radio.Tamper = [](const QByteArray& frame, const QByteArray& reply) {
            return frame.at(0) == 'S' && TRadioPeer::Address(frame) == 0x00A0 ? QByteArray()
                                                                              : reply;
        };
        TMessageBoxSeam::QueueAnswer(MessageResult::Cancel);
        b.Click("cxDebug");
        const qint64 asked = 200 + 11 * 30 + 20 + 1500;
        b.Clock.Advance(asked);
        QCOMPARE(b.Sent().last(), QStringLiteral("S 00A0"));
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(1));
        QVERIFY(b.Find<QProgressBar>("cxBar")->isHidden());
        QVERIFY(!b.Find<QWidget>("cxAll")->isEnabled());

        const size_t sent = b.Port.Frames.size();
        TMessageBoxSeam::QueueAnswer(MessageResult::Cancel); // in case it asked again
        b.Clock.Advance(100);
        b.Port.Inject(b.Radio.Reply(b.Port.Frames.back().Bytes));
        QCOMPARE(b.Port.Frames.size(), sent);

        b.Clock.Advance(199);
        QVERIFY(b.Port.IsOpen());
        b.Clock.Advance(1);
        QVERIFY(!b.Port.IsOpen());
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM:  Closed"));
        QVERIFY(b.Find<QWidget>("cxAll")->isEnabled());
        QVERIFY(ValuesDisabled(b));
        QCOMPARE(Colour(b.Find<QWidget>("fSTx")), QColor(Qt::white));
        b.Clock.Advance(5000);
        QCOMPARE(b.Port.Frames.size(), sent);
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // The device goes away during the table read: the status says so, and Retry opens the port
    // again and completes the read.
    void lostPortReopensOnRetry() {
        TBench b;
        b.Radio.Tamper = [&b](const QByteArray& frame, const QByteArray& reply) {
            if (frame.at(0) != 'S' || TRadioPeer::Address(frame) != 0x0050 || b.Port.Opens > 1)
                return reply;
            b.Clock.After(10, [&b] { b.Port.Lose(); });
            return QByteArray();
        };
        TMessageBoxSeam::QueueAnswer(MessageResult::Retry);
        b.Click("cxDebug");
        b.Clock.Advance(200 + 6 * 30 + 10);
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM:  Closed"));
        b.Clock.Advance(10000);
        QCOMPARE(b.Port.Opens, 2);
        QCOMPARE(b.Form->PortStatus(), QStringLiteral(" COM: Opened"));
        QCOMPARE(Texts(TMessageBoxSeam::TakeShown()), QStringList{b.Db.Language.ComError});
        QVERIFY(b.TableAsRadio());
        QVERIFY(ValuesEnabled(b));
    }

    // After the table is read: a track bar writes on the mouse release after a move, an edit
    // after the user's input; keys and a release without a move write nothing.
    void valueWrites_data() {
        QTest::addColumn<QString>("segment");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("frame"); // empty: nothing is sent
        QTest::newRow("high-power bar of row 40 to 200")
            << "400.000 -- 410.000MHz"
            << "drag"
            << "tbTx1" << 200 << QByteArray::fromHex("58028C01C8");
        QTest::newRow("low-power edit of row 13 to 77")
            << "136.000 -- 140.000MHz"
            << "type"
            << "ceTx0" << 77 << QByteArray::fromHex("5800DA014D");
        QTest::newRow("keys on a bar") << "400.000 -- 410.000MHz"
                                       << "keys"
                                       << "tbTx0" << -1 << QByteArray();
        QTest::newRow("release without a move") << "400.000 -- 410.000MHz"
                                                << "release"
                                                << "tbTx1" << -1 << QByteArray();
    }
    void valueWrites() {
        QFETCH(QString, segment);
        QFETCH(QString, action);
        QFETCH(QString, control);
        QFETCH(int, value);
        QFETCH(QByteArray, frame);
        TBench b;
        b.ReadTable();
        b.SelectRow(segment);
        const bool low = control.endsWith(QLatin1Char('0'));
        auto* bar = b.Find<QSlider>(low ? "tbTx0" : "tbTx1");
        auto* edit = b.Find<QSpinBox>(low ? "ceTx0" : "ceTx1");
        const int before = bar->value();
        const size_t from = b.Port.Frames.size();

        if (action == QLatin1String("drag")) bar->setValue(value);
        if (action == QLatin1String("drag") || action == QLatin1String("release"))
            QTest::mouseRelease(bar, Qt::LeftButton);
        if (action == QLatin1String("type")) {
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QString::number(value));
            QTest::keyClick(edit, Qt::Key_Enter);
        }
        if (action == QLatin1String("keys")) {
            QTest::keyClick(bar, Qt::Key_PageUp);
            QTest::keyClick(bar, Qt::Key_Right);
        }
        b.Clock.Advance(2000);

        if (frame.isEmpty()) {
            QCOMPARE(b.Port.Frames.size(), from);
            QCOMPARE(bar->value(), before);
            return;
        }
        QCOMPARE(b.Sent(from), (QStringList{"PROGRAMg", TDescribe::Describe(frame), "45"}));
        QCOMPARE(b.Port.Frames[from + 1].Bytes, frame);
        const int address = uint8_t(frame.at(1)) << 8 | uint8_t(frame.at(2));
        QCOMPARE(int(b.Radio.PowerTable[size_t(address)]), value);
        QCOMPARE(b.Test().PowerValue(address / 16, address % 16), value);
        QCOMPARE(bar->value(), value);
        QCOMPARE(edit->value(), value);
        QCOMPARE(b.Find<QWidget>("fP0")->isVisible(), low);
        QCOMPARE(b.Find<QWidget>("fP1")->isVisible(), !low);
        QVERIFY(b.Find<QWidget>("cxAll")->isEnabled());
        QVERIFY(ValuesEnabled(b));
    }

    // Close: a wake-up and the end byte when the port is open; the dialog closes 500 ms later
    // whatever the radio answers.
    void close_data() {
        QTest::addColumn<bool>("online");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<int>("closesAfter");
        QTest::newRow("port not open") << false << QStringList{} << 500;
        QTest::newRow("after Online") << true << QStringList{"PROGRAMg", "45"} << 520;
    }
    void close() {
        QFETCH(bool, online);
        QFETCH(QStringList, frames);
        QFETCH(int, closesAfter);
        TBench b;
        if (online) b.ReadTable();
        const size_t from = b.Port.Frames.size();
        b.Click("cxClose");
        QVERIFY(!b.Find<QWidget>("cxAll")->isEnabled());
        b.Clock.Advance(closesAfter - 1);
        QVERIFY(b.Form->isVisible());
        b.Clock.Advance(1);
        QVERIFY(!b.Form->isVisible());
        QCOMPARE(b.Sent(from), frames);
        QVERIFY(!b.Port.IsOpen());
    }

    void segments_data() {
        QTest::addColumn<QList<TBand>>("bands"); // bands 0 to 3
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("rows");
        const QStringList uhfAndVhf{
            "136.000 -- 140.000MHz", "140.000 -- 150.000MHz", "150.000 -- 160.000MHz",
            "160.000 -- 170.000MHz", "170.000 -- 174.000MHz", "400.000 -- 410.000MHz",
            "410.000 -- 420.000MHz", "420.000 -- 430.000MHz", "430.000 -- 440.000MHz",
            "440.000 -- 450.000MHz", "450.000 -- 460.000MHz", "460.000 -- 470.000MHz",
            "470.000 -- 480.000MHz"};
        QTest::newRow("band 1 before band 0")
            << QList<TBand>{{400, 480}, {136, 174}, {}, {}} << uhfAndVhf
            << QList<int>{13, 14, 15, 16, 17, 40, 41, 42, 43, 44, 45, 46, 47};
        QTest::newRow("one piece inside ten MHz")
            << QList<TBand>{{}, {}, {245, 246}, {}} << QStringList{"245.000 -- 246.000MHz"}
            << QList<int>{24};
        QTest::newRow("bands 1, 2, 3, then 0; fractional edges")
            << QList<TBand>{{350.5, 351}, {136.125, 137}, {220, 225}, {60, 64}}
            << QStringList{"136.125 -- 137.000MHz", "220.000 -- 225.000MHz", "60.000 -- 64.000MHz",
                           "350.500 -- 351.000MHz"}
            << QList<int>{13, 22, 60, 35};
        // Rows without a place in the 65-row table are left out.
        QTest::newRow("rows outside the table")
            << QList<TBand>{{5, 12}, {}, {}, {650, 660}} << QStringList{"10.000 -- 12.000MHz"}
            << QList<int>{10};
    }
    void segments() {
        QFETCH(QList<TBand>, bands);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, rows);
        TALL all;
        std::copy(bands.begin(), bands.end(), all.Bands.begin());
        QStringList gotTexts;
        QList<int> gotRows;
        for (const TPowerSegment& segment : PowerSegments(all)) {
            gotTexts << segment.Text;
            gotRows << segment.Row;
        }
        QCOMPARE(gotTexts, texts);
        QCOMPARE(gotRows, rows);
    }
};

QTEST_MAIN(TstPowerTable)
#include "tst_powertable.moc"
