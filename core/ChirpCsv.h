#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <vector>

class TALL;
class TChannel;
class TLanguage;

// Channels in CHIRP's generic CSV layout, the exchange format of radio programming tools, with
// this program's own columns after CHIRP's: the file export and import, and the rows the channel
// grid copies and pastes as tab-separated text. Every value taken in goes through the rules that
// typing it into the grid applies: the band check, the raster, the tone list and the characters
// a name or ID code takes.
class TChirpCsv {
public:
    // A refused row or a value stored otherwise than given.
    struct TNote {
        int Line = 0;     // of the text, from 1
        int Location = 0; // the channel the row was meant for; 0 when it names none
        QString Text;
        bool Refused = false;
    };
    // One field of a taken row: the text written into the channel and the text the row gave.
    struct TField {
        int Code = 0;
        QString Text;
        QString Given;
    };
    // A row that can be taken whole; its receive frequency comes first.
    struct TRow {
        int Line = 0;
        int Location = 0;
        std::vector<TField> Fields;
    };
    struct TImport {
        std::vector<TRow> Rows;
        std::vector<TNote> Notes; // in line order
        QString Failure;          // why nothing of the text could be read, if so
    };

    static const QStringList& Columns();

    // The present channels among channels, a header line first; CRLF line ends. Reads each channel
    // as the grid does, which may normalise its record.
    static QString Export(TALL& all, TChannel& channel, const std::vector<int>& channels,
                          QChar separator);
    // A CSV file: a header naming at least Location and Frequency, the rows placed by Location.
    static TImport Read(const TALL& all, const TLanguage& texts, const QString& text);
    // Pasted rows, comma- or tab-separated, with or without a header (without one the columns
    // stand in the order of Columns()); they fill consecutive channels from first on.
    static TImport ReadRows(const TALL& all, const TLanguage& texts, const QString& text,
                            int first);
    // Writes each taken row into its channel: a new channel with the default settings, then the
    // row's fields.
    static void Store(TALL& all, const std::vector<TRow>& rows);
    // The channels of the taken rows that hold a channel now, in row order.
    static std::vector<int> Overwritten(const TALL& all, const TImport& import);
    // The outcome in one text: the rows taken, then each note, by line (import) or by channel.
    static QString Summary(const TLanguage& texts, const TImport& import, bool byChannel);
};
