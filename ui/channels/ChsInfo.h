#pragma once

#include "core/ChannelRow.h"
#include "widgets/EditorWindow.h"

#include <array>
#include <vector>

class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QTableWidget;
class TCharValidator;
class TChsCellDelegate;
class TfMaindb;

// The commands on the grid's selected channels (the grid's context menu, the Edit menu).
enum class TChannelOperation { Delete, Insert, MoveUp, MoveDown, SortRx, SortName, Compact };

// The memory channel grid: one row per memory channel, edited in place. An MDI child of the
// main window; reads and writes the image only through the channel record routines.
class TfChsInfo : public TfEditorWindow {
    Q_OBJECT
public:
    explicit TfChsInfo(TfMaindb& db, QWidget* parent = nullptr);
    ~TfChsInfo() override;

    // Hides every choice box and commits a half-typed cell; run before every command.
    void Deactivate() override;
    // Runs the operation on the selected channels as one step of the history: a sort of a single
    // channel sorts them all; an insertion goes before the first selected channel.
    void Operate(TChannelOperation op);

protected:
    void Prepare() override;
    void Load() override;
    bool Shows(const TImageChange& change) const override;
    void Refresh(const TImageChange& change) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The column descriptors, box items and None text in the window's language; every row's
    // texts come from it.
    TChannelRow Row;
    QTableWidget* gvChs = nullptr;
    QTableWidget* ColShow = nullptr;
    QLabel* lNone = nullptr;
    std::vector<QComboBox*> Boxes; // in the order of Row.Boxes
    QComboBox* cxDcts = nullptr;
    TCharValidator* ToneValidator = nullptr;
    TChsCellDelegate* CellEditor = nullptr;
    int NumberColumn = 0;
    class TFrozenColumn* NumberView = nullptr;
    bool Accepting = false; // a typed text is being written (its error box may commit it again)
    // The press or key under way only selects rows (Shift, Ctrl, another button, a drag): it
    // opens no editor and no box.
    bool SelectOnly = false;
    // The grid's viewport and the number column's, where rows are clicked.
    std::array<QObject*, 2> Viewports{};
    std::vector<QAction*> Operations; // by TChannelOperation
    QMenu* ChannelMenu = nullptr;
    QLabel* lInsertRefused = nullptr; // the message when the last channel is in use

    void CreateChoiceBoxes();
    void CreateOperations();
    bool InputEvent(QObject* watched, QEvent* event);
    std::vector<int> SelectedChannels() const;
    QString StepName(TChannelOperation op, const std::vector<int>& channels) const;
    void SelectChannels(const std::vector<int>& channels, int shift);
    void TakeTranslatedTexts();
    void BuildColumns();
    void PlaceWindow(int width);
    void FillRow(int channel);
    void EditChannel(int channel, int code, QString text);

    int CodeAt(int column) const;
    QChar KindAt(int column) const;
    bool Present(int row) const;
    QComboBox* BoxFor(int code) const;

    void ShowCellBox();
    void HideBoxes();
    bool BoxKey(QComboBox* box, QKeyEvent* key);
    bool GridKey(const QKeyEvent* key);
    // Ctrl+C and Ctrl+V on the grid: the selected channels as CHIRP-style tab-separated rows.
    bool ClipboardKey(const QKeyEvent* key);
    void CopyRows();
    void PasteRows();
    void gvChsSelectCell(int row);
    void gvChsMouseDown(int row, int column);
    void FollowRow(int row);
    void gvChsSetEditText(int row, int column, const QString& text);
    void BoxChange(QComboBox* box);
    void SaveCell(int row, int column);
};
