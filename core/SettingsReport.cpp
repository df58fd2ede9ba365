#include "core/SettingsReport.h"

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

using TLines = std::vector<std::pair<QString, QString>>;

QString Flag(bool checked) {
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

QString Item(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

// The option fields a window shows, hidden ones included, in the table's order.
void AddFields(const TALL& all, const QString& unit, TLines& lines) {
    for (const TOptionField& field : OptionFields()) {
        if (field.Unit != unit || (field.Flags & OptionNoControl)) continue;
        lines.emplace_back(field.Caption, field.ShownText(all, all.ChannelCount));
    }
}

TLines StepLines(const TALL& all) {
    TLines lines;
    AddFields(all, QStringLiteral("FreqEdit"), lines);
    return lines;
}

// A VFO record as the VFO editor shows it.
TLines VfoLines(TALL& all, TChannel& channel, int k) {
    const TChannelRow row;
    auto boxItem = [&](int code, int index) { return Item(row.BoxFor(code)->Items, index); };
    auto tone = [](const QString& text) { return text.isEmpty() ? ToneList().first() : text; };
    ReadChannel(all, k, channel);
    return {
        {"Frequency[MHz]", FormatMHz(channel.RxFreq)},
        {"Offset Freq.[MHz]", FormatMHz(channel.Offset)},
        {"Duplex", Item(ChannelLists::Duplex(), channel.Duplex)},
        {"QT/DQT Decode", tone(channel.RxTone)},
        {"QT/DQT Encode", tone(channel.TxTone)},
        {"Wide/Narrow", boxItem(FieldCode::Bandwidth, channel.Bandwidth)},
        {"TX Power", boxItem(FieldCode::Power, channel.Power)},
        {"PTT ID", boxItem(FieldCode::PttId, channel.PttId)},
        {"Apro", Item(ChannelLists::VoiceModes(), channel.VoiceMode)},
        {"Busy Lock", Flag(channel.BusyLock == 0)},
        {"Epilogue", Flag(channel.Epilogue == 1)},
        {"Vox", Flag(channel.Vox == 0)},
        {"Ani", Flag(channel.Ani == 0)},
    };
}

TLines OptionLines(TALL& all) {
    TLines lines;
    AddFields(all, QStringLiteral("OptFun"), lines);
    lines.emplace_back("Radio Name", ReadRadioName(all));
    lines.emplace_back("Manual Freq.", Item(ManualFreqItems(), ManualFreqItem(all)));
    return lines;
}

TLines DtmfLines(const TALL& all) {
    TLines lines;
    AddFields(all, QStringLiteral("DtmfFun"), lines);
    lines.emplace_back("Begin of Tx", ReadDtmfCode(all, TDtmfCode::Begin));
    lines.emplace_back("End of Tx", ReadDtmfCode(all, TDtmfCode::End));
    lines.emplace_back("ID Code", ReadDtmfCode(all, TDtmfCode::Id));
    lines.emplace_back("Stun Code", ReadDtmfCode(all, TDtmfCode::Stun));
    return lines;
}

TLines FmLines(TALL& all) {
    TLines lines{{"Freq. Channel[MHz]", FmChannelText(all, FmCurrentSlot)}};
    AddFields(all, QStringLiteral("FmFun"), lines);
    lines.emplace_back("FM Scan bound[MHz]",
                       FmBoundText(all.FmLow) + QLatin1Char('-') + FmBoundText(all.FmHigh));
    for (int n = 1; n <= FmChannelCount; ++n)
        lines.emplace_back(QString::number(n), FmChannelText(all, n));
    return lines;
}

TLines FieldLines(const TALL& all, const char* unit) {
    TLines lines;
    AddFields(all, QLatin1String(unit), lines);
    return lines;
}

TLines InfoLines(const TALL& all) {
    TLines lines;
    for (const TRadioInfo::TLine& line : TRadioInfo(all).Lines)
        lines.emplace_back(line.Caption, line.Text);
    return lines;
}

} // namespace

std::vector<TSettingsSection> SettingsReport(TALL& all, TChannel& channel) {
    return {
        {"Freq. Channel", StepLines(all)},
        {"Freq_Down", VfoLines(all, channel, VfoLow)},
        {"Freq_Up", VfoLines(all, channel, VfoHigh)},
        {"Optional Function", OptionLines(all)},
        {"DTMF Function", DtmfLines(all)},
        {"FM Information", FmLines(all)},
        {"Scan Information", FieldLines(all, "ScanFun")},
        {"Vox Function", FieldLines(all, "VoxFun")},
        {"Radio Information", InfoLines(all)},
    };
}

QString SettingsIniText(const std::vector<TSettingsSection>& sections) {
    QString text;
    for (const TSettingsSection& section : sections) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += QLatin1Char('[') + section.Name + QLatin1String("]\n");
        for (const auto& [caption, shown] : section.Lines)
            text += caption.trimmed() + QLatin1Char('=') + shown.trimmed() + QLatin1Char('\n');
    }
    return text;
}
