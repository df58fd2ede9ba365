#include "ui/help/HelpTopics.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

// The guide's resource file lives in the static library zpui, so it is registered by hand.
static void InitGuideResource() {
    Q_INIT_RESOURCE(UserGuide);
}

TfHelpTopics::TfHelpTopics(TfMaindb& db, QWidget* parent)
    : TfEditorWindow(db, QStringLiteral("fHelpTopics"), parent) {
    InitGuideResource();
    setWindowTitle(QStringLiteral("Help Topics"));
    HelpText = new QTextBrowser(this);
    HelpText->setObjectName(QStringLiteral("HelpText"));
    HelpText->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(HelpText);
    resize(720, 560);
}

QString TfHelpTopics::GuideText() {
    InitGuideResource();
    QFile file(QStringLiteral(":/docs/UserGuide.md"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void TfHelpTopics::Load() {
    HelpText->setMarkdown(GuideText());
}

bool TfHelpTopics::Shows(const TImageChange&) const {
    return false;
}
