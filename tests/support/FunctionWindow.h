#pragma once

#include "core/Codecs.h"
#include "core/Maindb.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// A function editor of type W on a fresh image of the built-in model, opened as the user meets
// it and driven through its widgets.
template <class W> class TFunctionWindow {
public:
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    std::unique_ptr<W> Window;

    TFunctionWindow() {
        Db.BuildStartImage();
        Db.NewImage();
    }

    uint8_t& Option(int n) { return OptionByte(Db.All, n); }

    // Shows a fresh window that reads the image; the image counts as unmodified before.
    bool Open() {
        Window = std::make_unique<W>(Db);
        Db.Document.SetModified(false);
        Window->show();
        Window->activateWindow();
        return QTest::qWaitForWindowActive(Window.get());
    }

    template <class T = QWidget> T* Find(const char* name) const {
        return Window->template findChild<T*>(QLatin1String(name));
    }
    QComboBox* Box(const char* name) const { return Find<QComboBox>(name); }
    QLineEdit* Edit(const char* name) const { return Find<QLineEdit>(name); }

    // Picks a list's item with the keyboard, as a user does.
    void Choose(const char* name, int item) {
        QComboBox* box = Box(name);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(box->currentIndex(), item);
    }

    // Clicks a check box on its indicator.
    template <class T> void Click(T* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    // Replaces a box's whole text by typing.
    void Type(const char* name, const QString& keys, bool enter = true) {
        QLineEdit* edit = Edit(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, keys);
        if (enter) QTest::keyClick(edit, Qt::Key_Return);
    }

    // Replaces a box's whole text by pasting.
    void Paste(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->setFocus();
        edit->selectAll();
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }

    // A table of list cases: a list, the option byte it lives in, a stored byte, the text the
    // list shows for it, the item then chosen (-1: an item of another list) and the byte saved.
    static void ListColumns() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<int>("saved");
    }

    // Runs the current case of such a table on a fresh window; otherList is changed for -1.
    static void ListCase(const char* otherList) {
        QFETCH(QString, name);
        QFETCH(int, option);
        QFETCH(int, stored);
        QFETCH(QString, shown);
        QFETCH(int, chosen);
        QFETCH(int, saved);
        TFunctionWindow w;
        w.Option(option) = uint8_t(stored);
        QVERIFY(w.Open());
        QCOMPARE(w.Box(qPrintable(name))->currentText(), shown);
        QVERIFY(!w.Db.Document.Modified()); // showing writes nothing
        if (chosen < 0)
            w.Choose(otherList, 1);
        else
            w.Choose(qPrintable(name), chosen);
        QCOMPARE(int(w.Option(option)), saved);
        QVERIFY(w.Db.Document.Modified());
    }

    QByteArray Bytes(int from, int count) const {
        return QByteArray(reinterpret_cast<const char*>(&Db.All.Image[from]), count);
    }
    QByteArray Options(int n, int count) const { return Bytes(Addr::OptionArea + n, count); }
};
