#pragma once

#include <functional>
#include <initializer_list>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QObject;
class QWidget;
class TALL;
class TChannel;
class TToneBox;

// The tone boxes, choice lists and check boxes of a channel form (channel edit and VFO
// windows), each bound to one field of the channel record, kept in the order the form writes
// them.
class TChannelFields {
public:
    // A check box of the form: checked when the field holds CheckedValue.
    struct TCheckDesign {
        const char* Name;
        const char* Caption;
        int Code;
        int CheckedValue;
    };
    // The lists both forms show.
    struct TSettingLists {
        QComboBox* Band;
        QComboBox* Power;
        QComboBox* PttId;
    };

    void AddTone(TToneBox* box, int code);
    // A list whose item index is the field's value.
    void AddList(QComboBox* box, int code);
    // Bandwidth, power and PTT ID, and the voice mode in a list never shown, so that the
    // record's voice mode ("Both" included) is written back as it was read.
    TSettingLists AddSettingLists(QWidget* parent);
    // The check boxes, laid out two to a row.
    QGridLayout* AddChecks(std::initializer_list<TCheckDesign> checks, QWidget* parent);

    // The tone boxes take their None text from the translation.
    void TakeNoneTexts() const;
    // Shows the channel's values.
    void Load(const TChannel& channel) const;
    // Writes every bound field of record k, in the order they were added.
    void Write(TALL& all, int k) const;
    // Runs handler whenever the user changes one of the controls (the lists and check boxes
    // also while the program fills them: the handler tests the window's loading state).
    void OnChange(QObject* context, const std::function<void()>& handler) const;
    void SetEnabled(bool enabled) const;

private:
    struct TBinding {
        QWidget* Control;
        int Code;
        int CheckedValue;
    };
    std::vector<TBinding> Bindings;
};
