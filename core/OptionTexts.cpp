#include "core/OptionTexts.h"

#include "core/All.h"
#include "core/Codecs.h"

namespace {

constexpr int RadioNameOption = 16;
constexpr uint8_t ManualFreqYes = 0xAA;
constexpr uint8_t ManualFreqNo = 0xFF;

} // namespace

QString ReadRadioName(const TALL& all) {
    QString name;
    for (int i = 0; i < RadioNameLength; ++i)
        name += DecodeNameChar(all.Image[Addr::OptionArea + RadioNameOption + i]);
    while (name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

void WriteRadioName(TALL& all, const QString& text) {
    const QString padded = text.leftJustified(RadioNameLength, QLatin1Char(' '), true);
    for (int i = 0; i < RadioNameLength; ++i)
        all.Image[Addr::OptionArea + RadioNameOption + i] = EncodeNameChar(padded.at(i));
}

const QStringList& ManualFreqItems() {
    static const QStringList items{QStringLiteral("Yes"), QStringLiteral("No")};
    return items;
}

int ManualFreqItem(TALL& all) {
    if (!all.ManualFreqSelectable) all.ManualFreq = ManualFreqNo;
    return all.ManualFreq == ManualFreqYes ? 0 : 1;
}

void SaveManualFreq(TALL& all, int item) {
    all.ManualFreq = item == 0 ? ManualFreqYes : ManualFreqNo;
    all.Image[Addr::ManualFreq] = all.ManualFreq;
}
