#include "ui/channels/BatchEdit.h"

#include "core/ChannelLists.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/ListTag.h"
#include "core/Maindb.h"
#include "core/ToneList.h"
#include "ui/channels/FormControls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <cmath>

namespace {

constexpr double MaxStepMHz = 99.995;
constexpr int NameLength = 7;

QRadioButton* MakeRadio(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QRadioButton(QLatin1String(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// Two or three radio buttons of which one is chosen, the first at the start.
void MakeExclusive(std::initializer_list<QRadioButton*> buttons, QObject* owner) {
    auto* group = new QButtonGroup(owner);
    for (QRadioButton* button : buttons)
        group->addButton(button);
    buttons.begin()[0]->setChecked(true);
}

QSpinBox* MakeSpin(const char* name, int lo, int hi, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(lo, hi);
    return spin;
}

QGroupBox* MakeGroup(const char* name, const char* caption, QWidget* parent) {
    auto* group = new QGroupBox(QLatin1String(caption), parent);
    group->setObjectName(QLatin1String(name));
    return group;
}

// Lays out rows of controls; a null control leaves its cell empty.
void Rows(QGroupBox* group, std::initializer_list<std::initializer_list<QWidget*>> rows) {
    auto* layout = new QGridLayout(group);
    int row = 0;
    for (const auto& controls : rows) {
        int column = 0;
        for (QWidget* control : controls) {
            if (control) layout->addWidget(control, row, column);
            ++column;
        }
        ++row;
    }
}

// A typed step or shift: more than the largest, or no number, is none.
double StepValue(const QLineEdit* field) {
    bool number = false;
    const double value = field->text().trimmed().toDouble(&number);
    return number && value >= 0.0 && value <= MaxStepMHz ? value : 0.0;
}

// A running frequency is kept on whole 10 Hz so that it meets a band's limit exactly.
double Advance(double mhz, double step, bool ascending) {
    return std::round((ascending ? mhz + step : mhz - step) * 100000.0) / 100000.0;
}

int StepIndex(int index, int spacing, bool ascending) {
    return std::clamp(ascending ? index + spacing : index - spacing, 0, int(ToneList().size()) - 1);
}

QString ToneText(int index) {
    return index == 0 ? QString() : ToneList().value(index);
}

} // namespace

TfBatch::TfBatch(TfMaindb& db, QWidget* parent)
    : TfEditorWindow(db, QStringLiteral("fBatch"), parent),
      Random(quint32(QDateTime::currentMSecsSinceEpoch())) {
    setWindowTitle(QStringLiteral("."));
    auto* form = new QGridLayout(this);
    form->addWidget(BuildRange(), 0, 0);
    form->addWidget(BuildRxFrequency(), 1, 0);
    form->addWidget(BuildTxFrequency(), 2, 0);
    form->addWidget(BuildRxTone(), 0, 1);
    form->addWidget(BuildTxTone(), 1, 1);
    form->addWidget(BuildCommon(), 2, 1);

    auto* btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto* btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    form->addLayout(buttons, 3, 0, 1, 2);
    connect(btnOk, &QPushButton::clicked, this, &TfBatch::ApplyBatch);
    connect(btnCancel, &QPushButton::clicked, this, [this] { window()->close(); });

    ConnectChecks();
    UpdateEnabled();
}

QWidget* TfBatch::BuildRange() {
    auto* group = MakeGroup("gbBound", "Bound:", this);
    cxAll = MakeRadio("cxAll", "All Channel", group);
    cxChs = MakeRadio("cxChs", "Channel", group);
    MakeExclusive({cxAll, cxChs}, this);
    const int count = std::max(1, Db.All.ChannelCount);
    cxFrom = MakeSpin("cxFrom", 1, count, group);
    cxTo = MakeSpin("cxTo", 1, count, group);
    cxTo->setValue(count);
    cxClear = MakeCheck("cxClear", "Clear Data", group);
    Rows(group, {{cxAll, cxChs},
                 {MakeLabel("lFrom", "From", group), cxFrom, MakeLabel("lTo", "To", group), cxTo},
                 {cxClear}});
    return group;
}

QWidget* TfBatch::BuildRxFrequency() {
    auto* group = MakeGroup("gbRx", "RX Freq.", this);
    cxRx_freq = MakeTextField("cxRx_freq", TCharRules::TKind::Frequency, 0, group);
    cxRx_Step = MakeTextField("cxRx_Step", TCharRules::TKind::Frequency, 0, group);
    cxRx_Step->setText(FormatMHz(0.0));
    cxRx_asc = MakeRadio("cxRx_asc", "ASC", group);
    auto* cxRx_dec = MakeRadio("cxRx_dec", "DESC", group);
    MakeExclusive({cxRx_asc, cxRx_dec}, this);
    Rows(group, {{MakeLabel("lRx_freq", "Begin Freq.(MHz)", group), cxRx_freq},
                 {MakeLabel("lRx_Step", "Step Freq.(MHz)", group), cxRx_Step, cxRx_asc, cxRx_dec}});
    return group;
}

QWidget* TfBatch::BuildTxFrequency() {
    auto* group = MakeGroup("gbTx", "TX Freq.", this);
    cxTx_def = MakeRadio("cxTx_def", "Default", group);
    cxTx_Exc = MakeRadio("cxTx_Exc", "Excursion Freq.(MHz)", group);
    cxTx_Self = MakeRadio("cxTx_Self", "Begin Freq.(MHz)", group);
    MakeExclusive({cxTx_def, cxTx_Exc, cxTx_Self}, this);
    cxExc_Freq = MakeTextField("cxExc_Freq", TCharRules::TKind::Frequency, 0, group);
    cxExc_Freq->setText(FormatMHz(0.0));
    cxDup_add = MakeRadio("cxDup_add", "+Dup", group);
    cxDup_Dec = MakeRadio("cxDup_Dec", "-Dup", group);
    MakeExclusive({cxDup_add, cxDup_Dec}, this);
    cxTx_Freq = MakeTextField("cxTx_Freq", TCharRules::TKind::Frequency, 0, group);
    cxTx_step = MakeTextField("cxTx_step", TCharRules::TKind::Frequency, 0, group);
    cxTx_step->setText(FormatMHz(0.0));
    cxTx_asc = MakeRadio("cxTx_asc", "ASC", group);
    cxTx_dec = MakeRadio("cxTx_dec", "DESC", group);
    MakeExclusive({cxTx_asc, cxTx_dec}, this);
    Rows(group, {{cxTx_def},
                 {cxTx_Exc, cxExc_Freq, cxDup_add, cxDup_Dec},
                 {cxTx_Self, cxTx_Freq},
                 {MakeLabel("lTx_step", "Step Freq.(MHz)", group), cxTx_step, cxTx_asc, cxTx_dec}});
    return group;
}

QWidget* TfBatch::BuildRxTone() {
    auto* group = MakeGroup("gbRxTone", "RX QT/DQT:", this);
    cxRx_Dcts = MakeList("cxRx_Dcts", ToneList(), group, ListTag::FirstItemOnly);
    cxRx_Ran = MakeCheck("cxRx_Ran", "Random", group);
    cxRx_Dcts_step = MakeSpin("cxRx_Dcts_step", 0, int(ToneList().size()) - 1, group);
    cxRx_Dcts_asc = MakeRadio("cxRx_Dcts_asc", "ASC", group);
    cxRx_Dcts_dec = MakeRadio("cxRx_Dcts_dec", "DESC", group);
    MakeExclusive({cxRx_Dcts_asc, cxRx_Dcts_dec}, this);
    Rows(group, {{MakeLabel("lRx_Dcts", "Begin", group), cxRx_Dcts, cxRx_Ran},
                 {MakeLabel("lRx_Dcts_step", "Space", group), cxRx_Dcts_step, cxRx_Dcts_asc,
                  cxRx_Dcts_dec}});
    return group;
}

QWidget* TfBatch::BuildTxTone() {
    auto* group = MakeGroup("gbTxTone", "TX QT/DQT:", this);
    cxTx_Dcts_def = MakeRadio("cxTx_Dcts_def", "Default", group);
    cxTx_Dcts_self = MakeRadio("cxTx_Dcts_self", "Begin", group);
    MakeExclusive({cxTx_Dcts_def, cxTx_Dcts_self}, this);
    cxTx_Dcts = MakeList("cxTx_Dcts", ToneList(), group, ListTag::FirstItemOnly);
    cxTx_ran = MakeCheck("cxTx_ran", "Random", group);
    cxTx_Dcts_step = MakeSpin("cxTx_Dcts_step", 0, int(ToneList().size()) - 1, group);
    cxTx_Dcts_asc = MakeRadio("cxTx_Dcts_asc", "ASC", group);
    cxTx_Dcts_dec = MakeRadio("cxTx_Dcts_dec", "DESC", group);
    MakeExclusive({cxTx_Dcts_asc, cxTx_Dcts_dec}, this);
    Rows(group, {{cxTx_Dcts_def},
                 {cxTx_Dcts_self, cxTx_Dcts, cxTx_ran},
                 {MakeLabel("lTx_Dcts_step", "Space", group), cxTx_Dcts_step, cxTx_Dcts_asc,
                  cxTx_Dcts_dec}});
    return group;
}

QWidget* TfBatch::BuildCommon() {
    auto* group = MakeGroup("gbCommon", "", this);
    cxPower = MakeList("cxPower", {"Low", "High"}, group);
    cxPower->setCurrentIndex(1);
    cxWn = MakeList("cxWn", {"Narrow", "Wide"}, group);
    cxWn->setCurrentIndex(1);
    cxApro = MakeList("cxApro", ChannelLists::VoiceModes(), group);
    cxName = MakeTextField("cxName", TCharRules::TKind::Name, NameLength, group);
    cxUse_Chs = MakeCheck("cxUse_Chs", "Use Channel", group);
    cxTxRev = MakeCheck("cxTxRev", "Epilogue", group);
    cxTxRev->setChecked(true);
    cxScan = MakeCheck("cxScan", "Scan Add", group);
    cxBclo = MakeCheck("cxBclo", "Busy Lock", group);
    cxVox = MakeCheck("cxVox", "Vox", group);
    Rows(group,
         {{MakeLabel("lPower", "TX Power", group), cxPower, MakeLabel("lWn", "W/N", group), cxWn},
          {MakeLabel("lApro", "Voice Mode", group), cxApro},
          {MakeLabel("lName", "Name", group), cxName, cxUse_Chs},
          {cxTxRev, cxScan, cxBclo, cxVox}});
    return group;
}

void TfBatch::ConnectChecks() {
    OnAccepted(cxRx_freq, this, [this] { cxRx_freq->setText(FormatMHz(RxStart())); });
    OnAccepted(cxTx_Freq, this, [this] { cxTx_Freq->setText(FormatMHz(TxStart())); });
    for (QLineEdit* step : {cxRx_Step, cxExc_Freq, cxTx_step})
        OnAccepted(step, this, [step] { step->setText(FormatMHz(StepValue(step))); });
    connect(cxFrom, qOverload<int>(&QSpinBox::valueChanged), this, [this](int from) {
        if (from > cxTo->value()) cxFrom->setValue(cxTo->value());
    });
    connect(cxName, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int cursor = cxName->cursorPosition();
        cxName->setText(text.toUpper());
        cxName->setCursorPosition(cursor);
    });
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             cxChs, cxTx_def, cxTx_Exc, cxTx_Self, cxRx_Ran, cxTx_Dcts_self, cxTx_ran})
        connect(button, &QAbstractButton::toggled, this, &TfBatch::UpdateEnabled);
}

void TfBatch::UpdateEnabled() {
    const auto enable = [](std::initializer_list<QWidget*> controls, bool on) {
        for (QWidget* control : controls)
            control->setEnabled(on);
    };
    enable({cxFrom, cxTo}, cxChs->isChecked());
    enable({cxExc_Freq, cxDup_add, cxDup_Dec}, cxTx_Exc->isChecked());
    enable({cxTx_Freq, cxTx_step, cxTx_asc, cxTx_dec}, cxTx_Self->isChecked());
    enable({cxRx_Dcts, cxRx_Dcts_step, cxRx_Dcts_asc, cxRx_Dcts_dec}, !cxRx_Ran->isChecked());
    const bool ownTone = cxTx_Dcts_self->isChecked();
    cxTx_ran->setEnabled(ownTone);
    enable({cxTx_Dcts, cxTx_Dcts_step, cxTx_Dcts_asc, cxTx_Dcts_dec},
           ownTone && !cxTx_ran->isChecked());
}

void TfBatch::Prepare() {
    const QString start = FormatMHz(LowestBandEdge());
    cxRx_freq->setText(start);
    cxTx_Freq->setText(start);
}

// The window shows nothing of the image; it only writes into it.
void TfBatch::Load() {}

bool TfBatch::Shows(const TImageChange&) const {
    return false;
}

void TfBatch::Deactivate() {
    for (QLineEdit* field : {cxRx_freq, cxRx_Step, cxExc_Freq, cxTx_Freq, cxTx_step})
        AcceptPending(field);
}

double TfBatch::LowestBandEdge() const {
    return NearestBandEdge(Db.All, false, -1.0);
}

bool TfBatch::InBand(double mhz) const {
    return !CheckFrequency(Db.All, QString(), mhz);
}

// The receive start: empty is the lowest band edge, a frequency in no band the first band's
// lower limit, on the nearer of the 500 Hz and 1.25 kHz rasters.
double TfBatch::RxStart() const {
    double mhz = LowestBandEdge();
    CheckFrequency(Db.All, cxRx_freq->text().trimmed(), mhz);
    int mode = 2;
    SnapFrequency(Db.All, mhz, mode);
    return mhz;
}

// The transmit start, as the receive start, and never farther from it than an offset can be.
double TfBatch::TxStart() const {
    const double rx = RxStart();
    double mhz = LowestBandEdge();
    CheckFrequency(Db.All, cxTx_Freq->text().trimmed(), mhz);
    int mode = 2;
    SnapFrequency(Db.All, mhz, mode);
    return std::abs(mhz - rx) > MaxStepMHz ? rx : mhz;
}

int TfBatch::RandomTone() {
    return int(Random.bounded(quint32(ToneList().size())));
}

void TfBatch::ApplyBatch() {
    Deactivate();
    const int first = cxChs->isChecked() ? cxFrom->value() : 1;
    const int last = cxChs->isChecked() ? cxTo->value() : Db.All.ChannelCount;
    if (last < first) return;
    double rx = RxStart();
    const double rxStep = StepValue(cxRx_Step);
    double tx = TxStart();
    const double txStep = StepValue(cxTx_step);
    const double shift = StepValue(cxExc_Freq);
    int rxTone = cxRx_Dcts->currentIndex();
    int txTone = cxTx_Dcts->currentIndex();
    Db.Document.Edit(TImageChange::Channels(first, last), [&] {
        for (int n = first; n <= last; ++n) {
            if (cxClear->isChecked()) {
                QString none;
                WriteChannelField(Db.All, n, FieldCode::RxFreq, none);
                continue;
            }
            if (cxTx_def->isChecked()) {
                tx = rx;
            } else if (cxTx_Exc->isChecked()) {
                const bool up = cxDup_add->isChecked();
                const double shifted = Advance(rx, shift, up);
                tx = InBand(shifted) ? shifted : NearestBandEdge(Db.All, up, shifted);
            }
            if (cxRx_Ran->isChecked()) rxTone = RandomTone();
            if (cxTx_Dcts_def->isChecked())
                txTone = rxTone;
            else if (cxTx_ran->isChecked())
                txTone = RandomTone();
            FillChannel(n, rx, tx, rxTone, txTone);

            const double nextRx = Advance(rx, rxStep, cxRx_asc->isChecked());
            if (InBand(nextRx)) rx = nextRx;
            if (cxTx_Self->isChecked()) {
                const double nextTx = Advance(tx, txStep, cxTx_asc->isChecked());
                if (InBand(nextTx)) tx = nextTx;
            }
            if (!cxRx_Ran->isChecked())
                rxTone = StepIndex(rxTone, cxRx_Dcts_step->value(), cxRx_Dcts_asc->isChecked());
            if (!cxTx_ran->isChecked() && cxTx_Dcts_self->isChecked())
                txTone = StepIndex(txTone, cxTx_Dcts_step->value(), cxTx_Dcts_asc->isChecked());
        }
    });
}

// One channel of the fill, field by field; the epilogue box is written too.
void TfBatch::FillChannel(int n, double rx, double tx, int rxTone, int txTone) {
    const auto flag = [](const QCheckBox* box, bool onValue) {
        return QString::number(box->isChecked() == onValue ? 1 : 0);
    };
    const std::pair<int, QString> fields[] = {
        {FieldCode::RxFreq, FormatMHz(rx)},
        {FieldCode::TxFreq, FormatMHz(tx)},
        {FieldCode::RxTone, ToneText(rxTone)},
        {FieldCode::TxTone, ToneText(txTone)},
        {FieldCode::Bandwidth, QString::number(cxWn->currentIndex())},
        {FieldCode::Power, QString::number(cxPower->currentIndex())},
        {FieldCode::BusyLock, flag(cxBclo, false)},
        {FieldCode::Scan, flag(cxScan, false)},
        {FieldCode::VoiceMode, QString::number(cxApro->currentIndex())},
        {FieldCode::Vox, flag(cxVox, false)},
        {FieldCode::Epilogue, flag(cxTxRev, true)},
        {FieldCode::Name, cxUse_Chs->isChecked() ? QString::number(n) : cxName->text()},
    };
    for (const auto& [code, value] : fields) {
        QString text = value;
        WriteChannelField(Db.All, n, code, text);
    }
}
