#include "ui/link/ReadRadio.h"

#include "link/ReadExchange.h"

TfReadRadio::TfReadRadio(TfMaindb& db, QWidget* parent, TRadioLink link)
    : TfRadioDialog(db, QStringLiteral("fReadRadio"), QStringLiteral("Read data From radio"), link,
                    parent),
      Reader(Attach(std::make_unique<TReadExchange>(db, Port(), Clock()))) {}

bool TfReadRadio::Done() const {
    return Reader.Done();
}
