// Channel operations on a table of six channels: each case gives the table before, the channels
// chosen and the table after. A table is one character per channel: '.' empty, a letter a
// channel named after it (lower case: scanned), a digit an unnamed channel. The higher the
// character, the lower the channel's receive frequency, so frequency order is not name order.

#include "core/All.h"
#include "core/ChannelOps.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/Maindb.h"

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <map>

namespace {

constexpr int Count = 6;
using TRecord = std::array<uint8_t, ChannelRecordSize>;

TRecord RecordOf(const TALL& all, int k) {
    TRecord record;
    std::copy_n(&all.Image[ChannelOffset(k)], ChannelRecordSize, record.begin());
    return record;
}

// A fresh image whose model has six channels, filled from a table.
class TTable {
public:
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    std::map<QChar, TRecord> Records; // what each channel of the table was made with

    explicit TTable(const QString& table) {
        Db.BuildStartImage();
        Db.NewImage();
        Db.All.ChannelCount = Count;
        for (int k = 1; k <= Count; ++k) {
            const QChar c = table.at(k - 1);
            if (c == QLatin1Char('.')) continue;
            NewChannel(Db.All, k, FormatMHz(150.0 - 0.1 * (c.toUpper().unicode() - '0')));
            QString name = c.isLetter() ? QString(c.toUpper()) : QString();
            WriteChannelField(Db.All, k, FieldCode::Name, name);
            QString scan = c.isLower() ? QStringLiteral("0") : QStringLiteral("1");
            WriteChannelField(Db.All, k, FieldCode::Scan, scan);
            Records[c.toUpper()] = RecordOf(Db.All, k);
        }
        Before = Db.All.Image;
    }

    // The table the image now holds; '?' marks a channel whose record is no whole channel of
    // the table, '!' an empty channel that is not blank.
    QString Render() const {
        QString table;
        for (int k = 1; k <= Count; ++k) {
            const TRecord record = RecordOf(Db.All, k);
            if (!TestMapBit(Db.All, Addr::PresentMap, k)) {
                const bool blank =
                    !TestMapBit(Db.All, Addr::ScanMap, k) &&
                    std::count(record.begin(), record.end(), 0xFF) == int(record.size());
                table += blank ? QLatin1Char('.') : QLatin1Char('!');
                continue;
            }
            QChar c = QLatin1Char('?');
            for (const auto& [token, made] : Records)
                if (made == record) c = token;
            table += TestMapBit(Db.All, Addr::ScanMap, k) ? c.toLower() : c;
        }
        return table;
    }

    // Bytes beyond the six channels' records and bits stay as they were.
    bool RestUntouched() const {
        for (int i = 0; i < ImageSize; ++i) {
            const bool record = i >= ChannelOffset(1) && i < ChannelOffset(Count + 1);
            const uint8_t mask = i == Addr::PresentMap || i == Addr::ScanMap ? 0xC0 : 0xFF;
            if (!record && (Db.All.Image[i] & mask) != (Before[i] & mask)) return false;
        }
        return true;
    }

private:
    std::array<uint8_t, ImageSize> Before{};
};

enum class TOp { Delete, Insert, MoveUp, MoveDown, SortRx, SortName, Compact };

bool Run(TChannelOps& ops, TOp op, const std::vector<int>& channels) {
    switch (op) {
    case TOp::Delete:
        ops.Delete(channels);
        return true;
    case TOp::Insert:
        return ops.InsertEmpty(channels.front());
    case TOp::MoveUp:
        return ops.MoveUp(channels);
    case TOp::MoveDown:
        return ops.MoveDown(channels);
    case TOp::SortRx:
        ops.Sort(channels, TChannelOps::TSortKey::RxFrequency);
        return true;
    case TOp::SortName:
        ops.Sort(channels, TChannelOps::TSortKey::Name);
        return true;
    case TOp::Compact:
        ops.Sort(channels, TChannelOps::TSortKey::Compact);
        return true;
    }
    return false;
}

} // namespace

Q_DECLARE_METATYPE(TOp)

class TestChannelOps : public QObject {
    Q_OBJECT
private slots:
    void operations_data() {
        QTest::addColumn<TOp>("op");
        QTest::addColumn<std::vector<int>>("channels");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("done");
        const std::vector<int> all = {1, 2, 3, 4, 5, 6};
        struct TCase {
            const char* name;
            TOp op;
            std::vector<int> channels;
            const char* before;
            const char* after;
            bool done;
        };
        const TCase cases[] = {
            {"delete first", TOp::Delete, {1}, "aBC...", ".BC...", true},
            {"delete last", TOp::Delete, {6}, "ABCDEf", "ABCDE.", true},
            {"delete apart", TOp::Delete, {2, 5}, "aBcDEF", "a.cD.F", true},
            {"delete an empty one", TOp::Delete, {2}, "A.C...", "A.C...", true},
            {"insert at first", TOp::Insert, {1}, "aB.C..", ".aB.C.", true},
            {"insert at last", TOp::Insert, {6}, "ABCDE.", "ABCDE.", true},
            {"insert before the end", TOp::Insert, {5}, "ABCDe.", "ABCD.e", true},
            {"insert in a full table", TOp::Insert, {3}, "ABCDEF", "ABCDEF", false},
            {"insert with the last present", TOp::Insert, {1}, "A....f", "A....f", false},
            {"up the first", TOp::MoveUp, {1, 2}, "aBC...", "aBC...", false},
            {"up a block", TOp::MoveUp, {3, 4}, "aBcD..", "acDB..", true},
            {"up the last", TOp::MoveUp, {6}, "ABCDEf", "ABCDfE", true},
            {"up apart", TOp::MoveUp, {2, 4}, "ABCDEF", "BADCEF", true},
            {"up into an empty one", TOp::MoveUp, {3}, "A.b...", "Ab....", true},
            {"down the last", TOp::MoveDown, {5, 6}, "ABCDEF", "ABCDEF", false},
            {"down the first", TOp::MoveDown, {1}, "aBC...", "BaC...", true},
            {"down a block", TOp::MoveDown, {1, 2}, "aB.C..", ".aBC..", true},
            {"down a full table's block", TOp::MoveDown, {4, 5}, "ABCDEF", "ABCFDE", true},
            {"rx all", TOp::SortRx, all, "A.bC.1", "CbA1..", true},
            {"rx full table", TOp::SortRx, all, "ABCDEF", "FEDCBA", true},
            {"rx a selection", TOp::SortRx, {2, 3, 4}, "AbCD.e", "ADCb.e", true},
            {"name all", TOp::SortName, all, "1C.bA.", "AbC1..", true},
            {"name, unnamed in order", TOp::SortName, all, "2.1A..", "A21...", true},
            {"name a selection", TOp::SortName, {4, 5, 6}, "DC.bA.", "DC.Ab.", true},
            {"compact all", TOp::Compact, all, "1C.bA.", "1CbA..", true},
            {"compact full table", TOp::Compact, all, "FEDCBA", "FEDCBA", true},
            {"compact a selection", TOp::Compact, {1, 2, 3}, ".A.B..", "A..B..", true},
        };
        for (const TCase& c : cases)
            QTest::newRow(c.name) << c.op << c.channels << QString::fromLatin1(c.before)
                                  << QString::fromLatin1(c.after) << c.done;
    }

    void operations() {
        QFETCH(TOp, op);
        QFETCH(std::vector<int>, channels);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, done);
        TTable table(before);
        QCOMPARE(table.Render(), before);
        TChannelOps ops(table.Db.All);
        QCOMPARE(Run(ops, op, channels), done);
        QCOMPARE(table.Render(), after);
        QVERIFY(table.RestUntouched());
    }
};

QTEST_GUILESS_MAIN(TestChannelOps)
#include "tst_channelops.moc"
