#include "core/ChannelRow.h"

#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/IniFile.h"
#include "core/ListTag.h"
#include "core/ToneList.h"

#include <algorithm>

namespace {

struct TDesignedDescriptor {
    const char* key;
    const char* value;
};
constexpr TDesignedDescriptor DesignedDescriptors[] = {
    {"S-M-N", "045@No."},        {"S-R-R", "080@RX Frequency"}, {"S-R-T", "080@TX Frequency"},
    {"N-R-O", "080@Dup Frequency"}, {"N-M-S", "070@Dup Way"},   {"S-R-S", "065@QT/DQT Dec"},
    {"S-R-S", "065@QT/DQT Enc"}, {"N-M-S", "060@Revs"},         {"S-M-S", "065@TX Power"},
    {"S-M-S", "065@W/N"},        {"S-M-S", "065@Scan Add"},     {"S-M-S", "065@Busy Lock"},
    {"S-M-S", "065@Vox"},        {"N-M-S", "065@Voice Mode"},   {"S-M-S", "065@Epilogue"},
    {"S-M-S", "065@PTT ID"},     {"S-M-S", "065@DTMF"},         {"S-M-E", "065@NAME"},
    {"S-M-E", "065@ID Code"},    {"N-M-M", "065@More..."},
};

QStringList Items(std::initializer_list<const char*> texts) {
    QStringList items;
    for (const char* text : texts)
        items << QString::fromLatin1(text);
    return items;
}

} // namespace

int TChannelRow::TDescriptor::Width() const {
    bool number = false;
    const int width = Value.contains(QLatin1Char('@'))
                          ? Value.section(QLatin1Char('@'), 0, 0).trimmed().toInt(&number)
                          : 0;
    return number && width > 0 ? width : DesignedWidth;
}

QString TChannelRow::TDescriptor::Caption() const {
    QString caption = Value.contains(QLatin1Char('@')) ? Value.section(QLatin1Char('@'), 1) : Value;
    return caption.replace(QLatin1Char('|'), QLatin1Char('\r'));
}

TChannelRow::TChannelRow() {
    for (const TDesignedDescriptor& d : DesignedDescriptors) {
        TDescriptor descriptor{QString::fromLatin1(d.key), QString::fromLatin1(d.value)};
        descriptor.DesignedWidth = descriptor.Width();
        Descriptors.push_back(descriptor);
    }
    Boxes = {
        {QStringLiteral("cxDcts"), {FieldCode::RxTone, FieldCode::TxTone}, ToneList(),
         ListTag::FirstItemOnly},
        {QStringLiteral("cxPwrv"), {FieldCode::Power}, Items({"Low", "High"})},
        {QStringLiteral("cxBand"), {FieldCode::Bandwidth}, Items({"Narrow", "Wide"})},
        {QStringLiteral("cxScan"), {FieldCode::Scan}, Items({"Add", "Del"})},
        {QStringLiteral("cxBclo"), {FieldCode::BusyLock}, Items({"On", "Off"})},
        {QStringLiteral("cxYnSw"), {FieldCode::Vox}, Items({"Yes", "No"})},
        {QStringLiteral("cxTail"), {FieldCode::Epilogue}, Items({"Off", "On"})},
        {QStringLiteral("cxPtts"), {FieldCode::PttId}, Items({"Off", "BOT", "EOT", "Both"})},
        {QStringLiteral("cxAnis"), {FieldCode::Ani}, Items({"ON", "OFF"})},
    };
    NoneText = Boxes.front().Items.front();
}

void TChannelRow::Translate(const TIniFile& languageFile) {
    const QString section = QString::fromLatin1(FormName);
    for (size_t i = 0; i < Descriptors.size(); ++i) {
        const QString key = QStringLiteral("ColShow.%1").arg(i + 1);
        Descriptors[i].Value = languageFile.ReadString(section, key, Descriptors[i].Value);
    }
    for (TBox& box : Boxes) {
        for (int i = 0; i < ListTag::TranslatedItems(box.Tag, box.Items.size()); ++i) {
            const QString key = box.Name + QLatin1Char('.') + QString::number(i);
            box.Items[i] = languageFile.ReadString(section, key, box.Items[i]);
        }
    }
    NoneText = Boxes.front().Items.front();
}

std::vector<int> TChannelRow::ShownCodes() const {
    std::vector<int> codes;
    for (size_t i = 0; i < Descriptors.size(); ++i) {
        if (Descriptors[i].Shown())
            codes.push_back(int(i) + 1);
    }
    return codes;
}

const TChannelRow::TBox* TChannelRow::BoxFor(int code) const {
    for (const TBox& box : Boxes) {
        if (std::find(box.Codes.begin(), box.Codes.end(), code) != box.Codes.end())
            return &box;
    }
    return nullptr;
}

std::vector<TChannelRow::TCell> TChannelRow::Cells(TALL& all, TChannel& channel, int k) const {
    const bool present = ReadChannel(all, k, channel);
    std::vector<TCell> cells;
    for (int code : ShownCodes()) {
        const TDescriptor& descriptor = Descriptors[size_t(code - 1)];
        TCell cell;
        if (descriptor.Kind() == QLatin1Char('N')) {
            cell = {QString::number(k), present ? QStringLiteral("1") : QStringLiteral("0")};
        } else if (descriptor.Kind() == QLatin1Char('M')) {
            cell.Text = QStringLiteral(">>");
        } else if (!present) {
            // an empty channel shows nothing but its number
        } else if (code == FieldCode::RxFreq) {
            cell.Text = FormatMHz(channel.RxFreq);
        } else if (code == FieldCode::TxFreq) {
            cell.Text = channel.TxFreq < 0 ? QString() : FormatMHz(channel.TxFreq);
        } else if (code == FieldCode::RxTone || code == FieldCode::TxTone) {
            const QString& tone = code == FieldCode::RxTone ? channel.RxTone : channel.TxTone;
            cell.Text = tone.isEmpty() ? NoneText : tone;
        } else if (code == FieldCode::Name) {
            cell.Text = channel.Name;
        } else if (code == FieldCode::IdCode) {
            cell.Text = channel.IdCode;
        } else if (const TBox* box = BoxFor(code)) {
            const int value = ChannelFieldValue(channel, code);
            cell = {box->Items.value(value), QString::number(value)};
        }
        cells.push_back(cell);
    }
    return cells;
}
