#include "ui/link/WriteRadio.h"

#include "core/Backups.h"
#include "core/Maindb.h"
#include "link/WriteExchange.h"
#include "widgets/MessageBox.h"

TfWriteRadio::TfWriteRadio(TfMaindb& db, QWidget* parent, TRadioLink link)
    : TfRadioDialog(db, QStringLiteral("fWriteRadio"), QStringLiteral("Write data to radio"), link,
                    parent) {
    TWriteExchange& exchange = Attach(std::make_unique<TWriteExchange>(db, Port(), Clock()));
    // A backup that cannot be written is told, and the write goes on.
    connect(&exchange, &TWriteExchange::Writing, this, [&db] {
        QString error;
        if (!TBackups::Save(db.All, QStringLiteral("write"), db.Now(), &error))
            ShowMessageBox(db.Language.Confirmation, error, MessageKind::Information);
    });
}
