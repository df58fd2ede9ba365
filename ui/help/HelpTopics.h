#pragma once

#include "widgets/EditorWindow.h"

class QTextBrowser;

// The user guide inside the program: docs/UserGuide.md, compiled into the program's resources,
// rendered as Markdown, so the guide on screen is the one kept with the sources.
class TfHelpTopics : public TfEditorWindow {
    Q_OBJECT
public:
    explicit TfHelpTopics(TfMaindb& db, QWidget* parent = nullptr);

    // The guide's Markdown text.
    static QString GuideText();

protected:
    void Load() override;
    // The guide does not depend on the image.
    bool Shows(const TImageChange& change) const override;

private:
    QTextBrowser* HelpText = nullptr;
};
