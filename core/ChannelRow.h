#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TALL;
class TChannel;
class TIniFile;

// What the memory channel list shows: the column descriptors, the choice lists of its boxes, the
// None text, and the cell texts of one channel row. The channel grid and the command-line
// listing both take their texts from here.
class TChannelRow {
public:
    // A column descriptor: key "S-M-N" (shown, alignment, editing kind) and value
    // "width@caption". Its position in the list (from 1) is the field code of its column.
    struct TDescriptor {
        QString Key;
        QString Value;
        int DesignedWidth = 0;
        bool Shown() const { return Key.startsWith(QLatin1Char('S')); }
        QChar Alignment() const { return Key.size() > 2 ? Key.at(2) : QChar(); }
        QChar Kind() const { return Key.size() > 4 ? Key.at(4) : QChar(); }
        // The value's width; the designed one when a language file gives none, or no positive
        // number, so that no column vanishes.
        int Width() const;
        // The value's caption, the whole value when it has no width; a '|' in the caption
        // becomes a line break ('\r').
        QString Caption() const;
    };

    // A drop-down box of the list: its name, the field codes whose cells it edits, its items and
    // how much of it a language file translates (-2 none, -3 the first item, else all).
    struct TBox {
        QString Name;
        std::vector<int> Codes;
        QStringList Items;
        int Tag = 0;
    };

    // A cell: its text and the hidden value (item index of a box cell, presence of the number
    // cell).
    struct TCell {
        QString Text;
        QString Value;
    };

    static constexpr const char* FormName = "fChsInfo";

    std::vector<TDescriptor> Descriptors;
    std::vector<TBox> Boxes;
    QString NoneText;

    TChannelRow(); // the designed, untranslated texts

    // Applies the window's section of a language file, as the window's translation does.
    void Translate(const TIniFile& languageFile);

    std::vector<int> ShownCodes() const;
    const TBox* BoxFor(int code) const;

    // The cells of channel k's row in the order of ShownCodes(); reads the channel with
    // ReadChannel, which may normalise its record.
    std::vector<TCell> Cells(TALL& all, TChannel& channel, int k) const;
};
