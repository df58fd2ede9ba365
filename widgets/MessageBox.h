#pragma once

#include "core/MessageKind.h"

#include <QString>
#include <deque>
#include <vector>

// Every message the program shows goes through ShowMessageBox. Tests queue the answers and read
// what was shown, so no test ever waits on a modal box.

// Shows the standard box of the kind, modal to the whole application, and returns the answer.
// Any other kind shows nothing and returns 1.
int ShowMessageBox(const QString& caption, const QString& text, int kind);

// The test seam: while answers are queued, ShowMessageBox records the box and returns the next
// answer instead of showing anything.
class TMessageBoxSeam {
public:
    struct TShown {
        QString Caption;
        QString Text;
        int Kind = 0;
    };

    static void QueueAnswer(int result);
    static bool Active();
    static int TakeAnswer(const TShown& shown);
    static std::vector<TShown> TakeShown(); // the boxes recorded since the last call
    static void Reset();

private:
    static std::deque<int>& Answers();
    static std::vector<TShown>& Shown();
};
