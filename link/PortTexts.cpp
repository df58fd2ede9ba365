#include "link/PortTexts.h"

#include "core/IniFile.h"
#include "link/PortInfo.h"
#include "link/UsbAdapters.h"

#include <algorithm>

TPortTexts::TPortTexts()
    : Texts{{
          {QStringLiteral("lbBusy"),
           QStringLiteral("cannot be opened: another program may be using it")},
          {QStringLiteral("lbDenied"), QStringLiteral("you may not use it")},
          {QStringLiteral("lbMissing"), QStringLiteral("not present")},
          {QStringLiteral("lbNoPort"),
           QStringLiteral("No serial port is present. Plug in the programming cable.")},
          {QStringLiteral("lbPermission"),
           QStringLiteral("Permission denied: you may not use the serial device %1. Add your "
                          "user to the \"dialout\" group (sudo usermod -a -G dialout $USER), "
                          "then log out and log in again.")},
          {QStringLiteral("lbBrltty"),
           QStringLiteral("The system sees the USB serial adapter %1 but made no serial port of "
                          "it. The brltty package (a driver for Braille displays) usually takes "
                          "such adapters: remove it (sudo apt remove brltty), then unplug the "
                          "cable and plug it in again.")},
      }} {}

void TPortTexts::Translate(const TIniFile& languageFile) {
    const QString section = QString::fromLatin1(FormName);
    for (TText& text : Texts)
        text.Text =
            languageFile.ReadString(section, text.Name + QLatin1String(".Caption"), text.Text);
}

QString TPortTexts::Line(const TPortInfo& port) const {
    static const int StateTexts[] = {-1, Busy, Denied, Missing};
    const int state = StateTexts[int(port.State)];
    return state < 0 ? port.Line() : port.Line() + QStringLiteral(" \u2014 ") + Text(state);
}

QStringList TPortTexts::Problems(const std::vector<TPortInfo>& ports,
                                 const std::vector<TUsbAdapter>& unbound) const {
    QStringList lines;
    for (const TPortInfo& port : ports)
        if (port.State == TPortState::Denied) lines << Text(Permission).arg(port.Location);
    for (const TUsbAdapter& adapter : unbound)
        lines << Text(Unbound).arg(adapter.Line());
    const bool nonePresent = std::all_of(ports.begin(), ports.end(), [](const TPortInfo& port) {
        return port.State == TPortState::Missing;
    });
    if (nonePresent && unbound.empty()) lines << Text(NoPort);
    return lines;
}
