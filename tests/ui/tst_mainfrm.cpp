#include "core/ChannelRecord.h"
#include "ui/channels/ChsInfo.h"
#include "core/DataFile.h"
#include "widgets/FileDialog.h"
#include "ui/main/CommandTable.h"
#include "ui/main/MainFrm.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"
#include "ui/setup/Model.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>
#include <memory>

// The main window: its first showing, the file commands and their questions, the reloads, the
// language change, the tree, the View menu and the exit.
class TstMainFrm : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Folder;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<TfMainFrm> Frm;

    QString Path(const QString& name) const { return Folder->filePath(name); }

    static void WriteFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static QByteArray ReadFile(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A program started on a fresh folder, its window shown.
    void Start() {
        Db = std::make_unique<TfMaindb>(Folder->path() + QLatin1Char('/'));
        Frm = std::make_unique<TfMainFrm>(*Db);
        Frm->show();
        QCoreApplication::processEvents();
    }

    // An unsaved edit: channel 1 exists only in the image.
    void Edit() {
        NewChannel(Db->All, 1, QStringLiteral("145.00000"));
        Db->All.Modified = true;
    }

    bool EditKept() {
        TChannel channel;
        return ReadChannel(Db->All, 1, channel);
    }

    static QStringList ShownTexts() {
        QStringList texts;
        for (const TMessageBoxSeam::TShown& shown : TMessageBoxSeam::TakeShown())
            texts << shown.Text;
        return texts;
    }

    QString Panel(int index) const {
        return Frm->statusBar()
            ->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)
            .at(index)
            ->text();
    }

    QAction* Action(const char* name) const {
        return Frm->findChild<QAction*>(QString::fromLatin1(name));
    }

    QList<TfChsInfo*> Grids() const { return Frm->findChildren<TfChsInfo*>(); }

    // Whether the tree shows every text whole: what its expanded nodes need fits its width.
    bool TreeTextsWhole() const {
        const QAbstractItemView* tree = Frm->findChild<QTreeWidget*>(QStringLiteral("cxTree"));
        return tree->sizeHintForColumn(0) <= tree->viewport()->width();
    }

private slots:
    void init() {
        TMessageBoxSeam::Reset();
        TFileDialog::Reset();
        TModalDialog::Reset();
        Folder = std::make_unique<QTemporaryDir>();
        Start();
    }

    void cleanup() {
        Frm.reset();
        Db.reset();
        Folder.reset();
        TMessageBoxSeam::Reset();
        TFileDialog::Reset();
        TModalDialog::Reset();
    }

    void firstShowing() {
        QVERIFY(!Db->All.Modified);
        QVERIFY(ShownTexts().isEmpty());
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE"));
        QCOMPARE(Panel(3), QStringLiteral("Port: COM1"));
        QCOMPARE(Panel(4), QStringLiteral("ZP-407NE"));
        QCOMPARE(Panel(5), Db->All.BandText);
        QVERIFY(Panel(5).endsWith(QStringLiteral("MHz")));
        QCOMPARE(Panel(1), Db->Now().toString(QStringLiteral("yyyy/MM/dd")));

        auto* tree = Frm->findChild<QTreeWidget*>(QStringLiteral("cxTree"));
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("ZP-407NE"));
        QVERIFY(root->isSelected());
        QStringList labels;
        for (int i = 0; i < root->childCount(); ++i)
            labels << root->child(i)->text(0);
        QCOMPARE(labels, QStringList({"Radio Information", "Freq. Information",
                                      "Channel Information", "Fm Information", "Vox Function",
                                      "Scan Information", "Optional Function", "DTMF Function"}));
        QVERIFY(TreeTextsWhole());
        QCOMPARE(Grids().size(), 1);
    }

    // Controls whose windows do not exist are offered disabled; every one carries its number.
    void commandsOnControls() {
        QCOMPARE(Action("S2")->property("tag").toInt(), 3);
        QCOMPARE(Action("S2")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(Action("tbSave")->toolTip(), QStringLiteral("Save"));
        QVERIFY(Action("nChInfo")->isEnabled() && Action("P2")->isEnabled());
        QVERIFY(Action("R1")->isEnabled() && Action("tbRead")->isEnabled());
        QVERIFY(!Action("E10")->isEnabled());
        QVERIFY(Action("T1")->isVisible() && !Action("nKey")->isVisible());
        QVERIFY(!Frm->findChild<QMenu*>(QStringLiteral("nWindow"))->menuAction()->isVisible());
    }

    // Each row: a command on a modified image, the answers and file names given, and what
    // follows. "keep" means the image with its unsaved edit survives.
    void questionsBeforeReplacingTheImage_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("keep");
        QTest::addColumn<bool>("saved");
        const int yes = MessageResult::Yes;
        const int no = MessageResult::No;
        const QString save = QStringLiteral("Do you wish to save the changes?");
        const QString exists = QStringLiteral("The File is exists,replace it?");
        const QString exit = QStringLiteral("Do you wish to exit program?");
        QTest::newRow("new, no save")
            << 1 << QList<int>{no} << QStringList() << QStringList{save} << false << false;
        QTest::newRow("new, saved")
            << 1 << QList<int>{yes} << QStringList{"out.dat"} << QStringList{save} << false << true;
        QTest::newRow("new, save cancelled")
            << 1 << QList<int>{yes} << QStringList{""} << QStringList{save} << true << false;
        QTest::newRow("new, replace refused") << 1 << QList<int>{yes, no} << QStringList{"old.dat"}
                                              << QStringList{save, exists} << true << false;
        QTest::newRow("open, save cancelled")
            << 2 << QList<int>{yes} << QStringList{""} << QStringList{save} << true << false;
        QTest::newRow("exit refused")
            << 7 << QList<int>{no} << QStringList() << QStringList{exit} << true << false;
        QTest::newRow("exit, save cancelled") << 7 << QList<int>{yes, yes} << QStringList{""}
                                              << QStringList{exit, save} << true << false;
    }

    void questionsBeforeReplacingTheImage() {
        QFETCH(int, command);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, files);
        QFETCH(QStringList, asked);
        QFETCH(bool, keep);
        QFETCH(bool, saved);
        WriteFile(Path("old.dat"), "old");
        Edit();
        for (int answer : answers)
            TMessageBoxSeam::QueueAnswer(answer);
        for (const QString& file : files)
            TFileDialog::QueueFileName(file.isEmpty() ? file : Path(file));
        // Spares that a command going too far would take instead of waiting on a real window.
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        TFileDialog::QueueFileName(Path("old.dat"));
        Frm->RunCommand(command);

        QCOMPARE(ShownTexts(), asked);
        QCOMPARE(EditKept(), keep);
        QCOMPARE(Db->All.Modified, keep);
        QVERIFY(Frm->isVisible());
        QCOMPARE(ReadFile(Path("old.dat")), QByteArray("old"));
        QCOMPARE(QFileInfo::exists(Path("out.dat")), saved);
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE"));
    }

    void saveAskedForAName() {
        // Onto an existing file, refused: nothing is written and no name is taken.
        WriteFile(Path("old.dat"), "old");
        TFileDialog::QueueFileName(Path("old.dat"));
        TMessageBoxSeam::QueueAnswer(MessageResult::No);
        Frm->RunCommand(3);
        QCOMPARE(ReadFile(Path("old.dat")), QByteArray("old"));
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE"));

        // Replaced: the file holds the image and names the window; a second Save asks nothing.
        Edit();
        TFileDialog::QueueFileName(Path("old.dat"));
        TMessageBoxSeam::QueueAnswer(MessageResult::Yes);
        Frm->RunCommand(3);
        QCOMPARE(ReadFile(Path("old.dat")).size(), DataFileSize);
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE [%1]").arg(Path("old.dat")));
        QVERIFY(!Db->All.Modified);
        TMessageBoxSeam::TakeShown();
        Db->All.Modified = true;
        Frm->RunCommand(3);
        QVERIFY(ShownTexts().isEmpty());
        QVERIFY(!Db->All.Modified);
    }

    void saveAsKeepsTheFileWhenNothingIsWritten() {
        TFileDialog::QueueFileName(Path("a.dat"));
        Frm->RunCommand(3);
        Edit();
        TFileDialog::QueueFileName(QString());
        Frm->RunCommand(4);
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE [%1]").arg(Path("a.dat")));
        QVERIFY(Db->All.Modified);

        TFileDialog::QueueFileName(Path("b.dat"));
        Frm->RunCommand(4);
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE [%1]").arg(Path("b.dat")));
        QVERIFY(QFileInfo::exists(Path("b.dat")) && !Db->All.Modified);
    }

    void failedSaveKeepsCaptionAndChanges() {
        Edit();
        TFileDialog::QueueFileName(Path("missing/folder/x.dat"));
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        Frm->RunCommand(3);
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(1));
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE"));
        QVERIFY(Db->All.Modified && EditKept());
    }

    void openAcceptedAndRejected() {
        Edit();
        QString error;
        QVERIFY(SaveDataFile(Db->All, Path("good.dat"), &error));
        QByteArray bytes = ReadFile(Path("good.dat"));
        bytes.replace(1, 4, "ZZZZ");
        WriteFile(Path("alien.dat"), bytes);
        Frm->RunCommand(1); // a clean image without channel 1
        QVERIFY(!EditKept());

        TFileDialog::QueueFileName(Path("good.dat"));
        const QPointer<TfChsInfo> before = Grids().value(0);
        Frm->RunCommand(2);
        QVERIFY(EditKept() && !Db->All.Modified);
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE [%1]").arg(Path("good.dat")));
        QVERIFY(!before);
        QCOMPARE(Grids().size(), 1);

        Db->All.Modified = false;
        TFileDialog::QueueFileName(Path("alien.dat"));
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        Frm->RunCommand(2);
        QCOMPARE(ShownTexts(), QStringList{"Model Type Wrong."});
        QCOMPARE(Frm->windowTitle(), QStringLiteral("ZP-407NE"));
        QVERIFY(EditKept());
    }

    // Print does nothing, yet a half-typed cell of the grid is committed first.
    void commandCommitsTheGridCell() {
        auto* grid = Grids().value(0)->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        Frm->activateWindow();
        grid->setFocus();
        grid->setCurrentCell(0, 1);
        grid->editItem(grid->item(0, 1));
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("145.5"));
        QVERIFY(!EditKept());
        Frm->RunCommand(17); // Key Function, which does nothing else
        QVERIFY(EditKept() && Db->All.Modified);
        QVERIFY(ShownTexts().isEmpty());
    }

    // An edit of channels elsewhere refreshes the grid in place; a whole new image gives a
    // fresh grid.
    void documentNotices() {
        const QPointer<TfChsInfo> grid = Grids().value(0);
        auto* table = grid->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        Db->Document.Edit(TImageChange::Channels(1, 2), [this] {
            NewChannel(Db->All, 2, QStringLiteral("146.00000"));
        });
        QVERIFY(grid && Db->All.Modified);
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("146.00000"));
        Db->Document.Replace(true);
        QVERIFY(!grid);
        QCOMPARE(Grids().size(), 1);
    }

    // Edits in the grid are steps that Undo takes back and Redo does again, named in the Edit
    // menu; undoing to the state of the last save leaves nothing to save.
    void undoAndRedo() {
        auto* table = Grids().value(0)->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        const auto type = [table](int row, int column, const QString& text) {
            table->setCurrentCell(row, column);
            table->editItem(table->item(row, column));
            auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
            QVERIFY(editor);
            QTest::keyClick(editor, Qt::Key_Backspace); // the cell's text comes selected
            QTest::keyClicks(editor, text);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents(); // the view commits an Enter in a queued call
        };
        type(0, 1, QStringLiteral("145.5"));
        type(0, 2, QStringLiteral("146"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("146.00000"));
        QAction* undo = Action("nUndo");
        QAction* redo = Action("nRedo");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Channel 1 TX Frequency"));
        QVERIFY(!redo->isEnabled());

        undo->trigger();
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("145.50000"));
        QVERIFY(Db->All.Modified);
        undo->trigger();
        QCOMPARE(table->item(0, 1)->text(), QString());
        QVERIFY(!EditKept() && !Db->All.Modified && !undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("&Redo Channel 1 RX Frequency"));

        redo->trigger();
        redo->trigger();
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("146.00000"));
        QVERIFY(Db->All.Modified);
        // New starts a fresh history.
        TMessageBoxSeam::QueueAnswer(MessageResult::No);
        Frm->RunCommand(Command::New);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
    }

    // Import asks before overwriting a channel, is one undoable step and reports refused rows;
    // export writes the present channels.
    void csvImportAndExport() {
        Db->Document.Edit(TImageChange::Channel(2),
                          [this] { NewChannel(Db->All, 2, QStringLiteral("145.00000")); });
        WriteFile(Path("in.csv"), "Location,Frequency,Name,Tone,rToneFreq\n"
                                  "2,146.5,NEW,Tone,100.0\n3,146.6,X\n4,999,Y\n");
        auto* table = Grids().value(0)->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        const auto import = [&](std::initializer_list<int> answers) {
            TFileDialog::QueueFileName(Path("in.csv"));
            for (int answer : answers)
                TMessageBoxSeam::QueueAnswer(answer);
            Frm->RunCommand(Command::ImportCsv);
            return ShownTexts();
        };
        QCOMPARE(import({MessageResult::No}),
                 QStringList{"Channels 2 already hold data. Overwrite them?"});
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("145.00000"));
        QVERIFY(table->item(2, 1)->text().isEmpty());

        QCOMPARE(import({MessageResult::Yes, MessageResult::Ok}),
                 (QStringList{"Channels 2 already hold data. Overwrite them?",
                              "2 of 3 rows taken.\nLine 4: Frequency \"999\" is outside the "
                              "enabled bands"}));
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("146.50000"));
        QCOMPARE(table->item(2, 1)->text(), QStringLiteral("146.60000"));
        QAction* undo = Action("nUndo");
        QCOMPARE(undo->text(), QStringLiteral("&Undo Import CSV"));
        undo->trigger();
        QCOMPARE(table->item(1, 1)->text(), QStringLiteral("145.00000"));
        QVERIFY(table->item(2, 1)->text().isEmpty());

        Action("nRedo")->trigger();
        TFileDialog::QueueFileName(Path("out.csv"));
        Frm->RunCommand(Command::ExportCsv);
        const QList<QByteArray> lines = ReadFile(Path("out.csv")).split('\n');
        QCOMPARE(lines.size(), 4); // the header, channels 2 and 3, nothing after the last CRLF
        QVERIFY(lines[1].startsWith("2,NEW,146.500000,,0.000000,Tone,100.0,"));
    }

    // The real dialog: band 2 (136-174 MHz, channel 1's band) is switched off and OK pressed.
    // A new image for that choice is made only when every question lets it; on any other path
    // the state, the image and the status bar stay as they were.
    // The Edit menu's channel commands act on the grid's chosen rows, Ctrl+Down through the
    // menu's shortcut, and the channel edit window follows the moved channel. Without a grid a
    // command only opens one.
    void channelCommands() {
        Db->Document.Edit(TImageChange::Channels(1, 2), [this] {
            NewChannel(Db->All, 1, QStringLiteral("145.00000"));
            NewChannel(Db->All, 2, QStringLiteral("146.00000"));
        });
        auto* table = Grids().value(0)->findChild<QTableWidget*>(QStringLiteral("gvChs"));
        const auto rx = [table](int row) { return table->item(row, 1)->text(); };
        table->selectRow(0);
        table->selectionModel()->select(table->model()->index(1, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Frm->RunCommand(Command::MoveChannelsDown);
        QCOMPARE(QStringList({rx(0), rx(1), rx(2)}), QStringList({"", "145.00000", "146.00000"}));
        Frm->RunCommand(Command::ChannelEdit);
        auto* channelRx = Frm->findChild<QLineEdit*>(QStringLiteral("cxRxSv"));
        QCOMPARE(channelRx->text(), QStringLiteral("145.00000"));

        Frm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Frm.get()));
        QTest::keyClick(table, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(QStringList({rx(1), rx(2), rx(3)}), QStringList({"", "145.00000", "146.00000"}));
        QCOMPARE(Db->All.CurrentChannel, 3);
        QCOMPARE(channelRx->text(), QStringLiteral("145.00000"));
        QCOMPARE(Action("nUndo")->text(), QStringLiteral("&Undo Move Down 2\u20133"));

        Frm->CloseChildren();
        Frm->RunCommand(Command::DeleteChannels);
        QCOMPARE(Grids().size(), 1);
        QCOMPARE(
            Grids().value(0)->findChild<QTableWidget*>(QStringLiteral("gvChs"))->item(2, 1)->text(),
            QStringLiteral("145.00000"));
    }

    void modelChoice_data() {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers"); // ClearData, then SaveProgram
        QTest::addColumn<bool>("keep");
        QTest::newRow("cancelled") << false << true << QList<int>{} << true;
        QTest::newRow("unmodified: new at once") << true << false << QList<int>{} << false;
        QTest::newRow("clear refused") << true << true << QList<int>{MessageResult::No} << true;
        QTest::newRow("clear, then no save")
            << true << true << QList<int>{MessageResult::Yes, MessageResult::No} << false;
        QTest::newRow("clear, save wanted, save dialog cancelled")
            << true << true << QList<int>{MessageResult::Yes, MessageResult::Yes} << true;
    }

    void modelChoice() {
        QFETCH(bool, accepted);
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(bool, keep);
        Edit();
        Db->All.Modified = modified;
        const TALL before = Db->All;
        const QString bandsShown = Panel(5);
        for (int answer : answers)
            TMessageBoxSeam::QueueAnswer(answer);
        TFileDialog::QueueFileName(QString());
        TModalDialog::QueueDriver([accepted](QDialog& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("cxUse_2"))->click();
            dialog
                .findChild<QPushButton*>(accepted ? QStringLiteral("btnOk")
                                                  : QStringLiteral("btnCancel"))
                ->click();
        });
        Frm->RunCommand(30);
        QCOMPARE(TMessageBoxSeam::TakeShown().size(), size_t(answers.size()));
        QCOMPARE(EditKept(), keep);
        if (!keep) {
            QCOMPARE(Db->All.BandEnable, uint8_t(0x01));
            return;
        }
        QVERIFY(Db->All.Image == before.Image);
        QCOMPARE(Db->All.BandEnable, before.BandEnable);
        QCOMPARE(Db->All.ModelCode, before.ModelCode);
        QCOMPARE(Db->All.Bands[1].Low, before.Bands[1].Low);
        QCOMPARE(Panel(5), bandsShown);
        // Channel 1 is still in an enabled band: reading it moves nothing.
        TChannel channel;
        QVERIFY(ReadChannel(Db->All, 1, channel));
        QCOMPARE(channel.RxFreq, 145.0);
    }

    void languageChange() {
        WriteFile(Path("Chinese.Ini"), "[Language]\nConfirmation=Bestaetigung\n"
                                       "[fMainFrm]\nN1.Caption=&Neu\nlCom.Caption=Anschluss \n"
                                       "nInfo.Hint=Funkinfo\n"
                                       "nChInfo.Hint=Speicherkanalinformationen aller Kanaele\n");
        Edit();
        const QPointer<TfChsInfo> grid = Grids().value(0);
        TModalDialog::QueueDriver([](QDialog& dialog) {
            dialog.findChild<QRadioButton*>(QStringLiteral("cxLang1"))->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        });
        Frm->RunCommand(32);
        QCOMPARE(Db->All.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(Db->Language.Confirmation, QStringLiteral("Bestaetigung"));
        QCOMPARE(Action("N1")->text(), QStringLiteral("&Neu"));
        QCOMPARE(Panel(3), QStringLiteral("AnschlussCOM1"));
        QCOMPARE(Frm->findChild<QTreeWidget*>()->topLevelItem(0)->child(0)->text(0),
                 QStringLiteral("Funkinfo"));
        QCoreApplication::processEvents(); // the splitter lays the tree out anew
        QVERIFY(TreeTextsWhole());
        QVERIFY(!grid);
        QCOMPARE(Grids().size(), 1);
        QVERIFY(Db->All.Modified); // the edit made before the change is still to be saved
    }

    void treeDoubleClick() {
        auto* tree = Frm->findChild<QTreeWidget*>(QStringLiteral("cxTree"));
        QTreeWidgetItem* root = tree->topLevelItem(0);
        QTreeWidgetItem* channels = root->child(2);
        QCOMPARE(root->data(0, Qt::UserRole).toInt(), 16);
        QCOMPARE(channels->data(0, Qt::UserRole).toInt(), 11);
        QVERIFY(root->child(0)->flags() & Qt::ItemIsEnabled); // radio information

        Frm->RunCommand(54);
        QTRY_COMPARE(Grids().size(), 0);
        emit tree->itemDoubleClicked(channels, 0); // not the selected node
        QCOMPARE(Grids().size(), 0);
        tree->setCurrentItem(channels);
        emit tree->itemDoubleClicked(channels, 0);
        QCOMPARE(Grids().size(), 1);
        tree->setCurrentItem(root); // the root shows the radio information
        emit tree->itemDoubleClicked(root, 0);
        QVERIFY(Frm->findChild<QWidget*>(QStringLiteral("fInfoMsg")));
    }

    void viewToggles() {
        auto* pTree = Frm->findChild<QWidget*>(QStringLiteral("pTree"));
        auto* tbar = Frm->findChild<QToolBar*>(QStringLiteral("tbar"));
        Action("T4")->trigger();
        QVERIFY(pTree->isHidden());
        Action("T4")->trigger();
        QVERIFY(!pTree->isHidden());
        Frm->findChild<QAbstractButton*>(QStringLiteral("TreeHide"))->click();
        QVERIFY(pTree->isHidden());

        Action("nCool")->trigger();
        QVERIFY(!Action("nCool")->isChecked() && tbar->isHidden());
        Action("nBar")->trigger();
        QVERIFY(!Action("nBar")->isChecked() && Frm->statusBar()->isHidden());
        Action("nBar")->trigger();
        QVERIFY(Action("nBar")->isChecked() && !Frm->statusBar()->isHidden());
    }

    void exitWritesSettings() {
        Edit();
        Db->All.PortName = QStringLiteral("COM4");
        TMessageBoxSeam::QueueAnswer(MessageResult::Yes);
        TMessageBoxSeam::QueueAnswer(MessageResult::No);
        QVERIFY(Frm->close());
        QCOMPARE(ShownTexts(),
                 QStringList({"Do you wish to exit program?", "Do you wish to save the changes?"}));
        QVERIFY(ReadFile(Path("SysInfo.Ini")).contains("Com=COM4"));
    }
};

QTEST_MAIN(TstMainFrm)
#include "tst_mainfrm.moc"
