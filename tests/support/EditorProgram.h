#pragma once

#include "core/ChannelRecord.h"
#include "core/Maindb.h"
#include "ui/main/MainFrm.h"
#include "widgets/ModalDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The program's main window on a fresh folder, with its channel grid, for tests that open an
// editor window by its command and drive it through its widgets.
class TEditorProgram {
public:
    QTemporaryDir Folder;
    TfMaindb Db{Folder.path() + QLatin1Char('/')};
    std::unique_ptr<TfMainFrm> Frm;

    TEditorProgram() {
        Frm = std::make_unique<TfMainFrm>(Db);
        Frm->resize(1400, 900);
        Frm->show();
        QCoreApplication::processEvents();
    }

    // A channel made before the editors open; the image counts as saved.
    void Make(int k, const char* rx) {
        NewChannel(Db.All, k, QLatin1String(rx));
        Db.Document.Replace(true);
    }

    // Runs a menu item's or toolbar button's action.
    void Trigger(const char* action) {
        Frm->findChild<QAction*>(QLatin1String(action))->trigger();
        QCoreApplication::processEvents();
    }

    // Replaces a text field's (or an editable box's) text by typing and presses Enter.
    static void Type(QWidget* field, const QString& keys) {
        field->setFocus();
        QLineEdit* edit = qobject_cast<QLineEdit*>(field);
        if (!edit) edit = qobject_cast<QComboBox*>(field)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QTableWidget* Grid() const { return Frm->findChild<QTableWidget*>(QStringLiteral("gvChs")); }
    int Column(int code) const {
        for (int column = 0; column < Grid()->columnCount(); ++column)
            if (Grid()->horizontalHeaderItem(column)->data(Qt::UserRole).toInt() == code)
                return column;
        return -1;
    }
    QString GridText(int k, int code) const { return Grid()->item(k - 1, Column(code))->text(); }

    // What record k holds; RxFreq -1 for an empty channel.
    TChannel Stored(int k) {
        TChannel channel;
        channel.RxFreq = -1.0;
        ReadChannel(Db.All, k, channel);
        return channel;
    }
};

// Double-clicks as a user does: a click, then the second press the system reports as one.
inline void DoubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
}

// Queues a user of the tone picker who double-clicks a cell of the table chosen by radio.
inline void QueueTonePick(const char* radio, int row, int column) {
    TModalDialog::QueueDriver([=](QDialog& dialog) {
        dialog.findChild<QRadioButton*>(QLatin1String(radio))->click();
        for (QTableWidget* table : dialog.findChildren<QTableWidget*>())
            if (table->isVisible())
                DoubleClick(table->viewport(),
                            table->visualRect(table->model()->index(row, column)).center());
    });
}
