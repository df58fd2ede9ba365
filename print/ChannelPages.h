#pragma once

#include "print/PrintTexts.h"

#include <QDateTime>
#include <QStringList>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QRect;
class TALL;
class TChannel;
class TChannelRow;

// The printed channel list: the present channels as the grid shows them, under the model, the
// file name and the date, on numbered landscape pages, and optionally the settings text after
// them. The same pages go to a printer, a print preview or a PDF file.
class TChannelPages {
public:
    static constexpr int RowsPerPage = 32;
    static constexpr int SettingsColumns = 2; // the settings lines stand in two columns

    // row: the list's texts in the active language; fileName: the data file, empty when the
    // image is not saved; withSettings: the settings text follows the channels.
    TChannelPages(TALL& all, TChannel& channel, const TChannelRow& row, const TPrintTexts& texts,
                  const QString& fileName, const QDateTime& date, bool withSettings);

    int PageCount() const;
    // Draws every page on the device, in landscape; false when the device cannot be painted on.
    bool Paint(QPagedPaintDevice& device) const;
    // The pages as a PDF document, saved safely as fileName.
    bool SavePdf(const QString& fileName, QString* error) const;

private:
    TPrintTexts Texts;
    QString Heading;
    QStringList Captions;
    std::vector<int> Widths;
    std::vector<Qt::Alignment> Aligns;
    std::vector<QStringList> Rows;
    QStringList SettingsLines; // empty when the settings are not printed

    int ChannelPageCount() const;
    int SettingsPageCount() const;
    void DrawPage(QPainter& painter, const QRect& area, int page) const;
    void DrawChannels(QPainter& painter, const QRect& area, int lineHeight, int page) const;
    void DrawSettings(QPainter& painter, const QRect& area, int lineHeight, int page) const;
};
