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
};

const int TLanguage::MessageCount = int(sizeof(Messages) / sizeof(Messages[0]));

TLanguage::TLanguage() {
    for (const TMessage& message : Messages)
        this->*message.text = QString::fromUtf8(message.defaultText);
}
