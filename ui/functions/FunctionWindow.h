#pragma once

#include "ui/functions/OptionControls.h"
#include "widgets/EditorWindow.h"

#include <functional>

class QPushButton;

// The base of the function editors: the window's option fields from the table, a "&Close"
// button, its writes through the document, and a refresh when someone else changes the option
// area or the whole image. The window's own writes do not reload it, so a box keeps what the
// user typed.
class TfFunctionWindow : public TfEditorWindow {
    Q_OBJECT
public:
    TfFunctionWindow(TfMaindb& db, const QString& formName, const QString& unit,
                     const QString& caption, QWidget* parent);
    ~TfFunctionWindow() override;

protected:
    TOptionControls Options;
    QPushButton* btnCancel = nullptr;

    // One change by the user to the option area; skipped while the window fills its controls.
    void Edit(const std::function<void()>& edit);
    // The lists and check boxes are written, all of them, on any change of one.
    void SaveOnChange();

    // The option fields; windows with more controls load those as well.
    void Load() override;
    bool Shows(const TImageChange& change) const override;

private:
    bool Editing = false;
};
