// Data files: the header, saving through a temporary file, and loading with the checks that
// leave the image alone when a file is refused.

#include "core/All.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/DataFile.h"
#include "core/ImageSetup.h"
#include "core/Maindb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using TImage = std::array<uint8_t, ImageSize>;

namespace {

QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QByteArray ImageBytes(const TImage& image, int from, int to) {
    return QByteArray(reinterpret_cast<const char*>(&image[from]), to - from);
}

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& fileName, const QByteArray& bytes) {
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The parts of the state object a load may change, for checking that a refused file changed
// none of them.
struct TSnapshot {
    TImage Image;
    QString ModelCode, ModelName, BandText;
    uint8_t BandEnable;
    std::array<TBand, BandCount> Bands;
    bool Modified;

    explicit TSnapshot(const TALL& all)
        : Image(all.Image), ModelCode(all.ModelCode), ModelName(all.ModelName),
          BandText(all.BandText), BandEnable(all.BandEnable), Bands(all.Bands),
          Modified(all.Modified) {}

    bool operator==(const TSnapshot& o) const {
        const auto sameBands = [&] {
            for (int i = 0; i < BandCount; ++i) {
                if (Bands[i].Low != o.Bands[i].Low || Bands[i].High != o.Bands[i].High)
                    return false;
            }
            return true;
        };
        return Image == o.Image && ModelCode == o.ModelCode && ModelName == o.ModelName &&
               BandText == o.BandText && BandEnable == o.BandEnable && sameBands() &&
               Modified == o.Modified;
    }
};

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Folder; // a fresh one for every test
    std::unique_ptr<TfMaindb> Db;
    TALL& All() { return Db->All; }
    QString Path(const QString& name) const { return Folder->filePath(name); }

    // A file saved from the image as it is now.
    QByteArray SavedFile() {
        const QString name = Path(QStringLiteral("saved.dat"));
        QString error;
        if (!SaveDataFile(All(), name, &error)) qWarning() << error;
        return ReadAll(name);
    }

    // The state a later load must either replace or leave alone: a used, modified image.
    void MarkState() {
        NewChannel(All(), 3, QStringLiteral("145.5"));
        std::fill(All().Image.begin(), All().Image.begin() + BlockSize, 0xB0);
        All().Modified = true;
    }

    TLoadResult Load(const QString& name, QString* error = nullptr) {
        return LoadDataFile(Db->MacList, All(), name, error);
    }

private slots:
    void init() {
        Folder = std::make_unique<QTemporaryDir>();
        QVERIFY(Folder->isValid());
        Db = std::make_unique<TfMaindb>(Folder->path() + QLatin1Char('/'));
        Db->Now = [] { return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)); };
        Db->BuildStartImage();
        Db->NewImage();
    }

    void saveAfterStartUp();
    void buildAndParseHeader();
    void roundTrip();
    void headerOnlyModelCodeIsChecked();
    void refusedFileLeavesEverything_data();
    void refusedFileLeavesEverything();
    void longerFileLoadsItsFirstBytes();
    void outOfRangeOptionsLoadClamped();
    void manualFreqFollowsTheFile_data();
    void manualFreqFollowsTheFile();
    void saveFailureKeepsOldFileAndFlag_data();
    void saveFailureKeepsOldFileAndFlag();
};

void TestDataFile::saveAfterStartUp() {
    All().Modified = true;
    const QString name = Path(QStringLiteral("new.dat"));
    WriteAll(name, QByteArray(10000, 'x')); // an older, longer file is replaced as a whole
    QString error;
    QVERIFY2(SaveDataFile(All(), name, &error), qPrintable(error));
    QVERIFY(!All().Modified);

    const QByteArray file = ReadAll(name);
    QCOMPARE(file.size(), 4768);
    QCOMPARE(Hex(file.left(16)), QStringLiteral("50 51 58 34 37 51 58 34 37 20 20 20 20 FF FF FF"));
    QCOMPARE(uint8_t(file[16]), All().Image[0x0010]);
    QCOMPARE(file.mid(16), ImageBytes(All().Image, BlockSize, UsedImageEnd));
}

void TestDataFile::buildAndParseHeader() {
    uint8_t header[FileHeaderSize] = {};
    BuildFileHeader(header, QStringLiteral("AB"), QStringLiteral("QX47123"), QString());
    const QByteArray bytes(reinterpret_cast<const char*>(header), FileHeaderSize);
    QCOMPARE(Hex(bytes), QStringLiteral("50 41 42 20 20 51 58 34 37 20 20 20 20 FF FF FF"));

    const TFileHeaderCodes codes = ParseFileHeader(header);
    QCOMPARE(codes.ModelCode, QStringLiteral("AB  "));
    QCOMPARE(codes.SoftwareCode, QStringLiteral("QX47"));
    QCOMPARE(codes.ThirdCode, QStringLiteral("    "));

    // A saved file names the image's model first and the software's second.
    All().SoftwareCode = QStringLiteral("SW9");
    QCOMPARE(Hex(SavedFile().left(16)),
             QStringLiteral("50 51 58 34 37 53 57 39 20 20 20 20 20 FF FF FF"));
}

void TestDataFile::roundTrip() {
    NewChannel(All(), 1, QStringLiteral("145.5"));
    QString name = QStringLiteral("HOME");
    WriteChannelField(All(), 1, FieldCode::Name, name);
    OptionByte(All(), 7) = 0x32;
    All().Bands = {TBand{410.0, 470.0}, TBand{}, TBand{}, TBand{}};
    All().BandEnable = 0x01; // band 0 custom, the others off
    BandsToImage(All());
    WriteIdentity(All());
    std::fill(All().Image.begin() + FileOnlyBlockStart, All().Image.begin() + UsedImageEnd, 0x5A);
    const TImage saved = All().Image;
    const QString file = Path(QStringLiteral("round.dat"));
    QVERIFY(SaveDataFile(All(), file, nullptr));

    Db->BuildStartImage(); // back to the default bands
    Db->NewImage();
    All().Modified = true;
    QCOMPARE(Load(file), TLoadResult::Accepted);
    QVERIFY(!All().Modified);
    QCOMPARE(ImageBytes(All().Image, BlockSize, UsedImageEnd),
             ImageBytes(saved, BlockSize, UsedImageEnd));
    QCOMPARE(int(All().BandEnable), 0x01);
    QCOMPARE(All().Bands[0].Low, 410.0);
    QCOMPARE(All().Bands[0].High, 470.0);
    QCOMPARE(All().Bands[1].Low, 0.0);
    QCOMPARE(All().BandText, QStringLiteral("410.00000 - 470.00000MHz"));
    QCOMPARE(All().ModelCode, QStringLiteral("QX47"));
}

void TestDataFile::headerOnlyModelCodeIsChecked() {
    QByteArray file = SavedFile();
    file[0] = 'X';
    file.replace(5, 8, "ZZZZ9999"); // software code and third code
    const QString name = Path(QStringLiteral("odd.dat"));
    WriteAll(name, file);

    MarkState();
    const QByteArray block0 = ImageBytes(All().Image, 0, BlockSize);
    QCOMPARE(Load(name), TLoadResult::Accepted);
    QCOMPARE(ImageBytes(All().Image, BlockSize, UsedImageEnd), file.mid(16));
    QCOMPARE(ImageBytes(All().Image, 0, BlockSize), block0); // block 0 is never in a file
    QVERIFY(!All().Modified);
}

void TestDataFile::refusedFileLeavesEverything_data() {
    QTest::addColumn<QString>("kind"); // how the file is made from a valid one
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("result");

    QTest::newRow("unknown model") << "QX48" << 4768 << int(TLoadResult::UnknownModel);
    QTest::newRow("model code in lower case") << "qx47" << 4768 << int(TLoadResult::UnknownModel);
    QTest::newRow("empty") << "" << 0 << int(TLoadResult::TooShort);
    QTest::newRow("part of the header") << "" << 10 << int(TLoadResult::TooShort);
    QTest::newRow("header only") << "" << 16 << int(TLoadResult::TooShort);
    QTest::newRow("one byte short") << "" << 4767 << int(TLoadResult::TooShort);
    QTest::newRow("short with unknown model") << "QX48" << 100 << int(TLoadResult::TooShort);
    QTest::newRow("missing") << "missing" << 0 << int(TLoadResult::CannotOpen);
    QTest::newRow("directory") << "directory" << 0 << int(TLoadResult::CannotOpen);
}

void TestDataFile::refusedFileLeavesEverything() {
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(int, result);

    QByteArray file = SavedFile().left(size);
    if (kind.size() == 4) file.replace(1, 4, kind.toLatin1());
    QString name = Path(QStringLiteral("refused.dat"));
    if (kind == QLatin1String("missing"))
        name = Path(QStringLiteral("no/such.dat"));
    else if (kind == QLatin1String("directory"))
        name = Folder->path();
    else
        WriteAll(name, file);

    MarkState();
    All().BandEnable = 0x04; // a state that does not match the image, to see nothing derives
    const TSnapshot before(All());
    QString error;
    QCOMPARE(int(Load(name, &error)), result);
    QVERIFY(TSnapshot(All()) == before);
    if (result == int(TLoadResult::CannotOpen)) QVERIFY(!error.isEmpty());
}

void TestDataFile::longerFileLoadsItsFirstBytes() {
    std::fill(All().Image.begin() + FileOnlyBlockStart, All().Image.begin() + UsedImageEnd, 0x5A);
    QByteArray file = SavedFile();
    const QString name = Path(QStringLiteral("long.dat"));
    WriteAll(name, file + QByteArray(64, char(0xAB)));

    MarkState();
    std::fill(All().Image.begin() + UsedImageEnd, All().Image.end(), 0x00);
    QCOMPARE(Load(name), TLoadResult::Accepted);
    QCOMPARE(ImageBytes(All().Image, BlockSize, UsedImageEnd), file.mid(16));
    QCOMPARE(ImageBytes(All().Image, UsedImageEnd, ImageSize),
             QByteArray(ImageSize - UsedImageEnd, 0x00));
}

void TestDataFile::outOfRangeOptionsLoadClamped() {
    OptionByte(All(), 7) = 0xDA;
    OptionByte(All(), 40) = 0x0B;
    All().Image[Addr::FmLow + 1] = 0x00; // FM low 0x0DC0 -> 0x00C0, below 2800
    const QString name = Path(QStringLiteral("options.dat"));
    QVERIFY(SaveDataFile(All(), name, nullptr));

    Db->NewImage();
    All().Modified = true;
    QCOMPARE(Load(name), TLoadResult::Accepted);
    QCOMPARE(int(OptionByte(All(), 7)), 0x65);
    QCOMPARE(int(OptionByte(All(), 40)), 0x00);
    QCOMPARE(All().Image[Addr::FmLow] | All().Image[Addr::FmLow + 1] << 8, 3520);
    QVERIFY(!All().Modified);
}

void TestDataFile::manualFreqFollowsTheFile_data() {
    QTest::addColumn<bool>("selectable");
    QTest::addColumn<int>("fileByte");
    QTest::addColumn<int>("manualFreq");
    QTest::newRow("Yes in the file") << true << 0xAA << 0xAA;
    QTest::newRow("No in the file") << true << 0xFF << 0xFF;
    QTest::newRow("not selectable") << false << 0xAA << 0xFF;
}

// "Manual Freq." shows what the opened file holds, not what the image before it held.
void TestDataFile::manualFreqFollowsTheFile() {
    QFETCH(bool, selectable);
    QFETCH(int, fileByte);
    QFETCH(int, manualFreq);
    All().Image[Addr::ManualFreq] = uint8_t(fileByte);
    const QString name = Path(QStringLiteral("manual.dat"));
    QVERIFY(SaveDataFile(All(), name, nullptr));

    All().ManualFreq = uint8_t(0xFF ^ 0xAA ^ manualFreq); // the other choice
    All().ManualFreqSelectable = selectable;
    QCOMPARE(Load(name), TLoadResult::Accepted);
    QCOMPARE(int(All().ManualFreq), manualFreq);
    QCOMPARE(int(All().Image[Addr::ManualFreq]), manualFreq);
}

void TestDataFile::saveFailureKeepsOldFileAndFlag_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("existingFile");

    QTest::newRow("inside a regular file") << "plain/new.dat" << false;
    QTest::newRow("target is a directory") << "dir" << false;
    QTest::newRow("missing folder") << "none/new.dat" << false;
    // The temporary file beside the target cannot be created: its name would be too long.
    QTest::newRow("existing file, no room for a temporary file")
        << QString(250, QLatin1Char('a')) + QLatin1String(".dat") << true;
}

void TestDataFile::saveFailureKeepsOldFileAndFlag() {
    QFETCH(QString, target);
    QFETCH(bool, existingFile);

    WriteAll(Path(QStringLiteral("plain")), "not a folder");
    QVERIFY(QDir(Folder->path()).mkpath(QStringLiteral("dir")));
    const QString name = Path(target);
    const QByteArray old = "old contents";
    if (existingFile) WriteAll(name, old);

    All().Modified = true;
    QString error;
    QVERIFY(!SaveDataFile(All(), name, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(All().Modified);
    if (existingFile) QCOMPARE(ReadAll(name), old);
    QCOMPARE(QDir(Folder->path()).entryList(QDir::Files | QDir::NoDotAndDotDot).size(),
             existingFile ? 2 : 1); // no temporary file left behind
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
