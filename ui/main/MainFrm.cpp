#include "ui/main/MainFrm.h"

#include "core/Backups.h"
#include "core/ChirpCsv.h"
#include "core/DataFile.h"
#include "core/FileAccess.h"
#include "core/Maindb.h"
#include "core/Messages.h"
#include "core/SysSettings.h"
#include "link/PortNames.h"
#include "ui/about/FrmAbout.h"
#include "ui/channels/BatchEdit.h"
#include "ui/channels/ChannelImport.h"
#include "ui/channels/ChsEdit.h"
#include "ui/channels/ChsInfo.h"
#include "ui/channels/FreqEdit.h"
#include "ui/functions/DtmfFun.h"
#include "ui/functions/FmFun.h"
#include "ui/functions/InfoMsg.h"
#include "ui/functions/OptFun.h"
#include "ui/functions/ScanFun.h"
#include "ui/functions/VoxFun.h"
#include "ui/help/HelpTopics.h"
#include "ui/link/ReadRadio.h"
#include "ui/link/SetPort.h"
#include "ui/link/TestFrm.h"
#include "ui/link/WriteRadio.h"
#include "ui/main/CommandTable.h"
#include "ui/print/Printout.h"
#include "ui/setup/Model.h"
#include "ui/setup/SetLanguage.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"
#include "widgets/TranslateForm.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QDesktopServices>
#include <QDir>
#include <QMdiArea>
#include <QUrl>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <functional>
#include <numeric>

// The resources live in the static library zpui, so they are registered by hand.
static void InitResources() {
    Q_INIT_RESOURCE(resources);
}

namespace {

const QString DataFileFilter = QStringLiteral("Data File(*.dat) (*.dat)");
const QString DataFileSuffix = QStringLiteral("dat");
const QString CsvFileFilter = QStringLiteral("CSV File(*.csv) (*.csv)");
const QString CsvFileSuffix = QStringLiteral("csv");
constexpr int TreeWidth = 185;
constexpr std::array<int, 7> PanelWidths = {50, 80, 120, 120, 120, 800, 100};
constexpr int BandPanel = 5;

QIcon Picture(int index) {
    return QIcon(QStringLiteral(":/images/%1").arg(index));
}

QIcon TreeNodeIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/images/%1").arg(TCommandTable::TreeNodePicture), QSize(),
                 QIcon::Normal);
    icon.addFile(QStringLiteral(":/images/%1").arg(TCommandTable::TreeNodeSelectedPicture), QSize(),
                 QIcon::Selected);
    return icon;
}

// A hint shows in the status bar and as the tool tip, as the window translation sets it.
void SetHint(QAction* action, const QString& hint) {
    action->setStatusTip(hint);
    action->setToolTip(hint);
}

QString TimeText(const QDateTime& now) {
    return now.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

TfMainFrm::TfMainFrm(TfMaindb& db, QWidget* parent) : QMainWindow(parent), db(db) {
    InitResources();
    setObjectName(QStringLiteral("fMainFrm"));
    connect(&db.Document, &TDocument::Replaced, this, &TfMainFrm::ReopenEditors);
    connect(&db.Document, &TDocument::HistoryChanged, this, &TfMainFrm::UpdateUndoActions);
    // An undone step may take the model and bands back too.
    connect(&db.Document, &TDocument::Changed, this, [this](const TImageChange& change) {
        if (change.Scope == TImageChange::TScope::Image) UpdateStatus();
    });
    // The toolbar and the status bar are switched by the View menu only.
    setContextMenuPolicy(Qt::NoContextMenu);

    lCom = new QLabel(QStringLiteral("Port: "), this);
    lCom->setObjectName(QStringLiteral("lCom"));
    lCom->hide();
    lUndo = new QLabel(QStringLiteral("&Undo"), this);
    lUndo->setObjectName(QStringLiteral("lUndo"));
    lUndo->hide();
    lRedo = new QLabel(QStringLiteral("&Redo"), this);
    lRedo->setObjectName(QStringLiteral("lRedo"));
    lRedo->hide();
    cbCom = new QComboBox(this);
    cbCom->setObjectName(QStringLiteral("cbCom"));
    cbCom->setProperty("tag", -2);
    cbCom->hide();

    BuildTree();
    MdiArea = new QMdiArea;
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(pTree);
    splitter->addWidget(MdiArea);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({TreeWidth, 1000});
    setCentralWidget(splitter);

    BuildStatusBar();
    tbar = addToolBar(QString());
    tbar->setObjectName(QStringLiteral("tbar"));
    tbar->setMovable(false);
    BuildMenus();
    BuildToolbar();

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer"));
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this,
            [this] { Panels[2]->setText(TimeText(this->db.Now())); });
    timer->start();
}

QAction* TfMainFrm::AddAction(const char* name, const QString& caption, int command, int picture) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setData(command);
    action->setProperty("tag", command);
    if (picture >= 0) action->setIcon(Picture(picture));
    return action;
}

void TfMainFrm::BuildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    // The View items switch panels with handlers of their own instead of the dispatcher.
    const std::map<int, std::function<void(bool)>> viewItems = {
        {Command::TreeView, [this](bool) { pTree->setHidden(!pTree->isHidden()); }},
        {Command::Toolbar, [this](bool checked) { tbar->setVisible(checked); }},
        {Command::StatusBar, [this](bool checked) { MainBar->setVisible(checked); }},
    };
    for (const TMenuDef& def : TCommandTable::Menus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(def.Caption));
        menu->setObjectName(QString::fromLatin1(def.Name));
        menu->menuAction()->setVisible(!def.Hidden);
        for (const TMenuItemDef& item : def.Items) {
            const bool hidden = item.Flags & TMenuItemDef::Hidden;
            if (!item.Name) {
                menu->addSeparator()->setVisible(!hidden);
                continue;
            }
            QAction* action =
                AddAction(item.Name, QString::fromUtf8(item.Caption), item.Command, item.Picture);
            if (*item.Hint) SetHint(action, QString::fromUtf8(item.Hint));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.Shortcut)));
            action->setVisible(!hidden);
            action->setCheckable(item.Flags & TMenuItemDef::Checked);
            action->setChecked(item.Flags & TMenuItemDef::Checked);
            const auto own = viewItems.find(item.Command);
            if (own != viewItems.end()) {
                connect(action, &QAction::triggered, this, own->second);
            } else {
                action->setEnabled(CommandAvailable(item.Command));
                connect(action, &QAction::triggered, this,
                        [this, command = item.Command] { RunCommand(command); });
            }
            menu->addAction(action);
            MenuItems[item.Command] = action;
        }
    }
    MenuItems.at(Command::Redo)
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
}

void TfMainFrm::BuildToolbar() {
    for (const TToolButtonDef& def : TCommandTable::ToolButtons()) {
        const QString hint = QString::fromUtf8(def.Hint);
        QAction* action = AddAction(def.Name, hint, def.Command, def.Picture);
        SetHint(action, hint);
        action->setEnabled(CommandAvailable(def.Command));
        connect(action, &QAction::triggered, this,
                [this, command = def.Command] { RunCommand(command); });
        tbar->addAction(action);
        if (def.DividerAfter) tbar->addSeparator();
    }
}

void TfMainFrm::BuildTree() {
    pTree = new QWidget;
    pTree->setObjectName(QStringLiteral("pTree"));
    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->addStretch();
    auto* treeHide = new QToolButton;
    treeHide->setObjectName(QStringLiteral("TreeHide"));
    treeHide->setText(QStringLiteral("X"));
    treeHide->setAutoRaise(true);
    connect(treeHide, &QToolButton::clicked, pTree, &QWidget::hide);
    header->addWidget(treeHide);

    cxTree = new QTreeWidget;
    cxTree->setObjectName(QStringLiteral("cxTree"));
    cxTree->setHeaderHidden(true);
    cxTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* root = new QTreeWidgetItem(cxTree);
    root->setIcon(0, Picture(TCommandTable::AppIconPicture));
    root->setData(0, Qt::UserRole, TCommandTable::TreeRootCommand);
    const QIcon nodeIcon = TreeNodeIcon();
    for (int command : TCommandTable::TreeCommands()) {
        auto* node = new QTreeWidgetItem(root);
        node->setIcon(0, nodeIcon);
        node->setData(0, Qt::UserRole, command);
        if (!CommandAvailable(command)) node->setFlags(node->flags() & ~Qt::ItemIsEnabled);
    }
    connect(cxTree, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { TreeDoubleClick(item); });

    auto* layout = new QVBoxLayout(pTree);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(header);
    layout->addWidget(cxTree);
}

void TfMainFrm::BuildStatusBar() {
    MainBar = new QStatusBar;
    MainBar->setObjectName(QStringLiteral("MainBar"));
    setStatusBar(MainBar);
    for (size_t i = 0; i < Panels.size(); ++i) {
        auto* panel = new QLabel;
        panel->setFrameShape(QFrame::StyledPanel);
        if (int(i) == BandPanel) {
            // The band text takes what is left of its width on a narrow screen.
            panel->setMinimumWidth(1);
            panel->setMaximumWidth(PanelWidths[i]);
        } else {
            panel->setFixedWidth(PanelWidths[i]);
        }
        MainBar->addWidget(panel, int(i) == BandPanel ? 1 : 0);
        Panels[i] = panel;
    }
}

const std::map<int, TfMainFrm::TCommand>& TfMainFrm::Commands() {
    // nullptr: the command exists but does nothing.
    static const std::map<int, TCommand> commands = {
        {Command::New, [](TfMainFrm& f) { f.New(); }},
        {Command::Open, [](TfMainFrm& f) { f.Open(QString()); }},
        {Command::Save, [](TfMainFrm& f) { f.Save(); }},
        {Command::SaveAs, [](TfMainFrm& f) { f.SaveAs(); }},
        {Command::Print, [](TfMainFrm& f) { TPrintout(f.db, &f).Print(); }},
        {Command::PrintPreview, [](TfMainFrm& f) { TPrintout(f.db, &f).Preview(); }},
        {Command::ExportPdf, [](TfMainFrm& f) { TPrintout(f.db, &f).ExportPdf(); }},
        {Command::Exit, [](TfMainFrm& f) { f.close(); }},
        {Command::OpenBackup, [](TfMainFrm& f) { f.Open(TBackups::Folder(f.db.All)); }},
        {Command::ShowBackups, [](TfMainFrm& f) { f.ShowBackupFolder(); }},
        {Command::Undo, [](TfMainFrm& f) { f.db.Document.Undo(); }},
        {Command::Redo, [](TfMainFrm& f) { f.db.Document.Redo(); }},
        {Command::DeleteChannels, [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::Delete); }},
        {Command::InsertChannel, [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::Insert); }},
        {Command::MoveChannelsUp, [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::MoveUp); }},
        {Command::MoveChannelsDown,
         [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::MoveDown); }},
        {Command::SortByRx, [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::SortRx); }},
        {Command::SortByName, [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::SortName); }},
        {Command::CompactChannels,
         [](TfMainFrm& f) { f.OperateOnGrid(TChannelOperation::Compact); }},
        {Command::KeyFunction, nullptr},
        {Command::ReadRadio, [](TfMainFrm& f) { f.ReadRadio(); }},
        {Command::WriteRadio, [](TfMainFrm& f) { f.WriteRadio(); }},
        {Command::TestOnline, [](TfMainFrm& f) { f.TestOnline(); }},
        {Command::ModelInformation, [](TfMainFrm& f) { f.ChooseModel(); }},
        {Command::CommunicationPort, [](TfMainFrm& f) { f.ChoosePort(); }},
        {Command::LanguageSetup, [](TfMainFrm& f) { f.ChooseLanguage(); }},
        {Command::Cascade, [](TfMainFrm& f) { f.MdiArea->cascadeSubWindows(); }},
        {Command::TileHorizontally, [](TfMainFrm& f) { f.TileChildren(Qt::Horizontal); }},
        {Command::TileVertically, [](TfMainFrm& f) { f.TileChildren(Qt::Vertical); }},
        // The MDI area keeps minimised windows arranged along its bottom edge by itself.
        {Command::ArrangeIcons, nullptr},
        {Command::CloseAllWindows, [](TfMainFrm& f) { f.CloseAllChildren(); }},
        {Command::About, [](TfMainFrm& f) { f.ShowAbout(); }},
        {Command::ImportCsv, [](TfMainFrm& f) { f.ImportCsv(); }},
        {Command::ExportCsv, [](TfMainFrm& f) { f.ExportCsv(); }},
    };
    return commands;
}

bool TfMainFrm::CommandAvailable(int command) {
    return Commands().count(command) > 0 ||
           std::any_of(EditorKinds().begin(), EditorKinds().end(),
                       [command](const TEditorKind& kind) { return kind.Command == command; });
}

void TfMainFrm::RunCommand(int command) {
    for (const auto& [kind, editor] : Editors)
        if (editor) editor->Deactivate();
    if (CommandAvailable(command) && !Commands().count(command)) {
        ShowEditor(command);
        return;
    }
    const auto found = Commands().find(command);
    if (found == Commands().end() || !found->second) return;
    try {
        found->second(*this);
    } catch (const std::exception& error) {
        // A failing command ends alone; the program and its image go on.
        Tell(QString::fromLocal8Bit(error.what()));
    }
}

// The editor windows: the command that shows each and how it is made. Show, close-all and the
// commands' preparation loop over this table; a new editor is one more row.
const std::vector<TfMainFrm::TEditorKind>& TfMainFrm::EditorKinds() {
    static const std::vector<TEditorKind> kinds = {
        {Command::MemoryChannel, [](TfMaindb& db) -> TfEditorWindow* { return new TfChsInfo(db); }},
        {Command::ChannelEdit, [](TfMaindb& db) -> TfEditorWindow* { return new TfChsEdit(db); }},
        {Command::FreqChannel, [](TfMaindb& db) -> TfEditorWindow* { return new TfFreqEdit(db); }},
        {Command::BatchEdit, [](TfMaindb& db) -> TfEditorWindow* { return new TfBatch(db); }},
        {Command::OptionalFunction, [](TfMaindb& db) -> TfEditorWindow* { return new TfOptFun(db); }},
        {Command::ScanInformation, [](TfMaindb& db) -> TfEditorWindow* { return new TfScanFun(db); }},
        {Command::VoxFunction, [](TfMaindb& db) -> TfEditorWindow* { return new TfVoxFun(db); }},
        {Command::RadioInformation, [](TfMaindb& db) -> TfEditorWindow* { return new TfInfoMsg(db); }},
        {Command::DtmfFunction, [](TfMaindb& db) -> TfEditorWindow* { return new TfDtmfFun(db); }},
        {Command::FmInformation, [](TfMaindb& db) -> TfEditorWindow* { return new TfFmFun(db); }},
        {Command::HelpTopics, [](TfMaindb& db) -> TfEditorWindow* { return new TfHelpTopics(db); }},
    };
    return kinds;
}

TfEditorWindow* TfMainFrm::Editor(int command) const {
    const auto found = Editors.find(command);
    return found == Editors.end() ? nullptr : found->second.data();
}

void TfMainFrm::ShowEditor(int command) {
    QPointer<TfEditorWindow>& editor = Editors[command];
    if (!editor) {
        const auto kind =
            std::find_if(EditorKinds().begin(), EditorKinds().end(),
                         [command](const TEditorKind& k) { return k.Command == command; });
        if (kind == EditorKinds().end()) return;
        editor = kind->Create(db);
        QMdiSubWindow* frame = MdiArea->addSubWindow(editor);
        frame->setAttribute(Qt::WA_DeleteOnClose);
    }
    auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
    if (frame->isMinimized())
        frame->showNormal();
    else
        frame->show();
    MdiArea->setActiveSubWindow(frame);
    editor->setFocus();
}

// A whole new image: every editor closes, and the fresh grid reads the image when it opens.
void TfMainFrm::ReopenEditors() {
    CloseChildren();
    ShowEditor(Command::MemoryChannel);
}

// The channel commands act on the grid's selection; without a grid they only open it, for the
// user to choose the channels.
void TfMainFrm::OperateOnGrid(TChannelOperation op) {
    if (auto* grid = qobject_cast<TfChsInfo*>(Editor(Command::MemoryChannel)))
        grid->Operate(op);
    else
        ShowEditor(Command::MemoryChannel);
}

void TfMainFrm::CloseChildren() {
    while (!MdiArea->subWindowList().isEmpty())
        delete MdiArea->subWindowList().constFirst();
}

void TfMainFrm::CloseAllChildren() {
    const QList<QMdiSubWindow*> windows = MdiArea->subWindowList();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->close();
}

void TfMainFrm::TileChildren(Qt::Orientation orientation) {
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : MdiArea->subWindowList())
        if (window->isVisible() && !window->isMinimized()) windows << window;
    const QRect area = MdiArea->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        windows[i]->showNormal();
        if (orientation == Qt::Horizontal)
            windows[i]->setGeometry(0, area.height() * i / count, area.width(),
                                    area.height() / count);
        else
            windows[i]->setGeometry(area.width() * i / count, 0, area.width() / count,
                                    area.height());
    }
}

void TfMainFrm::UpdateStatus() {
    const TALL& all = db.All;
    const QString& fileName = db.Document.FileName();
    setWindowTitle(fileName.isEmpty()
                       ? all.DisplayName
                       : all.DisplayName + QStringLiteral(" [") + fileName + QLatin1Char(']'));
    const QDateTime now = db.Now();
    Panels[0]->clear();
    Panels[1]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    Panels[2]->setText(TimeText(now));
    Panels[3]->setText(lCom->text() + all.PortName);
    Panels[3]->setToolTip(PortDescription(all, PortNumber(all.PortName)));
    Panels[4]->setText(all.ModelName);
    Panels[5]->setText(all.BandText);
}

void TfMainFrm::LabelTree() {
    QTreeWidgetItem* root = cxTree->topLevelItem(0);
    root->setText(0, db.All.DisplayName);
    for (int i = 0; i < root->childCount(); ++i) {
        QTreeWidgetItem* node = root->child(i);
        node->setText(0, MenuItems.at(node->data(0, Qt::UserRole).toInt())->statusTip());
    }
    // The designed width may cut the texts in the active font or language.
    pTree->setMinimumWidth(TreeWidthNeeded());
}

// The width that shows every node's text whole, those of collapsed nodes included.
int TfMainFrm::TreeWidthNeeded() const {
    QStyleOptionViewItem option;
    option.initFrom(cxTree);
    option.widget = cxTree;
    option.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    const int icon = cxTree->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, cxTree);
    option.decorationSize = cxTree->iconSize().isValid() ? cxTree->iconSize() : QSize(icon, icon);
    const QAbstractItemModel* model = cxTree->model();
    const auto width = [&](const QModelIndex& index, int depth) {
        const int levels = depth + (cxTree->rootIsDecorated() ? 1 : 0);
        return cxTree->itemDelegate()->sizeHint(option, index).width() +
               cxTree->indentation() * levels;
    };
    const QModelIndex root = model->index(0, 0);
    int widest = width(root, 0);
    for (int i = 0; i < model->rowCount(root); ++i)
        widest = std::max(widest, width(model->index(i, 0, root), 1));
    return widest + 2 * cxTree->frameWidth() + cxTree->verticalScrollBar()->sizeHint().width();
}

// The Edit menu names the step that Undo and Redo would take back or do again.
void TfMainFrm::UpdateUndoActions() {
    const auto label = [](const QLabel* caption, const QString& step) {
        return step.isEmpty() ? caption->text() : caption->text() + QLatin1Char(' ') + step;
    };
    QAction* undo = MenuItems.at(Command::Undo);
    undo->setText(label(lUndo, db.Document.UndoName()));
    undo->setEnabled(db.Document.CanUndo());
    QAction* redo = MenuItems.at(Command::Redo);
    redo->setText(label(lRedo, db.Document.RedoName()));
    redo->setEnabled(db.Document.CanRedo());
}

void TfMainFrm::TreeDoubleClick(QTreeWidgetItem* item) {
    if (item && item->isSelected()) RunCommand(item->data(0, Qt::UserRole).toInt());
}

void TfMainFrm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (FirstShown) return;
    FirstShown = true;
    FormShow();
}

void TfMainFrm::FormShow() {
    TALL& all = db.All;
    MdiArea->setBackground(QPixmap(QStringLiteral(":/PIC")));
    MenuItems.at(Command::LanguageSetup)->setVisible(all.LanguageMenuVisible);
    MenuItems.at(Command::TestOnline)->setVisible(all.TestMenuVisible);
    db.BuildStartImage();
    SelectPort();
    TBackups::Prune(TBackups::Folder(all), db.Now());

    db.Document.SetFileName(QString());
    TranslateForm(this, all, false);
    UpdateUndoActions();
    LabelTree();
    setWindowTitle(all.DisplayName);
    ShowEditor(Command::MemoryChannel);
    all.Modified = false;
    cxTree->expandAll();
    cxTree->setCurrentItem(cxTree->topLevelItem(0));
    New();
}

// The stored port name, upper-cased, unless it is not present and another port is: then the
// first present port takes its place.
void TfMainFrm::SelectPort() {
    TALL& all = db.All;
    QStringList ports;
    ListComPorts(all, ports);
    cbCom->clear();
    cbCom->addItems(ports);
    all.PortName = all.PortName.toUpper();
    cbCom->setCurrentIndex(cbCom->findText(all.PortName));
    if (cbCom->currentIndex() < 0 && cbCom->count() > 0) {
        cbCom->setCurrentIndex(0);
        all.PortName = cbCom->currentText();
    }
}

void TfMainFrm::closeEvent(QCloseEvent* event) {
    if (Ask(db.Language.ExitProgram) != MessageResult::Yes || !OfferSave()) {
        event->ignore();
        return;
    }
    QString error;
    // Settings that cannot be written are lost, but they do not keep the program open.
    if (!SaveSettings(db.All, &error)) Tell(error);
    event->accept();
}

int TfMainFrm::Ask(const QString& text) {
    return ShowMessageBox(db.Language.Confirmation, text, MessageKind::YesNo);
}

void TfMainFrm::Tell(const QString& text) {
    ShowMessageBox(db.Language.Confirmation, text, MessageKind::Information);
}

// Offers to save unsaved changes; false when the user wanted them saved and they were not, so
// the command that would replace or drop them stops.
bool TfMainFrm::OfferSave() {
    if (!db.All.Modified || Ask(db.Language.SaveProgram) != MessageResult::Yes) return true;
    return Save();
}

void TfMainFrm::New() {
    StartNewImage(nullptr);
}

// Replaces the image by a new one, for a newly chosen model when one is given; nothing changes
// when unsaved changes were to be saved and were not.
void TfMainFrm::StartNewImage(const TfModel::TChoice* model) {
    if (!OfferSave()) return;
    if (model) model->ApplyTo(db.All);
    db.Document.SetFileName(QString());
    db.NewImage();
    UpdateStatus();
    db.Document.Replace(true);
}

void TfMainFrm::Open(const QString& folder) {
    if (!OfferSave()) return;
    const QString name = TFileDialog::GetOpenFileName(this, DataFileFilter, folder);
    if (name.isEmpty()) return;
    QString error;
    const TLoadResult result = LoadDataFile(db.MacList, db.All, name, &error);
    if (result != TLoadResult::Accepted) {
        db.Document.SetFileName(QString());
        UpdateStatus();
        Tell(LoadErrorText(result, db.Language, error));
        return;
    }
    db.Document.SetFileName(name);
    UpdateStatus();
    db.Document.Replace(true);
}

bool TfMainFrm::Save() {
    const QString name = db.Document.FileName();
    return SaveTo(name.isEmpty() ? ChooseSaveFile(DataFileFilter, DataFileSuffix) : name);
}

// Saves into the named file, which the image then belongs to; false when nothing was written (no
// name, or a failure, which the caption does not follow).
bool TfMainFrm::SaveTo(const QString& name) {
    QString error;
    const bool saved = !name.isEmpty() && SaveDataFile(db.All, name, &error);
    if (saved) {
        db.Document.SetFileName(name);
        db.Document.MarkSaved();
    } else if (!error.isEmpty())
        Tell(error);
    UpdateStatus();
    return saved;
}

// Asks for the file to save into; false when there is none to write.
QString TfMainFrm::ChooseSaveFile(const QString& filter, const QString& suffix) {
    const QString name = TFileDialog::GetSaveFileName(this, filter, suffix);
    if (name.isEmpty()) return QString();
    if (QFileInfo::exists(name) && Ask(db.Language.FileExists) != MessageResult::Yes)
        return QString();
    return name;
}

bool TfMainFrm::SaveAs() {
    return SaveTo(ChooseSaveFile(DataFileFilter, DataFileSuffix));
}

void TfMainFrm::ImportCsv() {
    const QString name = TFileDialog::GetOpenFileName(this, CsvFileFilter);
    if (name.isEmpty()) return;
    QFile file(name);
    QString error;
    if (!OpenRegularFile(file, &error)) {
        Tell(error);
        return;
    }
    const TChirpCsv::TImport import =
        TChirpCsv::Read(db.All, db.Language, QString::fromUtf8(file.readAll()));
    TChannelImport::Take(db, import, db.Language.CsvImport, false, true);
}

void TfMainFrm::ExportCsv() {
    const QString name = ChooseSaveFile(CsvFileFilter, CsvFileSuffix);
    if (name.isEmpty()) return;
    std::vector<int> channels(size_t(std::max(0, db.All.ChannelCount)));
    std::iota(channels.begin(), channels.end(), 1);
    const QString text = TChirpCsv::Export(db.All, db.Channel, channels, QLatin1Char(','));
    QString error;
    if (!SaveFileSafely(name, text.toUtf8(), &error)) Tell(error);
}

void TfMainFrm::ChooseModel() {
    TfModel dialog(db, this);
    TModalDialog::Exec(dialog);
    if (dialog.Accepted && (!db.All.Modified || Ask(db.Language.ClearData) == MessageResult::Yes))
        StartNewImage(&dialog.Choice);
}

void TfMainFrm::ChooseLanguage() {
    TfSetLanguage dialog(db.All, this);
    TModalDialog::Exec(dialog);
    if (!dialog.Changed()) return;
    TALL& all = db.All;
    LoadMessages(all.ProgramFolder, all.LanguageName, db.Language);
    TranslateForm(this, all, true);
    UpdateUndoActions();
    UpdateStatus();
    // The editors are translated when they open, so they open anew; the image and its unsaved
    // changes stay.
    LabelTree();
    ReopenEditors();
}

void TfMainFrm::ShowBackupFolder() {
    const QString folder = TBackups::Folder(db.All);
    QDir().mkpath(folder);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) Tell(folder);
}

void TfMainFrm::ShowAbout() {
    TfFrmAbout dialog(db, this);
    TModalDialog::Exec(dialog);
}

void TfMainFrm::ReadRadio() {
    TfReadRadio dialog(db, this, RadioLink);
    TModalDialog::Exec(dialog);
    if (!dialog.Done()) return;
    // The image now comes from the radio, not from a file, and is not saved anywhere yet.
    db.Document.SetFileName(QString());
    UpdateStatus();
    db.Document.Replace(false);
    QString error;
    if (!TBackups::Save(db.All, QStringLiteral("read"), db.Now(), &error)) Tell(error);
}

void TfMainFrm::WriteRadio() {
    TfWriteRadio dialog(db, this, RadioLink);
    TModalDialog::Exec(dialog);
}

void TfMainFrm::TestOnline() {
    TfTestFrm dialog(db, this, RadioLink);
    TModalDialog::Exec(dialog);
}

void TfMainFrm::ChoosePort() {
    TfSetPort dialog(db.All, db.Language, this);
    TModalDialog::Exec(dialog);
    UpdateStatus();
}
