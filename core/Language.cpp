#include "core/Language.h"

const TLanguage::TMessage TLanguage::Messages[] = {
    {"Confirmation", "Confirmation", &TLanguage::Confirmation},
    {"ExitProgram", "Do you wish to exit program?", &TLanguage::ExitProgram},
    {"SaveProgram", "Do you wish to save the changes?", &TLanguage::SaveProgram},
    {"Channel", "Channel", &TLanguage::Channel},
    {"Info", " Information", &TLanguage::Info},
    {"OutRange", "Frequecy is Out of range.", &TLanguage::OutRange},
    {"Caution", "Caution", &TLanguage::Caution},
    {"FileExists", "The File is exists,replace it?", &TLanguage::FileExists},
    {"Close", "Closed", &TLanguage::Close},
    {"Open", "Opened", &TLanguage::Open},
    {"ComError", "Please check all connections and communication port settings.",
     &TLanguage::ComError},
    {"ModError", "Model Type Wrong.", &TLanguage::ModError},
    {"PwdError", "Pass Word Wrong.", &TLanguage::PwdError},
    {"ClearData", "Do you wish to Clear Data?", &TLanguage::ClearData},
    {"Modforce", "Do you wish to Force write data?", &TLanguage::Modforce},
    {"All", "All", &TLanguage::All},
    {"ErrRange", "The frequecy number come amiss!", &TLanguage::ErrRange},
    {"ModelType", "Model Type", &TLanguage::ModelType},
    {"Frequency", "Frequency", &TLanguage::Frequency},
    {"ReadOk", "Reading Completed.", &TLanguage::ReadOk},
    {"WriteOk", "Writing Completed.", &TLanguage::WriteOk},
    {"PortError", "Cannot Open Commcmication Port.", &TLanguage::PortError},
    {"FileShort", "The file is too short to be a data file; it was not opened.",
     &TLanguage::FileShort},
    {"CsvResult", "%1 of %2 rows taken.", &TLanguage::CsvResult},
    {"CsvLine", "Line %1", &TLanguage::CsvLine},
    {"CsvColumns", "The first line names no Location and Frequency columns; nothing was taken.",
     &TLanguage::CsvColumns},
    {"CsvLocation", "location \"%1\" is not a channel from 1 to %2", &TLanguage::CsvLocation},
    {"CsvDuplicate", "location %1 was given before", &TLanguage::CsvDuplicate},
    {"CsvFrequency", "%1 \"%2\" is outside the enabled bands", &TLanguage::CsvFrequency},
    {"CsvTone", "tone \"%1\" is not in the tone list", &TLanguage::CsvTone},
    {"CsvValue", "%1 \"%2\" cannot be taken", &TLanguage::CsvValue},
    {"CsvChanged", "%1 \"%2\" stored as \"%3\"", &TLanguage::CsvChanged},
    {"CsvOverwrite", "Channels %1 already hold data. Overwrite them?", &TLanguage::CsvOverwrite},
    {"CsvPaste", "Paste channels", &TLanguage::CsvPaste},
    {"CsvImport", "Import CSV", &TLanguage::CsvImport},
};

const int TLanguage::MessageCount = int(sizeof(Messages) / sizeof(Messages[0]));

TLanguage::TLanguage() {
    for (const TMessage& message : Messages)
        this->*message.text = QString::fromUtf8(message.defaultText);
}
