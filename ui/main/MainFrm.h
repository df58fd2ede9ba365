#pragma once

#include "ui/setup/Model.h"
#include "ui/link/RadioDialog.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>

class QComboBox;
class QLabel;
class QMdiArea;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class TfChsInfo;
class TfMaindb;

// The program's only top-level window: an MDI frame with menu, toolbar, navigation tree and
// status bar. It owns the name of the current data file, runs every command by its number and
// keeps the editor windows, one of each kind at most.
class TfMainFrm : public QMainWindow {
    Q_OBJECT
public:
    enum class TChildKind { ChsInfo, Count };

    explicit TfMainFrm(TfMaindb& db, QWidget* parent = nullptr);

    // Commits the grid's half-typed cell, then runs the command; unknown and unavailable numbers
    // run nothing.
    void RunCommand(int command);
    // Whether the command is offered; the controls of the others are disabled.
    static bool CommandAvailable(int command);
    // Brings the editor window to the front, creating it on first use.
    void ShowChild(TChildKind kind);
    // Makes the open windows re-read the image: 0 the grid's current row, 1 every editor
    // closed and a fresh grid opened, 2 the channel edit window, 3 the whole grid.
    void ReloadWindows(int kind);
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

    TfMaindb& db;
    QString FileName; // empty: the image is not tied to a file
    bool FirstShown = false;
    std::array<QPointer<QWidget>, size_t(TChildKind::Count)> Children;
    std::map<int, QAction*> MenuItems; // by command number

    QMdiArea* MdiArea = nullptr;
    QToolBar* tbar = nullptr;
    QWidget* pTree = nullptr;
    QTreeWidget* cxTree = nullptr;
    QStatusBar* MainBar = nullptr;
    std::array<QLabel*, 7> Panels{};
    QLabel* lCom = nullptr;
    QComboBox* cbCom = nullptr;

    void BuildMenus();
    void BuildToolbar();
    void BuildTree();
    void BuildStatusBar();
    int TreeWidthNeeded() const;
    QAction* AddAction(const char* name, const QString& caption, int command, int picture);
    void FormShow();
    void SelectPort();
    TfChsInfo* Grid() const;
    QWidget* CreateChild(TChildKind kind);

    int Ask(const QString& text);
    void Tell(const QString& text);
    bool OfferSave();
    void New();
    void StartNewImage(const TfModel::TChoice* model);
    void Open();
    bool Save();
    bool SaveAs();
    bool ChooseSaveFile();
    void ChooseModel();
    void ChooseLanguage();
    void ShowAbout();
    void ReadRadio();
    void WriteRadio();
    void TestOnline();
    void ChoosePort();
    void TileChildren(Qt::Orientation orientation);
    void CloseAllChildren();
    void TreeDoubleClick(QTreeWidgetItem* item);
};
