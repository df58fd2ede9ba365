#include "ui/functions/ScanFun.h"

#include "core/Maindb.h"
#include "ui/functions/FieldPanel.h"

#include <QPushButton>

TfScanFun::TfScanFun(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fScanFun"), QStringLiteral("ScanFun"),
                       QStringLiteral("Scan Information"), parent) {
    LayOutFieldPanel(this, Options, "lx00", "Scan Information",
                     {"cxScanMode", "cxScanPris", "cxScanRate", "cxScanBack"}, btnCancel);
    SaveOnChange();
}

// The priority list's channel numbers come after its translated "OFF".
void TfScanFun::Prepare() {
    Options.AddChannelItems(Db.All.ChannelCount);
}
