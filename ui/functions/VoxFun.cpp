#include "ui/functions/VoxFun.h"

#include "core/Maindb.h"
#include "ui/functions/FieldPanel.h"

#include <QPushButton>

TfVoxFun::TfVoxFun(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fVoxFun"), QStringLiteral("VoxFun"),
                       QStringLiteral("Vox Function"), parent) {
    LayOutFieldPanel(this, Options, "L0", "Vox Function", {"cxVoxLv", "cxVoxDv", "cxVoxRs"},
                     btnCancel);
    SaveOnChange();
}
