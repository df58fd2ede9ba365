#pragma once

#include <QString>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QObject;
class QWidget;
class TALL;
struct TOptionField;

// The controls of one window's option fields, made from the option-field table: a list or check
// box for each field with its label, loaded from the image and saved back all at once.
class TOptionControls {
public:
    // Makes the controls of every field of the unit that has one, as children of parent.
    TOptionControls(const QString& unit, QWidget* parent);

    QComboBox* Box(const QString& name) const;
    QCheckBox* Check(const QString& name) const;
    // The field's label and control as a row of the grid: label in column, control beside it.
    void Place(QGridLayout* grid, const QString& name, int row, int column) const;
    // Completes the channel lists; once, after the window is translated.
    void AddChannelItems(int channelCount) const;
    // Runs changed whenever a list's choice or a check box changes, the window's own loading
    // included, for as long as context lives.
    void OnChange(QObject* context, const std::function<void()>& changed) const;

    void Load(const TALL& all) const;
    void Save(TALL& all) const;

private:
    struct TControl {
        const TOptionField* Field;
        QLabel* Label; // nullptr for a check box
        QComboBox* Box;
        QCheckBox* Check;
    };
    std::vector<TControl> Controls;

    const TControl* Find(const QString& name) const;
};
