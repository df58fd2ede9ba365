#pragma once

#include <QString>
#include <deque>

class QWidget;

// The open and save dialogs for data files. Tests queue the next file name (an empty name is a
// cancelled dialog), so no test waits on a modal dialog.
class TFileDialog {
public:
    // The dialog starts in folder; an empty folder leaves the choice to the dialog.
    static QString GetOpenFileName(QWidget* parent, const QString& filter,
                                   const QString& folder = QString());
    static QString GetSaveFileName(QWidget* parent, const QString& filter,
                                   const QString& defaultSuffix);

    static void QueueFileName(const QString& fileName);
    static void Reset();

private:
    static std::deque<QString>& Queued();
};
