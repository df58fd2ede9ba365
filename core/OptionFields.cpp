#include "core/OptionFields.h"

#include "core/Codecs.h"
#include "core/ListTag.h"

#include <algorithm>

namespace {

using R = TOptionRule;

// "first", "first + step" … "last", each followed by suffix.
QStringList Numbers(int first, int last, int step = 1, const char* suffix = "") {
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n) + QLatin1String(suffix);
    return items;
}

QStringList Prepend(const char* first, const QStringList& rest) {
    return QStringList{QString::fromLatin1(first)} + rest;
}

// Rows grouped by window. Columns: unit, name, label, caption, option byte, mask, lo, hi,
// fallback, position in the image check, rule, flags, items. Where two rows share an option
// byte their masks never overlap.
std::vector<TOptionField> BuildFields() {
    const QStringList offOn{"Off", "On"};
    const QStringList onOff{"On", "Off"};
    return {
        // Bytes the radio keeps for itself; the image check holds them in range.
        {"", "Option0", "", "", 0, 0xFF, 0, 127, 0, 1, R::Number, OptionNoControl, QStringList{}},
        {"", "Option1", "", "", 1, 0xFF, 0, 127, 0, 2, R::Number, OptionNoControl, QStringList{}},
        {"", "Option2", "", "", 2, 0xFF, 0, 24, 0, 3, R::Number, OptionNoControl, QStringList{}},

        // Optional functions.
        {"OptFun", "cxOpenSw", "cl00", "Open Show", 6, 0x0C, 0, 2, 2, 15, R::Index, 0,
         QStringList{"None", "Msg", "DC"}},
        {"OptFun", "cxModeSw", "cl01", "Display Mode", 3, 0x0F, 0, 15, 0, 0, R::DisplayMode, 0,
         QStringList{"Freq.", "Chs Freq.", "Chs.", "FM Freq.", "FM Chs."}},
        {"OptFun", "cxModeEn", "cl18", "Mode Lock", 6, 0x80, 0, 1, 0, 0, R::Index, 0, onOff},
        {"OptFun", "cxDWait", "cl10", "Double Wait", 3, 0x20, 0, 1, 0, 0, R::Index, 0, offOn},
        {"OptFun", "cxSqlLv", "cl02", "Squelch level ", 7, 0x0F, 0, 9, 5, 6, R::Index, 0,
         Numbers(0, 9), ListTag::NoItems},
        {"OptFun", "cxTotSv", "cl11", "TX Time Out[s]", 7, 0xF0, 0, 12, 6, 7, R::Index, 0,
         Prepend("Off", Numbers(30, 360, 30)), ListTag::FirstItemOnly},
        {"OptFun", "cxChsNs", "cl03", "Chs Name", 3, 0x80, 0, 1, 0, 0, R::Index, 0,
         QStringList{"Yes", "No"}},
        {"OptFun", "cxRxSav", "cl12", "Battery Save", 4, 0x07, 0, 7, 0, 0, R::BatterySave, 0,
         QStringList{"OFF", "1:1", "1:2", "1:3", "1:4"}},
        {"OptFun", "cxSaveLs", "cl13", "Super Save", 13, 0x0F, 0, 9, 5, 16, R::Index, 0,
         Prepend("Off", Numbers(1, 9, 1, "s"))},
        {"OptFun", "cxToneEs", "cl05", "Beep", 5, 0x01, 0, 1, 0, 0, R::Index, 0, offOn},
        {"OptFun", "cxWavsSw", "cl14", "Voice", 5, 0x06, 0, 3, 0, 0, R::Voice, 0,
         QStringList{"Off", "English", "Chinese"}},
        {"OptFun", "cxLamp", "cl06", "Lamp", 5, 0x18, 0, 2, 2, 5, R::Index, 0,
         QStringList{"Off", "On", "Auto"}},
        {"OptFun", "cxColor", "cl15", "Color", 6, 0x03, 0, 2, 2, 4, R::Index, 0,
         QStringList{"Color-1", "Color-2", "Color-3"}},
        {"OptFun", "cxLockSw", "cl07", "Key Lock", 4, 0x10, 0, 1, 0, 0, R::Index, 0,
         QStringList{"Auto", "Manual"}},
        {"OptFun", "cxRoger", "cl16", "Tx Over Tone", 5, 0x20, 0, 1, 0, 0, R::Index, 0, onOff},
        {"OptFun", "cxBatTx", "cl17", "Vol Inhibit Tx", 4, 0xC0, 0, 3, 0, 0, R::Index, 0,
         QStringList{"None", "Low", "High", "Both"}},
        {"OptFun", "cxRelay", "cl04", "Cross-band function", 6, 0x10, 0, 1, 0, 0, R::Index, 0,
         onOff},
        {"OptFun", "cxRelaySet", "", "Cross-band setting", 6, 0x20, 0, 1, 0, 0, R::Check, 0,
         QStringList{}},
        {"OptFun", "cxMenuSet", "", "Manual setting", 6, 0x40, 0, 1, 0, 0, R::Check, 0,
         QStringList{}},
        {"OptFun", "cx3xxM", "La26", "Freq. Rang-4", 5, 0x80, 0, 1, 0, 0, R::Index, OptionHidden,
         QStringList{"Can Rx & Tx", "Inhibit Tx"}},

        // The VFO step; the image check stops at index 8 although the list goes on to 9.
        {"FreqEdit", "cxStep", "", "Freq. Step[KHz]", 9, 0x0F, 0, 8, 5, 9, R::Index, 0,
         QStringList{"  0.50", "  2.50", "  5.00", "  6.25", " 10.00", " 12.50", " 25.00", " 37.50",
                     " 50.00", "100.00"}},

        // DTMF functions; the code strings in bytes 35-63 are edited as texts, not as fields.
        {"DtmfFun", "cxRate", "clRate", "DTMF Speed[digit/s]", 29, 0x0F, 0, 11, 2, 17, R::Index, 0,
         Numbers(4, 15)},
        {"DtmfFun", "cxFiSv", "clFiTs", "First Digit Time [ms]", 30, 0x0F, 0, 10, 0, 18, R::Index,
         0, Numbers(0, 1000, 100)},
        {"DtmfFun", "cxFiDv", "clFiDv", "First Digit Delay [ms]", 30, 0xF0, 0, 9, 0, 19, R::Index,
         0, Numbers(100, 1000, 100)},
        {"DtmfFun", "cxEfSv", "clEfSv", "* and # Tone [ms]", 31, 0x30, 0, 3, 3, 21, R::ToneLength,
         0, QStringList{"0", "100", "500", "1000"}},
        {"DtmfFun", "cxTxTs", "clTxTs", "Code Space Time[ms]", 34, 0xF0, 0, 15, 15, 25, R::Index, 0,
         Prepend("None", Numbers(600, 2000, 100))},
        {"DtmfFun", "cxAbcd", "clAbcd", "Code[A,B,C,D]", 32, 0x20, 0, 1, 0, 0, R::Index, 0,
         QStringList{"Inhibit", "On"}},
        {"DtmfFun", "cxBeep", "", "DTMF Side Tone", 31, 0x40, 0, 1, 0, 0, R::Check, 0,
         QStringList{}},
        {"DtmfFun", "cxPtts", "", "PTT ID", 32, 0x03, 0, 3, 0, 0, R::Index,
         OptionHidden | OptionSavesLast, QStringList{"OFF", "BOT", "EOT", "BOTH"}},
        // The image check lets group codes 5 and 6 through, for which the list has no item.
        {"DtmfFun", "cxGroup", "clGroup", "Group Code", 31, 0x0F, 0, 6, 0, 20, R::Index, 0,
         QStringList{"Off", "A", "B", "C", "D"}},
        {"DtmfFun", "cxBack", "clBack", "Auto Reset Time [s]", 33, 0x0F, 0, 15, 15, 22, R::Index, 0,
         Prepend("Off", Numbers(1, 15))},
        {"DtmfFun", "cxTxYs", "clTxYs", "Tx Decode", 32, 0x40, 0, 1, 0, 0, R::Index, 0, offOn},
        {"DtmfFun", "cxIdEs", "clIdEs", "ID Edit", 32, 0x10, 0, 1, 0, 0, R::Index, 0, offOn},
        {"DtmfFun", "cxRxTs", "clRxTs", "Decode Time Out[ms]", 34, 0x0F, 0, 10, 5, 24, R::Index, 0,
         Numbers(500, 1500, 100)},
        {"DtmfFun", "cxAcks", "clAcks", "Transpond", 33, 0xF0, 0, 2, 1, 23, R::Index, OptionHidden,
         QStringList{"Off", "Alert", "ID Code"}},
        {"DtmfFun", "cxStunSw", "clStunSw", "Stun Type", 31, 0x80, 0, 1, 0, 0, R::Index, 0,
         QStringList{"Tx/Rx Inhibit", "Tx Inhibit"}},
        // The stun code's length; the stun code box writes it together with the digits.
        {"DtmfFun", "StunCodeLength", "", "Stun Code", 40, 0xFF, 0, 10, 0, 26, R::Number,
         OptionNoControl, QStringList{}},

        // FM broadcast radio.
        {"FmFun", "cxStep", "L2", "FM Step[KHz]", 9, 0xF0, 0, 3, 1, 10, R::Offset, 0,
         QStringList{"50", "100", "200"}},
        {"FmFun", "cxFmDw", "", "Inhibit Receiver When Radio Working", 5, 0x40, 0, 1, 0, 0,
         R::CheckInverted, 0, QStringList{}},

        // Scan.
        {"ScanFun", "cxScanMode", "lx01", "Scan Mode", 10, 0x0F, 0, 2, 0, 11, R::Index, 0,
         QStringList{"CO", "TO", "SE"}},
        {"ScanFun", "cxScanPris", "lx04", "Priority Channel", 12, 0xFF, 0, 129, 0, 14,
         R::ChannelList, 0, QStringList{"OFF"}},
        {"ScanFun", "cxScanRate", "lx02", "Scan Speed[ms]", 10, 0xF0, 0, 8, 1, 12, R::Index, 0,
         Numbers(100, 500, 50)},
        {"ScanFun", "cxScanBack", "lx03", "Dropout Delay Time[s]", 11, 0xFF, 0, 27, 12, 13,
         R::Index, 0, Numbers(3, 30)},

        // VOX; bit 4 of option byte 8 is not used.
        {"VoxFun", "cxVoxLv", "L1", "VOX Gain Level", 8, 0x0F, 0, 8, 4, 8, R::Index, 0,
         Numbers(1, 9), ListTag::FirstItemOnly},
        {"VoxFun", "cxVoxDv", "L2", "VOX Delay Time[s]", 8, 0x60, 0, 3, 0, 0, R::Index, 0,
         QStringList{"0.5", "1.0", "2.0", "3.0"}},
        {"VoxFun", "cxVoxRs", "L3", "Vox Inhibit on Receive", 8, 0x80, 0, 1, 0, 0, R::Index,
         OptionHidden, QStringList{"No", "Yes"}},
    };
}

// Item shown for each stored display mode, and the value each item saves.
constexpr int DisplayModeItem[16] = {4, 4, 4, 4, 3, 3, 3, 3, 2, 1, 2, 0, 2, 1, 2, 0};
constexpr int DisplayModeValue[5] = {15, 13, 14, 7, 3};

} // namespace

QString TOptionField::Key() const {
    return Unit.isEmpty() ? Name : Unit + QLatin1Char('.') + Name;
}

int TOptionField::GetValue(const TALL& all) const {
    return GetOption(all, Option, Mask);
}

void TOptionField::SetValue(TALL& all, int value) const {
    SetOption(all, Option, Mask, value);
}

QStringList TOptionField::ItemTexts(int channelCount) const {
    if (Rule == R::ChannelList) return Items + Numbers(1, channelCount);
    return Items;
}

int TOptionField::ItemCount(int channelCount) const {
    return int(Items.size()) + (Rule == R::ChannelList ? channelCount : 0);
}

int TOptionField::MaxValue() const {
    int value = Mask;
    while (value && !(value & 1))
        value >>= 1;
    return value;
}

int TOptionField::ItemOf(int value, int channelCount) const {
    int item = -1;
    switch (Rule) {
    case R::Index:
    case R::ChannelList:
        item = value;
        break;
    case R::Offset:
        item = value == 0 ? 0 : value - 1;
        break;
    case R::ToneLength:
        item = (value + 1) % 4;
        break;
    case R::DisplayMode:
        item = DisplayModeItem[value & 0x0F];
        break;
    case R::BatterySave:
        item = (value & 0x04) ? (value & 0x03) + 1 : 0;
        break;
    case R::Voice:
        item = (value & 0x01) ? 1 + ((value >> 1) & 0x01) : 0;
        break;
    case R::Check:
    case R::CheckInverted:
    case R::Number:
        break;
    }
    return item >= 0 && item < ItemCount(channelCount) ? item : -1;
}

int TOptionField::ValueOf(int item, int current) const {
    switch (Rule) {
    case R::Offset:
        return item + 1;
    case R::ToneLength:
        return item < 0 ? 3 : (item + 3) % 4;
    case R::DisplayMode:
        return item < 0 ? 15 : DisplayModeValue[item];
    case R::BatterySave:
        if (item < 0) return current;
        return item == 0 ? (current & 0x03) : 0x04 | (item - 1);
    case R::Voice:
        if (item < 0) return current;
        return item == 0 ? (current & 0x02) : (item == 1 ? 0x01 : 0x03);
    default:
        return item < 0 ? MaxValue() : item;
    }
}

QString TOptionField::ItemText(int value, int channelCount) const {
    if (!IsList()) return QString::number(value);
    const int item = ItemOf(value, channelCount);
    return item < 0 ? QString() : ItemTexts(channelCount).at(item);
}

int TOptionField::ShownItem(const TALL& all, int channelCount) const {
    if (Flags & OptionSavesLast) return ItemCount(channelCount) - 1;
    return ItemOf(GetValue(all), channelCount);
}

bool TOptionField::ShownChecked(const TALL& all) const {
    return GetValue(all) == (Rule == R::CheckInverted ? 0 : 1);
}

QString TOptionField::ShownText(const TALL& all, int channelCount) const {
    if (Rule == R::Check || Rule == R::CheckInverted)
        return ShownChecked(all) ? QStringLiteral("1") : QStringLiteral("0");
    if (!IsList()) return QString::number(GetValue(all));
    const int item = ShownItem(all, channelCount);
    return item < 0 ? QString() : ItemTexts(channelCount).at(item).trimmed();
}

void TOptionField::SaveItem(TALL& all, int item) const {
    SetValue(all, ValueOf(item, GetValue(all)));
}

void TOptionField::SaveChecked(TALL& all, bool checked) const {
    SetValue(all, checked == (Rule == R::CheckInverted) ? 0 : 1);
}

bool TOptionField::ParseText(const QString& text, int current, int channelCount, int& value) const {
    const QString wanted = text.trimmed();
    const QStringList items = ItemTexts(channelCount);
    for (int item = 0; item < items.size(); ++item) {
        if (items.at(item).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
            value = ValueOf(item, current);
            return true;
        }
    }
    bool ok = false;
    const int number = wanted.toInt(&ok, 10);
    if (!ok || number < Lo || number > Hi) return false;
    value = number;
    return true;
}

const std::vector<TOptionField>& OptionFields() {
    static const std::vector<TOptionField> fields = BuildFields();
    return fields;
}

const std::vector<const TOptionField*>& ImageCheckFields() {
    static const std::vector<const TOptionField*> checked = [] {
        std::vector<const TOptionField*> list;
        for (const TOptionField& field : OptionFields()) {
            if (field.CheckOrder > 0) list.push_back(&field);
        }
        std::sort(list.begin(), list.end(), [](const TOptionField* a, const TOptionField* b) {
            return a->CheckOrder < b->CheckOrder;
        });
        return list;
    }();
    return checked;
}

const TOptionField* FindOptionField(const QString& name) {
    const bool qualified = name.contains(QLatin1Char('.'));
    const TOptionField* found = nullptr;
    for (const TOptionField& field : OptionFields()) {
        if ((qualified ? field.Key() : field.Name).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (found) return nullptr;
        found = &field;
    }
    return found;
}
