#include "ui/main/CommandTable.h"

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
         {{"N1", "&New", "Ctrl+N", Command::New, "", 0, 0},
          {"O1", "&Open", "Ctrl+O", Command::Open, "", 1, 0},
          {"nOpenBackup", "Open &Backup...", "", Command::OpenBackup, "", -1, 0},
          {"S2", "&Save", "Ctrl+S", Command::Save, "", 3, 0},
          {"A1", "Save &As", "Ctrl+A", Command::SaveAs, "", 4, 0},
          {"nImportCsv", "&Import CSV...", "", Command::ImportCsv, "", -1, 0},
          {"nExportCsv", "E&xport CSV...", "", Command::ExportCsv, "", -1, 0},
          Separator,
          {"P2", "&Print", "Ctrl+P", Command::Print, "", 2, 0},
          {"V2", "Print Pre&view", "Ctrl+T", Command::PrintPreview, "", 9, 0},
          {"nExportPdf", "Export PDF...", "", Command::ExportPdf, "", -1, 0},
          Separator,
          {"nExit", "&Exit", "Ctrl+X", Command::Exit, "", -1, 0}}},
        {"nEdit",
         "&Edit",
         false,
         {{"nUndo", "&Undo", "Ctrl+Z", Command::Undo, "", -1, 0},
          {"nRedo", "&Redo", "Ctrl+Y", Command::Redo, "", -1, 0},
          Separator,
          {"nDeleteChannels", "De&lete Channels", "", Command::DeleteChannels, "", -1, 0},
          {"nInsertChannel", "Insert &Empty Channel", "", Command::InsertChannel, "", -1, 0},
          {"nMoveUp", "&Move Up", "Ctrl+Up", Command::MoveChannelsUp, "", -1, 0},
          {"nMoveDown", "Move Do&wn", "Ctrl+Down", Command::MoveChannelsDown, "", -1, 0},
          {"nSortRx", "Sort by R&X Frequency", "", Command::SortByRx, "", -1, 0},
          {"nSortName", "Sort by &Name", "", Command::SortByName, "", -1, 0},
          {"nCompact", "Com&pact", "", Command::CompactChannels, "", -1, 0},
          Separator,
          {"nBatch", "&Batch Channel Edit", "", Command::BatchEdit, "", -1, 0},
          {"nFreq", "F&req. Channel", "", Command::FreqChannel, "Freq. Information", -1, 0},
          {"nChInfo", "Memory C&hannel", "", Command::MemoryChannel, "Channel Information", -1, 0},
          {"nChEdit", "&Channel Edit", "", Command::ChannelEdit, "", 8, 0},
          {"nFm", "&Fm Information", "", Command::FmInformation, "Fm Information", -1, 0},
          {"nVox", "&Vox Function", "", Command::VoxFunction, "Vox Function", -1, 0},
          {"nOpt", "&Optional Function", "", Command::OptionalFunction, "Optional Function", -1, 0},
          {"nInfo", "Radio &Information", "", Command::RadioInformation, "Radio Information", -1,
           0},
          {"nKey", "&Key Function", "", Command::KeyFunction, "", -1, F::Hidden},
          {"nDTMF", "&DTMF Function", "", Command::DtmfFunction, "DTMF Function", -1, 0},
          {"nScan", "&Scan Information", "", Command::ScanInformation, "Scan Information", -1, 0},
          HiddenSeparator,
          {"E10", "&Test Frequency", "", Command::TestFrequency, "", -1, F::Hidden}}},
        {"nProgram",
         "&Program",
         false,
         {{"R1", "&Read From Radio", "Ctrl+R", Command::ReadRadio, "", 7, 0},
          {"W2", "&Write To Radio", "Ctrl+W", Command::WriteRadio, "", 5, 0},
          {"T1", "&Test Online", "", Command::TestOnline, "", -1, 0}}},
        {"nSetup",
         "&Setup",
         false,
         {{"N4", "&Model Information", "", Command::ModelInformation, "", 12, 0},
          {"C2", "&Communication Port", "", Command::CommunicationPort, "", 15, 0},
          {"nLanguage", "Language File Setup", "", Command::LanguageSetup, "", 13, 0}}},
        {"nView",
         "&View",
         false,
         {{"T4", "Tree &View", "", Command::TreeView, "", -1, 0},
          {"nCool", "&Toolbar", "", Command::Toolbar, "", -1, F::Checked},
          {"nBar", "&Status bar", "", Command::StatusBar, "", -1, F::Checked}}},
        {"nWindow",
         "&Window",
         true,
         {{"nC", "&Cascade", "", Command::Cascade, "", -1, 0},
          {"nH", "Tile Windows &Horizontally", "", Command::TileHorizontally, "", -1, 0},
          {"nV", "Tile Windows &Vertically", "", Command::TileVertically, "", -1, 0},
          {"npl", "&Arrange Icons", "", Command::ArrangeIcons, "", -1, 0},
          {"nCloseAll", "Close All &Windows", "", Command::CloseAllWindows, "", -1, 0}}},
        {"nHelp",
         "&Help",
         false,
         {{"nHelpTopics", "&Help Topics", "F1", Command::HelpTopics, "", 6, 0},
          {"nBackups", "Show Backup &Folder", "", Command::ShowBackups, "", -1, 0},
          {"nAbout", "About...", "", Command::About, "", 14, 0}}},
    };
    return menus;
}

const std::vector<TToolButtonDef>& TCommandTable::ToolButtons() {
    static const std::vector<TToolButtonDef> buttons = {
        {"tbNew", "New", Command::New, 0, false},
        {"tbOpen", "Open", Command::Open, 1, false},
        {"tbSave", "Save", Command::Save, 3, true},
        {"ToolButton3", "Channel Edit", Command::ChannelEdit, 8, true},
        {"tbPrint", "Print", Command::Print, 2, true},
        {"tbCom", "Com", Command::CommunicationPort, 15, true},
        {"tbRead", "Read", Command::ReadRadio, 7, true},
        {"tbWrite", "Write", Command::WriteRadio, 5, true},
        {"tbHelp", "Help", Command::HelpTopics, 6, false},
    };
    return buttons;
}

const std::vector<int>& TCommandTable::TreeCommands() {
    static const std::vector<int> commands = {Command::RadioInformation, Command::FreqChannel,
                                              Command::MemoryChannel,    Command::FmInformation,
                                              Command::VoxFunction,      Command::ScanInformation,
                                              Command::OptionalFunction, Command::DtmfFunction};
    return commands;
}
