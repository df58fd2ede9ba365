#pragma once

#include <memory>

class QPrinter;
class QWidget;
class TChannelPages;
class TfMaindb;

// The main window's Print, Print Preview and Export PDF commands: each asks whether the
// settings are printed too, then sends the channel pages to a printer, a preview or a PDF file.
class TPrintout {
public:
    TPrintout(TfMaindb& db, QWidget* owner);

    void Print();
    void Preview();
    void ExportPdf();

private:
    TfMaindb& Db;
    QWidget* Owner;

    // The pages of the image as it is now, in the active language.
    std::unique_ptr<TChannelPages> Pages();
    static void Landscape(QPrinter& printer);
};
