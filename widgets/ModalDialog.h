#pragma once

#include <deque>
#include <functional>

class QDialog;

// Runs the program's modal dialogs. Tests queue a driver that works the dialog's controls in
// place of a user, so no test waits on a modal window.
class TModalDialog {
public:
    using TDriver = std::function<void(QDialog&)>;

    // Shows the dialog modally and returns its result code. With a driver queued, the dialog is
    // shown without a modal loop, the driver runs, and a dialog it left open is rejected.
    static int Exec(QDialog& dialog);

    static void QueueDriver(TDriver driver);
    static void Reset();

private:
    static std::deque<TDriver>& Drivers();
};
