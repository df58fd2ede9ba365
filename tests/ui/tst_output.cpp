#include "core/Maindb.h"
#include "ui/help/HelpTopics.h"
#include "ui/main/CommandTable.h"
#include "ui/main/MainFrm.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

// The main window's output: Help Topics opens the guide kept in the repository, rendered as
// Markdown, in one window.
class TstOutput : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Folder;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<TfMainFrm> Frm;

    // A program on a fresh folder, its window shown.
    void Start() {
        Folder = std::make_unique<QTemporaryDir>();
        Db = std::make_unique<TfMaindb>(Folder->path() + QLatin1Char('/'));
        Frm = std::make_unique<TfMainFrm>(*Db);
        Frm->show();
        QCoreApplication::processEvents();
    }

    static QString RepositoryGuide() {
        QFile file(QStringLiteral(ZP_USER_GUIDE));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void cleanup() {
        Frm.reset();
        Db.reset();
        Folder.reset();
    }

    void guideOpensInOneWindow() {
        Start();
        TfMainFrm& frm = *Frm;

        const QString guide = RepositoryGuide();
        QVERIFY(guide.startsWith(QLatin1String("# ")));
        QCOMPARE(TfHelpTopics::GuideText(), guide);

        QAction* item = frm.findChild<QAction*>(QStringLiteral("nHelpTopics"));
        QCOMPARE(item->shortcut(), QKeySequence(Qt::Key_F1));
        item->trigger();
        frm.findChild<QAction*>(QStringLiteral("tbHelp"))->trigger();
        const QList<TfHelpTopics*> windows = frm.findChildren<TfHelpTopics*>();
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isVisible());

        const QTextBrowser* browser = windows[0]->findChild<QTextBrowser*>();
        const QTextBlock first = browser->document()->firstBlock();
        QCOMPARE(first.blockFormat().headingLevel(), 1);
        QCOMPARE(first.text(), guide.section(QLatin1Char('\n'), 0, 0).mid(2));
        // Rendered, not shown as source: no heading marks or table pipes remain.
        QVERIFY(!browser->toPlainText().contains(QLatin1String("## ")));
        QVERIFY(!browser->toPlainText().contains(QLatin1String("|---")));
    }
};

QTEST_MAIN(TstOutput)
#include "tst_output.moc"
