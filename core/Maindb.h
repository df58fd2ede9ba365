#pragma once

#include "core/All.h"
#include "core/Channel.h"
#include "core/Document.h"
#include "core/Language.h"
#include "core/MacList.h"

#include <QDateTime>
#include <functional>

// The data module: owns the four objects of a run (model catalogue, state object, scratch
// channel, message texts) and runs the start-up sequence that fills them. Each program run
// creates one; each test can create its own.
class TfMaindb {
public:
    // programFolder ends in "/"; settings and language files are read from it.
    explicit TfMaindb(const QString& programFolder);

    TMacList MacList;
    TALL All;
    TChannel Channel;
    TLanguage Language;
    // The image being edited: every change by a window goes through it.
    TDocument Document{All};
    // Local date and time, for the image's date stamp; tests set their own.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    // The image of the main window's first showing: the catalogue's first model, a blank image
    // with that model's bands.
    void BuildStartImage();
    // New: a blank image that keeps the current model and bands; Modified is false afterwards.
    void NewImage();
};

// The executable's folder, or the folder named by ZP407NE_HOME when that is set; with a
// trailing "/".
QString ProgramFolder();
