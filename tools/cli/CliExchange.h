#pragma once

#include <QString>

class QTextStream;
class TfMaindb;

// Runs one read or write of the radio without a window, the way the read or write dialog runs
// it for a user who presses OK as soon as it is enabled: the same exchange, on the real serial
// port and clock, with the port resolved from the program's settings. Every message goes to the
// given stream (a Yes/No question with the answer given); progress goes there too. The forced
// write question is answered Yes only when Force is set.
class TCliExchange {
public:
    enum class TKind { Read, Write };

    struct TOptions {
        bool Force = false;
        // Notes the longest gap between the ticks of a 10 ms timer from OK to the end of the
        // attempt and prints it with the transfer time.
        bool StallReport = false;
    };

    TCliExchange(TfMaindb& db, TKind kind, const TOptions& options, QTextStream& err);

    // Runs the exchange until the attempt is over, or until it asks to close (a port that cannot
    // be opened). True when the read or write completed; a completed read has replaced the
    // image.
    bool Run();

private:
    TfMaindb& Db;
    const TKind Kind;
    const TOptions Options;
    QTextStream& Err;
    int ShownPercent = 0;

    void ShowProgress(int position, int maximum);
    void EndProgressLine();
};
