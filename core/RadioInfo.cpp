#include "core/RadioInfo.h"

#include "core/All.h"
#include "core/Codecs.h"
#include "core/IniFile.h"

constexpr int SerialLength = 16;

QString SerialText(const TALL& all) {
    QString text;
    for (int i = 0; i < SerialLength; ++i)
        text += SerialChar(all.Image[Addr::Serial + i]);
    return text;
}

void WriteSerial(TALL& all, const QString& text) {
    const QString padded = text.leftJustified(SerialLength, QLatin1Char(' '), true);
    for (int i = 0; i < SerialLength; ++i) {
        const ushort c = padded.at(i).unicode();
        all.Image[Addr::Serial + i] = c > 0xFF ? ' ' : uint8_t(c);
    }
}

TRadioInfo::TRadioInfo(const TALL& all)
    : Lines{{QStringLiteral("Label1"), QStringLiteral("Model Type"), all.ModelName},
            {QStringLiteral("Label2"), QStringLiteral("Frequency[MHz]"), all.BandText},
            {QStringLiteral("Label3"), QStringLiteral("Serial Number"), SerialText(all)},
            {QStringLiteral("Label4"), QStringLiteral("Write Time"),
             FormatDateStamp(&all.Image[Addr::DateStamp])}} {}

void TRadioInfo::Translate(const TIniFile& languageFile) {
    const QString section = QString::fromLatin1(FormName);
    for (TLine& line : Lines)
        line.Caption = languageFile.ReadString(section, line.Label + QLatin1String(".Caption"),
                                               line.Caption);
}
