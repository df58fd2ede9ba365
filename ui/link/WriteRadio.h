#pragma once

#include "ui/link/RadioDialog.h"

// The write dialog: OK writes the image to the radio (TWriteExchange). The dialog stays open
// after a completed write, ready for another one.
class TfWriteRadio : public TfRadioDialog {
    Q_OBJECT
public:
    explicit TfWriteRadio(TfMaindb& db, QWidget* parent = nullptr, TRadioLink link = {});
};
