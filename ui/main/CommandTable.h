#pragma once

#include <vector>

// The command numbers that menu items, toolbar buttons and tree nodes carry.
namespace Command {
enum : int {
    New = 1,
    Open = 2,
    Save = 3,
    SaveAs = 4,
    Print = 5,
    PrintPreview = 6,
    ExportPdf = 90,
    Exit = 7,
    OpenBackup = 8,
    ShowBackups = 62,
    Undo = 70,
    Redo = 71,
    DeleteChannels = 72,
    InsertChannel = 73,
    MoveChannelsUp = 74,
    MoveChannelsDown = 75,
    SortByRx = 76,
    SortByName = 77,
    CompactChannels = 78,
    BatchEdit = 9,
    FreqChannel = 10,
    MemoryChannel = 11,
    ChannelEdit = 12,
    FmInformation = 13,
    VoxFunction = 14,
    OptionalFunction = 15,
    RadioInformation = 16,
    KeyFunction = 17,
    DtmfFunction = 18,
    ScanInformation = 19,
    TestFrequency = 181,
    ReadRadio = 20,
    WriteRadio = 21,
    TestOnline = 22,
    ModelInformation = 30,
    CommunicationPort = 31,
    LanguageSetup = 32,
    TreeView = 40,
    Toolbar = 41,
    StatusBar = 42,
    Cascade = 50,
    TileHorizontally = 51,
    TileVertically = 52,
    ArrangeIcons = 53,
    CloseAllWindows = 54,
    HelpTopics = 60,
    About = 61,
    ImportCsv = 80,
    ExportCsv = 81,
};
}

// One menu item: a command number with its name, caption and shortcut.
struct TMenuItemDef {
    enum Flag : unsigned { Hidden = 1, Checked = 2 };
    const char* Name; // nullptr: a separator
    const char* Caption;
    const char* Shortcut; // "" for none
    int Command;
    const char* Hint; // "" for none
    int Picture;      // image list index, -1 for none
    unsigned Flags;
};

struct TMenuDef {
    const char* Name;
    const char* Caption;
    bool Hidden;
    std::vector<TMenuItemDef> Items;
};

struct TToolButtonDef {
    const char* Name;
    const char* Hint;
    int Command;
    int Picture;
    bool DividerAfter;
};

// How the main window offers its commands: the menus, the toolbar buttons and the navigation
// tree. Each control carries its command number; the main window's dispatcher runs it.
class TCommandTable {
public:
    // The pictures 0 to 15 of toolbar, menus and tree; the application icon follows them.
    static constexpr int PictureCount = 16;
    static constexpr int AppIconPicture = PictureCount;
    static constexpr int TreeNodePicture = 10;
    static constexpr int TreeNodeSelectedPicture = 11;
    // The tree root runs the command numbered like the application icon's picture.
    static constexpr int TreeRootCommand = Command::RadioInformation;
    static_assert(TreeRootCommand == AppIconPicture);

    static const std::vector<TMenuDef>& Menus();
    static const std::vector<TToolButtonDef>& ToolButtons();
    // The commands of the tree root's children, in order; each child is labelled with the hint
    // of the menu item that runs the same command.
    static const std::vector<int>& TreeCommands();
};
