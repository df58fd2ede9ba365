// Conversions between image bytes and editor texts: frequency grids and band checks, tones,
// character codes, bit fields of the option area, the date stamp and the "." separator.

#include "core/All.h"
#include "core/CharRules.h"
#include "core/Codecs.h"
#include "core/ConvertError.h"

#include <QLocale>
#include <QTest>
#include <limits>

namespace {

constexpr int Option9 = Addr::OptionArea + 9;

// Exact text of a double, so that a value that should come back untouched is compared bit for
// bit and not within qFuzzyCompare's tolerance.
QString Exact(double value) {
    return QString::number(value, 'g', 17);
}

void SetBands(TALL& all, const QList<double>& limits) {
    for (int band = 0; band < BandCount; ++band)
        all.Bands[band] = {limits.value(2 * band), limits.value(2 * band + 1)};
}

QString Hex(const uint8_t* bytes, int count) {
    return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
}

} // namespace

class TestCodecs : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void snapFrequency_data();
    void snapFrequency();
    void snapFrequencyRejectsUncountableValues();
    void gridModeOf_data();
    void gridModeOf();
    void vfoGridMode_data();
    void vfoGridMode();
    void checkFrequency_data();
    void checkFrequency();
    void nearestBandEdge_data();
    void nearestBandEdge();

    void toneRoundTrip_data();
    void toneRoundTrip();
    void decodeToneOnly_data();
    void decodeToneOnly();
    void decodeToneRejectsNonDecimalBytes_data();
    void decodeToneRejectsNonDecimalBytes();
    void encodeToneRejectsBadTextWithoutWriting_data();
    void encodeToneRejectsBadTextWithoutWriting();
    void normalizeTone_data();
    void normalizeTone();

    void nameChars_data();
    void nameChars();
    void storedNameCodesBeyondZ();
    void dtmfChars_data();
    void dtmfChars();
    void dtmfCodesOutsideTheTable();
    void serialChar_data();
    void serialChar();

    void fields_data();
    void fields();
    void clampOptionTouchesOnlyItsField();
    void optionAddresses();
    void mapBits_data();
    void mapBits();
    void numbers();

    void dateStampEncodesSevenBytesOnly();
    void formatDateStamp_data();
    void formatDateStamp();

    void parseMHz_data();
    void parseMHz();
    void parseMHzRejectsNonNumbers_data();
    void parseMHzRejectsNonNumbers();
    void formatMHz_data();
    void formatMHz();
    void decimalPointIgnoresLocale();
    void charRules_data();
    void charRules();
};

void TestCodecs::snapFrequency_data() {
    QTest::addColumn<int>("stepOption"); // option 9, consulted by mode 3
    QTest::addColumn<int>("modeIn");
    QTest::addColumn<double>("mhzIn");
    QTest::addColumn<double>("mhzOut");
    QTest::addColumn<int>("modeOut");
    QTest::addColumn<qint64>("counts");

    QTest::newRow("500 Hz rounds down")
        << 0x16 << 0 << 145.0031 << 145.003 << 0 << qint64(14500300);
    QTest::newRow("500 Hz half rounds up")
        << 0x16 << 0 << 145.00625 << 145.0065 << 0 << qint64(14500650);
    QTest::newRow("1.25 kHz, 60 of 125 down")
        << 0x16 << 1 << 145.0031 << 145.0025 << 1 << qint64(14500250);
    QTest::newRow("1.25 kHz, 63 of 125 up")
        << 0x16 << 1 << 145.00063 << 145.00125 << 1 << qint64(14500125);
    QTest::newRow("auto on 1.25 kHz grid")
        << 0x16 << 2 << 145.00625 << 145.00625 << 1 << qint64(14500625);
    QTest::newRow("auto on both grids") << 0x16 << 2 << 145.005 << 145.005 << 1 << qint64(14500500);
    QTest::newRow("auto on 500 Hz grid")
        << 0x16 << 2 << 145.0005 << 145.0005 << 0 << qint64(14500050);
    QTest::newRow("auto nearer 500 Hz")
        << 0x16 << 2 << 145.0031 << 145.003 << 0 << qint64(14500300);
    QTest::newRow("auto tie goes to 1.25 kHz")
        << 0x16 << 2 << 145.0026 << 145.0025 << 1 << qint64(14500250);
    QTest::newRow("auto on grid keeps input exactly")
        << 0x16 << 2 << 145.006250001 << 145.006250001 << 1 << qint64(14500625);
    QTest::newRow("step 0 follows 500 Hz")
        << 0x10 << 3 << 145.00625 << 145.0065 << 0 << qint64(14500650);
    QTest::newRow("step 2 follows 1.25 kHz")
        << 0x12 << 3 << 145.0031 << 145.0025 << 1 << qint64(14500250);
    QTest::newRow("step 3 follows 500 Hz")
        << 0xF3 << 3 << 145.00625 << 145.0065 << 0 << qint64(14500650);
    QTest::newRow("step 5 is automatic")
        << 0x05 << 3 << 145.0031 << 145.003 << 0 << qint64(14500300);
    QTest::newRow("2.5 kHz half rounds up")
        << 0x16 << 4 << 145.00125 << 145.0025 << 4 << qint64(14500250);
    QTest::newRow("2.5 kHz rounds down")
        << 0x16 << 4 << 145.00124 << 145.0 << 4 << qint64(14500000);
    QTest::newRow("mode 5 rounds as auto")
        << 0x16 << 5 << 145.0031 << 145.003 << 5 << qint64(14500300);
    QTest::newRow("mode 5 keeps on-grid value")
        << 0x16 << 5 << 145.00625 << 145.00625 << 5 << qint64(14500625);
    QTest::newRow("unknown mode 6") << 0x16 << 6 << 145.0031 << 145.0031 << 6 << qint64(0);
    QTest::newRow("unknown mode -1") << 0x16 << -1 << 145.0031 << 145.0031 << -1 << qint64(0);
}

void TestCodecs::snapFrequency() {
    QFETCH(int, stepOption);
    QFETCH(int, modeIn);
    QFETCH(double, mhzIn);
    QFETCH(double, mhzOut);
    QFETCH(int, modeOut);
    QFETCH(qint64, counts);

    TALL all;
    all.Image[Option9] = uint8_t(stepOption);
    double mhz = mhzIn;
    int mode = modeIn;
    QCOMPARE(SnapFrequency(all, mhz, mode), counts);
    QCOMPARE(Exact(mhz), Exact(mhzOut));
    QCOMPARE(mode, modeOut);
}

void TestCodecs::snapFrequencyRejectsUncountableValues() {
    TALL all;
    for (double bad : {2e12, -2e12, std::numeric_limits<double>::quiet_NaN(),
                       std::numeric_limits<double>::infinity()}) {
        double mhz = bad;
        int mode = 2;
        QVERIFY_THROWS_EXCEPTION(EConvertError, SnapFrequency(all, mhz, mode));
    }
}

void TestCodecs::gridModeOf_data() {
    QTest::addColumn<double>("mhz");
    QTest::addColumn<int>("mode");
    QTest::newRow("both grids") << 145.005 << 2;
    QTest::newRow("1.25 kHz only") << 145.00625 << 1;
    QTest::newRow("500 Hz only") << 145.0005 << 0;
    QTest::newRow("neither") << 145.0031 << 2;
    QTest::newRow("zero") << 0.0 << 2;
}

void TestCodecs::gridModeOf() {
    QFETCH(double, mhz);
    QFETCH(int, mode);
    QCOMPARE(GridModeOf(mhz), mode);
}

void TestCodecs::vfoGridMode_data() {
    QTest::addColumn<int>("option9");
    QTest::addColumn<int>("mode");
    QTest::newRow("step 0") << 0x00 << 0;
    QTest::newRow("step 1") << 0x01 << 0;
    QTest::newRow("step 2") << 0x02 << 1;
    QTest::newRow("step 3 keeps 500 Hz") << 0x03 << 0;
    QTest::newRow("step 4") << 0x04 << 2;
    QTest::newRow("step 15") << 0x0F << 2;
    QTest::newRow("high nibble ignored") << 0xF2 << 1;
    QTest::newRow("high nibble ignored, step 3") << 0x43 << 0;
}

void TestCodecs::vfoGridMode() {
    QFETCH(int, option9);
    QFETCH(int, mode);
    TALL all;
    all.Image[Option9] = uint8_t(option9);
    QCOMPARE(VfoGridMode(all), mode);
}

void TestCodecs::checkFrequency_data() {
    QTest::addColumn<QList<double>>("bands");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("mhzIn");
    QTest::addColumn<bool>("outOfRange");
    QTest::addColumn<double>("mhzOut");

    const QList<double> two = {400, 480, 136, 174};
    QTest::newRow("inside band 1") << two << "145.5" << 0.0 << false << 145.5;
    QTest::newRow("lower edge") << two << "136" << 0.0 << false << 136.0;
    QTest::newRow("upper edge") << two << "480" << 0.0 << false << 480.0;
    QTest::newRow("just above") << two << "174.00001" << 0.0 << true << 400.0;
    QTest::newRow("between bands") << two << "300" << 0.0 << true << 400.0;
    QTest::newRow("empty text checks the value") << two << "" << 150.0 << false << 150.0;
    QTest::newRow("zero") << two << "" << 0.0 << true << 400.0;
    QTest::newRow("negative") << two << "-150" << 0.0 << true << 400.0;
    QTest::newRow("not a number") << two << "abc" << 150.0 << true << 400.0;
    QTest::newRow("fallback skips an off band")
        << QList<double>{0, 0, 136, 174} << "100" << 0.0 << true << 136.0;
    QTest::newRow("half-open band is no range but a fallback")
        << QList<double>{300, 0, 136, 174} << "300" << 0.0 << true << 300.0;
    QTest::newRow("no band keeps the value") << QList<double>{} << "145" << 0.0 << true << 145.0;
}

void TestCodecs::checkFrequency() {
    QFETCH(QList<double>, bands);
    QFETCH(QString, text);
    QFETCH(double, mhzIn);
    QFETCH(bool, outOfRange);
    QFETCH(double, mhzOut);

    TALL all;
    SetBands(all, bands);
    double mhz = mhzIn;
    QCOMPARE(CheckFrequency(all, text, mhz), outOfRange);
    QCOMPARE(mhz, mhzOut);
}

void TestCodecs::nearestBandEdge_data() {
    QTest::addColumn<QList<double>>("bands");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<double>("mhz");
    QTest::addColumn<double>("edge");

    const QList<double> three = {400, 480, 136, 174, 200, 260};
    QTest::newRow("nearest low") << three << false << 150.0 << 136.0;
    QTest::newRow("nearest high") << three << true << 150.0 << 174.0;
    QTest::newRow("lowest low from -1") << three << false << -1.0 << 136.0;
    QTest::newRow("high near the top") << three << true << 470.0 << 480.0;
    QTest::newRow("tie: first band wins")
        << QList<double>{136, 174, 200, 260} << false << 168.0 << 136.0;
    QTest::newRow("998.5 MHz away still counts") << three << false << 1398.5 << 400.0;
    QTest::newRow("999 MHz away never counts") << three << false << 1399.0 << 0.0;
    QTest::newRow("half-open band skipped")
        << QList<double>{100, 0, 136, 174} << false << 100.0 << 136.0;
    QTest::newRow("no band") << QList<double>{} << true << 145.0 << 0.0;
}

void TestCodecs::nearestBandEdge() {
    QFETCH(QList<double>, bands);
    QFETCH(bool, upper);
    QFETCH(double, mhz);
    QFETCH(double, edge);
    TALL all;
    SetBands(all, bands);
    QCOMPARE(NearestBandEdge(all, upper, mhz), edge);
}

void TestCodecs::toneRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::newRow("88.5") << "88.5" << 0x85 << 0x08;
    QTest::newRow("100.0") << "100.0" << 0x00 << 0x10;
    QTest::newRow("67.0") << "67.0" << 0x70 << 0x06;
    QTest::newRow("254.1") << "254.1" << 0x41 << 0x25;
    QTest::newRow("D754I") << "D754I" << 0x54 << 0xC7;
    QTest::newRow("D023N") << "D023N" << 0x23 << 0x80;
    QTest::newRow("D023I") << "D023I" << 0x23 << 0xC0;
    QTest::newRow("none") << "" << 0xFF << 0xFF;
}

void TestCodecs::toneRoundTrip() {
    QFETCH(QString, text);
    QFETCH(int, lo);
    QFETCH(int, hi);
    uint8_t bytes[2] = {0x12, 0x34};
    EncodeTone(text, bytes[0], bytes[1]);
    QCOMPARE(int(bytes[0]), lo);
    QCOMPARE(int(bytes[1]), hi);
    QCOMPARE(DecodeTone(bytes[0], bytes[1]), text);
}

void TestCodecs::decodeToneOnly_data() {
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::addColumn<QString>("text");
    QTest::newRow("hi 0xFF is none whatever lo") << 0x85 << 0xFF << "";
    QTest::newRow("DCS takes three bits per digit") << 0xFF << 0xBF << "D777N";
    QTest::newRow("DCS zero") << 0x00 << 0x80 << "D000N";
    QTest::newRow("whole number gets .0") << 0x80 << 0x08 << "88.0";
}

void TestCodecs::decodeToneOnly() {
    QFETCH(int, lo);
    QFETCH(int, hi);
    QFETCH(QString, text);
    QCOMPARE(DecodeTone(uint8_t(lo), uint8_t(hi)), text);
}

void TestCodecs::decodeToneRejectsNonDecimalBytes_data() {
    QTest::addColumn<int>("lo");
    QTest::addColumn<int>("hi");
    QTest::newRow("0A 0A") << 0x0A << 0x0A;
    QTest::newRow("low digit") << 0x5A << 0x01;
    QTest::newRow("high byte 7F") << 0x00 << 0x7F;
}

void TestCodecs::decodeToneRejectsNonDecimalBytes() {
    QFETCH(int, lo);
    QFETCH(int, hi);
    QVERIFY_THROWS_EXCEPTION(EConvertError, DecodeTone(uint8_t(lo), uint8_t(hi)));
}

void TestCodecs::encodeToneRejectsBadTextWithoutWriting_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("not a number") << "abc";
    QTest::newRow("DCS first digit") << "DZ23N";
    QTest::newRow("DCS last digits") << "D0Z3N";
}

void TestCodecs::encodeToneRejectsBadTextWithoutWriting() {
    QFETCH(QString, text);
    uint8_t lo = 0x12, hi = 0x34;
    QVERIFY_THROWS_EXCEPTION(EConvertError, EncodeTone(text, lo, hi));
    QCOMPARE(int(lo), 0x12);
    QCOMPARE(int(hi), 0x34);
}

void TestCodecs::normalizeTone_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("above 290") << "999"
                               << "290.0";
    QTest::newRow("below 30") << "5"
                              << "30.0";
    QTest::newRow("whole number") << "100"
                                  << "100.0";
    QTest::newRow("rounded to tenths") << "88.46"
                                       << "88.5";
    QTest::newRow("no number") << "1a"
                               << "67.0";
    QTest::newRow("not a tone") << "x1"
                                << "67.0";
    QTest::newRow("leading blank") << " 88.5"
                                   << "67.0";
    QTest::newRow("short DCS padded") << "d12"
                                      << "D120N";
    QTest::newRow("bad digit and polarity") << "D0299"
                                            << "D027N";
    QTest::newRow("bare D") << "D"
                            << "D000N";
    QTest::newRow("non-octal first digit") << "D8"
                                           << "D700N";
    QTest::newRow("lower-case polarity") << "d023i"
                                         << "D023I";
    QTest::newRow("unknown polarity") << "D023X"
                                      << "D023N";
    QTest::newRow("cut to five") << "D754I9"
                                 << "D754I";
}

void TestCodecs::normalizeTone() {
    QFETCH(QString, typed);
    QFETCH(QString, clean);
    QCOMPARE(NormalizeTone(typed), clean);
}

void TestCodecs::nameChars_data() {
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<int>("code");
    QTest::addColumn<QChar>("back"); // what the stored code reads as
    QTest::newRow("blank") << QChar(' ') << 0x00 << QChar(' ');
    QTest::newRow("A") << QChar('A') << 0x21 << QChar('A');
    QTest::newRow("z") << QChar('z') << 0x5A << QChar('z');
    QTest::newRow("{ is outside") << QChar('{') << 0x20 << QChar('@');
    QTest::newRow("control char") << QChar(0x1F) << 0x20 << QChar('@');
    QTest::newRow("non-ASCII") << QChar(0xE9) << 0x20 << QChar('@');
}

void TestCodecs::nameChars() {
    QFETCH(QChar, ch);
    QFETCH(int, code);
    QFETCH(QChar, back);
    QCOMPARE(int(EncodeNameChar(ch)), code);
    QCOMPARE(DecodeNameChar(uint8_t(code)), back);
}

void TestCodecs::storedNameCodesBeyondZ() {
    // Up to 0x7A a stored value still decodes, even past 'z'; above it reads as a blank.
    QCOMPARE(DecodeNameChar(0x60), QChar(0x80));
    QCOMPARE(DecodeNameChar(0x7A), QChar(0x9A));
    QCOMPARE(DecodeNameChar(0x7B), QChar(' '));
    QCOMPARE(DecodeNameChar(0xFF), QChar(' '));
}

void TestCodecs::dtmfChars_data() {
    QTest::addColumn<QChar>("ch");
    QTest::addColumn<int>("code");
    QTest::addColumn<QChar>("back");
    QTest::newRow("0") << QChar('0') << 0 << QChar('0');
    QTest::newRow("1") << QChar('1') << 1 << QChar('1');
    QTest::newRow("9") << QChar('9') << 9 << QChar('9');
    QTest::newRow("A") << QChar('A') << 10 << QChar('A');
    QTest::newRow("D") << QChar('D') << 13 << QChar('D');
    QTest::newRow("#") << QChar('#') << 14 << QChar('#');
    QTest::newRow("*") << QChar('*') << 15 << QChar('*');
    QTest::newRow("lower-case a") << QChar('a') << 0 << QChar('0');
    QTest::newRow("E") << QChar('E') << 0 << QChar('0');
}

void TestCodecs::dtmfChars() {
    QFETCH(QChar, ch);
    QFETCH(int, code);
    QFETCH(QChar, back);
    QCOMPARE(int(DtmfCharToCode(ch)), code);
    QCOMPARE(DtmfCodeToChar(code), back);
}

void TestCodecs::dtmfCodesOutsideTheTable() {
    QCOMPARE(DtmfCodeToChar(16), QChar(' '));
    QCOMPARE(DtmfCodeToChar(-1), QChar(' '));
}

void TestCodecs::serialChar_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<QChar>("shown");
    for (char c : {'A', 'Z', 'a', 'z', '0', '9'})
        QTest::addRow("%c", c) << int(c) << QChar(c);
    for (int b : {0x00, int('/'), int(':'), int('@'), int('['), int('`'), int('{'), int('-'),
                  int(' '), 0x80, 0xFF})
        QTest::addRow("0x%02X", b) << b << QChar(' ');
}

void TestCodecs::serialChar() {
    QFETCH(int, byte);
    QFETCH(QChar, shown);
    QCOMPARE(SerialChar(uint8_t(byte)), shown);
}

void TestCodecs::fields_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("fallback");
    QTest::addColumn<int>("got");   // GetField
    QTest::addColumn<int>("value"); // written by SetField
    QTest::addColumn<int>("after");

    QTest::newRow("middle bits") << 0xB6 << 0x30 << 3 << 9 << 3 << 1 << 0x96;
    QTest::newRow("above max gives fallback") << 0xB6 << 0x30 << 2 << 9 << 9 << 0 << 0x86;
    QTest::newRow("high nibble") << 0xB6 << 0xF0 << 0xFF << 0 << 0x0B << 0x4 << 0x46;
    QTest::newRow("value wider than mask") << 0xB6 << 0x0F << 0xFF << 0 << 6 << 0x1F << 0xBF;
    QTest::newRow("single top bit") << 0x80 << 0x80 << 1 << 0 << 1 << 0 << 0x00;
    QTest::newRow("single bit set") << 0x00 << 0x04 << 1 << 0 << 0 << 1 << 0x04;
}

void TestCodecs::fields() {
    QFETCH(int, byte);
    QFETCH(int, mask);
    QFETCH(int, max);
    QFETCH(int, fallback);
    QFETCH(int, got);
    QFETCH(int, value);
    QFETCH(int, after);
    QCOMPARE(int(GetField(uint8_t(byte), uint8_t(mask), uint8_t(max), uint8_t(fallback))), got);
    uint8_t b = uint8_t(byte);
    SetField(b, uint8_t(mask), value);
    QCOMPARE(int(b), after);
}

void TestCodecs::clampOptionTouchesOnlyItsField() {
    TALL all;
    uint8_t& option7 = all.Image[Addr::OptionArea + 7];

    option7 = 0xDA; // low nibble 10 is above 9
    ClampOption(all, 7, 0x0F, 0, 9, 5);
    QCOMPARE(int(option7), 0xD5);

    option7 = 0xD2; // below a lower bound other than 0
    ClampOption(all, 7, 0x0F, 3, 9, 4);
    QCOMPARE(int(option7), 0xD4);

    option7 = 0xD9; // inside
    ClampOption(all, 7, 0x0F, 0, 9, 5);
    QCOMPARE(int(option7), 0xD9);
}

void TestCodecs::optionAddresses() {
    TALL all;
    SetOption(all, 0, 0xFF, 0x12);
    SetOption(all, 63, 0xF0, 0xA);
    QCOMPARE(int(all.Image[0x11B8]), 0x12);
    QCOMPARE(int(all.Image[0x11F7]), 0xA0);
    QCOMPARE(int(GetOption(all, 63, 0xF0)), 0xA);
    QCOMPARE(int(GetOption(all, 0, 0xFF)), 0x12);
    // The option number wraps within the 256 bytes from 0x11B0.
    QCOMPARE(&OptionByte(all, 248), &all.Image[0x11B0]);
}

void TestCodecs::mapBits_data() {
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("byteIndex");
    QTest::addColumn<int>("bit");
    QTest::newRow("1") << 1 << 0 << 0;
    QTest::newRow("8") << 8 << 0 << 7;
    QTest::newRow("9") << 9 << 1 << 0;
    QTest::newRow("100") << 100 << 12 << 3;
    QTest::newRow("128") << 128 << 15 << 7;
}

void TestCodecs::mapBits() {
    QFETCH(int, k);
    QFETCH(int, byteIndex);
    QFETCH(int, bit);
    TALL all;
    std::fill(all.Image.begin() + Addr::ScanMap, all.Image.begin() + Addr::ScanMap + 16, 0xFF);
    const auto before = all.Image;

    SetMapBit(all, Addr::ScanMap, k, true);
    QVERIFY(TestMapBit(all, Addr::ScanMap, k));
    QCOMPARE(int(all.Image[Addr::ScanMap + byteIndex]), 0xFF & ~(1 << bit));
    for (int other : {1, 8, 9, 100, 128}) {
        if (other != k) QVERIFY(!TestMapBit(all, Addr::ScanMap, other));
    }

    SetMapBit(all, Addr::ScanMap, k, false);
    QVERIFY(!TestMapBit(all, Addr::ScanMap, k));
    QVERIFY(all.Image == before);
}

void TestCodecs::numbers() {
    const uint8_t top[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    QCOMPARE(PackU31(top), 0x7FFFFFFFu);
    const uint8_t flagged400[4] = {0x00, 0x5A, 0x62, 0x82}; // bit 31 is not part of the value
    QCOMPARE(PackU31(flagged400), 40000000u);
    QCOMPARE(BytesToMHz(flagged400), 400.0);

    uint8_t out[5] = {0, 0, 0, 0, 0x77};
    PutU32(out, 0x02DC6C00);
    QCOMPARE(Hex(out, 5), QStringLiteral("00 6C DC 02 77"));

    QCOMPARE(int(HexToByte(QStringLiteral("7f"))), 0x7F);
    QCOMPARE(int(HexToByte(QStringLiteral("A0"))), 0xA0);
    for (const char* bad : {"", "G1", "123", "-1"})
        QVERIFY_THROWS_EXCEPTION(EConvertError, HexToByte(QString::fromLatin1(bad)));
}

void TestCodecs::dateStampEncodesSevenBytesOnly() {
    uint8_t bytes[9];
    std::fill(bytes, bytes + 9, 0xAA);
    EncodeDateStamp(bytes + 1, QStringLiteral("2024-03-05 14:07:09"));
    QCOMPARE(Hex(bytes, 9), QStringLiteral("AA E8 07 03 05 0E 07 09 AA"));
    QCOMPARE(FormatDateStamp(bytes + 1), QStringLiteral("2024-03-05 14:07:09"));
}

void TestCodecs::formatDateStamp_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ordinary") << QByteArray::fromHex("E8070305 0E0709") << "2024-03-05 14:07:09";
    QTest::newRow("erased") << QByteArray(7, char(0xFF)) << "65535-255-255 255:255:255";
    QTest::newRow("short year") << QByteArray::fromHex("05000102030405") << "5-01-02 03:04:05";
}

void TestCodecs::formatDateStamp() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FormatDateStamp(reinterpret_cast<const uint8_t*>(bytes.constData())), text);
}

void TestCodecs::parseMHz_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("mhz");
    QTest::newRow("plain") << "145.5" << 145.5;
    QTest::newRow("unit cut") << "145.5MHz" << 145.5;
    QTest::newRow("text after the unit") << "145.5MHz x" << 145.5;
    QTest::newRow("unit only") << "MHz" << -1.0;
    QTest::newRow("empty") << "" << -1.0;
}

void TestCodecs::parseMHz() {
    QFETCH(QString, text);
    QFETCH(double, mhz);
    QCOMPARE(ParseMHz(text), mhz);
}

void TestCodecs::parseMHzRejectsNonNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("letters") << "abc";
    QTest::newRow("unit is case-sensitive") << "145.5mhz";
    QTest::newRow("comma") << "145,5";
    QTest::newRow("infinity") << "inf";
    QTest::newRow("nan") << "nan";
}

void TestCodecs::parseMHzRejectsNonNumbers() {
    QFETCH(QString, text);
    QVERIFY_THROWS_EXCEPTION(EConvertError, ParseMHz(text));
}

void TestCodecs::formatMHz_data() {
    QTest::addColumn<double>("mhz");
    QTest::addColumn<QString>("text");
    QTest::newRow("five decimals") << 145.5 << "145.50000";
    QTest::newRow("zero") << 0.0 << "0.00000";
    QTest::newRow("10 Hz step") << 145.00001 << "145.00001";
    QTest::newRow("below 10 Hz") << 0.000004 << "0.00000";
}

void TestCodecs::formatMHz() {
    QFETCH(double, mhz);
    QFETCH(QString, text);
    QCOMPARE(FormatMHz(mhz), text);
}

void TestCodecs::decimalPointIgnoresLocale() {
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(FormatMHz(145.5), QStringLiteral("145.50000"));
    QCOMPARE(ParseMHz(QStringLiteral("145.5")), 145.5);
    QVERIFY_THROWS_EXCEPTION(EConvertError, ParseMHz(QStringLiteral("145,5")));
    QCOMPARE(NormalizeTone(QStringLiteral("88.5")), QStringLiteral("88.5"));
    QCOMPARE(DecodeTone(0x85, 0x08), QStringLiteral("88.5"));
    uint8_t lo = 0, hi = 0;
    EncodeTone(QStringLiteral("88.5"), lo, hi);
    QCOMPARE(int(lo), 0x85);

    TALL all;
    all.Bands[0] = {136.0, 174.0};
    double mhz = 0.0;
    QVERIFY(!CheckFrequency(all, QStringLiteral("145.5"), mhz));
    QCOMPARE(mhz, 145.5);
}

void TestCodecs::charRules_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept");
    using K = TCharRules::TKind;
    QTest::newRow("frequency") << int(K::Frequency) << "1a4,6.5 MHz-"
                               << "14.6.5";
    QTest::newRow("tone") << int(K::Tone) << "D023n Iix67.0"
                          << "D023nIi67.0";
    QTest::newRow("name") << int(K::Name) << QString::fromUtf8("Ab 1{|}~\u00e9z\t") << "Ab 1z";
    QTest::newRow("ID code") << int(K::IdCode) << "1A2*#3 "
                             << "123";
    QTest::newRow("DTMF code") << int(K::DtmfCode) << "1aBd*#eE0 "
                               << "1ABD*#0";
}

void TestCodecs::charRules() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QCOMPARE(TCharRules::Filter(TCharRules::TKind(kind), text), kept);
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "tst_codecs.moc"
