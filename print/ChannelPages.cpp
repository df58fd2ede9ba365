#include "print/ChannelPages.h"

#include "core/All.h"
#include "core/ChannelRow.h"
#include "core/FileAccess.h"
#include "core/SettingsReport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace {

// A page's lines: title, heading, two for the column captions, the rows, a gap, the page number.
constexpr int HeadLines = 4;
constexpr int LinesPerPage = TChannelPages::RowsPerPage + HeadLines + 2;
constexpr int PdfResolution = 300;

int PagesFor(int lines, int perPage) {
    return (lines + perPage - 1) / perPage;
}

Qt::Alignment Alignment(QChar key) {
    if (key == QLatin1Char('L')) return Qt::AlignLeft | Qt::AlignVCenter;
    if (key == QLatin1Char('R')) return Qt::AlignRight | Qt::AlignVCenter;
    return Qt::AlignCenter;
}

void DrawCell(QPainter& painter, const QRect& cell, Qt::Alignment alignment, const QString& text) {
    const QRect inner = cell.adjusted(cell.height() / 6, 0, -cell.height() / 6, 0);
    painter.drawText(inner, int(alignment),
                     painter.fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
}

} // namespace

TChannelPages::TChannelPages(TALL& all, TChannel& channel, const TChannelRow& row,
                             const TPrintTexts& texts, const QString& fileName,
                             const QDateTime& date, bool withSettings)
    : Texts(texts) {
    const QString file = fileName.isEmpty() ? texts.Untitled : QFileInfo(fileName).fileName();
    Heading = QStringLiteral("%1: %2    %3: %4    %5: %6")
                  .arg(texts.Model, all.ModelName, texts.File, file, texts.Date,
                       date.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    for (int code : row.ShownCodes()) {
        const TChannelRow::TDescriptor& descriptor = row.Descriptors[size_t(code - 1)];
        Captions << descriptor.Caption().replace(QLatin1Char('\r'), QLatin1Char('\n'));
        Widths.push_back(descriptor.Width());
        Aligns.push_back(Alignment(descriptor.Alignment()));
    }
    for (int k = 1; k <= all.ChannelCount; ++k) {
        const std::vector<TChannelRow::TCell> cells = row.Cells(all, channel, k);
        if (cells.empty() || cells.front().Value != QLatin1String("1")) continue; // empty channel
        QStringList texts;
        for (const TChannelRow::TCell& cell : cells)
            texts << cell.Text;
        Rows.push_back(texts);
    }
    if (withSettings)
        SettingsLines = SettingsIniText(SettingsReport(all, channel))
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int TChannelPages::ChannelPageCount() const {
    return std::max(1, PagesFor(int(Rows.size()), RowsPerPage)); // the heading even without rows
}

int TChannelPages::SettingsPageCount() const {
    return PagesFor(int(SettingsLines.size()), RowsPerPage * SettingsColumns);
}

int TChannelPages::PageCount() const {
    return ChannelPageCount() + SettingsPageCount();
}

bool TChannelPages::Paint(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const QRect area(0, 0, device.width(), device.height());
    for (int page = 0; page < PageCount(); ++page) {
        if (page > 0) device.newPage();
        DrawPage(painter, area, page);
    }
    return painter.end();
}

void TChannelPages::DrawPage(QPainter& painter, const QRect& area, int page) const {
    const int lineHeight = area.height() / LinesPerPage;
    QFont font = painter.font();
    font.setPixelSize(std::max(1, lineHeight * 3 / 5));
    // No ligatures: the PDF's text is searched and copied as typed ("Off", not "O\uFB00").
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setBold(true);
    painter.setFont(font);
    const auto line = [&](int n, int count) {
        return QRect(area.left(), area.top() + n * lineHeight, area.width(), count * lineHeight);
    };
    const bool settings = page >= ChannelPageCount();
    painter.drawText(line(0, 1), Qt::AlignLeft | Qt::AlignVCenter,
                     settings ? Texts.Settings : Texts.Title);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(line(1, 1), Qt::AlignLeft | Qt::AlignVCenter, Heading);
    painter.drawText(line(LinesPerPage - 1, 1), Qt::AlignCenter,
                     Texts.Page.arg(page + 1).arg(PageCount()));
    const QRect body = line(2, LinesPerPage - 4);
    if (settings)
        DrawSettings(painter, body, lineHeight, page - ChannelPageCount());
    else
        DrawChannels(painter, body, lineHeight, page);
}

// The column captions on two lines, then the page's rows; the columns keep the grid's
// proportions across the page's width.
void TChannelPages::DrawChannels(QPainter& painter, const QRect& area, int lineHeight,
                                 int page) const {
    int total = 0;
    for (int width : Widths)
        total += width;
    std::vector<int> edges{area.left()};
    for (int width : Widths)
        edges.push_back(edges.back() + int(qint64(area.width()) * width / std::max(1, total)));
    const auto cell = [&](int column, int top, int height) {
        return QRect(edges[size_t(column)], top, edges[size_t(column) + 1] - edges[size_t(column)],
                     height);
    };
    for (int c = 0; c < Captions.size(); ++c) {
        painter.drawRect(cell(c, area.top(), 2 * lineHeight));
        painter.drawText(cell(c, area.top(), 2 * lineHeight), Qt::AlignCenter | Qt::TextWordWrap,
                         Captions[c]);
    }
    const int first = page * RowsPerPage;
    const int last = std::min(int(Rows.size()), first + RowsPerPage);
    for (int r = first; r < last; ++r) {
        const int top = area.top() + (2 + r - first) * lineHeight;
        const QStringList& texts = Rows[size_t(r)];
        for (int c = 0; c < Captions.size() && c < texts.size(); ++c) {
            painter.drawRect(cell(c, top, lineHeight));
            DrawCell(painter, cell(c, top, lineHeight), Aligns[size_t(c)], texts[c]);
        }
    }
}

void TChannelPages::DrawSettings(QPainter& painter, const QRect& area, int lineHeight,
                                 int page) const {
    const int perPage = RowsPerPage * SettingsColumns;
    const int columnWidth = area.width() / SettingsColumns;
    for (int i = 0; i < perPage && page * perPage + i < SettingsLines.size(); ++i) {
        const QRect cell(area.left() + (i / RowsPerPage) * columnWidth,
                         area.top() + (2 + i % RowsPerPage) * lineHeight, columnWidth, lineHeight);
        DrawCell(painter, cell, Qt::AlignLeft | Qt::AlignVCenter,
                 SettingsLines[page * perPage + i]);
    }
}

bool TChannelPages::SavePdf(const QString& fileName, QString* error) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setTitle(Texts.Title);
        if (!Paint(writer)) {
            *error = FileErrorText(fileName, QStringLiteral("the pages could not be drawn"));
            return false;
        }
    }
    return SaveFileSafely(fileName, buffer.data(), error);
}
