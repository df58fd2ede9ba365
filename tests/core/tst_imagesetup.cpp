// The bytes of a new image, the option repairs, the band derivations each occasion runs, and
// the model catalogue they consult.

#include "core/All.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/ImageSetup.h"
#include "core/MacList.h"
#include "core/Maindb.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using TImage = std::array<uint8_t, ImageSize>;

namespace {

const QDateTime StampTime(QDate(2024, 3, 5), QTime(14, 7, 9));

QString Hex(const uint8_t* bytes, int count) {
    return QByteArray(reinterpret_cast<const char*>(bytes), count).toHex(' ').toUpper();
}

QString Hex(const TImage& image, int at, int count) {
    return Hex(&image[at], count);
}

QList<double> BandList(const TALL& all) {
    QList<double> list;
    for (const TBand& band : all.Bands)
        list << band.Low << band.High;
    return list;
}

void PutMHz(TALL& all, int at, double mhz) {
    PutU32(&all.Image[at], uint32_t(std::llround(mhz * 1e5)));
}

} // namespace

class TestImageSetup : public QObject {
    Q_OBJECT

    QTemporaryDir Folder;
    std::unique_ptr<TfMaindb> Db;
    TALL& All() { return Db->All; }
    const TMacList& Models() { return Db->MacList; }

private slots:
    // Start-up and New, as the main window runs them.
    void init() {
        Db = std::make_unique<TfMaindb>(Folder.path() + QLatin1Char('/'));
        Db->Now = [] { return StampTime; };
        Db->BuildStartImage();
        Db->NewImage();
    }

    void blankImageBytes();
    void startUpAndNew();
    void newKeepsBandsAndBlock297();
    void sanitizeOptions_data();
    void sanitizeOptions();
    void fmLimits_data();
    void fmLimits();
    void bandsFromImage_data();
    void bandsFromImage();
    void acceptRadioImageMarksBandsCustom();
    void applyModel();
    void derivationsLeaveModifiedAlone();

    void catalogueLookups();
    void catalogueModel();
};

void TestImageSetup::blankImageBytes() {
    TALL all;
    all.DefaultManualFreq = 0xFF;
    all.Image.fill(0x3C);
    BlankImage(all, StampTime);

    QCOMPARE(Hex(all.Image, 0x11B0, 56),
             QStringLiteral("FF FF FF FF C0 0D E0 10 00 00 00 FF BD F2 F8 65 "
                            "94 16 00 0C 00 F5 FF FF FF FF FF FF FF FF FF FF "
                            "FF FF FF FF FF F1 32 D0 EF 1A F5 FF 00 0F FF FF "
                            "00 FF FF FF FF FF FF FF"));
    QCOMPARE(Hex(all.Image, Addr::DateStamp, 8), QStringLiteral("E8 07 03 05 0E 07 09 FF"));
    QCOMPARE(int(all.ManualFreq), 0xFF);

    // Everything else up to block 296 is erased; block 297 and the unused tail stay.
    for (int i = 0; i < FileOnlyBlockStart; ++i) {
        const bool written =
            (i >= 0x11B0 && i < 0x11E8) || (i >= Addr::DateStamp && i < Addr::DateStamp + 7);
        if (!written) QVERIFY2(all.Image[i] == 0xFF, qPrintable(QString::number(i, 16)));
    }
    for (int i = FileOnlyBlockStart; i < ImageSize; ++i)
        QVERIFY2(all.Image[i] == 0x3C, qPrintable(QString::number(i, 16)));
}

void TestImageSetup::startUpAndNew() {
    QCOMPARE(Hex(All().Image, Addr::BandLimits, 32),
             QStringLiteral("00 5A 62 02 00 6C DC 02 00 85 CF 00 C0 80 09 01 "
                            "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"));
    QCOMPARE(int(All().BandEnable), 0x05);
    QCOMPARE(All().BandText, QStringLiteral("400.00000 - 480.00000/136.00000 - 174.00000MHz"));
    QCOMPARE(BandList(All()), (QList<double>{400, 480, 136, 174, 0, 0, 0, 0}));
    QCOMPARE(Hex(All().Image, Addr::Identity, 8), QStringLiteral("50 51 58 34 37 FF 05 00"));
    QCOMPARE(Hex(All().Image, Addr::DateStamp, 7), QStringLiteral("E8 07 03 05 0E 07 09"));
    QCOMPARE(All().ModelCode, QStringLiteral("QX47"));
    QCOMPARE(All().ModelName, QStringLiteral("ZP-407NE"));
    QCOMPARE(All().ChannelCount, 128);
    QCOMPARE(int(All().ModelBandMask), 0x3F);
    QVERIFY(!All().Modified);

    // The built-in model overrides the data module's own defaults.
    QCOMPARE(All().BaudRate, 4800);
    QCOMPARE(All().FmLow, 76.0);
    QCOMPARE(All().FmHigh, 107.0);
    QVERIFY(All().TestMenuVisible);
    QVERIFY(!All().SerialEditable);
    QCOMPARE(All().SoftwareCode, QStringLiteral("QX47"));
    QCOMPARE(All().DisplayName, QStringLiteral("ZP-407NE"));
}

void TestImageSetup::newKeepsBandsAndBlock297() {
    All().Bands = {TBand{410.0, 470.0}, TBand{}, TBand{}, TBand{}};
    All().BandEnable = 0x01;
    All().ManualFreq = 0xAA;
    std::fill(All().Image.begin() + FileOnlyBlockStart, All().Image.begin() + UsedImageEnd, 0x5A);
    All().Image[ChannelOffset(1)] = 0x00; // something of the old image that New must erase
    const QDateTime later(QDate(2025, 12, 31), QTime(23, 59, 58));
    Db->Now = [later] { return later; };

    Db->NewImage();
    QCOMPARE(Hex(All().Image, Addr::BandLimits, 16),
             QStringLiteral("40 9C 71 02 C0 29 CD 02 00 00 00 00 00 00 00 00"));
    QCOMPARE(int(All().BandEnable), 0x01);
    QCOMPARE(All().BandText, QStringLiteral("410.00000 - 470.00000MHz"));
    QCOMPARE(Hex(All().Image, Addr::Identity, 8), QStringLiteral("50 51 58 34 37 FF 01 00"));
    QCOMPARE(int(All().Image[ChannelOffset(1)]), 0xFF);
    QCOMPARE(Hex(All().Image, FileOnlyBlockStart, 16),
             QString::fromLatin1(QByteArray(16, 0x5A).toHex(' ').toUpper()));
    QCOMPARE(FormatDateStamp(&All().Image[Addr::DateStamp]), QStringLiteral("2025-12-31 23:59:58"));
}

void TestImageSetup::sanitizeOptions_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("0 above 127") << 0 << 0x80 << 0x00;
    QTest::newRow("0 at 127") << 0 << 0x7F << 0x7F;
    QTest::newRow("1 above 127") << 1 << 0xFF << 0x00;
    QTest::newRow("2 above 24") << 2 << 0x19 << 0x00;
    QTest::newRow("2 at 24") << 2 << 0x18 << 0x18;
    QTest::newRow("3 has no range") << 3 << 0xEE << 0xEE;
    QTest::newRow("5 bits 3-4") << 5 << 0xFF << 0xF7;
    QTest::newRow("6 both fields") << 6 << 0xFF << 0xFA;
    QTest::newRow("6 low field only") << 6 << 0xF7 << 0xF6;
    QTest::newRow("7 both nibbles") << 7 << 0xDA << 0x65;
    QTest::newRow("7 at the limits") << 7 << 0xC9 << 0xC9;
    QTest::newRow("8 low nibble") << 8 << 0xF9 << 0xF4;
    QTest::newRow("9 both nibbles") << 9 << 0x49 << 0x15;
    QTest::newRow("9 at the limits") << 9 << 0x38 << 0x38;
    QTest::newRow("10 both nibbles") << 10 << 0x93 << 0x10;
    QTest::newRow("11 above 27") << 11 << 0x1C << 0x0C;
    QTest::newRow("11 at 27") << 11 << 0x1B << 0x1B;
    QTest::newRow("12 above 129") << 12 << 0x82 << 0x00;
    QTest::newRow("12 at 129") << 12 << 0x81 << 0x81;
    QTest::newRow("13 low nibble") << 13 << 0x0A << 0x05;
    QTest::newRow("29 low nibble") << 29 << 0x0C << 0x02;
    QTest::newRow("30 both nibbles") << 30 << 0xAB << 0x00;
    QTest::newRow("30 at the limits") << 30 << 0x9A << 0x9A;
    QTest::newRow("31 low nibble, bits 4-5 always fit") << 31 << 0xF7 << 0xF0;
    QTest::newRow("33 high nibble") << 33 << 0x3F << 0x1F;
    QTest::newRow("34 low nibble") << 34 << 0xFB << 0xF5;
    QTest::newRow("40 above 10") << 40 << 0x0B << 0x00;
    QTest::newRow("40 at 10") << 40 << 0x0A << 0x0A;
    QTest::newRow("46 forced") << 46 << 0x00 << 0xFF;
    QTest::newRow("47 forced") << 47 << 0x12 << 0xFF;
}

void TestImageSetup::sanitizeOptions() {
    QFETCH(int, option);
    QFETCH(int, before);
    QFETCH(int, after);

    OptionByte(All(), option) = uint8_t(before);
    TImage expected = All().Image;
    expected[Addr::OptionArea + option] = uint8_t(after);
    SanitizeOptions(All());
    QCOMPARE(int(OptionByte(All(), option)), after);
    QVERIFY(All().Image == expected);
}

void TestImageSetup::fmLimits_data() {
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("repaired");

    QTest::newRow("low not below high") << 3520 << 3520 << true;
    QTest::newRow("widest range") << 2800 << 4560 << false;
    QTest::newRow("one step") << 3000 << 3001 << false;
    QTest::newRow("low too low") << 2799 << 4000 << true;
    QTest::newRow("high too high") << 3000 << 4561 << true;
    QTest::newRow("reversed") << 4000 << 3999 << true;
    QTest::newRow("low too high") << 4561 << 4562 << true;
    QTest::newRow("high too low") << 2700 << 2799 << true;
}

void TestImageSetup::fmLimits() {
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, repaired);

    All().Image[Addr::FmLow] = uint8_t(low);
    All().Image[Addr::FmLow + 1] = uint8_t(low >> 8);
    All().Image[Addr::FmHigh] = uint8_t(high);
    All().Image[Addr::FmHigh + 1] = uint8_t(high >> 8);
    SanitizeOptions(All());
    QCOMPARE(GetU16(All(), Addr::FmLow), repaired ? 3520 : low);
    QCOMPARE(GetU16(All(), Addr::FmHigh), repaired ? 4320 : high);
}

void TestImageSetup::bandsFromImage_data() {
    QTest::addColumn<int>("enable");           // image byte 0x11FE
    QTest::addColumn<QList<double>>("limits"); // stored in the image, band by band
    QTest::addColumn<QList<double>>("bands");  // Bands afterwards, and the image after the rewrite
    QTest::addColumn<int>("enableAfter");
    QTest::addColumn<QString>("text");

    const QList<double> stored = {401, 479, 140, 170, 245, 246, 350, 400};
    QTest::newRow("00 takes the model mask")
        << 0x00 << stored << QList<double>{400, 520, 134, 176, 200, 260, 0, 0} << 0x3F
        << "400.00000 - 520.00000/134.00000 - 176.00000/200.00000 - 260.00000MHz";
    QTest::newRow("custom kept") << 0x01 << stored << QList<double>{401, 479, 0, 0, 0, 0, 0, 0}
                                 << 0x01 << "401.00000 - 479.00000MHz";
    QTest::newRow("custom below the model")
        << 0x01 << QList<double>{390, 479} << QList<double>{400, 520, 0, 0, 0, 0, 0, 0} << 0x03
        << "400.00000 - 520.00000MHz";
    QTest::newRow("custom above the model")
        << 0x01 << QList<double>{401, 521} << QList<double>{400, 520, 0, 0, 0, 0, 0, 0} << 0x03
        << "400.00000 - 520.00000MHz";
    QTest::newRow("custom reversed")
        << 0x01 << QList<double>{479, 401} << QList<double>{400, 520, 0, 0, 0, 0, 0, 0} << 0x03
        << "400.00000 - 520.00000MHz";
    QTest::newRow("custom single frequency")
        << 0x01 << QList<double>{450, 450} << QList<double>{450, 450, 0, 0, 0, 0, 0, 0} << 0x01
        << "450.00000 - 450.00000MHz";
    QTest::newRow("custom rounded to 2.5 kHz")
        << 0x01 << QList<double>{400.001, 479.99875} << QList<double>{400, 480, 0, 0, 0, 0, 0, 0}
        << 0x01 << "400.00000 - 480.00000MHz";
    QTest::newRow("custom zero limits")
        << 0x04 << QList<double>{} << QList<double>{0, 0, 134, 176, 0, 0, 0, 0} << 0x0C
        << "134.00000 - 176.00000MHz";
    QTest::newRow("10 takes the model limits")
        << 0x02 << stored << QList<double>{400, 520, 0, 0, 0, 0, 0, 0} << 0x03
        << "400.00000 - 520.00000MHz";
    QTest::newRow("band 3 is not allowed")
        << 0xC5 << stored << QList<double>{401, 479, 140, 170, 0, 0, 0, 0} << 0x05
        << "401.00000 - 479.00000/140.00000 - 170.00000MHz";
    QTest::newRow("mixed")
        << 0x36 << stored << QList<double>{400, 520, 140, 170, 200, 260, 0, 0} << 0x37
        << "400.00000 - 520.00000/140.00000 - 170.00000/200.00000 - 260.00000MHz";
}

void TestImageSetup::bandsFromImage() {
    QFETCH(int, enable);
    QFETCH(QList<double>, limits);
    QFETCH(QList<double>, bands);
    QFETCH(int, enableAfter);
    QFETCH(QString, text);

    All().Image[Addr::BandEnable] = uint8_t(enable);
    for (int i = 0; i < 8; ++i)
        PutMHz(All(), Addr::BandLimits + 4 * i, limits.value(i));

    AcceptFileImage(Models(), All(), QStringLiteral("QX47"));
    QCOMPARE(BandList(All()), bands);
    QCOMPARE(int(All().BandEnable), enableAfter);
    QCOMPARE(All().BandText, text);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(BytesToMHz(&All().Image[Addr::BandLimits + 4 * i]), bands[i]);
    QCOMPARE(int(All().Image[Addr::BandEnable]), enable); // a file's identity is not rewritten
}

void TestImageSetup::acceptRadioImageMarksBandsCustom() {
    // As the radio sent it: band 0 on its model limits (11), band 1 custom 140-170 (01), and an
    // identity block that is not ours.
    All().Image[Addr::BandEnable] = 0x07;
    PutMHz(All(), Addr::BandLimits + 8, 140.0);
    PutMHz(All(), Addr::BandLimits + 12, 170.0);
    std::fill(All().Image.begin() + Addr::Identity, All().Image.begin() + Addr::Identity + 5, 0x11);
    All().Image[Addr::Identity + 7] = 0x77;
    All().ManualFreq = 0xAA;
    All().Modified = true;

    AcceptRadioImage(Models(), All(), QStringLiteral("QX47"));
    QCOMPARE(BandList(All()), (QList<double>{400, 520, 140, 170, 0, 0, 0, 0}));
    QCOMPARE(int(All().BandEnable), 0x05);
    QCOMPARE(Hex(All().Image, Addr::Identity, 8), QStringLiteral("50 51 58 34 37 AA 05 00"));
    QCOMPARE(Hex(All().Image, Addr::BandLimits, 16),
             QStringLiteral("00 5A 62 02 00 75 19 03 80 9F D5 00 40 66 03 01"));
    QVERIFY(All().Modified);

    // From then on the radio's limits count as custom limits.
    BandsFromImage(Models(), All());
    QCOMPARE(BandList(All()), (QList<double>{400, 520, 140, 170, 0, 0, 0, 0}));
    QCOMPARE(int(All().BandEnable), 0x05);
}

void TestImageSetup::applyModel() {
    const TImage before = All().Image;
    All().ModelName = QStringLiteral("old");
    All().ChannelCount = 7;
    QVERIFY(!ApplyModel(Models(), All(), QStringLiteral("QX48"), true));
    QCOMPARE(All().ModelName, QStringLiteral("old"));
    QCOMPARE(All().ChannelCount, 7);
    QVERIFY(All().Image == before);

    std::fill(All().Image.begin() + Addr::Identity, All().Image.begin() + Addr::Identity + 8, 0x11);
    const TImage scrambled = All().Image;
    QVERIFY(ApplyModel(Models(), All(), QStringLiteral("QX47"), false));
    QCOMPARE(All().ModelName, QStringLiteral("ZP-407NE"));
    QCOMPARE(All().ChannelCount, 128);
    QVERIFY(All().Image == scrambled);

    All().BandEnable = 0x0C;
    QVERIFY(ApplyModel(Models(), All(), QStringLiteral("QX47"), true));
    QCOMPARE(Hex(All().Image, Addr::Identity, 8), QStringLiteral("50 51 58 34 37 FF 0C 00"));
}

void TestImageSetup::derivationsLeaveModifiedAlone() {
    for (bool modified : {false, true}) {
        All().Modified = modified;
        BlankImage(All(), StampTime);
        SanitizeOptions(All());
        BuildNewImage(Models(), All(), StampTime);
        AcceptFileImage(Models(), All(), QStringLiteral("QX47"));
        AcceptRadioImage(Models(), All(), QStringLiteral("QX47"));
        QCOMPARE(All().Modified, modified);
    }
}

void TestImageSetup::catalogueLookups() {
    const TMacType* model = Models().FindByCode(QStringLiteral("QX47"));
    QVERIFY(model);
    QCOMPARE(model->Name, QStringLiteral("ZP-407NE"));
    QCOMPARE(model->ChannelCount, 128);
    for (const char* code : {"qx47", "QX4", "QX47 ", ""})
        QVERIFY2(!Models().FindByCode(QString::fromLatin1(code)), code);

    QCOMPARE(Models().FindByName(QStringLiteral("ZP-407NE")), model);
    QVERIFY(!Models().FindByName(QStringLiteral("zp-407ne")));
    QCOMPARE(Models().GetItem(0), model);
    QVERIFY(!Models().GetItem(1));
    QVERIFY(!Models().GetItem(-1));

    QStringList names = {QStringLiteral("old"), QStringLiteral("older")};
    Models().FillNames(names);
    QCOMPARE(names, QStringList{QStringLiteral("ZP-407NE")});
}

void TestImageSetup::catalogueModel() {
    const TMacType* model = Models().GetItem(0);
    QVERIFY(model);
    const auto range = [model](int band, bool useLimits) {
        const TBand b = model->GetRange(band, useLimits);
        return QList<double>{b.Low, b.High};
    };
    QCOMPARE(range(3, false), (QList<double>{350, 400}));
    QCOMPARE(range(3, true), (QList<double>{320, 400}));
    QCOMPARE(range(0, true), (QList<double>{400, 520}));
    QCOMPARE(range(1, false), (QList<double>{136, 174}));
    QCOMPARE(int(model->BandMask), 0x3F);
    QCOMPARE(int(model->DefaultBands), 0x45);
    QCOMPARE(int(model->BandCheckBoxes), 1);
    for (int band = 0; band < BandCount; ++band) {
        QVERIFY(model->IsPresent(band));
        QCOMPARE(model->EditFlags[band], (std::array<uint8_t, 2>{1, 1}));
    }

    // Limits always make both edges editable; defaults set the flags as given.
    TMacType custom(QStringLiteral("AB12"), QStringLiteral("Test"), 16);
    custom.SetDefaults(0, false, 10.0, 20.0, true, false);
    QCOMPARE(custom.EditFlags[0], (std::array<uint8_t, 2>{0, 1}));
    QVERIFY(!custom.IsPresent(0));
    custom.SetLimits(0, 5.0, 25.0);
    QCOMPARE(custom.EditFlags[0], (std::array<uint8_t, 2>{1, 1}));
}

QTEST_GUILESS_MAIN(TestImageSetup)
#include "tst_imagesetup.moc"
