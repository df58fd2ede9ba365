#include "widgets/FrequencyCheck.h"

#include "core/Codecs.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"

QString CheckedFrequency(const TfMaindb& db, const QString& text) {
    double mhz = 0.0;
    if (CheckFrequency(db.All, text, mhz))
        ShowMessageBox(db.Language.Caution, db.Language.ErrRange, MessageKind::Information);
    return FormatMHz(mhz);
}
