#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

class TIniFile;
struct TPortInfo;
struct TUsbAdapter;

// The texts of the port list and of what keeps the cable from working, which the port dialog and
// `zp407ne-cli ports` both show. The language files keep them in the dialog's section, each
// under the name of the hidden label that carries it in the dialog, followed by ".Caption".
class TPortTexts {
public:
    static constexpr const char* FormName = "fSetPort";
    enum : int { Busy, Denied, Missing, NoPort, Permission, Unbound, Count };
    struct TText {
        QString Name;
        QString Text;
    };

    TPortTexts();
    void Translate(const TIniFile& languageFile);
    const QString& Text(int id) const { return Texts[size_t(id)].Text; }

    std::array<TText, Count> Texts;

    // The port's line, followed by why it cannot be opened when it cannot.
    QString Line(const TPortInfo& port) const;
    // One line for each thing in the cable's way, in plain words with the remedy: a device the
    // user may not use, an adapter the kernel sees without a port, or no port at all.
    QStringList Problems(const std::vector<TPortInfo>& ports,
                         const std::vector<TUsbAdapter>& unbound) const;
};
