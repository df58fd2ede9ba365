#include "ui/main/CommandTable.h"
#include "tests/support/FakeLinkClock.h"
#include "tests/support/FakeLinkPort.h"
#include "widgets/FileDialog.h"
#include "ui/about/FrmAbout.h"
#include "core/IniFile.h"
#include "core/Language.h"
#include "ui/main/MainFrm.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "widgets/ModalDialog.h"
#include "core/RadioInfo.h"
#include "core/SysSettings.h"
#include "print/PrintTexts.h"
#include "widgets/TranslateForm.h"

#include <QDialog>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <set>
#include <utility>

// The language files the program ships: both hold every text the windows look up, every
// message and a true about box, and the Chinese file switches the main window and back.
class TstLanguageFiles : public QObject {
    Q_OBJECT

    using TKey = std::pair<QString, QString>; // section, key

    std::unique_ptr<QTemporaryDir> Folder;
    QStringList Files; // the language files the shipped settings offer

    QString Path(const QString& name) const { return Folder->filePath(name); }

    bool CopyShipped(const QString& name) const {
        return QFile::copy(QStringLiteral(ZP_LANGUAGE_FILES "/") + name, Path(name));
    }

    // A program started in a folder holding the shipped settings and every language file they
    // offer, with the language chosen.
    std::unique_ptr<TfMaindb> Start(int languageId) {
        Folder = std::make_unique<QTemporaryDir>();
        const QString settingsName = QStringLiteral("SysInfo.Ini");
        if (!CopyShipped(settingsName)) return nullptr;
        TIniFile settings(Path(settingsName));
        const QString section = QStringLiteral("SysInfo");
        Files.clear();
        for (const QString& language :
             SplitNameList(settings.ReadString(section, QStringLiteral("Language"), QString())))
            Files << language + QStringLiteral(".Ini");
        for (const QString& name : Files)
            if (!CopyShipped(name)) return nullptr;
        settings.WriteString(section, QStringLiteral("Language_ID"), QString::number(languageId));
        if (!settings.UpdateFile()) return nullptr;
        return std::make_unique<TfMaindb>(Folder->path() + QLatin1Char('/'));
    }

    static std::set<int> AllCommands() {
        std::set<int> commands(TCommandTable::TreeCommands().begin(),
                               TCommandTable::TreeCommands().end());
        for (const TMenuDef& menu : TCommandTable::Menus())
            for (const TMenuItemDef& item : menu.Items)
                if (item.Name) commands.insert(item.Command);
        for (const TToolButtonDef& button : TCommandTable::ToolButtons())
            commands.insert(button.Command);
        return commands;
    }

    // Runs a command with every question answered No, every file dialog cancelled and the
    // dialog it opens closed at once; returns the dialog's window name, if one opened.
    static QString RunQuietly(TfMainFrm& frm, int command) {
        QString dialogName;
        TModalDialog::QueueDriver([&](QDialog& dialog) { dialogName = dialog.objectName(); });
        TFileDialog::QueueFileName(QString());
        for (int i = 0; i < 3; ++i)
            TMessageBoxSeam::QueueAnswer(MessageResult::No);
        frm.RunCommand(command);
        QCoreApplication::processEvents();
        TModalDialog::Reset();
        TFileDialog::Reset();
        TMessageBoxSeam::Reset();
        return dialogName;
    }

    static QStringList MissingKeys(const QString& fileName, const std::set<TKey>& keys) {
        static const QString Missing = QStringLiteral("\x01");
        const TIniFile ini(fileName);
        QStringList missing;
        for (const TKey& key : keys)
            if (ini.ReadString(key.first, key.second, Missing) == Missing)
                missing << QStringLiteral("[%1] %2").arg(key.first, key.second);
        return missing;
    }

    static void ChooseLanguage(TfMainFrm& frm, int index, QStringList* shownNames) {
        TModalDialog::QueueDriver([=](QDialog& dialog) {
            for (int i = 0; i < 2; ++i)
                *shownNames
                    << dialog.findChild<QRadioButton*>(QStringLiteral("cxLang%1").arg(i))->text();
            dialog.findChild<QRadioButton*>(QStringLiteral("cxLang%1").arg(index))
                ->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("btnOk"))->click();
        });
        frm.RunCommand(32);
    }

    // Every menu and menu item of the main window shows its text of the language file.
    void CheckMenus(const TfMainFrm& frm, const QString& fileName) const {
        const TIniFile ini(Path(fileName));
        const QString section = frm.objectName();
        auto expect = [&](const char* name, const QString& shown) {
            const QString key = QString::fromLatin1(name) + QStringLiteral(".Caption");
            QCOMPARE(shown, ini.ReadString(section, key, QString()));
        };
        for (const TMenuDef& menu : TCommandTable::Menus()) {
            expect(menu.Name, frm.findChild<QMenu*>(QString::fromLatin1(menu.Name))->title());
            for (const TMenuItemDef& item : menu.Items)
                if (item.Name)
                    expect(item.Name,
                           frm.findChild<QAction*>(QString::fromLatin1(item.Name))->text());
        }
    }

private slots:
    void cleanup() {
        SetTranslationRecorder(nullptr);
        TModalDialog::Reset();
        TFileDialog::Reset();
        TMessageBoxSeam::Reset();
        Folder.reset();
    }

    // The windows are walked as the user meets them: the main window with its grid, then every
    // command, each opening its dialog or editor. Every lookup of a control that has a text to
    // lose is recorded, so a window added later without its texts in both files fails here.
    void everyLookupIsShipped() {
        std::unique_ptr<TfMaindb> db = Start(1);
        QVERIFY(db);
        std::set<TKey> lookups;
        QSet<QString> translatedWindows;
        SetTranslationRecorder(
            [&](const QString& section, const QString& key, const QString& current) {
                translatedWindows.insert(section);
                if (!current.isEmpty()) lookups.insert({section, key});
            });
        TFakeLinkClock clock;
        TFakeLinkPort port(clock);
        TfMainFrm frm(*db);
        frm.RadioLink = {&port, &clock};
        frm.show();
        QCoreApplication::processEvents();

        QSet<QString> windows = {frm.objectName()};
        for (int command : AllCommands()) {
            if (!TfMainFrm::CommandAvailable(command)) continue;
            const QString dialog = RunQuietly(frm, command);
            if (!dialog.isEmpty()) windows.insert(dialog);
            for (const QMdiSubWindow* child : frm.findChildren<QMdiSubWindow*>())
                windows.insert(child->widget()->objectName());
        }
        SetTranslationRecorder(nullptr);
        for (const QString& window : windows)
            QVERIFY2(translatedWindows.contains(window), qPrintable(window + " is not translated"));
        // The walk reached the windows of today: main window, grid and seven dialogs.
        QVERIFY(windows.size() >= 9);

        for (int i = 0; i < TLanguage::MessageCount; ++i)
            lookups.insert(
                {QStringLiteral("Language"), QString::fromUtf8(TLanguage::Messages[i].key)});
        // The radio information the command-line tool prints.
        for (const TRadioInfo::TLine& line : TRadioInfo(db->All).Lines)
            lookups.insert({QString::fromLatin1(TRadioInfo::FormName),
                            line.Label + QStringLiteral(".Caption")});
        // The printout's texts, which the program and the command-line tool share.
        for (const TPrintTexts::TText& text : TPrintTexts::Texts)
            lookups.insert(
                {QString::fromLatin1(TPrintTexts::FormName), QString::fromLatin1(text.Key)});

        QVERIFY(Files.contains("English.Ini") && Files.contains("Chinese.Ini"));
        for (const QString& file : Files) {
            const QStringList missing = MissingKeys(Path(file), lookups);
            QVERIFY2(missing.isEmpty(), qPrintable(file + " lacks " + missing.join(", ")));
        }
    }

    void messagesAndAboutBox_data() {
        QTest::addColumn<int>("languageId");
        QTest::newRow("English") << 0;
        QTest::newRow("Chinese") << 1;
    }

    // The about box tells the product, its version and nothing left over from the design; the
    // Chinese file leaves no message in English.
    void messagesAndAboutBox() {
        QFETCH(int, languageId);
        std::unique_ptr<TfMaindb> db = Start(languageId);
        QVERIFY(db);
        TfFrmAbout box(*db);
        box.show();
        QStringList lines;
        for (int i = 1; i <= 9; ++i) {
            const QString line =
                box.findChild<QLabel*>(QStringLiteral("lStr%1").arg(i))->text().trimmed();
            QVERIFY2(line != QString::number(i), qPrintable(QStringLiteral("line %1").arg(i)));
            lines << line;
        }
        QVERIFY(lines[0].contains(db->All.DisplayName));
        QVERIFY(lines.join('\n').contains(QStringLiteral(ZP_VERSION)));

        const TLanguage builtIn;
        for (int i = 0; i < TLanguage::MessageCount; ++i) {
            const TLanguage::TMessage& message = TLanguage::Messages[i];
            const QString text = db->Language.*message.text;
            QVERIFY2(!text.trimmed().isEmpty(), message.key);
            if (languageId == 1) QVERIFY2(text != builtIn.*message.text, message.key);
        }
    }

    void chineseSwitchesTheMainWindow() {
        std::unique_ptr<TfMaindb> db = Start(0);
        QVERIFY(db);
        TfMainFrm frm(*db);
        frm.show();
        QCoreApplication::processEvents();
        QCOMPARE(frm.findChild<QMenu*>(QStringLiteral("nFile"))->title(), QStringLiteral("&File"));

        QStringList englishNames;
        ChooseLanguage(frm, 1, &englishNames);
        QCOMPARE(db->All.LanguageName, QStringLiteral("Chinese"));
        CheckMenus(frm, QStringLiteral("Chinese.Ini"));
        QVERIFY(frm.findChild<QMenu*>(QStringLiteral("nFile"))->title() != "&File");

        QStringList chineseNames;
        ChooseLanguage(frm, 0, &chineseNames);
        QCOMPARE(db->All.LanguageName, QStringLiteral("English"));
        CheckMenus(frm, QStringLiteral("English.Ini"));
        QCOMPARE(frm.findChild<QMenu*>(QStringLiteral("nFile"))->title(), QStringLiteral("&File"));
        // Each language names the languages in its own words.
        QCOMPARE(englishNames, QStringList({"English", "Chinese"}));
        QCOMPARE(chineseNames, ReadNameList(db->All, QStringLiteral("Chinese")));
        QVERIFY(chineseNames != englishNames);
    }
};

QTEST_MAIN(TstLanguageFiles)
#include "tst_languagefiles.moc"
