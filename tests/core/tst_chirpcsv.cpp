// Channels in CHIRP's generic CSV layout: the tone and duplex columns both ways, a CHIRP-style
// file, the refused rows and changed values, the round trip and pasted tab-separated rows.

#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/ChirpCsv.h"
#include "core/Codecs.h"
#include "core/Maindb.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <numeric>

class TstChirpCsv : public QObject {
    Q_OBJECT

    // A radio after start-up and New: bands 136-174 and 400-480 MHz, every channel empty.
    QTemporaryDir Folder;
    std::unique_ptr<TfMaindb> Db;
    TALL& All() { return Db->All; }

    // Channel k on rx with tx ("" none) and the encode and decode tones.
    void Put(int k, const QString& rx, const QString& tx, const QString& encode,
             const QString& decode) {
        NewChannel(All(), k, rx);
        for (auto [code, text] : {std::pair{FieldCode::TxFreq, tx},
                                  {FieldCode::TxTone, encode},
                                  {FieldCode::RxTone, decode}})
            WriteChannelField(All(), k, code, text);
    }

    QString ExportAll(QChar separator = QLatin1Char(',')) {
        std::vector<int> channels(MemoryChannelMax);
        std::iota(channels.begin(), channels.end(), 1);
        return TChirpCsv::Export(All(), Db->Channel, channels, separator);
    }

    // Named columns of channel k's exported line, joined by ','.
    QString Exported(int k, const QStringList& columns) {
        const QStringList lines = TChirpCsv::Export(All(), Db->Channel, {k}, QLatin1Char(','))
                                      .split(QStringLiteral("\r\n"));
        const QStringList fields = lines.value(1).split(QLatin1Char(','));
        QStringList picked;
        for (const QString& column : columns)
            picked << fields.value(TChirpCsv::Columns().indexOf(column));
        return picked.join(QLatin1Char(','));
    }

    TChirpCsv::TImport Import(const QString& text) {
        const TChirpCsv::TImport import = TChirpCsv::Read(All(), Db->Language, text);
        TChirpCsv::Store(All(), import.Rows);
        return import;
    }

    TChannel Read(int k) {
        TChannel channel;
        if (!ReadChannel(All(), k, channel)) channel.RxFreq = -1.0;
        return channel;
    }

private slots:
    void init() {
        Db = std::make_unique<TfMaindb>(Folder.path() + QLatin1Char('/'));
        Db->BuildStartImage();
        Db->NewImage();
    }

    void tonesAndDuplexBothWays_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("encode");
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("columns"); // Duplex to CrossMode
        QTest::newRow("simplex, no tones") << "145.5"
                                           << "145.5"
                                           << ""
                                           << ""
                                           << ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("no TX") << "145.5"
                               << ""
                               << ""
                               << ""
                               << "off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("plus, Tone") << "145.5"
                                    << "146.1"
                                    << "100.0"
                                    << ""
                                    << "+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("minus, TSQL") << "438.5"
                                     << "431.1"
                                     << "67.0"
                                     << "67.0"
                                     << "-,7.400000,TSQL,88.5,67.0,023,NN,023,Tone->Tone";
        QTest::newRow("70 MHz is still a shift") << "400.0"
                                                 << "470.0"
                                                 << ""
                                                 << ""
                                                 << "+,70.000000,,88.5,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("split, DTCS with polarities")
            << "145.5"
            << "435.0"
            << "D023N"
            << "D023I"
            << "split,435.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone";
        QTest::newRow("Tone->Tone") << "145.5"
                                    << "145.5"
                                    << "100.0"
                                    << "67.0"
                                    << ",0.000000,Cross,100.0,67.0,023,NN,023,Tone->Tone";
        QTest::newRow("->Tone") << "145.5"
                                << "145.5"
                                << ""
                                << "67.0"
                                << ",0.000000,Cross,88.5,67.0,023,NN,023,->Tone";
        QTest::newRow("DTCS->") << "145.5"
                                << "145.5"
                                << "D754I"
                                << ""
                                << ",0.000000,Cross,88.5,88.5,754,RN,023,DTCS->";
        QTest::newRow("->DTCS") << "145.5"
                                << "145.5"
                                << ""
                                << "D025N"
                                << ",0.000000,Cross,88.5,88.5,023,NN,025,->DTCS";
        QTest::newRow("Tone->DTCS") << "145.5"
                                    << "145.5"
                                    << "100.0"
                                    << "D025I"
                                    << ",0.000000,Cross,100.0,88.5,023,NR,025,Tone->DTCS";
        QTest::newRow("DTCS->Tone") << "145.5"
                                    << "145.5"
                                    << "D025N"
                                    << "67.0"
                                    << ",0.000000,Cross,88.5,67.0,025,NN,023,DTCS->Tone";
        QTest::newRow("DTCS->DTCS") << "145.5"
                                    << "145.5"
                                    << "D023N"
                                    << "D025N"
                                    << ",0.000000,Cross,88.5,88.5,023,NN,025,DTCS->DTCS";
    }

    // Export gives the columns; importing that line onto a new image gives the channel back.
    void tonesAndDuplexBothWays() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, encode);
        QFETCH(QString, decode);
        QFETCH(QString, columns);
        Put(5, rx, tx, encode, decode);
        const TChannel original = Read(5);
        QCOMPARE(Exported(5, TChirpCsv::Columns().mid(3, 9)), columns);
        const QString text = TChirpCsv::Export(All(), Db->Channel, {5}, QLatin1Char(','));
        Db->NewImage();
        const TChirpCsv::TImport import = Import(text);
        QCOMPARE(import.Rows.size(), size_t(1));
        QVERIFY(import.Notes.empty());
        const TChannel back = Read(5);
        QCOMPARE(back.RxFreq, original.RxFreq);
        QCOMPARE(back.TxFreq, original.TxFreq);
        QCOMPARE(back.TxTone, original.TxTone);
        QCOMPARE(back.RxTone, original.RxTone);
    }

    // Columns by name in any order and case, missing ones at their defaults, unknown ones,
    // comment lines and a byte order mark ignored, values case-blind, power in watts.
    void chirpStyleFile() {
        const QString text =
            QChar(0xFEFF) +
            QStringLiteral(
                "frequency,Extra,NAME,location,tone,RTONEFREQ,duplex,offset,Power,mode,skip\r\n"
                "# a comment line\r\n"
                "146.520000,x,Simplex,3,tone,100.0,+,0.6,4W,nfm,s\r\n"
                "446.00625,,PMR 1,7,,,,,0.5W,FM,\n"
                "145.5,,NoTx,9,,,OFF,,low,,\n");
        const TChirpCsv::TImport import = Import(text);
        QVERIFY2(import.Notes.empty(), qPrintable(TChirpCsv::Summary(Db->Language, import, false)));
        QCOMPARE(import.Rows.size(), size_t(3));
        const TChannel a = Read(3);
        QCOMPARE(FormatMHz(a.TxFreq), QStringLiteral("147.12000"));
        QCOMPARE(a.TxTone, QStringLiteral("100.0"));
        QCOMPARE(a.RxTone, QString());
        QCOMPARE(a.Name, QStringLiteral("Simplex"));
        QCOMPARE(int(a.Power), 1);
        QCOMPARE(int(a.Bandwidth), 0);
        QCOMPARE(int(a.ScanDel), 1);
        QCOMPARE(int(a.BusyLock), 1); // a new channel's own settings
        QCOMPARE(a.IdCode, QStringLiteral("000"));
        const TChannel b = Read(7);
        QCOMPARE(FormatMHz(b.RxFreq), QStringLiteral("446.00625"));
        QCOMPARE(b.TxFreq, b.RxFreq);
        QCOMPARE(int(b.Power), 0);
        QCOMPARE(int(b.Bandwidth), 1);
        QCOMPARE(int(b.ScanDel), 0);
        QCOMPARE(b.Name, QStringLiteral("PMR 1"));
        QCOMPARE(Read(9).TxFreq, -1.0);
        QCOMPARE(int(Read(9).Power), 0);
    }

    // Each refused row is named with its line and reason, nothing of it is stored, and each
    // value stored otherwise than given is listed.
    void refusedRowsAndChangedValues() {
        const QString text =
            QStringLiteral("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,DtcsCode,Power,"
                           "IDCode\n"
                           "2,Ab~cdefgh,145.0031,,,,,,,12345678\n"
                           "0,,145.5,,,,,,\n"
                           "129,,145.5,,,,,,\n"
                           "2,,145.5,,,,,,\n"
                           "4,,300,,,,,,\n"
                           "5,,145.5,,,Tone,69.0,,\n"
                           "6,,145.5,,,DTCS-R,,,\n"
                           "7,,145.5,split,300,,,,\n"
                           "8,,145.5,,,DTCS,,999,\n"
                           "9,,145.5,,,,,,9 watts\n");
        const TChirpCsv::TImport import = Import(text);
        QCOMPARE(TChirpCsv::Summary(Db->Language, import, false),
                 QStringLiteral("1 of 10 rows taken.\n"
                                "Line 2: Frequency \"145.0031\" stored as \"145.00300\"\n"
                                "Line 2: Name \"Ab~cdefgh\" stored as \"Abcdefg\"\n"
                                "Line 2: IDCode \"12345678\" stored as \"123456\"\n"
                                "Line 3: location \"0\" is not a channel from 1 to 128\n"
                                "Line 4: location \"129\" is not a channel from 1 to 128\n"
                                "Line 5: location 2 was given before\n"
                                "Line 6: Frequency \"300\" is outside the enabled bands\n"
                                "Line 7: tone \"69.0\" is not in the tone list\n"
                                "Line 8: Tone \"DTCS-R\" cannot be taken\n"
                                "Line 9: Offset \"300.000000\" is outside the enabled bands\n"
                                "Line 10: tone \"999\" is not in the tone list\n"
                                "Line 11: Power \"9 watts\" cannot be taken"));
        QCOMPARE(FormatMHz(Read(2).RxFreq), QStringLiteral("145.00300"));
        for (int k = 4; k <= 9; ++k)
            QCOMPARE(Read(k).RxFreq, -1.0);

        const TChirpCsv::TImport noLocation = Import(QStringLiteral("Name,Frequency\nA,145.5\n"));
        QVERIFY(noLocation.Rows.empty());
        QCOMPARE(TChirpCsv::Summary(Db->Language, noLocation, false), Db->Language.CsvColumns);
    }

    // Export, import onto a new image, export again: the same file, UTF-8 without a BOM, CRLF.
    void roundTrip() {
        Put(1, "145.5", "145.5", "", "");
        Put(2, "438.5", "431.1", "D754I", "88.5");
        Put(3, "145.00625", "", "100.0", "100.0");
        Put(128, "400.0", "479.5", "D023N", "D023N");
        const std::pair<int, const char*> settings[] = {
            {FieldCode::Name, "A, \"b\""}, {FieldCode::IdCode, "12345"}, {FieldCode::Power, "0"},
            {FieldCode::Bandwidth, "0"},   {FieldCode::Scan, "0"},       {FieldCode::BusyLock, "0"},
            {FieldCode::Vox, "0"},         {FieldCode::Epilogue, "0"},   {FieldCode::PttId, "3"},
            {FieldCode::Ani, "0"},         {FieldCode::VoiceMode, "2"},
        };
        for (auto [code, value] : settings) {
            QString text = QString::fromLatin1(value);
            WriteChannelField(All(), 2, code, text);
        }
        const QString first = ExportAll();
        QVERIFY(first.contains(QStringLiteral("\"A, \"\"b\"\"\"")));
        QVERIFY(first.contains(
            QStringLiteral(",NFM,5.00,,1.0W,,,,,,On,Yes,Off,Both,ON,12345,Scrambler\r\n")));
        QCOMPARE(first.count(QStringLiteral("\r\n")), 5);
        QVERIFY(!first.startsWith(QChar(0xFEFF)));
        Db->NewImage();
        QCOMPARE(Import(first).Rows.size(), size_t(4));
        QCOMPARE(ExportAll(), first);
    }

    // Copied rows pasted elsewhere give the same channels; pasted rows fill consecutive
    // channels, a header is optional, and a refused row is named by its channel.
    void pastedRows() {
        Put(1, "145.5", "146.1", "D754I", "88.5");
        Put(2, "438.5", "", "", "");
        const QString copied = TChirpCsv::Export(All(), Db->Channel, {1, 2}, QLatin1Char('\t'));
        const TChirpCsv::TImport pasted = TChirpCsv::ReadRows(All(), Db->Language, copied, 20);
        TChirpCsv::Store(All(), pasted.Rows);
        const QStringList lines = ExportAll().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[3].section(QLatin1Char(','), 1), lines[1].section(QLatin1Char(','), 1));
        QCOMPARE(lines[4].section(QLatin1Char(','), 1), lines[2].section(QLatin1Char(','), 1));

        const QString chirp = QStringLiteral("1\tX\t146.5\t\t0\tTone\t100.0\n"
                                             "2\tY\t146.6\t\t0\tTone\t69.0\n"
                                             "3\tZ\t146.7\n");
        const TChirpCsv::TImport rows = TChirpCsv::ReadRows(All(), Db->Language, chirp, 127);
        QCOMPARE(rows.Rows.size(), size_t(1));
        QCOMPARE(rows.Rows.front().Location, 127);
        QCOMPARE(TChirpCsv::Summary(Db->Language, rows, true),
                 QStringLiteral("1 of 3 rows taken.\n"
                                "Channel 128: tone \"69.0\" is not in the tone list\n"
                                "Channel 129: location \"129\" is not a channel from 1 to 128"));
    }
};

QTEST_GUILESS_MAIN(TstChirpCsv)
#include "tst_chirpcsv.moc"
