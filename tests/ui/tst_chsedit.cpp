#include "core/Codecs.h"
#include "tests/support/EditorProgram.h"
#include "ui/channels/ChsEdit.h"
#include "widgets/MessageBox.h"

#include <QAbstractItemView>
#include <QCheckBox>

namespace {

// The main window with the channel edit window opened by its toolbar button.
class TProgram : public TEditorProgram {
public:
    bool OpenEdit() {
        Trigger("ToolButton3");
        return Edit() && Edit()->isVisible();
    }
    TfChsEdit* Edit() const { return Frm->findChild<TfChsEdit*>(); }
    template <class T> T* Control(const char* name) const {
        return Edit()->findChild<T*>(QLatin1String(name));
    }
    QLineEdit* Field(const char* name) const { return Control<QLineEdit>(name); }
    QComboBox* Box(const char* name) const { return Control<QComboBox>(name); }
    QCheckBox* Check(const char* name) const { return Control<QCheckBox>(name); }

    void ClickGrid(int k, int code) {
        const QModelIndex index = Grid()->model()->index(k - 1, Column(code));
        Grid()->scrollTo(index);
        QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {},
                          Grid()->visualRect(index).center());
    }

    QStringList EnabledControls() const {
        QStringList names;
        for (QWidget* control : Edit()->findChildren<QWidget*>())
            if ((qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control) ||
                 qobject_cast<QCheckBox*>(control)) &&
                control->isEnabled() && control->isVisibleTo(Edit()) &&
                !qobject_cast<QComboBox*>(control->parentWidget()))
                names << control->objectName();
        names.sort();
        return names;
    }

    // What the form shows, field by field.
    QStringList Shown() const {
        QStringList texts;
        for (const char* name : {"cxChs", "cxRxDcts", "cxTxDcts", "cxPwrv", "cxBand", "cxPtts"})
            texts << Box(name)->currentText();
        for (const char* name : {"cxRxSv", "cxTxSv", "cxNameSv", "cxIdSv"})
            texts << Field(name)->text();
        for (const char* name : {"cxBclo", "cxTail", "cxVoxs", "cxAnis", "cxScan"})
            texts << (Check(name)->isChecked() ? "x" : "-");
        return texts;
    }
};

const QStringList EmptyForm = {"1", "None", "None", "High", "Wide", "Off", "", "",
                               "",  "000",  "-",    "x",    "-",    "-",   "-"};

} // namespace

// The channel edit window: its first showing, creating and deleting a channel, the fields it
// writes, the tone boxes and the picker, and how it keeps in step with the grid.
class TstChsEdit : public QObject {
    Q_OBJECT

private slots:
    void init() {
        TMessageBoxSeam::Reset();
        TModalDialog::Reset();
    }

    // Opened from the menu or the toolbar, once; an empty channel offers only its receive
    // frequency and the selector, and loading writes nothing.
    void firstShowing() {
        TProgram program;
        const auto image = program.Db.All.Image;
        program.Trigger("nChEdit");
        QVERIFY(program.OpenEdit());
        QCOMPARE(program.Frm->findChildren<TfChsEdit*>().size(), 1);
        QCOMPARE(program.Edit()->windowTitle(), QStringLiteral("Channel Edit"));
        QCOMPARE(program.Edit()->parentWidget()->pos(), QPoint(20, 20));
        QCOMPARE(program.Box("cxChs")->count(), 128);
        QCOMPARE(program.Shown(), EmptyForm);
        QCOMPARE(program.EnabledControls(), QStringList({"cxChs", "cxRxSv"}));
        QVERIFY(program.Db.All.Image == image);
        QVERIFY(!program.Db.All.Modified);
    }

    // Typing a receive frequency creates the channel with the form's values and the grid shows
    // it at once; emptying the field deletes it.
    void createAndDelete() {
        TProgram program;
        QVERIFY(program.OpenEdit());
        program.Type(program.Field("cxRxSv"), QStringLiteral("14x5,5"));
        QCOMPARE(program.Stored(1).RxFreq, 145.5);
        QCOMPARE(program.Stored(1).TxFreq, 145.5);
        QCOMPARE(program.GridText(1, FieldCode::RxFreq), QStringLiteral("145.50000"));
        QCOMPARE(program.GridText(1, FieldCode::TxFreq), QStringLiteral("145.50000"));
        QCOMPARE(program.GridText(1, FieldCode::Scan), QStringLiteral("Del"));
        QCOMPARE(program.GridText(1, FieldCode::Epilogue), QStringLiteral("On"));
        QCOMPARE(program.GridText(1, FieldCode::BusyLock), QStringLiteral("Off"));
        QCOMPARE(program.GridText(1, FieldCode::Ani), QStringLiteral("OFF"));
        QVERIFY(program.Db.All.Modified);
        QStringList created = EmptyForm;
        created[6] = created[7] = QStringLiteral("145.50000");
        QCOMPARE(program.Shown(), created);
        QCOMPARE(program.EnabledControls().size(), 15);

        program.Type(program.Field("cxRxSv"), QString());
        QCOMPARE(program.Stored(1).RxFreq, -1.0);
        QCOMPARE(program.GridText(1, FieldCode::RxFreq), QString());
        QCOMPARE(program.GridText(1, FieldCode::Power), QString());
        QCOMPARE(program.Shown(), EmptyForm);
        QCOMPARE(program.EnabledControls(), QStringList({"cxChs", "cxRxSv"}));
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // A frequency outside every band is told and replaced by the first band's lower limit.
    void frequencyOutOfRange_data() {
        QTest::addColumn<QString>("field");
        QTest::newRow("RX") << "cxRxSv";
        QTest::newRow("TX") << "cxTxSv";
    }

    void frequencyOutOfRange() {
        QFETCH(QString, field);
        TProgram program;
        program.Make(1, "145.5");
        QVERIFY(program.OpenEdit());
        TMessageBoxSeam::QueueAnswer(MessageResult::Ok);
        program.Type(program.Field(qPrintable(field)), QStringLiteral("999"));
        const std::vector<TMessageBoxSeam::TShown> shown = TMessageBoxSeam::TakeShown();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(shown[0].Caption, program.Db.Language.Caution);
        QCOMPARE(shown[0].Text, program.Db.Language.ErrRange);
        const QString low = FormatMHz(program.Db.All.Bands[0].Low);
        QCOMPARE(program.Field(qPrintable(field))->text(), low);
        const TChannel stored = program.Stored(1);
        QCOMPARE(FormatMHz(field == "cxRxSv" ? stored.RxFreq : stored.TxFreq), low);
    }

    // The window shows the channel the grid selects; its selector moves the current channel
    // but not the grid. Neither writes anything.
    void followsTheGridAndItsSelector() {
        TProgram program;
        program.Make(3, "145.5");
        program.Make(5, "146.025");
        QVERIFY(program.OpenEdit());
        const auto image = program.Db.All.Image;
        program.ClickGrid(3, FieldCode::Name);
        QCOMPARE(program.Box("cxChs")->currentText(), QStringLiteral("3"));
        QCOMPARE(program.Field("cxRxSv")->text(), QStringLiteral("145.50000"));

        program.Box("cxChs")->setFocus();
        QTest::keyClicks(program.Box("cxChs"), QStringLiteral("5"));
        QCOMPARE(program.Db.All.CurrentChannel, 5);
        QCOMPARE(program.Field("cxRxSv")->text(), QStringLiteral("146.02500"));
        QCOMPARE(program.Grid()->currentRow(), 2);

        program.ClickGrid(4, FieldCode::RxFreq); // an empty channel
        QCOMPARE(program.Shown().mid(1), EmptyForm.mid(1));
        QVERIFY(program.Db.All.Image == image);
        QVERIFY(!program.Db.All.Modified);
    }

    // Each field writes its own part of the channel, shown in the grid at once; the voice
    // mode, which the window does not show, stays as it was.
    void fieldsWriteTheChannel() {
        TProgram program;
        program.Make(1, "145.5");
        QString compander = QStringLiteral("1");
        WriteChannelField(program.Db.All, 1, FieldCode::VoiceMode, compander);
        QVERIFY(program.OpenEdit());

        program.Check("cxBclo")->click();
        QCOMPARE(program.GridText(1, FieldCode::BusyLock), QStringLiteral("On"));
        program.Check("cxScan")->click();
        QCOMPARE(program.GridText(1, FieldCode::Scan), QStringLiteral("Add"));
        program.Box("cxPtts")->setCurrentIndex(2);
        QCOMPARE(program.GridText(1, FieldCode::PttId), QStringLiteral("EOT"));
        program.Type(program.Field("cxNameSv"), QStringLiteral("ABCDEFGHI"));
        QCOMPARE(program.GridText(1, FieldCode::Name), QStringLiteral("ABCDEFG"));
        program.Type(program.Field("cxIdSv"), QStringLiteral("12x3456789"));
        QCOMPARE(program.GridText(1, FieldCode::IdCode), QStringLiteral("123456"));
        program.Type(program.Field("cxIdSv"), QStringLiteral("12"));
        QCOMPARE(program.Field("cxIdSv")->text(), QStringLiteral("120"));

        // Without a transmit frequency the channel stays so while other fields are saved.
        program.Type(program.Field("cxTxSv"), QString());
        QCOMPARE(program.GridText(1, FieldCode::TxFreq), QString());
        program.Check("cxVoxs")->click();
        const TChannel stored = program.Stored(1);
        QCOMPARE(stored.TxFreq, -1.0);
        QCOMPARE(stored.Vox, uint8_t(0));
        QCOMPARE(stored.VoiceMode, uint8_t(1));
        QCOMPARE(stored.Epilogue, uint8_t(1));
        QVERIFY(TMessageBoxSeam::TakeShown().empty());
    }

    // Tones typed, chosen from the list or picked in the picker, as the grid then shows them.
    void toneBoxes() {
        TProgram program;
        program.Make(1, "145.5");
        QVERIFY(program.OpenEdit());
        QComboBox* rx = program.Box("cxRxDcts");
        QComboBox* tx = program.Box("cxTxDcts");

        QueueTonePick("rDCSI", 0, 1);
        DoubleClick(rx->lineEdit(), rx->lineEdit()->rect().center());
        QCOMPARE(program.Stored(1).RxTone, QStringLiteral("D023I"));
        QCOMPARE(program.GridText(1, FieldCode::RxTone), QStringLiteral("D023I"));

        QueueTonePick("rCTCSS", 8, 13); // an empty cell: nothing picked
        DoubleClick(rx->lineEdit(), rx->lineEdit()->rect().center());
        QCOMPARE(rx->currentText(), QStringLiteral("D023I"));

        program.Type(tx, QStringLiteral("d12x"));
        QCOMPARE(tx->currentText(), QStringLiteral("D120N"));
        QCOMPARE(program.Stored(1).TxTone, QStringLiteral("D120N"));
        program.Type(tx, QStringLiteral("999"));
        QCOMPARE(program.GridText(1, FieldCode::TxTone), QStringLiteral("290.0"));

        // "None" chosen from the opened list.
        rx->showPopup();
        rx->view()->setCurrentIndex(rx->model()->index(0, 0));
        QTest::keyClick(rx->view(), Qt::Key_Return);
        QCOMPARE(program.Stored(1).RxTone, QString());
        QCOMPARE(program.GridText(1, FieldCode::RxTone), QStringLiteral("None"));
    }
};

QTEST_MAIN(TstChsEdit)
#include "tst_chsedit.moc"
