#include "ui/print/Printout.h"

#include "core/ChannelRow.h"
#include "core/IniFile.h"
#include "core/Maindb.h"
#include "core/Messages.h"
#include "print/ChannelPages.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"

#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

const QString PdfFilter = QStringLiteral("PDF File(*.pdf) (*.pdf)");
const QString PdfSuffix = QStringLiteral("pdf");

} // namespace

TPrintout::TPrintout(TfMaindb& db, QWidget* owner) : Db(db), Owner(owner) {}

std::unique_ptr<TChannelPages> TPrintout::Pages() {
    TChannelRow row;
    TPrintTexts texts;
    // The first language keeps the built-in texts, as the windows do.
    if (Db.All.LanguageIndex != 0) {
        const TIniFile languageFile(LanguageFileName(Db.All));
        row.Translate(languageFile);
        texts.Translate(languageFile);
    }
    const bool withSettings = ShowMessageBox(Db.Language.Confirmation, texts.AskSettings,
                                             MessageKind::YesNo) == MessageResult::Yes;
    TChannel channel; // the grid's current channel stays as it is
    return std::make_unique<TChannelPages>(Db.All, channel, row, texts, Db.Document.FileName(),
                                           Db.Now(), withSettings);
}

void TPrintout::Landscape(QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
}

void TPrintout::Print() {
    const std::unique_ptr<TChannelPages> pages = Pages();
    QPrinter printer(QPrinter::HighResolution);
    Landscape(printer);
    QPrintDialog dialog(&printer, Owner);
    if (TModalDialog::Exec(dialog) == QDialog::Accepted) pages->Paint(printer);
}

void TPrintout::Preview() {
    const std::unique_ptr<TChannelPages> pages = Pages();
    QPrinter printer(QPrinter::HighResolution);
    Landscape(printer);
    QPrintPreviewDialog dialog(&printer, Owner);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&pages](QPrinter* target) { pages->Paint(*target); });
    TModalDialog::Exec(dialog);
}

void TPrintout::ExportPdf() {
    const QString name = TFileDialog::GetSaveFileName(Owner, PdfFilter, PdfSuffix);
    if (name.isEmpty()) return;
    if (QFileInfo::exists(name) && ShowMessageBox(Db.Language.Confirmation, Db.Language.FileExists,
                                                  MessageKind::YesNo) != MessageResult::Yes)
        return;
    QString error;
    if (!Pages()->SavePdf(name, &error))
        ShowMessageBox(Db.Language.Confirmation, error, MessageKind::Information);
}
