#include "ui/link/WriteRadio.h"

#include "link/WriteExchange.h"

TfWriteRadio::TfWriteRadio(TfMaindb& db, QWidget* parent, TRadioLink link)
    : TfRadioDialog(db, QStringLiteral("fWriteRadio"), QStringLiteral("Write data to radio"), link,
                    parent) {
    Attach(std::make_unique<TWriteExchange>(db, Port(), Clock()));
}
