#include "CommandTable.h"

namespace {
constexpr TMenuItemDef Separator{nullptr, "", "", 0, "", -1, 0};
constexpr TMenuItemDef HiddenSeparator{nullptr, "", "", 0, "", -1, TMenuItemDef::Hidden};
} // namespace

const std::vector<TMenuDef>& TCommandTable::Menus() {
    using F = TMenuItemDef;
    static const std::vector<TMenuDef> menus = {
        {"nFile",
         "&File",
         false,
         {{"N1", "&New", "Ctrl+N", 1, "", 0, 0},
          {"O1", "&Open", "Ctrl+O", 2, "", 1, 0},
          {"S2", "&Save", "Ctrl+S", 3, "", 3, 0},
          {"A1", "Save &As", "Ctrl+A", 4, "", 4, 0},
          Separator,
          {"P2", "&Print", "Ctrl+P", 5, "", 2, 0},
          {"V2", "Print Pre&view", "Ctrl+T", 6, "", 9, 0},
          Separator,
          {"nExit", "&Exit", "Ctrl+X", 7, "", -1, 0}}},
        {"nEdit",
         "&Edit",
         false,
         {{"nBatch", "&Batch Channel Edit", "", 9, "", -1, 0},
          {"nFreq", "F&req. Channel", "", 10, "Freq. Information", -1, 0},
          {"nChInfo", "Memory C&hannel", "", 11, "Channel Information", -1, 0},
          {"nChEdit", "&Channel Edit", "", 12, "", 8, 0},
          {"nFm", "&Fm Information", "", 13, "Fm Information", -1, 0},
          {"nVox", "&Vox Function", "", 14, "Vox Function", -1, 0},
          {"nOpt", "&Optional Function", "", 15, "Optional Function", -1, 0},
          {"nInfo", "Radio &Information", "", 16, "Radio Information", -1, 0},
          {"nKey", "&Key Function", "", 17, "", -1, F::Hidden},
          {"nDTMF", "&DTMF Function", "", 18, "DTMF Function", -1, 0},
          {"nScan", "&Scan Information", "", 19, "Scan Information", -1, 0},
          HiddenSeparator,
          {"E10", "&Test Frequency", "", 181, "", -1, F::Hidden}}},
        {"nProgram",
         "&Program",
         false,
         {{"R1", "&Read From Radio", "Ctrl+R", 20, "", 7, 0},
          {"W2", "&Write To Radio", "Ctrl+W", 21, "", 5, 0},
          {"T1", "&Test Online", "", 22, "", -1, 0}}},
        {"nSetup",
         "&Setup",
         false,
         {{"N4", "&Model Information", "", 30, "", 12, 0},
          {"C2", "&Communication Port", "", 31, "", 15, 0},
          {"nLanguage", "Language File Setup", "", 32, "", 13, 0}}},
        {"nView",
         "&View",
         false,
         {{"T4", "Tree &View", "", 40, "", -1, 0},
          {"nCool", "&Toolbar", "", 41, "", -1, F::Checked},
          {"nBar", "&Status bar", "", 42, "", -1, F::Checked}}},
        {"nWindow",
         "&Window",
         true,
         {{"nC", "&Cascade", "", 50, "", -1, 0},
          {"nH", "Tile Windows &Horizontally", "", 51, "", -1, 0},
          {"nV", "Tile Windows &Vertically", "", 52, "", -1, 0},
          {"npl", "&Arrange Icons", "", 53, "", -1, 0},
          {"nCloseAll", "Close All &Windows", "", 54, "", -1, 0}}},
        {"nHelp",
         "&Help",
         false,
         {{"nHelpTopics", "&Help Topics", "", 60, "", 6, 0},
          {"nAbout", "About...", "", 61, "", 14, 0}}},
    };
    return menus;
}

const std::vector<TToolButtonDef>& TCommandTable::ToolButtons() {
    static const std::vector<TToolButtonDef> buttons = {
        {"tbNew", "New", 1, 0, false},    {"tbOpen", "Open", 2, 1, false},
        {"tbSave", "Save", 3, 3, true},   {"ToolButton3", "Channel Edit", 12, 8, true},
        {"tbPrint", "Print", 5, 2, true}, {"tbCom", "Com", 31, 15, true},
        {"tbRead", "Read", 20, 7, true},  {"tbWrite", "Write", 21, 5, true},
        {"tbHelp", "Help", 60, 6, false},
    };
    return buttons;
}

const std::vector<int>& TCommandTable::TreeCommands() {
    static const std::vector<int> commands = {16, 10, 11, 13, 14, 19, 15, 18};
    return commands;
}
