#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

class TALL;

// How a field's stored value maps to what its control shows.
enum class TOptionRule {
    Index,         // list: the item index is the stored value
    Offset,        // list: item = stored value - 1 (stored 0 shows item 0); saved as item + 1
    ToneLength,    // list "0", "100", "500", "1000": stored 0, 1, 2, 3 show items 1, 2, 3, 0
    DisplayMode,   // list: the display-mode table; saving stores 15, 13, 14, 7 or 3
    BatterySave,   // list: bit 2 switches it on, bits 0-1 the ratio; "OFF" keeps the ratio
    Voice,         // list: bit 0 switches voice on, bit 1 picks Chinese; "Off" keeps the language
    ChannelList,   // list "OFF" then "1" … the model's channel count; the item is the value
    Check,         // check box: checked when the value is 1
    CheckInverted, // check box: checked when the value is 0
    Number,        // no control of its own; the value is shown as a number
};

// Special handling a field gets beyond its rule.
enum TOptionFlag {
    OptionHidden = 1,    // the control is never seen but loaded and saved, carrying its bits
    OptionSavesLast = 2, // the editor always saves the last item, whatever the image held
    OptionNoControl = 4, // no window shows the field itself; only the image check keeps it
};

// One field of the option area (option byte n is image byte 0x11B8 + n): where its bits lie,
// which values it may hold, what the image check does with it and the list its editor shows.
// Editors, the settings command and the settings import all work from these rows.
struct TOptionField {
    QString Unit;     // editor window unit ("OptFun"); empty when no window edits the field
    QString Name;     // component name of the control
    QString Label;    // component name of the control's label, when it has its own
    QString Caption;  // English caption of the label or check box
    int Option = 0;   // option byte n
    uint8_t Mask = 0; // bits of the option byte; the value is shifted down to bit 0
    uint8_t Lo = 0;   // the values the field may hold
    uint8_t Hi = 0;
    uint8_t Fallback = 0; // stored by the image check for a value outside Lo..Hi
    int CheckOrder = 0;   // position in the image check (from 1), 0 when it leaves the field
    TOptionRule Rule = TOptionRule::Index;
    int Flags = 0;
    QStringList Items; // list items in order; a channel list starts with "OFF" only
    int Tag = 0;       // how much of the list a language file translates (ListTag)

    // "Unit.Name", or the bare name for fields no window edits.
    QString Key() const;
    bool IsList() const { return !Items.isEmpty(); }
    // The all-ones value of the field's bits.
    int MaxValue() const;

    int GetValue(const TALL& all) const;
    void SetValue(TALL& all, int value) const;

    // The items the control shows; a channel list is completed up to channelCount.
    QStringList ItemTexts(int channelCount) const;
    int ItemCount(int channelCount) const;
    // The item that shows a stored value, or -1 when none does.
    int ItemOf(int value, int channelCount) const;
    // The value saving an item stores; current is the field's value before the save. Item -1
    // (a list showing no choice) gives what such a list saves.
    int ValueOf(int item, int current) const;
    // The item text for a stored value (empty when no item shows it); a number for fields
    // without a list.
    QString ItemText(int value, int channelCount) const;
    // What the field's control shows for the image, as its editor loads it: the item (-1 for
    // none; the last one for a field that always saves it), the check box state, and the shown
    // text (an item, "1"/"0" for a check box, empty for a list without a choice).
    int ShownItem(const TALL& all, int channelCount) const;
    bool ShownChecked(const TALL& all) const;
    QString ShownText(const TALL& all, int channelCount) const;
    // Saves what the control shows: an item (-1: no choice) or a check box state.
    void SaveItem(TALL& all, int item) const;
    void SaveChecked(TALL& all, bool checked) const;

    // Reads an item text (blanks around it and letter case do not matter) or else a stored
    // value as a decimal number inside Lo..Hi. An item text wins where both would fit.
    bool ParseText(const QString& text, int current, int channelCount, int& value) const;
};

// Every option field, grouped by editor window.
const std::vector<TOptionField>& OptionFields();
// The fields the image check repairs, in the order it repairs them.
const std::vector<const TOptionField*>& ImageCheckFields();
// By "Unit.Name" or by bare component name (letter case does not matter); nullptr when no field
// or, for a bare name, more than one has it.
const TOptionField* FindOptionField(const QString& name);
