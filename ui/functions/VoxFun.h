#pragma once

#include "ui/functions/FunctionWindow.h"

// The VOX settings: gain and delay, with the hidden receive inhibit carried through.
class TfVoxFun : public TfFunctionWindow {
    Q_OBJECT
public:
    explicit TfVoxFun(TfMaindb& db, QWidget* parent = nullptr);
};
