#pragma once

#include "ui/link/RadioDialog.h"

class TReadExchange;

// The read dialog: OK reads the radio's memory into the image (TReadExchange); a completed read
// closes the dialog by itself and leaves Done set for the main window, which then reloads its
// windows.
class TfReadRadio : public TfRadioDialog {
    Q_OBJECT
public:
    explicit TfReadRadio(TfMaindb& db, QWidget* parent = nullptr, TRadioLink link = {});

    // A read has completed and replaced the image.
    bool Done() const;

private:
    TReadExchange& Reader;
};
