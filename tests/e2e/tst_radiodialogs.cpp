// The read and write dialogs over their exchanges: on the fake port and clock with the scripted
// radio, from the main window, and end to end over a pseudo-terminal against zp407ne-sim with
// the real serial port and clock, where the online power test is run too.

#include "core/ChannelRecord.h"
#include "ui/channels/ChsInfo.h"
#include "core/DataFile.h"
#include "widgets/FileDialog.h"
#include "ui/main/MainFrm.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"
#include "tests/support/RadioPeer.h"
#include "ui/link/ReadRadio.h"
#include "link/PowerTableExchange.h"
#include "ui/link/TestFrm.h"
#include "ui/link/WriteRadio.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

constexpr int ChannelArea = 0x1190; // the channel records and the VFOs, untouched by derivations
constexpr int WrittenEnd = 295 * BlockSize;
const QString RadioFrequency = QStringLiteral("146.52000");

void WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Names the device behind COM1 (and any other ports) in the settings file of the folder.
void NamePorts(const QTemporaryDir& folder, const QByteArray& entries) {
    WriteFile(folder.filePath(QStringLiteral("SysInfo.Ini")), "[Ports]\n" + entries);
}

// The image of db with channel 1 on RadioFrequency; db's own image stays as it was.
std::array<uint8_t, ImageSize> ImageWithChannel(TfMaindb& db) {
    const auto kept = db.All.Image;
    NewChannel(db.All, 1, RadioFrequency);
    const auto image = db.All.Image;
    db.All.Image = kept;
    return image;
}

bool SameBytes(const std::array<uint8_t, ImageSize>& a, const std::array<uint8_t, ImageSize>& b,
               int from, int to) {
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

QStringList ShownTexts() {
    QStringList texts;
    for (const TMessageBoxSeam::TShown& shown : TMessageBoxSeam::TakeShown())
        texts << shown.Text;
    return texts;
}

QPushButton* Button(const QDialog& dialog, const char* name) {
    return dialog.findChild<QPushButton*>(QLatin1String(name));
}

QProgressBar* Bar(const QDialog& dialog) {
    return dialog.findChild<QProgressBar*>(QStringLiteral("pBar"));
}

// A started program on a fresh folder whose COM1 stands for a fake device, the fake clock and
// port, and the scripted radio on them.
struct TRig {
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    TFakeLinkClock Clock;
    TFakeLinkPort Port{Clock};
    TRadioPeer Radio{Port, Clock};

    TRig() {
        NamePorts(Folder, "COM1=/dev/fake\n");
        Db.BuildStartImage();
        Db.NewImage();
        Db.All.PortName = QStringLiteral("COM1");
        Radio.Memory = ImageWithChannel(Db);
    }

    TRadioLink Link() { return {&Port, &Clock}; }

    std::unique_ptr<QDialog> Dialog(bool write) {
        if (write) return std::make_unique<TfWriteRadio>(Db, nullptr, Link());
        return std::make_unique<TfReadRadio>(Db, nullptr, Link());
    }

    // Shows the dialog; the port opens 50 ms later.
    void Show(QDialog& dialog) {
        dialog.show();
        Clock.Advance(50);
    }
};

// zp407ne-sim on a pseudo-terminal, named COM1 in the settings file of the folder.
class TSimRadio {
public:
    QProcess Process;

    bool Start(const QTemporaryDir& folder, const QStringList& arguments) {
        Process.start(QStringLiteral(ZP_SIM), arguments);
        if (!Process.waitForStarted()) return false;
        QElapsedTimer wait;
        wait.start();
        while (!Process.canReadLine() && wait.elapsed() < 10000)
            Process.waitForReadyRead(100);
        const QByteArray device = Process.readLine().trimmed();
        if (!device.startsWith("/dev/")) return false;
        NamePorts(folder, "COM1=" + device + '\n');
        return true;
    }

    // Stops the radio, which saves its memory on the way out.
    bool Stop() {
        Process.terminate();
        return Process.waitForFinished(10000);
    }

    ~TSimRadio() {
        if (Process.state() != QProcess::NotRunning) Stop();
    }
};

// The master side of a pseudo-terminal, whose other side can be opened as a serial device.
struct TPseudoTerminal {
    int Master = -1;
    QByteArray Device;

    bool Open() {
        Master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (Master < 0 || ::grantpt(Master) != 0 || ::unlockpt(Master) != 0) return false;
        Device = ::ptsname(Master);
        return true;
    }
    ~TPseudoTerminal() {
        if (Master >= 0) ::close(Master);
    }
};

} // namespace

class TstRadioDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<TRig> Rig;
    std::unique_ptr<TfMainFrm> Frm;

    // The main window on the rig's program, its radio dialogs on the rig's port and clock.
    void StartMainWindow() {
        Frm = std::make_unique<TfMainFrm>(Rig->Db);
        Frm->RadioLink = Rig->Link();
        Frm->show();
        QCoreApplication::processEvents();
        Rig->Db.All.PortName = QStringLiteral("COM1");
    }

    QAction* Action(const char* name) const {
        return Frm->findChild<QAction*>(QString::fromLatin1(name));
    }

    static QLabel* Panel(const TfMainFrm& frm, int index) {
        return frm.statusBar()
            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)
            .at(index);
    }

    // Whether a grid of the main window shows the radio's channel 1.
    bool GridShowsRadioChannel() const {
        const QList<TfChsInfo*> grids = Frm->findChildren<TfChsInfo*>();
        if (grids.size() != 1) return false;
        const auto* table = grids[0]->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        for (int column = 0; column < table->columnCount(); ++column) {
            if (table->item(0, column) && table->item(0, column)->text() == RadioFrequency)
                return true;
        }
        return false;
    }

private slots:
    void init() {
        TMessageBoxSeam::Reset();
        TFileDialog::Reset();
        TModalDialog::Reset();
        Rig = std::make_unique<TRig>();
    }

    void cleanup() {
        Frm.reset();
        Rig.reset();
        TMessageBoxSeam::Reset();
        TFileDialog::Reset();
        TModalDialog::Reset();
    }

    // ---- the dialogs on the fake port and clock ----

    void completedReadReplacesTheImage() {
        TRig& r = *Rig;
        TfReadRadio dialog(r.Db, nullptr, r.Link());
        QPushButton* ok = Button(dialog, "btnOk");
        QVERIFY(!ok->isEnabled()); // until the port is open
        r.Show(dialog);
        QVERIFY(ok->isEnabled());
        QVERIFY(!SameBytes(r.Db.All.Image, r.Radio.Memory, 0, ChannelArea));
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!ok->isEnabled());
        r.Clock.Advance(3000);
        QVERIFY(Bar(dialog)->value() > 0);
        QVERIFY(!r.Db.All.Modified);

        r.Clock.Advance(60000);
        QCOMPARE(ShownTexts(), QStringList{r.Db.Language.ReadOk});
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.Done());
        QVERIFY(r.Db.All.Modified);
        QVERIFY(SameBytes(r.Db.All.Image, r.Radio.Memory, 0, ChannelArea));
        QCOMPARE(Bar(dialog)->value(), 296);
        QCOMPARE(Bar(dialog)->maximum(), 296);
        QVERIFY(!r.Port.IsOpen());
    }

    // Closing by any means during the blocks stops the read at once: no further frame, the port
    // closed, the image and Modified as they were.
    void closingDuringTheBlocks_data() {
        QTest::addColumn<int>("means");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close button") << 2;
    }
    void closingDuringTheBlocks() {
        QFETCH(int, means);
        TRig& r = *Rig;
        const auto image = r.Db.All.Image;
        TfReadRadio dialog(r.Db, nullptr, r.Link());
        r.Show(dialog);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        r.Clock.Advance(3000);
        QVERIFY(Bar(dialog)->value() > 0);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok); // would catch any message

        if (means == 0) QTest::mouseClick(Button(dialog, "btnCancel"), Qt::LeftButton);
        if (means == 1) QTest::keyClick(&dialog, Qt::Key_Escape);
        if (means == 2) dialog.close();
        QVERIFY(!dialog.isVisible());
        QVERIFY(!r.Port.IsOpen());
        const size_t frames = r.Port.Frames.size();
        r.Clock.Advance(60000);
        QCOMPARE(r.Port.Frames.size(), frames);
        QVERIFY(ShownTexts().isEmpty());
        QVERIFY(!dialog.Done());
        QVERIFY(r.Db.All.Image == image);
        QVERIFY(!r.Db.All.Modified);
    }

    // A port that cannot be opened: the PortError message with the reason, and the dialog
    // closes itself 300 ms later.
    void portErrorCloses_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void portErrorCloses() {
        QFETCH(bool, write);
        TRig& r = *Rig;
        r.Port.OpenError = QStringLiteral("held by another program");
        const std::unique_ptr<QDialog> dialog = r.Dialog(write);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        r.Show(*dialog);
        const QStringList shown = ShownTexts();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(r.Db.Language.PortError));
        QVERIFY(shown[0].contains(r.Port.OpenError));
        QVERIFY(!Button(*dialog, "btnOk")->isEnabled());
        r.Clock.Advance(299);
        QVERIFY(dialog->isVisible());
        r.Clock.Advance(1);
        QVERIFY(!dialog->isVisible());
    }

    // A radio of another model with the same channel count: the force-write question, answered
    // in the message box. Yes writes the image and leaves the dialog ready for another write;
    // No writes nothing and closes the dialog 300 ms later.
    void forcedWriteQuestion_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true;
        QTest::newRow("No") << false;
    }
    void forcedWriteQuestion() {
        QFETCH(bool, yes);
        TRig& r = *Rig;
        r.Db.MacList.Add(std::make_unique<TMacType>(QStringLiteral("QX48"), QStringLiteral("X"),
                                                    r.Db.All.ChannelCount));
        r.Db.All.ModelCode = QStringLiteral("QX48");
        r.Db.All.Image = ImageWithChannel(r.Db);
        TfWriteRadio dialog(r.Db, nullptr, r.Link());
        r.Show(dialog);
        TMessageBoxSeam::QueueAnswer(yes ? MessageResult::Yes : MessageResult::No);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        r.Clock.Advance(60000);

        const std::vector<TMessageBoxSeam::TShown> shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(shown.size(), size_t(yes ? 2 : 1));
        QCOMPARE(shown[0].Kind, int(MessageKind::YesNo));
        QCOMPARE(shown[0].Text, r.Db.Language.ModError + r.Db.Language.Modforce);
        const bool wrote = std::any_of(r.Port.Frames.begin(), r.Port.Frames.end(),
                                       [](const auto& frame) { return frame.Bytes.at(0) == 'W'; });
        QCOMPARE(wrote, yes);
        QCOMPARE(dialog.isVisible(), yes);
        if (!yes) return;
        QCOMPARE(shown[1].Text, r.Db.Language.WriteOk);
        QVERIFY(SameBytes(r.Radio.Memory, r.Db.All.Image, 0, WrittenEnd));
        QVERIFY(Button(dialog, "btnOk")->isEnabled());
        QCOMPARE(Bar(dialog)->value(), 0);
        QCOMPARE(Bar(dialog)->maximum(), 294);
    }

    // The dialogs translate themselves from their own sections of the active language file.
    void translatedWhenShown_data() {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void translatedWhenShown() {
        QFETCH(bool, write);
        TRig& r = *Rig;
        const QByteArray form = write ? "fWriteRadio" : "fReadRadio";
        WriteFile(r.Folder.filePath(QStringLiteral("Chinese.Ini")),
                  '[' + form + "]\n" + form + ".Caption=Radio\nbtnOk.Caption=&Los\n");
        r.Db.All.LanguageIndex = 1;
        r.Db.All.LanguageName = QStringLiteral("Chinese");
        const std::unique_ptr<QDialog> dialog = r.Dialog(write);
        QCOMPARE(dialog->windowTitle(), write ? QStringLiteral("Write data to radio")
                                              : QStringLiteral("Read data From radio"));
        r.Show(*dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Radio"));
        QCOMPARE(Button(*dialog, "btnOk")->text(), QStringLiteral("&Los"));
        QCOMPARE(Button(*dialog, "btnCancel")->text(), QStringLiteral("&Cancel"));
    }

    // ---- from the main window ----

    // Read from the toolbar: a completed read unties the image from its file and opens a fresh
    // grid on the radio's channels; a cancelled one changes nothing.
    void readFromMainWindow_data() {
        QTest::addColumn<bool>("complete");
        QTest::newRow("completed") << true;
        QTest::newRow("cancelled") << false;
    }
    void readFromMainWindow() {
        QFETCH(bool, complete);
        StartMainWindow();
        const QString file = Rig->Folder.filePath(QStringLiteral("radio.dat"));
        TFileDialog::QueueFileName(file);
        Frm->RunCommand(3);
        const QString named = Frm->windowTitle();
        QCOMPARE(named, QStringLiteral("ZP-407NE [%1]").arg(file));
        const QPointer<TfChsInfo> grid = Frm->findChild<TfChsInfo*>();

        TFakeLinkClock& clock = Rig->Clock;
        TModalDialog::QueueDriver([&clock, complete](QDialog& dialog) {
            clock.Advance(50);
            QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
            clock.Advance(complete ? 60000 : 3000);
            if (!complete) QTest::mouseClick(Button(dialog, "btnCancel"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
        });
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        Action("tbRead")->trigger();
        QCOMPARE(ShownTexts(), complete ? QStringList{Rig->Db.Language.ReadOk} : QStringList());

        QCOMPARE(Frm->windowTitle(), complete ? QStringLiteral("ZP-407NE") : named);
        QCOMPARE(bool(grid), !complete);
        QCOMPARE(GridShowsRadioChannel(), complete);
        QCOMPARE(Rig->Db.All.Modified, complete);
    }

    // The online test from the main window runs on the window's radio link as the read does.
    void testFromMainWindow() {
        StartMainWindow();
        for (int i = 0; i < TPowerTableExchange::TableSize; ++i)
            Rig->Radio.PowerTable[size_t(i)] = uint8_t(i);
        TFakeLinkClock& clock = Rig->Clock;
        int lowPower = -1;
        TModalDialog::QueueDriver([&clock, &lowPower](QDialog& dialog) {
            auto& form = dynamic_cast<TfTestFrm&>(dialog);
            form.cxDebugClick();
            clock.Advance(5000);
            lowPower = form.Exchange().PowerValue(2, TPowerTableExchange::LowPower);
            form.reject();
        });
        Frm->RunCommand(22);
        QVERIFY(ShownTexts().isEmpty());
        QCOMPARE(lowPower, 2 * 16 + TPowerTableExchange::LowPower);
        QVERIFY(!Rig->Port.IsOpen());
    }

    // Port from the toolbar: the chosen port in the status bar, with the device behind it in the
    // panel's tool tip.
    void portFromMainWindow() {
        NamePorts(Rig->Folder, "COM1=/dev/fake\nCOM5=/dev/fake5\n");
        StartMainWindow();
        TModalDialog::QueueDriver([](QDialog& dialog) {
            dialog.findChild<QRadioButton*>(QStringLiteral("cxPort5"))->setChecked(true);
            Button(dialog, "btnOk")->click();
        });
        Action("tbCom")->trigger();
        QCOMPARE(Rig->Db.All.PortName, QStringLiteral("COM5"));
        QCOMPARE(Panel(*Frm, 3)->text(), QStringLiteral("Port: COM5"));
        QCOMPARE(Panel(*Frm, 3)->toolTip(), QStringLiteral("COM5 — /dev/fake5"));
    }

    // The first showing upper-cases the stored port name and, when that port is not present,
    // takes the first present one.
    void firstShowingChoosesAPresentPort_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("present") << QStringLiteral("com2") << QStringLiteral("COM2");
        QTest::newRow("absent") << QStringLiteral("com7") << QStringLiteral("COM1");
    }
    void firstShowingChoosesAPresentPort() {
        QFETCH(QString, stored);
        QFETCH(QString, chosen);
        TPseudoTerminal com1;
        TPseudoTerminal com2;
        QVERIFY(com1.Open() && com2.Open());
        WriteFile(Rig->Folder.filePath(QStringLiteral("SysInfo.Ini")),
                  "[Ports]\nCOM1=" + com1.Device + "\nCOM2=" + com2.Device +
                      "\nCOM7=/dev/absent\n[SysInfo]\nCom=" + stored.toLatin1() + '\n');
        TfMaindb db(Rig->Folder.path() + QLatin1Char('/'));
        TfMainFrm frm(db);
        frm.show();

        QCOMPARE(db.All.PortName, chosen);
        const QLabel* panel = Panel(frm, 3);
        QCOMPARE(panel->text(), QStringLiteral("Port: ") + chosen);
        const QByteArray device = chosen == QLatin1String("COM1") ? com1.Device : com2.Device;
        QCOMPARE(panel->toolTip(), chosen + QStringLiteral(" — ") + device);
    }

    // ---- end to end: the real serial port and clock against zp407ne-sim ----

    void endToEndRead() {
        TRig& r = *Rig;
        const QString file = r.Folder.filePath(QStringLiteral("radio.dat"));
        const auto pcImage = r.Db.All.Image;
        r.Db.All.Image = r.Radio.Memory;
        QVERIFY(SaveDataFile(r.Db.All, file, nullptr));
        r.Db.All.Image = pcImage;
        QVERIFY(!SameBytes(r.Db.All.Image, r.Radio.Memory, BlockSize, ChannelArea));
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {QStringLiteral("--image"), file}));

        TfReadRadio dialog(r.Db);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(dialog, "btnOk")->isEnabled(), 5000);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 60000);
        QCOMPARE(ShownTexts(), QStringList{r.Db.Language.ReadOk});
        QVERIFY(dialog.Done());
        // Block 0 is not kept in a data file, so the radio's starts erased.
        QVERIFY(SameBytes(r.Db.All.Image, r.Radio.Memory, BlockSize, ChannelArea));
    }

    void endToEndWrite() {
        TRig& r = *Rig;
        const QString saved = r.Folder.filePath(QStringLiteral("saved.dat"));
        r.Db.All.Image = ImageWithChannel(r.Db);
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {QStringLiteral("--save"), saved, QStringLiteral("--log")}));

        TfWriteRadio dialog(r.Db);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(dialog, "btnOk")->isEnabled(), 5000);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!TMessageBoxSeam::Active(), 60000);
        QCOMPARE(ShownTexts(), QStringList{r.Db.Language.WriteOk});
        QVERIFY(dialog.isVisible());
        dialog.reject();
        QVERIFY(sim.Stop());

        // A data file keeps blocks 1 to 297 at their image offsets, after a header in place of
        // block 0.
        const QByteArray memory = ReadFile(saved);
        QCOMPARE(memory.size(), DataFileSize);
        const QByteArray written(reinterpret_cast<const char*>(r.Db.All.Image.data()), WrittenEnd);
        QCOMPARE(memory.mid(BlockSize, WrittenEnd - BlockSize).toHex(),
                 written.mid(BlockSize).toHex());
        // Block 0 shows in the radio's log of the frames it received.
        const QByteArray block0 = QByteArray::fromHex("57000010") + written.left(BlockSize);
        QVERIFY(sim.Process.readAllStandardError().contains(block0.toHex(' ').toUpper()));
    }

    // A radio of a model the catalogue lacks: ModError, and the read goes no further.
    void endToEndWrongModel() {
        TRig& r = *Rig;
        const auto image = r.Db.All.Image;
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {QStringLiteral("--model"), QStringLiteral("XXXX")}));

        TfReadRadio dialog(r.Db);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(dialog, "btnOk")->isEnabled(), 5000);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!TMessageBoxSeam::Active(), 10000);
        QCOMPARE(ShownTexts(), QStringList{r.Db.Language.ModError});
        QVERIFY(dialog.isVisible() && !Button(dialog, "btnOk")->isEnabled());
        QVERIFY(r.Db.All.Image == image);
    }

    // A radio that stops answering in the middle of the blocks: ComError, and the dialog closes.
    void endToEndSilentRadio() {
        TRig& r = *Rig;
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {QStringLiteral("--silent-after"), QStringLiteral("12")}));

        TfWriteRadio dialog(r.Db);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(dialog, "btnOk")->isEnabled(), 5000);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 15000);
        QCOMPARE(ShownTexts(), QStringList{r.Db.Language.ComError});
        QVERIFY(Bar(dialog)->value() > 0);
    }

    // The online test reads the radio's power table, sets one value, and closes; a second
    // session finds the value in the radio.
    void endToEndOnlineTest() {
        TRig& r = *Rig;
        r.Db.All.Bands = {TBand{400, 480}, TBand{136, 174}, TBand{}, TBand{}};
        constexpr int Row = 13; // "136.000 -- 140.000MHz"
        constexpr int Low = TPowerTableExchange::LowPower;
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {}));

        // Online to the end of the table read; the dialog is ready for values when it is over.
        const auto online = [&r](TfTestFrm& form) {
            form.show();
            TMessageBoxSeam::QueueAnswer(MessageResult::Ok); // would catch any message
            form.cxDebugClick();
            QCOMPARE(form.PortStatus(), QStringLiteral(" COM: Opened"));
            QTRY_VERIFY_WITH_TIMEOUT(!form.Exchange().Running(), 20000);
            QVERIFY(ShownTexts().isEmpty());
            QVERIFY(form.findChild<QSpinBox*>(QStringLiteral("ceTx0"))->isEnabled());
        };
        {
            TfTestFrm form(r.Db);
            online(form);
            QCOMPARE(form.Exchange().PowerValue(Row, Low), 40 + Row);
            auto* tree = form.findChild<QTreeWidget*>(QStringLiteral("cxFreq_Rang"));
            tree->setCurrentItem(
                tree->findItems(QStringLiteral("136.000 -- 140.000MHz"), Qt::MatchExactly)
                    .value(0));
            auto* edit = form.findChild<QSpinBox*>(QStringLiteral("ceTx0"));
            QCOMPARE(edit->value(), 40 + Row);
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("77"));
            QTest::keyClick(edit, Qt::Key_Enter);
            QVERIFY(form.Exchange().Running());
            QTRY_VERIFY_WITH_TIMEOUT(!form.Exchange().Running(), 10000);
            QVERIFY(ShownTexts().isEmpty());

            form.cxCloseClick();
            QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 5000);
            QVERIFY(!form.Exchange().PortOpen());
        }
        TfTestFrm again(r.Db);
        online(again);
        QCOMPARE(again.Exchange().PowerValue(Row, Low), 77);
        QCOMPARE(again.Exchange().PowerValue(Row, TPowerTableExchange::HighPower), 160 + Row);
    }

    void endToEndCancelledRead() {
        TRig& r = *Rig;
        const auto image = r.Db.All.Image;
        TSimRadio sim;
        QVERIFY(sim.Start(r.Folder, {}));

        TfReadRadio dialog(r.Db);
        dialog.show();
        QTRY_VERIFY_WITH_TIMEOUT(Button(dialog, "btnOk")->isEnabled(), 5000);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok); // would catch any message
        QTest::mouseClick(Button(dialog, "btnOk"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(Bar(dialog)->value() >= 5, 10000);
        QTest::mouseClick(Button(dialog, "btnCancel"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(ShownTexts().isEmpty());
        QVERIFY(!dialog.Done());
        QVERIFY(r.Db.All.Image == image);
        QVERIFY(!r.Db.All.Modified);
    }
};

QTEST_MAIN(TstRadioDialogs)
#include "tst_radiodialogs.moc"
