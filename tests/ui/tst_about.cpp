#include "ui/about/FrmAbout.h"
#include "core/Maindb.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

// The about box: its lines come from the language file on every showing, its height follows
// the last non-blank line, its caption is the product's name, and any click closes it.
class TstAbout : public QObject {
    Q_OBJECT

    static void WriteFile(const QTemporaryDir& folder, const QString& name,
                          const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QLabel* Line(QWidget& box, int number) {
        return box.findChild<QLabel*>(QStringLiteral("lStr%1").arg(number));
    }

private slots:
    void heightEndsBelowTheLastLine_data() {
        QTest::addColumn<QByteArray>("section"); // empty: no language file
        QTest::addColumn<int>("lastLine");
        QTest::newRow("lines 6 to 9 empty")
            << QByteArray("lStr1.Caption=ZP-407NE\nlStr5.Caption=V1.0\nlStr6.Caption=\n"
                          "lStr7.Caption=\nlStr8.Caption=\nlStr9.Caption=\n")
            << 5;
        QTest::newRow("only line 8 written")
            << QByteArray("lStr6.Caption=   \nlStr7.Caption=\nlStr8.Caption=Tel 123\n"
                          "lStr9.Caption=\n")
            << 8;
        QTest::newRow("no language file: the built-in lines") << QByteArray() << 9;
    }
    void heightEndsBelowTheLastLine() {
        QFETCH(QByteArray, section);
        QFETCH(int, lastLine);
        QTemporaryDir folder;
        WriteFile(folder, QStringLiteral("SysInfo.Ini"), "[SysInfo]\nLanguage_ID=1\n");
        if (!section.isEmpty())
            WriteFile(folder, QStringLiteral("Chinese.Ini"), "[fFrmAbout]\n" + section);
        TfMaindb db(folder.path() + QLatin1Char('/'));
        QCOMPARE(db.All.LanguageName, QStringLiteral("Chinese"));
        TfFrmAbout box(db);
        box.show();
        const QLabel* last = Line(box, lastLine);
        QCOMPARE(box.height(), last->y() + last->height() + 55);
        if (lastLine == 5) QCOMPARE(box.height(), 118 + last->height() + 55);
        QCOMPARE(box.width(), 442);
    }

    // Even with the first language the box reads its language file, on every showing.
    void linesTranslatedButCaptionIsTheProductName() {
        QTemporaryDir folder;
        WriteFile(folder, QStringLiteral("English.Ini"),
                  "[fFrmAbout]\nfFrmAbout.Caption=About\nlStr1.Caption=Two-way radio\n");
        TfMaindb db(folder.path() + QLatin1Char('/'));
        QCOMPARE(db.All.LanguageIndex, 0);
        TfFrmAbout box(db);
        box.show();
        QCOMPARE(box.windowTitle(), QStringLiteral("ZP-407NE"));
        QCOMPARE(Line(box, 1)->text(), QStringLiteral("Two-way radio"));
        QCOMPARE(Line(box, 2)->text(), QStringLiteral("2"));
        QVERIFY(!box.findChild<QLabel*>(QStringLiteral("ImApp"))->pixmap().isNull());

        box.hide();
        WriteFile(folder, QStringLiteral("English.Ini"), "[fFrmAbout]\nlStr2.Caption=Second\n");
        box.show();
        QCOMPARE(Line(box, 2)->text(), QStringLiteral("Second"));
    }

    void anyMousePressCloses_data() {
        QTest::addColumn<QString>("target"); // empty: the form itself
        QTest::addColumn<int>("button");
        QTest::newRow("left on a label") << QStringLiteral("lStr3") << int(Qt::LeftButton);
        QTest::newRow("right on a label") << QStringLiteral("lStr9") << int(Qt::RightButton);
        QTest::newRow("left on the form") << QString() << int(Qt::LeftButton);
    }
    void anyMousePressCloses() {
        QFETCH(QString, target);
        QFETCH(int, button);
        QTemporaryDir folder;
        TfMaindb db(folder.path() + QLatin1Char('/'));
        TfFrmAbout box(db);
        box.show();
        QWidget* widget = target.isEmpty() ? &box : box.findChild<QWidget*>(target);
        const QPoint where = target.isEmpty() ? QPoint(10, 200) : QPoint(2, 2);
        QTest::mousePress(widget, Qt::MouseButton(button), {}, where);
        QVERIFY(!box.isVisible());
    }
};

QTEST_MAIN(TstAbout)
#include "tst_about.moc"
