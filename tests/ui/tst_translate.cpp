#include "core/All.h"
#include "ui/setup/SetLanguage.h"
#include "widgets/TranslateForm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>

// Window translation from the language file, and the language dialog.
class TstTranslate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void translatesOnlyWhenAsked_data();
    void translatesOnlyWhenAsked();
    void translatesEveryKind();
    void listTags();
    void comboBoxKeepsSelection();
    void fileEncodings_data();
    void fileEncodings();

    void dialogShowsDefaultLists_data();
    void dialogShowsDefaultLists();
    void dialogChoice_data();
    void dialogChoice();
    void dialogShownNameWithoutFile();
    void dialogCaptionsFromShownNames();

private:
    std::unique_ptr<QTemporaryDir> Dir;
    TALL All;
    std::unique_ptr<QWidget> Form;

    void WriteFile(const QString& name, const QByteArray& bytes);
    void BuildForm();
    template <class T> T* Find(const QString& name) const { return Form->findChild<T*>(name); }
    QRadioButton* Radio(const TfSetLanguage& dialog, int i) const {
        return dialog.findChild<QRadioButton*>(QStringLiteral("cxLang%1").arg(i));
    }
};

// A window with one control of each translated kind; Deutsch.Ini translates most of them.
const QByteArray GermanFile = "[fOther]\n"
                              "lName.Caption=wrong section\n"
                              "[fTest]\n"
                              "fTest.Caption=Testformular\n"
                              "lName.Caption=Name DE\n"
                              "btnOk.Caption=\n"
                              "cxBeep.Caption=Piepton\n"
                              "cxWide.Caption=Breit\n"
                              "cxBox.Caption=Kasten\n"
                              "tsTwo.Caption=Zwei\n"
                              "cxAll.0=Aus\n"
                              "cxAll.1=Ein\n"
                              "cxFirst.0=Aus\n"
                              "cxFirst.1=eins\n"
                              "cxNone.0=X\n"
                              "lbAll.0=A\n"
                              "lbAll.1=B\n"
                              "lbNone.0=Y\n"
                              "vlInfo.1=Wert 1\n"
                              "vlInfo.2=Wert 2\n"
                              "N1.Caption=&Datei\n"
                              "nNew.Caption=&Neu\n"
                              "nNew.Hint=Neue Datei\n"
                              "tbPlain.Caption=Schlicht\n"
                              "tbPlain.Hint=Schlichter Hinweis\n";

void TstTranslate::init() {
    Dir = std::make_unique<QTemporaryDir>();
    All = TALL();
    All.ProgramFolder = Dir->path() + QLatin1Char('/');
    All.LanguageIndex = 1;
    All.LanguageName = QStringLiteral("Deutsch");
    All.LanguageMenuVisible = true;
    WriteFile("Deutsch.Ini", GermanFile);
    BuildForm();
}

void TstTranslate::cleanup() {
    Form.reset();
    Dir.reset();
}

void TstTranslate::WriteFile(const QString& name, const QByteArray& bytes) {
    QFile file(Dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

template <class T> T* Named(const QString& name, T* component) {
    component->setObjectName(name);
    return component;
}

QComboBox* Combo(const QString& name, int tag, const QStringList& items, QWidget* parent) {
    auto* combo = Named(name, new QComboBox(parent));
    combo->setProperty("tag", tag);
    combo->addItems(items);
    return combo;
}

QListWidget* List(const QString& name, int tag, const QStringList& items, QWidget* parent) {
    auto* list = Named(name, new QListWidget(parent));
    list->setProperty("tag", tag);
    list->addItems(items);
    return list;
}

void TstTranslate::BuildForm() {
    Form = std::make_unique<QWidget>();
    QWidget* form = Form.get();
    form->setObjectName("fTest");
    form->setWindowTitle("Test form");
    Named("lName", new QLabel("Name", form));
    Named("btnOk", new QPushButton("&Ok", form));
    Named("cxBeep", new QCheckBox("Beep", form));
    Named("cxWide", new QRadioButton("Wide", form));
    Named("cxBox", new QGroupBox("Box", form));
    auto* tabs = Named("pcPages", new QTabWidget(form));
    tabs->addTab(Named("tsOne", new QWidget), "One");
    tabs->addTab(Named("tsTwo", new QWidget), "Two");
    Combo("cxAll", 0, {"Off", "On", "Auto"}, form);
    Combo("cxFirst", -3, {"Off", "1", "2"}, form);
    Combo("cxNone", -2, {"COM1", "COM2"}, form);
    List("lbAll", 0, {"a", "b"}, form);
    List("lbNone", -2, {"x"}, form);

    auto* values = Named("vlInfo", new QTableWidget(3, 2, form));
    values->setProperty("valueList", true);
    values->setItem(0, 1, new QTableWidgetItem("v1"));
    values->setItem(2, 1, new QTableWidgetItem("v3"));

    auto* menu = Named("N1", new QMenu("&File", form));
    auto* action = Named("nNew", menu->addAction("&New"));
    action->setStatusTip("New file");
    auto* plain = Named("tbPlain", new QToolButton(form));
    plain->setText("Plain");
    plain->setToolTip("Plain hint");
    auto* shared = Named("tbNew", new QToolButton(form));
    shared->setDefaultAction(action);
}

void TstTranslate::translatesOnlyWhenAsked_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("force");
    QTest::addColumn<bool>("translated");
    QTest::newRow("first language keeps the built-in texts") << 0 << false << false;
    QTest::newRow("first language, forced") << 0 << true << true;
    QTest::newRow("second language") << 1 << false << true;
}

void TstTranslate::translatesOnlyWhenAsked() {
    QFETCH(int, index);
    QFETCH(bool, force);
    QFETCH(bool, translated);
    All.LanguageIndex = index;
    QCOMPARE(TranslateForm(Form.get(), All, force), translated);
    QCOMPARE(Form->windowTitle(), translated ? "Testformular" : "Test form");
    QCOMPARE(Find<QLabel>("lName")->text(), translated ? "Name DE" : "Name");
}

void TstTranslate::translatesEveryKind() {
    QVERIFY(TranslateForm(Form.get(), All, false));
    QCOMPARE(Form->windowTitle(), QString("Testformular"));
    QCOMPARE(Find<QLabel>("lName")->text(), QString("Name DE"));
    QCOMPARE(Find<QPushButton>("btnOk")->text(), QString("")); // present but empty
    QCOMPARE(Find<QCheckBox>("cxBeep")->text(), QString("Piepton"));
    QCOMPARE(Find<QRadioButton>("cxWide")->text(), QString("Breit"));
    QCOMPARE(Find<QGroupBox>("cxBox")->title(), QString("Kasten"));

    const auto* tabs = Find<QTabWidget>("pcPages");
    QCOMPARE(tabs->tabText(0), QString("One")); // no key
    QCOMPARE(tabs->tabText(1), QString("Zwei"));

    const auto* values = Find<QTableWidget>("vlInfo");
    QCOMPARE(values->item(0, 1)->text(), QString("Wert 1"));
    QVERIFY(values->item(1, 1));
    QCOMPARE(values->item(1, 1)->text(), QString("Wert 2"));
    QCOMPARE(values->item(2, 1)->text(), QString("v3"));
    QVERIFY(!values->item(0, 0)); // the key column stays

    QCOMPARE(Find<QMenu>("N1")->title(), QString("&Datei"));
    const auto* action = Find<QAction>("nNew");
    QCOMPARE(action->text(), QString("&Neu"));
    QCOMPARE(action->statusTip(), QString("Neue Datei"));
    QCOMPARE(action->toolTip(), QString("Neue Datei"));
    QCOMPARE(Find<QToolButton>("tbNew")->text(), QString("Neu")); // shows the action
    QCOMPARE(Find<QToolButton>("tbPlain")->text(), QString("Schlicht"));
    QCOMPARE(Find<QToolButton>("tbPlain")->toolTip(), QString("Schlichter Hinweis"));
}

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList Items(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

void TstTranslate::listTags() {
    QVERIFY(TranslateForm(Form.get(), All, false));
    QCOMPARE(Items(Find<QComboBox>("cxAll")), QStringList({"Aus", "Ein", "Auto"}));
    QCOMPARE(Items(Find<QComboBox>("cxFirst")), QStringList({"Aus", "1", "2"}));
    QCOMPARE(Items(Find<QComboBox>("cxNone")), QStringList({"COM1", "COM2"}));
    QCOMPARE(Items(Find<QListWidget>("lbAll")), QStringList({"A", "B"}));
    QCOMPARE(Items(Find<QListWidget>("lbNone")), QStringList({"x"}));
}

void TstTranslate::comboBoxKeepsSelection() {
    auto* combo = Find<QComboBox>("cxAll");
    combo->setCurrentIndex(1);
    QSignalSpy indexChanges(combo, &QComboBox::currentIndexChanged);
    QSignalSpy textChanges(combo, &QComboBox::currentTextChanged);
    QVERIFY(TranslateForm(Form.get(), All, false));
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(combo->currentText(), QString("Ein"));
    QCOMPARE(indexChanges.count(), 0); // no change handler takes it for the user's choice
    QCOMPARE(textChanges.count(), 0);
}

void TstTranslate::fileEncodings_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("caption");
    const QString chinese = QString::fromUtf8("\xE4\xB8\xAD\xE6\x96\x87\xE5\x90\x8D\xE7\xA7\xB0");
    const QString text = "[fTest]\r\nlName.Caption=" + chinese + "\r\n";
    QTest::newRow("UTF-8 with BOM") << "\xEF\xBB\xBF" + text.toUtf8() << chinese;
    QTest::newRow("UTF-8 without BOM") << text.toUtf8() << chinese;
    QByteArray gb18030 = QStringEncoder("GB18030").encode(text);
    QVERIFY(gb18030 != text.toUtf8());
    QTest::newRow("GB18030") << gb18030 << chinese;
    QTest::newRow("Latin-1") << QByteArray("[fTest]\nlName.Caption=Gr\xFC\xDF\x65\n")
                             << QString::fromUtf8("Gr\xC3\xBC\xC3\x9F\x65");
}

void TstTranslate::fileEncodings() {
    QFETCH(QByteArray, file);
    QFETCH(QString, caption);
    WriteFile("Deutsch.Ini", file);
    QVERIFY(TranslateForm(Form.get(), All, false));
    QCOMPARE(Find<QLabel>("lName")->text(), caption);
}

void TstTranslate::dialogShowsDefaultLists_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("checked"); // -1: none
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("second") << 1 << 1;
    QTest::newRow("beyond the buttons") << 3 << -1;
}

void TstTranslate::dialogShowsDefaultLists() {
    QFETCH(int, index);
    QFETCH(int, checked);
    All.LanguageIndex = index;
    All.LanguageName = "English"; // no English.Ini: built-in texts
    TfSetLanguage dialog(All);
    QCOMPARE(dialog.objectName(), QString("fSetLanguage"));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Language File Setup"));
    const QStringList captions = {"English", "Chinese", ""};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(Radio(dialog, i)->isVisible(), i < 2);
        QCOMPARE(Radio(dialog, i)->text(), captions[i]);
        QCOMPARE(Radio(dialog, i)->isChecked(), i == checked);
    }
    QVERIFY(!dialog.Changed());
}

void TstTranslate::dialogChoice_data() {
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("changed");
    QTest::newRow("another language") << 1 << "btnOk" << true;
    QTest::newRow("the same language") << 0 << "btnOk" << false;
    QTest::newRow("cancelled") << 1 << "btnCancel" << false;
}

void TstTranslate::dialogChoice() {
    QFETCH(int, choice);
    QFETCH(QString, button);
    QFETCH(bool, changed);
    All.LanguageIndex = 0;
    All.LanguageName = "English";
    TfSetLanguage dialog(All);
    dialog.show();
    Radio(dialog, choice)->click();
    QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Changed(), changed);
    QCOMPARE(All.LanguageIndex, changed ? 1 : 0);
    QCOMPARE(All.LanguageName, changed ? "Chinese" : "English");
}

void TstTranslate::dialogShownNameWithoutFile() {
    WriteFile("SysInfo.Ini",
              "[SysInfo]\nLanguage=English|Chinese\nEnglish=English|Chinese|Deutsch\n");
    All.LanguageIndex = 0;
    All.LanguageName = "English";
    TfSetLanguage dialog(All);
    dialog.show();
    QRadioButton* third = Radio(dialog, 2);
    QVERIFY(third->isVisible());
    QCOMPARE(third->text(), QString("Deutsch"));
    QVERIFY(!third->isEnabled());
    third->setChecked(true); // even when chosen, OK keeps the language
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
    QVERIFY(!dialog.Changed());
    QCOMPARE(All.LanguageIndex, 0);
    QCOMPARE(All.LanguageName, QString("English"));
}

void TstTranslate::dialogCaptionsFromShownNames() {
    WriteFile("SysInfo.Ini", "[SysInfo]\nDeutsch=Englisch|Chinesisch\n");
    WriteFile("Deutsch.Ini", "[fSetLanguage]\n"
                             "fSetLanguage.Caption=Sprache einstellen\n"
                             "cxSels.Caption=Sprache\n"
                             "cxLang0.Caption=wrong\n"
                             "btnOk.Caption=&OK\n");
    TfSetLanguage dialog(All);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Sprache einstellen"));
    QCOMPARE(dialog.findChild<QGroupBox*>("cxSels")->title(), QString("Sprache"));
    QCOMPARE(dialog.findChild<QPushButton*>("btnOk")->text(), QString("&OK"));
    QCOMPARE(Radio(dialog, 0)->text(), QString("Englisch"));
    QCOMPARE(Radio(dialog, 1)->text(), QString("Chinesisch"));
    QVERIFY(Radio(dialog, 1)->isChecked());
}

QTEST_MAIN(TstTranslate)
#include "tst_translate.moc"
