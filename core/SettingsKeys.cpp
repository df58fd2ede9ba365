#include "core/SettingsKeys.h"

#include "core/ChannelLists.h"
#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/ChannelRow.h"
#include "core/Codecs.h"
#include "core/DtmfCodes.h"
#include "core/FmChannels.h"
#include "core/OptionFields.h"
#include "core/OptionTexts.h"
#include "core/RadioInfo.h"
#include "core/ToneList.h"

namespace {

using TKeys = std::vector<TSettingsKey>;
using TReadAll = std::function<QString(TALL&)>;

const QString Checked = QStringLiteral("1");
const QString Unchecked = QStringLiteral("0");

QString Item(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

// The item a text names, letter case and surrounding blanks aside; -1 when none does.
int FindItem(const QStringList& items, const QString& text) {
    for (int i = 0; i < items.size(); ++i)
        if (items.at(i).trimmed().compare(text.trimmed(), Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool IsFlag(const QString& text) {
    return text == Checked || text == Unchecked;
}

TSettingsKey Key(const QString& caption, TReadAll read,
                 std::function<bool(TALL&, const QString&)> write = {}) {
    return {caption, [read](TALL& all, TChannel&) { return read(all); }, std::move(write)};
}

// An option field as its window loads and saves it: a check box "1"/"0", a list item or a stored
// value. An empty list value (a stored value no item shows) keeps the image's value, which the
// text cannot carry.
TSettingsKey FieldKey(const TOptionField& field) {
    const bool check = field.Rule == TOptionRule::Check || field.Rule == TOptionRule::CheckInverted;
    return Key(
        field.Caption, [&field](TALL& all) { return field.ShownText(all, all.ChannelCount); },
        [&field, check](TALL& all, const QString& text) {
            if (check) {
                if (!IsFlag(text)) return false;
                field.SaveChecked(all, text == Checked);
                return true;
            }
            if (field.IsList() && text.isEmpty()) return true;
            int value = 0;
            if (!field.ParseText(text, field.GetValue(all), all.ChannelCount, value)) return false;
            field.SetValue(all, value);
            return true;
        });
}

// The option fields a window shows, hidden ones included, in the table's order.
void AddFields(const char* unit, TKeys& keys) {
    for (const TOptionField& field : OptionFields())
        if (field.Unit == QLatin1String(unit) && !(field.Flags & OptionNoControl))
            keys.push_back(FieldKey(field));
}

TKeys FieldKeys(const char* unit) {
    TKeys keys;
    AddFields(unit, keys);
    return keys;
}

// A field of a VFO record as the VFO window shows and writes it.
struct TVfoField {
    const char* Caption;
    int Code;
    QStringList Items;    // a list's items; empty for the other kinds
    int CheckedValue = 0; // a check box's field value when checked
};

bool WriteField(TALL& all, int k, int code, QString text) {
    WriteChannelField(all, k, code, text);
    return true;
}

// A frequency the band check would have to move is refused, not moved.
bool WriteFrequency(TALL& all, int k, const QString& text) {
    bool number = false;
    text.toDouble(&number);
    double mhz = 0.0;
    return number && !CheckFrequency(all, text, mhz) &&
           WriteField(all, k, FieldCode::RxFreq, FormatMHz(mhz));
}

// An offset the record cannot hold is stored as none; that is refused too.
bool WriteOffset(TALL& all, int k, const QString& text) {
    bool number = false;
    const double mhz = text.toDouble(&number);
    if (!number || mhz < 0) return false;
    QString stored = text;
    WriteChannelField(all, k, FieldCode::Offset, stored);
    return mhz == 0 || ParseMHz(stored) > 0;
}

// "None" is the tone list's first entry and stores no tone.
bool WriteTone(TALL& all, int k, int code, const QString& text) {
    const int item = FindItem(ToneList(), text);
    return item >= 0 && WriteField(all, k, code, item == 0 ? QString() : ToneList().at(item));
}

QString ReadVfo(TALL& all, TChannel& channel, int k, const TVfoField& field) {
    ReadChannel(all, k, channel);
    switch (field.Code) {
    case FieldCode::RxFreq:
        return FormatMHz(channel.RxFreq);
    case FieldCode::Offset:
        return FormatMHz(channel.Offset);
    case FieldCode::RxTone:
    case FieldCode::TxTone: {
        const QString& tone = field.Code == FieldCode::RxTone ? channel.RxTone : channel.TxTone;
        return tone.isEmpty() ? ToneList().first() : tone;
    }
    default:
        break;
    }
    const int value = ChannelFieldValue(channel, field.Code);
    if (!field.Items.isEmpty()) return Item(field.Items, value);
    return value == field.CheckedValue ? Checked : Unchecked;
}

// A list without a choice (a voice mode no item shows) keeps the record's value.
bool WriteVfo(TALL& all, int k, const TVfoField& field, const QString& text) {
    switch (field.Code) {
    case FieldCode::RxFreq:
        return WriteFrequency(all, k, text);
    case FieldCode::Offset:
        return WriteOffset(all, k, text);
    case FieldCode::RxTone:
    case FieldCode::TxTone:
        return WriteTone(all, k, field.Code, text);
    default:
        break;
    }
    if (!field.Items.isEmpty()) {
        const int item = FindItem(field.Items, text);
        return text.isEmpty() ||
               (item >= 0 && WriteField(all, k, field.Code, QString::number(item)));
    }
    const int value = text == Checked ? field.CheckedValue : 1 - field.CheckedValue;
    return IsFlag(text) && WriteField(all, k, field.Code, QString::number(value));
}

const std::vector<TVfoField>& VfoFields() {
    static const std::vector<TVfoField> fields = [] {
        const TChannelRow row;
        const auto box = [&row](int code) { return row.BoxFor(code)->Items; };
        return std::vector<TVfoField>{
            {"Frequency[MHz]", FieldCode::RxFreq, {}},
            {"Offset Freq.[MHz]", FieldCode::Offset, {}},
            {"Duplex", FieldCode::Duplex, ChannelLists::Duplex()},
            {"QT/DQT Decode", FieldCode::RxTone, {}},
            {"QT/DQT Encode", FieldCode::TxTone, {}},
            {"Wide/Narrow", FieldCode::Bandwidth, box(FieldCode::Bandwidth)},
            {"TX Power", FieldCode::Power, box(FieldCode::Power)},
            {"PTT ID", FieldCode::PttId, box(FieldCode::PttId)},
            {"Apro", FieldCode::VoiceMode, ChannelLists::VoiceModes()},
            {"Busy Lock", FieldCode::BusyLock, {}, 0},
            {"Epilogue", FieldCode::Epilogue, {}, 1},
            {"Vox", FieldCode::Vox, {}, 0},
            {"Ani", FieldCode::Ani, {}, 0},
        };
    }();
    return fields;
}

TKeys VfoKeys(int k) {
    TKeys keys;
    for (const TVfoField& field : VfoFields())
        keys.push_back(
            {QLatin1String(field.Caption),
             [k, &field](TALL& all, TChannel& channel) { return ReadVfo(all, channel, k, field); },
             [k, &field](TALL& all, const QString& text) {
                 return WriteVfo(all, k, field, text);
             }});
    return keys;
}

TKeys OptionKeys() {
    TKeys keys = FieldKeys("OptFun");
    keys.push_back(
        Key(QStringLiteral("Radio Name"), ReadRadioName, [](TALL& all, const QString& text) {
            if (text.size() > RadioNameLength) return false;
            WriteRadioName(all, text);
            return true;
        }));
    keys.push_back(Key(
        QStringLiteral("Manual Freq."),
        [](TALL& all) { return Item(ManualFreqItems(), ManualFreqItem(all)); },
        [](TALL& all, const QString& text) {
            const int item = FindItem(ManualFreqItems(), text);
            if (item >= 0) SaveManualFreq(all, item);
            return item >= 0;
        }));
    return keys;
}

// A code is refused when storing it would drop or cut characters of it.
TSettingsKey DtmfKey(const char* caption, TDtmfCode code) {
    return Key(
        QLatin1String(caption), [code](TALL& all) { return ReadDtmfCode(all, code); },
        [code](TALL& all, const QString& text) {
            WriteDtmfCode(all, code, text);
            return text.isEmpty() || ReadDtmfCode(all, code).startsWith(text, Qt::CaseInsensitive);
        });
}

TKeys DtmfKeys() {
    TKeys keys = FieldKeys("DtmfFun");
    keys.push_back(DtmfKey("Begin of Tx", TDtmfCode::Begin));
    keys.push_back(DtmfKey("End of Tx", TDtmfCode::End));
    keys.push_back(DtmfKey("ID Code", TDtmfCode::Id));
    keys.push_back(DtmfKey("Stun Code", TDtmfCode::Stun));
    return keys;
}

TSettingsKey FmKey(const QString& caption, int slot) {
    return Key(
        caption, [slot](TALL& all) { return FmChannelText(all, slot); },
        [slot](TALL& all, const QString& text) {
            QString shown;
            return WriteFmChannel(all, slot, text, shown);
        });
}

// The scan bounds are shown only: the FM window does not edit them.
TKeys FmKeys() {
    TKeys keys{FmKey(QStringLiteral("Freq. Channel[MHz]"), FmCurrentSlot)};
    AddFields("FmFun", keys);
    keys.push_back(Key(QStringLiteral("FM Scan bound[MHz]"), [](TALL& all) {
        return FmBoundText(all.FmLow) + QLatin1Char('-') + FmBoundText(all.FmHigh);
    }));
    for (int n = 1; n <= FmChannelCount; ++n)
        keys.push_back(FmKey(QString::number(n), n));
    return keys;
}

// The radio information is shown only.
TKeys InfoKeys() {
    TKeys keys;
    const TALL blank;
    for (size_t line = 0; line < TRadioInfo(blank).Lines.size(); ++line)
        keys.push_back(Key(TRadioInfo(blank).Lines[line].Caption,
                           [line](TALL& all) { return TRadioInfo(all).Lines[line].Text; }));
    return keys;
}

} // namespace

const std::vector<TSettingsKeySection>& SettingsKeys() {
    static const std::vector<TSettingsKeySection> sections = {
        {"Freq. Channel", FieldKeys("FreqEdit")},
        {"Freq_Down", VfoKeys(VfoLow)},
        {"Freq_Up", VfoKeys(VfoHigh)},
        {"Optional Function", OptionKeys()},
        {"DTMF Function", DtmfKeys()},
        {"FM Information", FmKeys()},
        {"Scan Information", FieldKeys("ScanFun")},
        {"Vox Function", FieldKeys("VoxFun")},
        {"Radio Information", InfoKeys()},
    };
    return sections;
}
