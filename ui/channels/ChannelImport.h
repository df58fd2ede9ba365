#pragma once

#include "core/ChirpCsv.h"

#include <QString>

class TfMaindb;

// Takes checked CSV rows (an imported file, pasted rows) into the image as one undoable step:
// asks before channels that hold data are overwritten and shows what was refused or changed.
class TChannelImport {
public:
    // false when nothing was stored: no row could be taken or the user kept the channels.
    // reportAlways also shows the summary when every row was taken as given; byChannel names
    // the notes by channel instead of by line.
    static bool Take(TfMaindb& db, const TChirpCsv::TImport& import, const QString& stepName,
                     bool byChannel, bool reportAlways);
};
