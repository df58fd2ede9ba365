#include "core/Codecs.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "ui/setup/Model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

// The model information dialog: the bands it shows from the image, the silent corrections of
// typed band edges, and what OK and Cancel store.
class TstModel : public QObject {
    Q_OBJECT

    // A program folder with the image of a fresh start, whose first two bands carry ranges of
    // their own (the model's defaults would be 400-480 and 136-174).
    struct TFixture {
        QTemporaryDir Folder;
        TfMaindb Db{Folder.path() + QLatin1Char('/')};
        TFixture() {
            Db.BuildStartImage();
            Db.NewImage();
            SetImageBand(0, 410.0, 470.0);
            SetImageBand(1, 140.0, 170.0);
            Db.All.Image[Addr::BandEnable] = 0x05;
        }
        void SetImageBand(int band, double low, double high) {
            PutU32(&Db.All.Image[Addr::BandLimits + 8 * band], uint32_t(low * 100000 + 0.5));
            PutU32(&Db.All.Image[Addr::BandLimits + 8 * band + 4], uint32_t(high * 100000 + 0.5));
        }
    };

    template <class T> static T* Child(QWidget& dialog, const QString& name) {
        T* child = dialog.findChild<T*>(name);
        if (!child) qFatal("no control %s", qPrintable(name));
        return child;
    }
    static QLineEdit* Edge(QWidget& dialog, int row, char side) {
        return Child<QLineEdit>(dialog, QStringLiteral("cxFreq_%1%2").arg(row).arg(side));
    }
    static QCheckBox* Use(QWidget& dialog, int row) {
        return Child<QCheckBox>(dialog, QStringLiteral("cxUse_%1").arg(row));
    }
    // Types a value into an edge edit the way a user does and leaves the edit with Tab.
    static void TypeEdge(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!edit->hasFocus());
    }
    static void Show(QDialog& dialog) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    static void Click(QWidget& dialog, const QString& name) {
        QTest::mouseClick(Child<QWidget>(dialog, name), Qt::LeftButton);
    }

private slots:
    void init() { TMessageBoxSeam::Reset(); }

    void showsTheImageBands() {
        TFixture f;
        TfModel dialog(f.Db);
        dialog.show();
        QCOMPARE(Child<QComboBox>(dialog, QStringLiteral("cxModel"))->currentText(),
                 QStringLiteral("ZP-407NE"));
        const QStringList ranges[] = {{"410.00000", "470.00000"},
                                      {"140.00000", "170.00000"},
                                      {"245.00000", "246.00000"},
                                      {"350.00000", "400.00000"}};
        for (int row = 1; row <= 4; ++row) {
            const bool used = row <= 2;
            QCOMPARE(Child<QLabel>(dialog, QStringLiteral("lFreq_%1").arg(row))->text(),
                     QStringLiteral("Freq. Rang%1").arg(row));
            QVERIFY(Use(dialog, row)->isVisible());
            QCOMPARE(Use(dialog, row)->isChecked(), used);
            QCOMPARE(Edge(dialog, row, 'L')->isEnabled(), used);
            QCOMPARE(Edge(dialog, row, 'H')->isEnabled(), used);
            QCOMPARE(Edge(dialog, row, 'L')->text(), ranges[row - 1][0]);
            QCOMPARE(Edge(dialog, row, 'H')->text(), ranges[row - 1][1]);
            QVERIFY(!Child<QRadioButton>(dialog, QStringLiteral("cxSel_%1").arg(row))->isVisible());
        }
        // The hints: the band's limits on its edits, its initial range on its caption.
        QCOMPARE(Edge(dialog, 2, 'L')->toolTip(), QStringLiteral("134.00000"));
        QCOMPARE(Edge(dialog, 2, 'H')->toolTip(), QStringLiteral("176.00000"));
        QCOMPARE(Child<QLabel>(dialog, QStringLiteral("lFreq_3"))->toolTip(),
                 QStringLiteral("245.00000-246.00000"));
    }

    void rowCaptionsFollowTheTranslatedRangeText() {
        TFixture f;
        f.Db.All.LanguageIndex = 1;
        f.Db.All.LanguageName = QStringLiteral("Chinese");
        QFile file(f.Folder.filePath(QStringLiteral("Chinese.Ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[fModel]\nlRang.Caption=Band \n");
        file.close();
        TfModel dialog(f.Db);
        dialog.show();
        // Values come back trimmed of surrounding blanks.
        QCOMPARE(Child<QLabel>(dialog, QStringLiteral("lFreq_4"))->text(), QStringLiteral("Band4"));
    }

    void typedEdgesAreCorrected_data() {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        // Band 1 has the limits 400-520 and shows 410-470.
        QTest::newRow("upper above the limit") << "cxFreq_1H"
                                               << "530"
                                               << "410.00000"
                                               << "520.00000";
        QTest::newRow("lower below the limit") << "cxFreq_1L"
                                               << "390"
                                               << "400.00000"
                                               << "470.00000";
        QTest::newRow("half a step rounds up") << "cxFreq_1L"
                                               << "400.0013"
                                               << "400.00250"
                                               << "470.00000";
        QTest::newRow("less than half rounds down") << "cxFreq_1L"
                                                    << "400.00124"
                                                    << "400.00000"
                                                    << "470.00000";
        QTest::newRow("lower above upper") << "cxFreq_1L"
                                           << "475"
                                           << "470.00000"
                                           << "470.00000";
        QTest::newRow("upper below lower") << "cxFreq_1H"
                                           << "405"
                                           << "410.00000"
                                           << "410.00000";
        QTest::newRow("empty lower") << "cxFreq_1L"
                                     << ""
                                     << "400.00000"
                                     << "470.00000";
        QTest::newRow("empty upper") << "cxFreq_1H"
                                     << ""
                                     << "410.00000"
                                     << "520.00000";
        QTest::newRow("comma typed") << "cxFreq_1L"
                                     << "450,5"
                                     << "450.50000"
                                     << "470.00000";
        QTest::newRow("letters refused") << "cxFreq_1L"
                                         << "4a2b0"
                                         << "420.00000"
                                         << "470.00000";
    }
    void typedEdgesAreCorrected() {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QFETCH(QString, low);
        QFETCH(QString, high);
        TFixture f;
        TfModel dialog(f.Db);
        Show(dialog);
        TypeEdge(Child<QLineEdit>(dialog, edit), typed);
        QVERIFY(dialog.isVisible());
        QCOMPARE(Edge(dialog, 1, 'L')->text(), low);
        QCOMPARE(Edge(dialog, 1, 'H')->text(), high);
    }

    void uncheckingRestoresTheInitialRange() {
        TFixture f;
        TfModel dialog(f.Db);
        dialog.show();
        Click(dialog, QStringLiteral("cxUse_2"));
        QVERIFY(!Edge(dialog, 2, 'L')->isEnabled());
        QCOMPARE(Edge(dialog, 2, 'L')->text(), QStringLiteral("136.00000"));
        QCOMPARE(Edge(dialog, 2, 'H')->text(), QStringLiteral("174.00000"));
        Click(dialog, QStringLiteral("cxUse_3"));
        QVERIFY(Edge(dialog, 3, 'L')->isEnabled() && Edge(dialog, 3, 'H')->isEnabled());
    }

    void okStoresTheChosenBands_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("bandEnable"); // 0: refused
        QTest::newRow("rows 1 and 2") << QList<int>{1, 2} << 0x05;
        QTest::newRow("rows 1, 2 and 3") << QList<int>{1, 2, 3} << 0x15;
        QTest::newRow("row 3 alone") << QList<int>{3} << 0x10;
        QTest::newRow("row 4 is outside the model's mask") << QList<int>{4} << 0;
    }
    void okStoresTheChosenBands() {
        QFETCH(QList<int>, rows);
        QFETCH(int, bandEnable);
        TFixture f;
        f.Db.All.ModelCode.clear();
        const TALL before = f.Db.All;
        TfModel dialog(f.Db);
        dialog.show();
        for (int row = 1; row <= 4; ++row)
            if (Use(dialog, row)->isChecked() != rows.contains(row))
                QTest::mouseClick(Use(dialog, row), Qt::LeftButton);
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok); // any box is recorded, never shown
        Click(dialog, QStringLiteral("btnOk"));
        const auto shown = TMessageBoxSeam::TakeShown();
        const TALL& all = f.Db.All;

        if (bandEnable == 0) {
            QCOMPARE(shown.size(), size_t(1));
            QCOMPARE(shown[0].Caption, f.Db.Language.Caution);
            QCOMPARE(shown[0].Text, QStringLiteral("The frequecy number come amiss!"));
            QCOMPARE(shown[0].Kind, int(MessageKind::Information));
            QVERIFY(dialog.isVisible() && !dialog.Accepted);
            QCOMPARE(all.BandEnable, before.BandEnable);
            QVERIFY(all.Bands[0].Low == before.Bands[0].Low && all.ModelCode.isEmpty());
            return;
        }
        QVERIFY(shown.empty());
        QVERIFY(!dialog.isVisible() && dialog.Accepted);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        // The choice waits for the new image; the state object is not touched yet.
        QVERIFY(all.BandEnable == before.BandEnable && all.ModelCode.isEmpty());
        const TfModel::TChoice& choice = dialog.Choice;
        QCOMPARE(choice.BandEnable, uint8_t(bandEnable));
        QCOMPARE(choice.ModelCode, QStringLiteral("QX47"));
        const TBand expected[] = {{410.0, 470.0}, {140.0, 170.0}, {245.0, 246.0}, {350.0, 400.0}};
        for (int band = 0; band < BandCount; ++band) {
            const TBand want = rows.contains(band + 1) ? expected[band] : TBand{};
            QCOMPARE(choice.Bands[band].Low, want.Low);
            QCOMPARE(choice.Bands[band].High, want.High);
        }
    }

    // Return in an edge edit presses OK, and the typed edge is corrected before it is stored.
    void returnCommitsTheEdgeThenAccepts() {
        TFixture f;
        TfModel dialog(f.Db);
        Show(dialog);
        QLineEdit* high = Edge(dialog, 1, 'H');
        high->setFocus();
        high->selectAll();
        QTest::keyClicks(high, QStringLiteral("530"));
        QTest::keyClick(high, Qt::Key_Return);
        QVERIFY(dialog.Accepted);
        QCOMPARE(dialog.Choice.Bands[0].High, 520.0);
    }

    void cancelStoresNothing() {
        TFixture f;
        const TALL before = f.Db.All;
        TfModel dialog(f.Db);
        Show(dialog);
        Click(dialog, QStringLiteral("cxUse_3"));
        TypeEdge(Edge(dialog, 1, 'L'), QStringLiteral("420"));
        Click(dialog, QStringLiteral("btnCancel"));
        QVERIFY(!dialog.isVisible() && !dialog.Accepted);
        QCOMPARE(f.Db.All.BandEnable, before.BandEnable);
        QCOMPARE(f.Db.All.Bands[0].Low, before.Bands[0].Low);
        QCOMPARE(f.Db.All.Bands[2].Low, before.Bands[2].Low);
        QVERIFY(f.Db.All.Image == before.Image);
    }

    // A model that takes exactly one band shows radio buttons in place of the check boxes.
    void singleBandModelOffersRadioButtons() {
        TFixture f;
        auto single =
            std::make_unique<TMacType>(QStringLiteral("QX11"), QStringLiteral("Mono"), 16);
        for (int band = 0; band < BandCount; ++band) {
            single->SetLimits(band, 100.0 * (band + 1), 100.0 * (band + 1) + 50.0);
            single->SetDefaults(band, true, 100.0 * (band + 1), 100.0 * (band + 1) + 50.0, true,
                                true);
        }
        single->SetBandSelection(0x0F, 0x04, false);
        f.Db.MacList.Add(std::move(single));
        f.Db.All.ModelName = QStringLiteral("Mono");
        TfModel dialog(f.Db);
        dialog.show();
        QVERIFY(!Use(dialog, 1)->isVisible());
        auto* sel1 = Child<QRadioButton>(dialog, QStringLiteral("cxSel_1"));
        QVERIFY(sel1->isVisible() && sel1->isEnabled());
        QVERIFY(Child<QRadioButton>(dialog, QStringLiteral("cxSel_2"))->isChecked());
        QVERIFY(!Child<QRadioButton>(dialog, QStringLiteral("cxSel_3"))->isEnabled());

        QTest::mouseClick(sel1, Qt::LeftButton);
        QVERIFY(Use(dialog, 1)->isChecked() && !Use(dialog, 2)->isChecked());
        QCOMPARE(Edge(dialog, 2, 'L')->text(), QStringLiteral("200.00000"));
        Click(dialog, QStringLiteral("btnOk"));
        QVERIFY(dialog.Accepted);
        QCOMPARE(dialog.Choice.BandEnable, uint8_t(0x01));
        QCOMPARE(dialog.Choice.ModelCode, QStringLiteral("QX11"));
    }
};

QTEST_MAIN(TstModel)
#include "tst_model.moc"
