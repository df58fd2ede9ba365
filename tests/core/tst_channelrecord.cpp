// The 32-byte channel record: what each field code writes, how a record is read back (and
// normalised on the way), and the defaults of a new channel.

#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/ConvertError.h"
#include "core/Maindb.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using TImage = std::array<uint8_t, ImageSize>;

namespace {

constexpr int Mem = 5; // the memory channel most tests use

uint8_t* Rec(TALL& all, int k) {
    return &all.Image[ChannelOffset(k)];
}

QString Hex(const uint8_t* bytes, int count) {
    return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
}

void SetHex(uint8_t* at, const char* hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    std::copy(bytes.begin(), bytes.end(), at);
}

bool PresentBitSet(const TALL& all, int k) {
    return !TestMapBit(all, Addr::PresentMap, k);
}
bool ScanBitSet(const TALL& all, int k) {
    return !TestMapBit(all, Addr::ScanMap, k);
}

// Lists every byte where the images differ; empty when they are equal.
QString Differences(const TImage& expected, const TImage& actual) {
    QString text;
    for (int i = 0; i < ImageSize; ++i) {
        if (expected[i] != actual[i])
            text += QStringLiteral("0x%1 expected %2 got %3; ")
                        .arg(i, 4, 16, QLatin1Char('0'))
                        .arg(expected[i], 2, 16, QLatin1Char('0'))
                        .arg(actual[i], 2, 16, QLatin1Char('0'));
    }
    return text;
}

// Applies "j=XX" (record byte j), "j-m=XX" (a range), "present=0/1" and "scan=0/1" (the bit
// of channel k, 1 = set) to a copy of the image.
TImage WithChanges(const TImage& image, int k, const QString& changes) {
    TALL scratch;
    scratch.Image = image;
    for (const QString& token : changes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString key = token.section(QLatin1Char('='), 0, 0);
        const int value = token.section(QLatin1Char('='), 1, 1).toInt(nullptr, 16);
        if (key == QLatin1String("present") || key == QLatin1String("scan")) {
            const int map = key == QLatin1String("present") ? Addr::PresentMap : Addr::ScanMap;
            SetMapBit(scratch, map, k, value == 0);
            continue;
        }
        const int first = key.section(QLatin1Char('-'), 0, 0).toInt();
        const int last =
            key.contains(QLatin1Char('-')) ? key.section(QLatin1Char('-'), 1).toInt() : first;
        for (int j = first; j <= last; ++j)
            scratch.Image[ChannelOffset(k) + j] = uint8_t(value);
    }
    return scratch.Image;
}

// Channel k filled with one byte; a memory channel is made present and scanned.
void FillRecord(TALL& all, int k, uint8_t fill) {
    std::fill(Rec(all, k), Rec(all, k) + 32, fill);
    if (!IsVfoChannel(k)) {
        SetMapBit(all, Addr::PresentMap, k, true);
        SetMapBit(all, Addr::ScanMap, k, true);
    }
}

} // namespace

class TestChannelRecord : public QObject {
    Q_OBJECT

    // A radio as it stands after start-up and New: bands 400-480 and 136-174 MHz, automatic
    // VFO step (option 9 = 0x16), every memory channel empty.
    QTemporaryDir Folder;
    std::unique_ptr<TfMaindb> Radio;
    TALL& All() { return Radio->All; }

private slots:
    void init() {
        Radio = std::make_unique<TfMaindb>(Folder.path() + QLatin1Char('/'));
        Radio->Now = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
        Radio->BuildStartImage();
        Radio->NewImage();
    }

    void writeField_data();
    void writeField();
    void writeFieldRejectsNonNumbersBeforeWriting_data();
    void writeFieldRejectsNonNumbersBeforeWriting();
    void vfoGridFollowsStepAndCounterpart_data();
    void vfoGridFollowsStepAndCounterpart();
    void scanField();
    void presenceChangesOnlyThroughReceiveFrequency();

    void emptyChannelIsNotRead();
    void readDecodesEveryField();
    void readTransmitFrequency_data();
    void readTransmitFrequency();
    void readMovesAndRewritesReceiveFrequency_data();
    void readMovesAndRewritesReceiveFrequency();
    void readRewritesTones_data();
    void readRewritesTones();
    void readNameAndIdCode_data();
    void readNameAndIdCode();
    void vfoRecordsAreAlwaysPresent();
    void readVfoOffsetAndDuplex_data();
    void readVfoOffsetAndDuplex();
    void readLeavesModifiedAlone();

    void newChannelDefaults_data();
    void newChannelDefaults();
};

void TestChannelRecord::writeField_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("fill");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("textIn");
    QTest::addColumn<QString>("textOut");
    QTest::addColumn<QString>("changes");
    const auto row = [](const QByteArray& name, int k, int fill, int code, const char* textIn,
                        const char* textOut, const char* changes) {
        QTest::newRow(name.constData())
            << k << fill << code << QString::fromLatin1(textIn) << QString::fromLatin1(textOut)
            << QString::fromLatin1(changes);
    };

    const int vfo = VfoLow;
    // Receive frequency, memory channel: snapped on the automatic grid.
    row("2 snapped", Mem, 0x5A, 2, "145.0031", "145.00300", "0=CC 1=41 2=DD 3=00");
    row("2 on grid", Mem, 0x5A, 2, "145.00625", "145.00625", "0=11 1=43 2=DD 3=00");
    row("2 with unit", Mem, 0x5A, 2, "145.5MHz", "145.50000", "0=F0 1=03 2=DE 3=00");
    row("2 empty erases", Mem, 0x5A, 2, "", "", "0-31=FF present=1 scan=1");
    // Receive frequency, VFO: the grid follows the stored offset (59.2137, on neither grid, so
    // automatic), then the offset is rewritten on the grid of the new frequency (500 Hz).
    row("2 VFO rewrites offset", vfo, 0x5A, 2, "145.0031", "145.00300", "0=CC 1=41 2=DD 3=00 4=46");
    row("2 VFO empty takes lowest band", vfo, 0x5A, 2, "", "136.00000", "0=00 1=85 2=CF 3=00 4=46");
    row("3", Mem, 0x5A, 3, "144.4", "144.40000", "4=40 5=56 6=DC 7=00");
    row("3 snapped", Mem, 0x5A, 3, "145.0031", "145.00300", "4=CC 5=41 6=DD 7=00");
    row("3 empty", Mem, 0x5A, 3, "", "", "4-7=FF");
    row("4", vfo, 0x5A, 4, "0.6", "0.60000", "4=60 5=EA 6=00");
    row("4 at the limit", vfo, 0x5A, 4, "99.995", "99.99500", "4=8C 5=94 6=98");
    row("4 above the limit", vfo, 0x5A, 4, "100", "0.00000", "4-6=00");
    row("4 empty", vfo, 0x5A, 4, "", "0.00000", "4-6=00");
    row("5 plus", vfo, 0x5A, 5, "1", "1", "7=59");
    row("5 three", vfo, 0x5A, 5, "3", "3", "7=5B");
    row("6 CTCSS", Mem, 0x5A, 6, "88.5", "88.5", "8=85 9=08");
    row("6 DCS", Mem, 0x5A, 6, "D754I", "D754I", "8=54 9=C7");
    row("6 none", Mem, 0x5A, 6, "", "", "8=FF 9=FF");
    row("7 DCS", Mem, 0x5A, 7, "D023N", "D023N", "10=23 11=80");
    row("7 CTCSS", Mem, 0x5A, 7, "100.0", "100.0", "10=00 11=10");
    // The flags of byte 12, each set on 0x5A and cleared on 0xA5.
    row("9 power high", Mem, 0x5A, 9, "1", "1", "12=5E");
    row("9 power low", Mem, 0xA5, 9, "0", "0", "12=A1");
    row("10 wide", Mem, 0x5A, 10, "1", "1", "12=DA");
    row("10 narrow", Mem, 0xA5, 10, "0", "0", "12=25");
    row("12 busy lock on", Mem, 0x5A, 12, "0", "0", "12=4A");
    row("12 busy lock off", Mem, 0xA5, 12, "1", "1", "12=B5");
    row("13 VOX on", Mem, 0x5A, 13, "0", "0", "12=1A");
    row("13 VOX off", Mem, 0xA5, 13, "1", "1", "12=E5");
    row("15 epilogue off", Mem, 0x5A, 15, "0", "0", "12=52");
    row("15 epilogue on", Mem, 0xA5, 15, "1", "1", "12=AD");
    row("14 voice off", Mem, 0x5A, 14, "0", "0", "12=5B");
    row("14 scrambler", Mem, 0x5A, 14, "2", "2", "12=59");
    row("14 both", Mem, 0xA5, 14, "3", "3", "12=A4");
    row("16 PTT ID off", Mem, 0x5A, 16, "0", "0", "13=7A");
    row("16 BOT", Mem, 0x5A, 16, "1", "1", "13=6A");
    row("16 both", Mem, 0xA5, 16, "3", "3", "13=85");
    row("17 ANI off", Mem, 0x5A, 17, "1", "1", "13=DA");
    row("17 ANI on", Mem, 0xA5, 17, "0", "0", "13=25");
    row("18 short name", Mem, 0x5A, 18, "AB", "AB", "18=21 19=22 20-24=00");
    row("18 cut to 7", Mem, 0x5A, 18, "abcdefghij", "abcdefg",
        "18=41 19=42 20=43 21=44 22=45 23=46 24=47");
    row("18 outside the code", Mem, 0x5A, 18, "A{", "A{", "18=21 19=20 20-24=00");
    row("18 leading blank kept", Mem, 0x5A, 18, " X ", " X", "18=00 19=38 20-24=00");
    row("18 empty", Mem, 0x5A, 18, "", "", "18-24=00");
    row("19 two digits", Mem, 0x5A, 19, "12", "120", "15=12 16=0F 17=FF");
    row("19 one digit", Mem, 0x5A, 19, "5", "500", "15=50 16=0F 17=FF");
    row("19 empty", Mem, 0x5A, 19, "", "000", "15=00 16=0F 17=FF");
    row("19 six digits", Mem, 0x5A, 19, "123456", "123456", "15=12 16=34 17=56");
    row("19 seven digits", Mem, 0x5A, 19, "1234567", "1234567", "15=12 16=34 17=56");
    row("19 DTMF letters", Mem, 0x5A, 19, "A#*", "A#*", "15=AE 16=FF 17=FF");
    for (int code : {0, 1, 8, 20})
        row(QByteArray::number(code) + " writes nothing", Mem, 0x5A, code, "1", "1", "");
}

void TestChannelRecord::writeField() {
    QFETCH(int, k);
    QFETCH(int, fill);
    QFETCH(int, code);
    QFETCH(QString, textIn);
    QFETCH(QString, textOut);
    QFETCH(QString, changes);

    FillRecord(All(), k, uint8_t(fill));
    const TImage expected = WithChanges(All().Image, k, changes);
    QString text = textIn;
    WriteChannelField(All(), k, code, text);
    QCOMPARE(text, textOut);
    const QString diff = Differences(expected, All().Image);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void TestChannelRecord::writeFieldRejectsNonNumbersBeforeWriting_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    for (int code : {5, 9, 10, 12, 13, 14, 15, 16, 17})
        QTest::addRow("%d", code) << Mem << code << "x";
    QTest::newRow("9 empty") << Mem << 9 << "";
    QTest::newRow("5 VFO") << int(VfoHigh) << 5 << "x";
    QTest::newRow("2") << Mem << 2 << "abc";
    QTest::newRow("2 VFO") << int(VfoLow) << 2 << "abc";
    QTest::newRow("3") << Mem << 3 << "abc";
    QTest::newRow("4") << int(VfoLow) << 4 << "abc";
    QTest::newRow("6") << Mem << 6 << "abc";
    QTest::newRow("7 bad DCS") << Mem << 7 << "D0Z3N";
}

void TestChannelRecord::writeFieldRejectsNonNumbersBeforeWriting() {
    QFETCH(int, k);
    QFETCH(int, code);
    QFETCH(QString, text);
    FillRecord(All(), k, 0x5A);
    const TImage before = All().Image;
    QVERIFY_THROWS_EXCEPTION(EConvertError, WriteChannelField(All(), k, code, text));
    QVERIFY(All().Image == before);
}

void TestChannelRecord::vfoGridFollowsStepAndCounterpart_data() {
    QTest::addColumn<int>("option9");
    QTest::addColumn<int>("code");        // 2 (receive frequency) or 4 (offset)
    QTest::addColumn<double>("otherMHz"); // the stored offset for 2, receive frequency for 4
    QTest::addColumn<QString>("textIn");
    QTest::addColumn<QString>("textOut");
    const auto row = [](const char* name, int option9, int code, double other, const char* in,
                        const char* out) {
        QTest::newRow(name) << option9 << code << other << QString::fromLatin1(in)
                            << QString::fromLatin1(out);
    };

    row("rx, step 0", 0x10, 2, 0.6, "145.00625", "145.00650");
    row("rx, step 2", 0x12, 2, 0.6, "145.0031", "145.00250");
    row("rx, step 3", 0x13, 2, 0.6, "145.00625", "145.00650");
    row("rx, auto, offset on both grids", 0x16, 2, 0.6, "145.0031", "145.00300");
    row("rx, auto, offset on 1.25 kHz", 0x16, 2, 0.00625, "145.0031", "145.00250");
    row("rx, auto, offset on 500 Hz", 0x16, 2, 0.0005, "145.00625", "145.00650");
    row("offset, step 0", 0x10, 4, 145.00625, "0.00625", "0.00650");
    row("offset, auto, rx on 1.25 kHz", 0x16, 4, 145.00625, "0.0031", "0.00250");
    row("offset, auto, rx on 500 Hz", 0x16, 4, 145.0005, "0.00625", "0.00650");
}

void TestChannelRecord::vfoGridFollowsStepAndCounterpart() {
    QFETCH(int, option9);
    QFETCH(int, code);
    QFETCH(double, otherMHz);
    QFETCH(QString, textIn);
    QFETCH(QString, textOut);

    All().Image[Addr::OptionArea + 9] = uint8_t(option9);
    uint8_t* rec = Rec(All(), VfoHigh);
    FillRecord(All(), VfoHigh, 0x00);
    const uint32_t counts = uint32_t(std::llround(otherMHz * 100000));
    if (code == 2) {
        PutU32(rec + 4, counts); // byte 7, the duplex byte, stays 0
    } else {
        PutU32(rec, counts);
    }
    QString text = textIn;
    WriteChannelField(All(), VfoHigh, code, text);
    QCOMPARE(text, textOut);
    const double stored = code == 2 ? BytesToMHz(rec) : (rec[4] | rec[5] << 8 | rec[6] << 16) / 1e5;
    QCOMPARE(FormatMHz(stored), textOut);
}

void TestChannelRecord::scanField() {
    FillRecord(All(), Mem, 0x5A);
    const struct {
        const char* text;
        bool bitSet;
    } cases[] = {{"0", false}, {"1", true}, {"0", false}, {"", true}, {"0", false}, {"Del", true}};
    for (const auto& c : cases) {
        QString text = QString::fromLatin1(c.text);
        WriteChannelField(All(), Mem, FieldCode::Scan, text);
        QVERIFY2(ScanBitSet(All(), Mem) == c.bitSet, c.text);
    }

    // The VFO records have no scan bit; their would-be bits belong to the FM memory bitmap.
    std::fill(All().Image.begin() + Addr::FmPresentMap,
              All().Image.begin() + Addr::FmPresentMap + 4, 0x5A);
    const TImage before = All().Image;
    for (int k : {VfoLow, VfoHigh}) {
        for (const char* t : {"0", "1"}) {
            QString text = QString::fromLatin1(t);
            WriteChannelField(All(), k, FieldCode::Scan, text);
        }
    }
    QVERIFY(All().Image == before);
}

void TestChannelRecord::presenceChangesOnlyThroughReceiveFrequency() {
    TChannel channel;
    QVERIFY(PresentBitSet(All(), Mem) && ScanBitSet(All(), Mem));

    for (auto [code, value] : {std::pair{18, "AB"}, {9, "0"}, {11, "0"}, {3, "145"}}) {
        QString text = QString::fromLatin1(value);
        WriteChannelField(All(), Mem, code, text);
    }
    QVERIFY(!ReadChannel(All(), Mem, channel));
    QCOMPARE(int(Rec(All(), Mem)[18]), 0x21);

    QString text = QStringLiteral("145");
    WriteChannelField(All(), Mem, FieldCode::RxFreq, text);
    QVERIFY(!PresentBitSet(All(), Mem));
    QVERIFY(ReadChannel(All(), Mem, channel));
    QCOMPARE(channel.Name, QStringLiteral("AB"));

    text.clear();
    WriteChannelField(All(), Mem, FieldCode::RxFreq, text);
    QVERIFY(text.isEmpty());
    QVERIFY(PresentBitSet(All(), Mem) && ScanBitSet(All(), Mem));
    QVERIFY(
        std::all_of(Rec(All(), Mem), Rec(All(), Mem) + 32, [](uint8_t b) { return b == 0xFF; }));
}

void TestChannelRecord::emptyChannelIsNotRead() {
    TChannel channel;
    channel.RxFreq = 1.5;
    channel.Name = QStringLiteral("keep");
    channel.ScanDel = 7;
    std::fill(Rec(All(), Mem), Rec(All(), Mem) + 32, 0x5A); // bytes do not matter, the bit does
    const TImage before = All().Image;

    QVERIFY(!ReadChannel(All(), Mem, channel));
    QCOMPARE(channel.RxFreq, 1.5);
    QCOMPARE(channel.Name, QStringLiteral("keep"));
    QCOMPARE(int(channel.ScanDel), 7);
    QVERIFY(All().Image == before);
}

void TestChannelRecord::readDecodesEveryField() {
    uint8_t* rec = Rec(All(), Mem);
    FillRecord(All(), Mem, 0xFF);
    // rx 145.0, tx 145.6, tones 88.5 / D023I, byte 12 1001 0110, byte 13 0110 0000, ID 1 2 3,
    // name "AB".
    SetHex(rec, "A040DD00 002BDE00 8508 23C0 96 60 FF 123FFF 21220000000000");
    SetMapBit(All(), Addr::ScanMap, Mem, false);

    TChannel c;
    c.Reverse = 9;
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.RxFreq, 145.0);
    QCOMPARE(c.TxFreq, 145.6);
    QCOMPARE(int(c.Duplex), 1);
    QCOMPARE(c.Offset, 0.6);
    QCOMPARE(c.RxTone, QStringLiteral("88.5"));
    QCOMPARE(c.TxTone, QStringLiteral("D023I"));
    QCOMPARE(int(c.Bandwidth), 1);
    QCOMPARE(int(c.Vox), 0);
    QCOMPARE(int(c.BusyLock), 1);
    QCOMPARE(int(c.Epilogue), 0);
    QCOMPARE(int(c.Power), 1);
    QCOMPARE(int(c.VoiceMode), 1); // stored 10
    QCOMPARE(int(c.Ani), 0);
    QCOMPARE(int(c.PttId), 1); // stored 10
    QCOMPARE(int(c.Reverse), 0);
    QCOMPARE(int(c.ScanDel), 1);
    QCOMPARE(c.Name, QStringLiteral("AB"));
    QCOMPARE(c.IdCode, QStringLiteral("123"));
}

void TestChannelRecord::readTransmitFrequency_data() {
    QTest::addColumn<QByteArray>("txBytes");
    QTest::addColumn<double>("tx");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<double>("offset");
    QTest::addColumn<QByteArray>("storedAfter");

    QTest::newRow("none") << QByteArray::fromHex("FFFFFFFF") << -1.0 << 0 << 0.0
                          << QByteArray::fromHex("FFFFFFFF");
    QTest::newRow("none, only bit 31 set")
        << QByteArray::fromHex("12345680") << -1.0 << 0 << 0.0 << QByteArray::fromHex("12345680");
    QTest::newRow("simplex") << QByteArray::fromHex("A040DD00") << 145.0 << 0 << 0.0
                             << QByteArray::fromHex("A040DD00");
    QTest::newRow("above") << QByteArray::fromHex("002BDE00") << 145.6 << 1 << 0.6
                           << QByteArray::fromHex("002BDE00");
    QTest::newRow("below") << QByteArray::fromHex("4056DC00") << 144.4 << 2 << 0.6
                           << QByteArray::fromHex("4056DC00");
    QTest::newRow("snapped on reading") << QByteArray::fromHex("D641DD00") << 145.003 << 1 << 0.003
                                        << QByteArray::fromHex("CC41DD00");
}

void TestChannelRecord::readTransmitFrequency() {
    QFETCH(QByteArray, txBytes);
    QFETCH(double, tx);
    QFETCH(int, duplex);
    QFETCH(double, offset);
    QFETCH(QByteArray, storedAfter);

    QString text = QStringLiteral("145");
    NewChannel(All(), Mem, text);
    std::copy(txBytes.begin(), txBytes.end(), Rec(All(), Mem) + 4);
    TChannel c;
    c.Duplex = 9;
    c.Offset = 9.0;
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.TxFreq, tx);
    QCOMPARE(int(c.Duplex), duplex);
    QCOMPARE(FormatMHz(c.Offset), FormatMHz(offset)); // a difference of doubles: compare as shown
    QVERIFY(c.Offset >= 0);
    QCOMPARE(Hex(Rec(All(), Mem) + 4, 4), QString::fromLatin1(storedAfter.toHex(' ').toUpper()));
}

void TestChannelRecord::readMovesAndRewritesReceiveFrequency_data() {
    QTest::addColumn<QByteArray>("rxBytes");
    QTest::addColumn<double>("rx");
    QTest::addColumn<QByteArray>("storedAfter");

    QTest::newRow("in band") << QByteArray::fromHex("A040DD00") << 145.0
                             << QByteArray::fromHex("A040DD00");
    QTest::newRow("zero") << QByteArray::fromHex("00000000") << 400.0
                          << QByteArray::fromHex("005A6202");
    QTest::newRow("between bands") << QByteArray::fromHex("80C3C901") << 400.0 // 300 MHz
                                   << QByteArray::fromHex("005A6202");
    QTest::newRow("band 2 is off") << QByteArray::fromHex("C0286B01") << 400.0 // 238 MHz
                                   << QByteArray::fromHex("005A6202");
    QTest::newRow("snapped") << QByteArray::fromHex("D641DD00") << 145.003
                             << QByteArray::fromHex("CC41DD00");
    QTest::newRow("bit 31 ignored and dropped")
        << QByteArray::fromHex("A040DD80") << 145.0 << QByteArray::fromHex("A040DD00");
}

void TestChannelRecord::readMovesAndRewritesReceiveFrequency() {
    QFETCH(QByteArray, rxBytes);
    QFETCH(double, rx);
    QFETCH(QByteArray, storedAfter);

    NewChannel(All(), Mem, QStringLiteral("145"));
    std::copy(rxBytes.begin(), rxBytes.end(), Rec(All(), Mem));
    TChannel c;
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.RxFreq, rx);
    QCOMPARE(Hex(Rec(All(), Mem), 4), QString::fromLatin1(storedAfter.toHex(' ').toUpper()));
    QVERIFY(!PresentBitSet(All(), Mem));
}

void TestChannelRecord::readRewritesTones_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("tone");
    QTest::addColumn<QByteArray>("storedAfter");

    QTest::newRow("clean CTCSS") << QByteArray::fromHex("8508") << "88.5"
                                 << QByteArray::fromHex("8508");
    QTest::newRow("none with a stray low byte")
        << QByteArray::fromHex("12FF") << "" << QByteArray::fromHex("FFFF");
    QTest::newRow("DCS with stray bits")
        << QByteArray::fromHex("9CA7") << "D714N" << QByteArray::fromHex("1487");
    // Bytes that are no tone read as no tone and stay as the radio had them.
    QTest::newRow("not decimal") << QByteArray::fromHex("0A0A") << ""
                                 << QByteArray::fromHex("0A0A");
    QTest::newRow("high byte not decimal")
        << QByteArray::fromHex("007F") << "" << QByteArray::fromHex("007F");
}

void TestChannelRecord::readRewritesTones() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, tone);
    QFETCH(QByteArray, storedAfter);

    NewChannel(All(), Mem, QStringLiteral("145"));
    uint8_t* rec = Rec(All(), Mem);
    std::copy(bytes.begin(), bytes.end(), rec + 8);  // receive tone
    std::copy(bytes.begin(), bytes.end(), rec + 10); // transmit tone
    TChannel c;
    c.RxTone = c.TxTone = QStringLiteral("stale");
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.RxTone, tone);
    QCOMPARE(c.TxTone, tone);
    const QString after = QString::fromLatin1(storedAfter.toHex(' ').toUpper());
    QCOMPARE(Hex(rec + 8, 2), after);
    QCOMPARE(Hex(rec + 10, 2), after);
}

void TestChannelRecord::readNameAndIdCode_data() {
    QTest::addColumn<QByteArray>("nameBytes");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("idBytes");
    QTest::addColumn<QString>("id");

    QTest::newRow("AB, 120") << QByteArray::fromHex("21220000000000") << "AB"
                             << QByteArray::fromHex("120FFF") << "120";
    QTest::newRow("erased name, short ID")
        << QByteArray(7, char(0xFF)) << "" << QByteArray::fromHex("1FFFFF") << "000";
    QTest::newRow("inner blank kept, six digits") << QByteArray::fromHex("217B2200000000") << "A B"
                                                  << QByteArray::fromHex("123456") << "123456";
    QTest::newRow("leading blank kept, stop at first non-digit")
        << QByteArray::fromHex("00210000000000") << " A" << QByteArray::fromHex("123A00") << "123";
    QTest::newRow("beyond z, all zero ID")
        << QByteArray::fromHex("5A600000000000") << QStringLiteral("z") + QChar(0x80)
        << QByteArray::fromHex("000000") << "000000";
}

void TestChannelRecord::readNameAndIdCode() {
    QFETCH(QByteArray, nameBytes);
    QFETCH(QString, name);
    QFETCH(QByteArray, idBytes);
    QFETCH(QString, id);

    NewChannel(All(), Mem, QStringLiteral("145"));
    std::copy(nameBytes.begin(), nameBytes.end(), Rec(All(), Mem) + 18);
    std::copy(idBytes.begin(), idBytes.end(), Rec(All(), Mem) + 15);
    TChannel c;
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.Name, name);
    QCOMPARE(c.IdCode, id);
}

void TestChannelRecord::vfoRecordsAreAlwaysPresent() {
    for (int k : {VfoLow, VfoHigh}) {
        std::fill(Rec(All(), k), Rec(All(), k) + 32, 0xFF);
        TChannel c;
        c.ScanDel = 7;
        QVERIFY(ReadChannel(All(), k, c));
        // 0x7FFFFFFF counts is no band: the first band's lower limit replaces it. The offset of
        // 167.77215 MHz is too large and duplex 3 reads as off.
        QCOMPARE(c.RxFreq, 400.0);
        QCOMPARE(c.Offset, 0.0);
        QCOMPARE(int(c.Duplex), 0);
        QCOMPARE(c.TxFreq, 400.0);
        QCOMPARE(c.RxTone, QString());
        QCOMPARE(int(c.ScanDel), 7); // VFO records have no scan bit
        QCOMPARE(Hex(Rec(All(), k), 8), QStringLiteral("00 5A 62 02 00 00 00 FF"));
    }
}

void TestChannelRecord::readVfoOffsetAndDuplex_data() {
    QTest::addColumn<QByteArray>("offsetBytes");
    QTest::addColumn<int>("byte7");
    QTest::addColumn<double>("offset");
    QTest::addColumn<int>("duplex");
    QTest::addColumn<double>("tx");
    QTest::addColumn<QByteArray>("storedAfter");

    const QByteArray o06 = QByteArray::fromHex("60EA00");
    QTest::newRow("plus") << o06 << 0x01 << 0.6 << 1 << 145.6 << o06;
    QTest::newRow("minus") << o06 << 0x02 << 0.6 << 2 << 144.4 << o06;
    QTest::newRow("off") << o06 << 0x00 << 0.6 << 0 << 145.0 << o06;
    QTest::newRow("3 reads as off") << o06 << 0x03 << 0.6 << 0 << 145.0 << o06;
    QTest::newRow("upper bits ignored") << o06 << 0xFD << 0.6 << 1 << 145.6 << o06;
    QTest::newRow("99.995 kept") << QByteArray::fromHex("8C9498") << 0x02 << 99.995 << 2 << 45.005
                                 << QByteArray::fromHex("8C9498");
    QTest::newRow("100 becomes 0") << QByteArray::fromHex("809698") << 0x01 << 0.0 << 1 << 145.0
                                   << QByteArray::fromHex("000000");
}

void TestChannelRecord::readVfoOffsetAndDuplex() {
    QFETCH(QByteArray, offsetBytes);
    QFETCH(int, byte7);
    QFETCH(double, offset);
    QFETCH(int, duplex);
    QFETCH(double, tx);
    QFETCH(QByteArray, storedAfter);

    uint8_t* rec = Rec(All(), VfoLow);
    SetHex(rec, "A040DD00"); // 145.0
    std::copy(offsetBytes.begin(), offsetBytes.end(), rec + 4);
    rec[7] = uint8_t(byte7);
    TChannel c;
    QVERIFY(ReadChannel(All(), VfoLow, c));
    QCOMPARE(c.RxFreq, 145.0);
    QCOMPARE(c.Offset, offset);
    QCOMPARE(int(c.Duplex), duplex);
    QCOMPARE(c.TxFreq, tx);
    QCOMPARE(Hex(rec + 4, 3), QString::fromLatin1(storedAfter.toHex(' ').toUpper()));
    QCOMPARE(int(rec[7]), byte7);
}

void TestChannelRecord::readLeavesModifiedAlone() {
    NewChannel(All(), Mem, QStringLiteral("145"));
    SetHex(Rec(All(), Mem), "D641DD00"); // read will rewrite it
    SetHex(Rec(All(), Mem) + 8, "0A0A");
    for (bool modified : {false, true}) {
        All().Modified = modified;
        TChannel c;
        QVERIFY(ReadChannel(All(), Mem, c));
        QVERIFY(ReadChannel(All(), VfoLow, c));
        QVERIFY(!ReadChannel(All(), Mem + 1, c));
        QCOMPARE(All().Modified, modified);
    }
}

void TestChannelRecord::newChannelDefaults_data() {
    QTest::addColumn<int>("fill");
    QTest::addColumn<QString>("record");

    // Untouched bits and bytes (12 bit 5, 13 bits 0-3 and 6, 14, 25-31) keep the fill.
    QTest::newRow("on an empty channel")
        << 0xFF
        << QStringLiteral("CC 41 DD 00 CC 41 DD 00 FF FF FF FF FF FF FF 00 0F FF "
                          "00 00 00 00 00 00 00 FF FF FF FF FF FF FF");
    QTest::newRow("on zero bytes")
        << 0x00
        << QStringLiteral("CC 41 DD 00 CC 41 DD 00 FF FF FF FF DF B0 00 00 0F FF "
                          "00 00 00 00 00 00 00 00 00 00 00 00 00 00");
}

void TestChannelRecord::newChannelDefaults() {
    QFETCH(int, fill);
    QFETCH(QString, record);

    std::fill(Rec(All(), Mem), Rec(All(), Mem) + 32, uint8_t(fill));
    SetMapBit(All(), Addr::ScanMap, Mem, true); // a new channel is skipped whatever it was
    NewChannel(All(), Mem, QStringLiteral("145.0031"));
    QCOMPARE(Hex(Rec(All(), Mem), 32), record);
    QVERIFY(!PresentBitSet(All(), Mem));
    QVERIFY(ScanBitSet(All(), Mem));

    TChannel c;
    QVERIFY(ReadChannel(All(), Mem, c));
    QCOMPARE(c.RxFreq, 145.003);
    QCOMPARE(c.TxFreq, 145.003);
    QCOMPARE(int(c.Duplex), 0);
    QCOMPARE(int(c.Power), 1);
    QCOMPARE(int(c.Bandwidth), 1);
    QCOMPARE(int(c.ScanDel), 1);
    QCOMPARE(int(c.BusyLock), 1);
    QCOMPARE(int(c.Vox), 1);
    QCOMPARE(int(c.VoiceMode), 0);
    QCOMPARE(int(c.Epilogue), 1);
    QCOMPARE(int(c.PttId), 0);
    QCOMPARE(int(c.Ani), 1);
    QCOMPARE(c.Name, QString());
    QCOMPARE(c.IdCode, QStringLiteral("000"));
}

QTEST_GUILESS_MAIN(TestChannelRecord)
#include "tst_channelrecord.moc"
