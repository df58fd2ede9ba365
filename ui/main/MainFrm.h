#pragma once

#include "ui/link/RadioDialog.h"
#include "ui/setup/Model.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>
#include <vector>

class QComboBox;
class QLabel;
class QMdiArea;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TfEditorWindow;
class TfMaindb;
enum class TChannelOperation;

// The program's only top-level window: an MDI frame with menu, toolbar, navigation tree and
// status bar. It runs every command by its number and keeps the editor windows, one of each kind
// at most; the document tells it when a whole new image asks for them to start over.
class TfMainFrm : public QMainWindow {
    Q_OBJECT
public:
    explicit TfMainFrm(TfMaindb& db, QWidget* parent = nullptr);

    // Commits the grid's half-typed cell, then runs the command; unknown and unavailable numbers
    // run nothing.
    void RunCommand(int command);
    // Whether the command is offered; the controls of the others are disabled.
    static bool CommandAvailable(int command);
    // Brings the editor window that the command shows to the front, creating it on first use.
    void ShowEditor(int command);
    // The caption and the status bar panels.
    void UpdateStatus();
    // The tree texts: the product's name on the root, the menu hints on the children.
    void LabelTree();
    // Destroys every editor window at once, without asking it to close.
    void CloseChildren();

    // The port and the clock the read and write dialogs borrow; empty in the program, where each
    // dialog makes its own. Tests lend fakes here.
    TRadioLink RadioLink;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    using TCommand = void (*)(TfMainFrm&);
    static const std::map<int, TCommand>& Commands();

    // An editor window kind: the command that shows it and how it is made.
    struct TEditorKind {
        int Command;
        TfEditorWindow* (*Create)(TfMaindb& db);
    };
    static const std::vector<TEditorKind>& EditorKinds();

    TfMaindb& db;
    bool FirstShown = false;
    std::map<int, QPointer<TfEditorWindow>> Editors; // by command; empty once a window is gone
    std::map<int, QAction*> MenuItems;               // by command number

    QMdiArea* MdiArea = nullptr;
    QToolBar* tbar = nullptr;
    QWidget* pTree = nullptr;
    QTreeWidget* cxTree = nullptr;
    QStatusBar* MainBar = nullptr;
    std::array<QLabel*, 7> Panels{};
    QLabel* lCom = nullptr;
    QLabel* lUndo = nullptr; // the Undo and Redo captions, before the step's name
    QLabel* lRedo = nullptr;
    QComboBox* cbCom = nullptr;

    void BuildMenus();
    void BuildToolbar();
    void BuildTree();
    void BuildStatusBar();
    int TreeWidthNeeded() const;
    QAction* AddAction(const char* name, const QString& caption, int command, int picture);
    void FormShow();
    void SelectPort();
    TfEditorWindow* Editor(int command) const;
    void ReopenEditors();
    void UpdateUndoActions();

    int Ask(const QString& text);
    void Tell(const QString& text);
    bool OfferSave();
    void New();
    void StartNewImage(const TfModel::TChoice* model);
    // The open dialog starts in folder, or where it was last when folder is empty.
    void Open(const QString& folder);
    void ShowBackupFolder();
    bool Save();
    bool SaveTo(const QString& name);
    bool SaveAs();
    void ImportCsv();
    void ExportCsv();
    QString ChooseSaveFile(const QString& filter, const QString& suffix);
    void ChooseModel();
    void ChooseLanguage();
    void ShowAbout();
    void ReadRadio();
    void WriteRadio();
    void TestOnline();
    void ChoosePort();
    void TileChildren(Qt::Orientation orientation);
    void CloseAllChildren();
    void OperateOnGrid(TChannelOperation op);
    void TreeDoubleClick(QTreeWidgetItem* item);
};
