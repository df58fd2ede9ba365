// The option-field table: its rows against the bits each window uses, the item mappings, the
// look-ups and text parsing, and the image check that runs from it.

#include "core/All.h"
#include "core/ImageSetup.h"
#include "core/OptionFields.h"

#include <QDateTime>
#include <QSet>
#include <QTest>
#include <algorithm>
#include <map>

namespace {

constexpr int Channels = 128;

const TOptionField& Field(const QString& key) {
    const TOptionField* field = FindOptionField(key);
    if (!field) qFatal("no option field %s", qPrintable(key));
    return *field;
}

} // namespace

class TestOptionFields : public QObject {
    Q_OBJECT

    TALL All;

private slots:
    void init() {
        All = TALL();
        BlankImage(All, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    }

    void rowsAreConsistent();
    void bitsOfEachWindow_data();
    void bitsOfEachWindow();
    void lookupsAndAccess();
    void itemText_data();
    void itemText();
    void parseText_data();
    void parseText();
    void savesWithoutChoice_data();
    void savesWithoutChoice();
    void newImageShowsEveryField();
    void imageCheckRepairs_data();
    void imageCheckRepairs();
};

void TestOptionFields::rowsAreConsistent() {
    // Lists whose length differs from the range the image check allows.
    const std::map<QString, int> otherLength = {{"FreqEdit.cxStep", 10}, {"DtmfFun.cxGroup", 5}};
    QSet<QString> keys;
    std::map<int, int> usedBits;
    QList<int> orders;
    for (const TOptionField& field : OptionFields()) {
        const QString key = field.Key();
        QVERIFY2(!keys.contains(key), qPrintable(key));
        keys.insert(key);
        QVERIFY2(field.Mask != 0 && field.Option >= 0 && field.Option < 64, qPrintable(key));
        QVERIFY2(field.Lo <= field.Hi && field.Hi <= field.MaxValue(), qPrintable(key));
        QVERIFY2((usedBits[field.Option] & field.Mask) == 0, qPrintable(key));
        usedBits[field.Option] |= field.Mask;
        if (field.CheckOrder > 0) {
            orders << field.CheckOrder;
            QVERIFY2(field.Lo <= field.Fallback && field.Fallback <= field.Hi, qPrintable(key));
        }
        if (field.Rule == TOptionRule::Index && field.IsList()) {
            const auto other = otherLength.find(key);
            const int length = other != otherLength.end() ? other->second : field.Hi - field.Lo + 1;
            QVERIFY2(field.Items.size() == length, qPrintable(key));
        }
        // Saving an item stores a value its bits hold and that shows the same item again.
        for (int item = 0; item < field.ItemCount(Channels); ++item) {
            const int value = field.ValueOf(item, 0);
            QVERIFY2(value >= 0 && value <= field.MaxValue(), qPrintable(key));
            QVERIFY2(field.ItemOf(value, Channels) == item, qPrintable(key));
        }
    }

    std::sort(orders.begin(), orders.end());
    QCOMPARE(int(ImageCheckFields().size()), 26);
    for (int i = 0; i < orders.size(); ++i)
        QCOMPARE(orders[i], i + 1);
    QCOMPARE(ImageCheckFields().front()->Key(), QStringLiteral("Option0"));
    QCOMPARE(ImageCheckFields().back()->Key(), QStringLiteral("DtmfFun.StunCodeLength"));
}

void TestOptionFields::bitsOfEachWindow_data() {
    // The bits each window's fields cover, as option byte, bits pairs.
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QList<int>>("bytes");

    QTest::newRow("options") << "OptFun"
                             << QList<int>{3, 0xAF, 4, 0xD7, 5, 0xBF, 6, 0xFF, 7, 0xFF, 13, 0x0F};
    QTest::newRow("VFO step") << "FreqEdit" << QList<int>{9, 0x0F};
    // Bits 2-3 of byte 32 and byte 35 belong to the PTT ID code texts.
    QTest::newRow("DTMF") << "DtmfFun" << QList<int>{29,   0x0F, 30,   0xFF, 31,   0xFF, 32,
                                                     0x73, 33,   0xFF, 34,   0xFF, 40,   0xFF};
    QTest::newRow("FM") << "FmFun" << QList<int>{5, 0x40, 9, 0xF0};
    QTest::newRow("scan") << "ScanFun" << QList<int>{10, 0xFF, 11, 0xFF, 12, 0xFF};
    QTest::newRow("VOX") << "VoxFun" << QList<int>{8, 0xEF};
    QTest::newRow("no window") << "" << QList<int>{0, 0xFF, 1, 0xFF, 2, 0xFF};
}

void TestOptionFields::bitsOfEachWindow() {
    QFETCH(QString, unit);
    QFETCH(QList<int>, bytes);

    QString expected;
    for (int i = 0; i < bytes.size(); i += 2)
        expected += QStringLiteral("%1:%2 ").arg(bytes[i]).arg(bytes[i + 1], 2, 16);
    std::map<int, int> covered;
    for (const TOptionField& field : OptionFields()) {
        if (field.Unit == unit) covered[field.Option] |= field.Mask;
    }
    QString actual;
    for (const auto& [option, bits] : covered)
        actual += QStringLiteral("%1:%2 ").arg(option).arg(bits, 2, 16);
    QCOMPARE(actual, expected);
}

void TestOptionFields::lookupsAndAccess() {
    const TOptionField* squelch = FindOptionField(QStringLiteral("cxSqlLv"));
    QVERIFY(squelch);
    QCOMPARE(squelch->Option, 7);
    QCOMPARE(int(squelch->Mask), 0x0F);
    QCOMPARE(squelch->Caption, QStringLiteral("Squelch level "));
    QCOMPARE(FindOptionField(QStringLiteral("optfun.CXSQLLV")), squelch);

    // Both the VFO and the FM window have a cxStep: only the qualified name finds one.
    QVERIFY(!FindOptionField(QStringLiteral("cxStep")));
    QCOMPARE(int(Field(QStringLiteral("FmFun.cxStep")).Mask), 0xF0);
    QCOMPARE(int(Field(QStringLiteral("FreqEdit.cxStep")).Mask), 0x0F);
    QCOMPARE(Field(QStringLiteral("Option2")).Option, 2);
    // The radio name and the DTMF codes are texts, not fields of this table.
    QVERIFY(!FindOptionField(QStringLiteral("cxOpenMsg")));
    QVERIFY(!FindOptionField(QStringLiteral("cxIdSv")));
    QVERIFY(!FindOptionField(QString()));

    // VOX delay "2.0" lies in bits 5-6 of option byte 8; the other bits stay.
    const TOptionField& delay = Field(QStringLiteral("cxVoxDv"));
    All.Image[Addr::OptionArea + 8] = 0x9F;
    delay.SetValue(All, 2);
    QCOMPARE(int(All.Image[Addr::OptionArea + 8]), 0xDF);
    QCOMPARE(delay.GetValue(All), 2);
}

void TestOptionFields::itemText_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("display mode 5") << "cxModeSw" << 5 << "FM Freq.";
    QTest::newRow("display mode 9") << "cxModeSw" << 9 << "Chs Freq.";
    QTest::newRow("display mode 11") << "cxModeSw" << 11 << "Freq.";
    QTest::newRow("battery save off keeps a ratio") << "cxRxSav" << 0x03 << "OFF";
    QTest::newRow("battery save on, ratio 1") << "cxRxSav" << 0x05 << "1:2";
    QTest::newRow("voice off with the Chinese bit") << "cxWavsSw" << 0x02 << "Off";
    QTest::newRow("voice Chinese") << "cxWavsSw" << 0x03 << "Chinese";
    QTest::newRow("tone length 3") << "cxEfSv" << 3 << "0";
    QTest::newRow("tone length 1") << "cxEfSv" << 1 << "500";
    QTest::newRow("FM step 0") << "FmFun.cxStep" << 0 << "50";
    QTest::newRow("FM step 3") << "FmFun.cxStep" << 3 << "200";
    QTest::newRow("VFO step keeps its blanks") << "FreqEdit.cxStep" << 3 << "  6.25";
    QTest::newRow("priority off") << "cxScanPris" << 0 << "OFF";
    QTest::newRow("priority last channel") << "cxScanPris" << 128 << "128";
    QTest::newRow("priority above the channels") << "cxScanPris" << 129 << "";
    QTest::newRow("group code without item") << "cxGroup" << 5 << "";
    QTest::newRow("dropout delay") << "cxScanBack" << 12 << "15";
    QTest::newRow("check box") << "cxFmDw" << 0 << "0";
    QTest::newRow("stun code length") << "StunCodeLength" << 7 << "7";
}

void TestOptionFields::itemText() {
    QFETCH(QString, key);
    QFETCH(int, value);
    QFETCH(QString, text);

    QCOMPARE(Field(key).ItemText(value, Channels), text);
}

void TestOptionFields::parseText_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("value");

    QTest::newRow("display mode item") << "cxModeSw" << 5 << " fm freq. " << true << 7;
    QTest::newRow("battery save off keeps the ratio") << "cxRxSav" << 7 << "OFF" << true << 3;
    QTest::newRow("battery save ratio") << "cxRxSav" << 3 << "1:2" << true << 5;
    QTest::newRow("voice off keeps the language") << "cxWavsSw" << 3 << "Off" << true << 2;
    QTest::newRow("voice English") << "cxWavsSw" << 2 << "English" << true << 1;
    QTest::newRow("tone length 100") << "cxEfSv" << 3 << "100" << true << 0;
    QTest::newRow("tone length 0") << "cxEfSv" << 0 << "0" << true << 3;
    QTest::newRow("FM step") << "FmFun.cxStep" << 0 << "50" << true << 1;
    QTest::newRow("VFO step without blanks") << "FreqEdit.cxStep" << 0 << "6.25" << true << 3;
    QTest::newRow("an item wins over a number") << "cxRate" << 0 << "7" << true << 3;
    QTest::newRow("a number no item has") << "cxRate" << 0 << "2" << true << 2;
    QTest::newRow("a number above the range") << "cxRate" << 0 << "16" << false << 0;
    QTest::newRow("group code 5") << "cxGroup" << 0 << "5" << true << 5;
    QTest::newRow("group code 7") << "cxGroup" << 0 << "7" << false << 0;
    QTest::newRow("priority channel") << "cxScanPris" << 0 << "128" << true << 128;
    QTest::newRow("check box") << "cxRelaySet" << 0 << "1" << true << 1;
    QTest::newRow("check box 2") << "cxRelaySet" << 0 << "2" << false << 0;
    QTest::newRow("no number") << "cxSqlLv" << 0 << "ten" << false << 0;
    QTest::newRow("empty") << "cxSqlLv" << 0 << "" << false << 0;
}

void TestOptionFields::parseText() {
    QFETCH(QString, key);
    QFETCH(int, current);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(int, value);

    int parsed = -1;
    QCOMPARE(Field(key).ParseText(text, current, Channels, parsed), ok);
    if (ok)
        QCOMPARE(parsed, value);
    else
        QCOMPARE(parsed, -1);
}

void TestOptionFields::savesWithoutChoice_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("value");

    QTest::newRow("index list: all ones") << "cxGroup" << 5 << 15;
    QTest::newRow("priority: all ones") << "cxScanPris" << 129 << 255;
    QTest::newRow("display mode") << "cxModeSw" << 0 << 15;
    QTest::newRow("tone length") << "cxEfSv" << 0 << 3;
    QTest::newRow("voice writes nothing") << "cxWavsSw" << 2 << 2;
}

void TestOptionFields::savesWithoutChoice() {
    QFETCH(QString, key);
    QFETCH(int, current);
    QFETCH(int, value);

    QCOMPARE(Field(key).ValueOf(-1, current), value);
}

void TestOptionFields::newImageShowsEveryField() {
    for (const TOptionField& field : OptionFields()) {
        const int value = field.GetValue(All);
        QVERIFY2(value >= field.Lo && value <= field.Hi, qPrintable(field.Key()));
        if (field.IsList()) QVERIFY2(field.ItemOf(value, Channels) >= 0, qPrintable(field.Key()));
    }
}

void TestOptionFields::imageCheckRepairs_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("after");

    QTest::newRow("squelch 10") << "cxSqlLv" << 10 << 5;
    QTest::newRow("VFO step 9, the list's last item") << "FreqEdit.cxStep" << 9 << 5;
    QTest::newRow("FM step 4") << "FmFun.cxStep" << 4 << 1;
    QTest::newRow("group code 6 kept") << "cxGroup" << 6 << 6;
    QTest::newRow("group code 7") << "cxGroup" << 7 << 0;
    QTest::newRow("priority 130") << "cxScanPris" << 130 << 0;
    QTest::newRow("stun code length 11") << "StunCodeLength" << 11 << 0;
    QTest::newRow("display mode is not checked") << "cxModeSw" << 5 << 5;
}

void TestOptionFields::imageCheckRepairs() {
    QFETCH(QString, key);
    QFETCH(int, stored);
    QFETCH(int, after);

    // Every other bit of the image stays as it was.
    const TOptionField& field = Field(key);
    field.SetValue(All, stored);
    TALL expected = All;
    field.SetValue(expected, after);
    SanitizeOptions(All);
    QCOMPARE(field.GetValue(All), after);
    QVERIFY(All.Image == expected.Image);
}

QTEST_GUILESS_MAIN(TestOptionFields)
#include "tst_optionfields.moc"
