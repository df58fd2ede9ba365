#include "ui/channels/FreqEdit.h"

#include "core/ChannelLists.h"
#include "core/All.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/ListTag.h"
#include "core/Maindb.h"
#include "core/OptionFields.h"
#include "ui/channels/FormControls.h"
#include "ui/channels/ToneBox.h"
#include "widgets/FrequencyCheck.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace {

constexpr double MaxOffsetMHz = 99.995;

// A typed offset: empty (or no number) is none, more than the radio takes is its largest.
QString OffsetText(const QString& typed) {
    bool number = false;
    const double offset = typed.trimmed().toDouble(&number);
    return FormatMHz(number ? std::min(offset, MaxOffsetMHz) : 0.0);
}

} // namespace

TfFreqEdit::TfFreqEdit(TfMaindb& db, QWidget* parent)
    : TfEditorWindow(db, QStringLiteral("fFreqEdit"), parent),
      StepField(*FindOptionField(QStringLiteral("FreqEdit.cxStep"))) {
    setWindowTitle(QStringLiteral("Channel Edit"));
    auto* form = new QGridLayout(this);
    BuildForm(form);

    connect(cxDown, &QRadioButton::toggled, this, [this] { Refresh(TImageChange::WholeImage()); });
    OnAccepted(cxRxSv, this, [this] { cxRxSvChange(); });
    OnAccepted(cxTxSv, this, [this] { cxTxSvChange(); });
    connect(cxStep, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &TfFreqEdit::cxStepChange);
    Fields.OnChange(this, [this] { SaveVfo(); });
}

void TfFreqEdit::BuildForm(QGridLayout* form) {
    cxDown = new QRadioButton(QStringLiteral("Freq_Down"), this);
    cxDown->setObjectName(QStringLiteral("cxDown"));
    cxDown->setChecked(true);
    cxUps = new QRadioButton(QStringLiteral("Freq_Up"), this);
    cxUps->setObjectName(QStringLiteral("cxUps"));
    auto* records = new QHBoxLayout;
    records->addWidget(cxDown);
    records->addWidget(cxUps);
    form->addLayout(records, 0, 0, 1, 2);

    cxRxSv = MakeTextField("cxRxSv", TCharRules::TKind::Frequency, 0, this);
    cxTxSv = MakeTextField("cxTxSv", TCharRules::TKind::Frequency, 0, this);
    // The steps are numbers: no language changes them or their aligning blanks.
    cxStep = MakeList("cxStep", StepField.Items, this, ListTag::NoItems);
    auto* cxRxDcts = new TToneBox(Db.All, QStringLiteral("cxRxDcts"), this);
    auto* cxTxDcts = new TToneBox(Db.All, QStringLiteral("cxTxDcts"), this);
    auto* cxDups = MakeList("cxDups", ChannelLists::Duplex(), this);
    Fields.AddTone(cxRxDcts, FieldCode::RxTone);
    Fields.AddTone(cxTxDcts, FieldCode::TxTone);
    Fields.AddList(cxDups, FieldCode::Duplex);
    const TChannelFields::TSettingLists lists = Fields.AddSettingLists(this);

    int row = AddLabelledRows(form, 1,
                              {{"lRxSv", "Frequency[MHz]", cxRxSv},
                               {"lTxSv", "Offset Freq.[MHz]", cxTxSv},
                               {"lDups", "Duplex", cxDups},
                               {"lStep", "Freq. Step[KHz]", cxStep},
                               {"lRxDcts", "QT/DQT Decode", cxRxDcts},
                               {"lTxDcts", "QT/DQT Encode", cxTxDcts},
                               {"lBand", "Wide/Narrow", lists.Band},
                               {"lPwrv", "TX Power", lists.Power},
                               {"lPtts", "PTT ID", lists.PttId}},
                              this);
    form->addLayout(Fields.AddChecks({{"cxBclo", "Busy Lock", FieldCode::BusyLock, 0},
                                      {"cxTail", "Epilogue", FieldCode::Epilogue, 1},
                                      {"cxVoxs", "Vox", FieldCode::Vox, 0},
                                      {"cxAnis", "Ani", FieldCode::Ani, 0}},
                                     this),
                    row++, 0, 1, 2);
    form->addWidget(MakeCloseButton(this), row, 1, Qt::AlignRight);
}

void TfFreqEdit::Prepare() {
    Fields.TakeNoneTexts();
}

void TfFreqEdit::Deactivate() {
    AcceptPending(cxRxSv);
    AcceptPending(cxTxSv);
}

int TfFreqEdit::Record() const {
    return cxDown->isChecked() ? VfoLow : VfoHigh;
}

bool TfFreqEdit::Shows(const TImageChange& change) const {
    return change.Scope == TImageChange::TScope::Options || change.TouchesChannel(Record());
}

// Reading the record moves a frequency outside every band and an offset above the largest
// into range in the image itself, silently: the record is as good as unusable otherwise.
void TfFreqEdit::Load() {
    const TLoadingGuard loading(*this);
    TChannel vfo;
    ReadChannel(Db.All, Record(), vfo);
    cxRxSv->setText(FormatMHz(vfo.RxFreq));
    cxTxSv->setText(FormatMHz(vfo.Offset));
    cxStep->setCurrentIndex(StepField.ItemOf(StepField.GetValue(Db.All), 0));
    Fields.Load(vfo);
}

void TfFreqEdit::WriteField(int code, QString text) {
    const int k = Record();
    Db.Document.Edit(TImageChange::Channel(k), [&] { WriteChannelField(Db.All, k, code, text); });
}

void TfFreqEdit::SaveVfo() {
    if (Loading()) return;
    const TLoadingGuard loading(*this);
    const int k = Record();
    Db.Document.Edit(TImageChange::Channel(k), [&] {
        QString text = cxRxSv->text();
        WriteChannelField(Db.All, k, FieldCode::RxFreq, text);
        text = cxTxSv->text();
        WriteChannelField(Db.All, k, FieldCode::Offset, text);
        Fields.Write(Db.All, k);
    });
}

// An empty frequency is out of range too: the message tells it, the lowest band takes over.
void TfFreqEdit::cxRxSvChange() {
    if (Loading() || RxBusy) return;
    const QScopedValueRollback<bool> busy(RxBusy, true);
    WriteField(FieldCode::RxFreq, CheckedFrequency(Db, cxRxSv->text().trimmed()));
}

void TfFreqEdit::cxTxSvChange() {
    if (Loading() || TxBusy) return;
    const QScopedValueRollback<bool> busy(TxBusy, true);
    WriteField(FieldCode::Offset, OffsetText(cxTxSv->text()));
}

// The new step puts the frequencies and offsets of both records on its raster.
void TfFreqEdit::cxStepChange(int index) {
    if (Loading() || index < 0) return;
    const TLoadingGuard loading(*this);
    const int k = Record();
    Db.Document.Edit(TImageChange::WholeImage(), [&] {
        StepField.SetValue(Db.All, StepField.ValueOf(index, StepField.GetValue(Db.All)));
        QString text = cxRxSv->text();
        WriteChannelField(Db.All, k, FieldCode::RxFreq, text);
        text = cxTxSv->text();
        WriteChannelField(Db.All, k, FieldCode::Offset, text);
        TChannel other;
        ReadChannel(Db.All, k == VfoLow ? VfoHigh : VfoLow, other);
    });
}
