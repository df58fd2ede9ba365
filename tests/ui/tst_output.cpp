#include "core/ChannelRecord.h"
#include "core/Maindb.h"
#include "ui/help/HelpTopics.h"
#include "ui/main/CommandTable.h"
#include "ui/main/MainFrm.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"

#include <QAction>
#include <QMdiSubWindow>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

// The main window's output: Help Topics opens the guide kept in the repository, rendered as
// Markdown, in one window; Print Preview and Export PDF draw the channel pages.
class TstOutput : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> Folder;
    std::unique_ptr<TfMaindb> Db;
    std::unique_ptr<TfMainFrm> Frm;

    // A program on a fresh folder, its window shown, with channels 1 to present channels.
    void Start(int channels) {
        Folder = std::make_unique<QTemporaryDir>();
        Db = std::make_unique<TfMaindb>(Folder->path() + QLatin1Char('/'));
        Frm = std::make_unique<TfMainFrm>(*Db);
        Frm->show();
        QCoreApplication::processEvents();
        for (int k = 1; k <= channels; ++k)
            NewChannel(Db->All, k, QStringLiteral("145.00000"));
    }

    static QString RepositoryGuide() {
        QFile file(QStringLiteral(ZP_USER_GUIDE));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void cleanup() {
        TModalDialog::Reset();
        TFileDialog::Reset();
        TMessageBoxSeam::Reset();
        Frm.reset();
        Db.reset();
        Folder.reset();
    }

    void guideOpensInOneWindow() {
        Start(0);
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

    void previewShowsThePages_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("settingsAnswer");
        QTest::addColumn<int>("pages");
        QTest::newRow("one page") << 5 << int(MessageResult::No) << 1;
        QTest::newRow("two pages of channels") << 33 << int(MessageResult::No) << 2;
        QTest::newRow("with the settings") << 5 << int(MessageResult::Yes) << 3;
    }
    void previewShowsThePages() {
        QFETCH(int, channels);
        QFETCH(int, settingsAnswer);
        QFETCH(int, pages);
        Start(channels);
        int shown = -1;
        bool landscape = false;
        TModalDialog::QueueDriver([&](QDialog& dialog) {
            auto* preview = dialog.findChild<QPrintPreviewWidget*>();
            shown = preview->pageCount();
            landscape = preview->orientation() == QPageLayout::Landscape;
        });
        TMessageBoxSeam::QueueAnswer(settingsAnswer);
        Frm->RunCommand(Command::PrintPreview);
        QCOMPARE(shown, pages);
        QVERIFY(landscape);
    }

    // Export PDF writes the file the dialog names, asking before it replaces one.
    void exportPdf() {
        Start(5);
        const QString name = Folder->filePath(QStringLiteral("list.pdf"));
        TFileDialog::QueueFileName(name);
        TMessageBoxSeam::QueueAnswer(MessageResult::No); // no settings
        Frm->RunCommand(Command::ExportPdf);
        QFile file(name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("%PDF"));
        file.close();

        QVERIFY(QFile::resize(name, 0));
        TFileDialog::QueueFileName(name);
        TMessageBoxSeam::QueueAnswer(MessageResult::No); // do not replace it
        Frm->RunCommand(Command::ExportPdf);
        QCOMPARE(QFileInfo(name).size(), 0);
    }
};

QTEST_MAIN(TstOutput)
#include "tst_output.moc"
