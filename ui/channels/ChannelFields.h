#pragma once

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QObject;
class QWidget;
class TALL;
class TChannel;

// The choice lists and check boxes of a channel form (channel edit and VFO windows), each bound
// to one field of the channel record, kept in the order the form writes them.
class TChannelFields {
public:
    // A list whose item index is the field's value.
    void AddList(QComboBox* box, int code);
    // A check box that is checked when the field holds checkedValue.
    void AddCheck(QCheckBox* box, int code, int checkedValue);

    // Shows the channel's values.
    void Load(const TChannel& channel) const;
    // Writes every bound field of record k, in the order they were added.
    void Write(TALL& all, int k) const;
    // Runs handler whenever one of the controls changes.
    void OnChange(QObject* context, const std::function<void()>& handler) const;
    void SetEnabled(bool enabled) const;

private:
    struct TBinding {
        QComboBox* List;
        QCheckBox* Check;
        int Code;
        int CheckedValue;
    };
    std::vector<TBinding> Bindings;
};
