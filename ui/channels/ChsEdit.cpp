#include "ui/channels/ChsEdit.h"

#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "core/Codecs.h"
#include "core/ListTag.h"
#include "core/Maindb.h"
#include "ui/channels/FormControls.h"
#include "ui/channels/ToneBox.h"
#include "widgets/FrequencyCheck.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {

constexpr int NameLength = 7;
constexpr int IdLength = 6;

// What the form shows for an empty channel, and so what typing its receive frequency creates.
TChannel ClearedChannel() {
    TChannel channel;
    channel.Power = 1;     // "High"
    channel.Bandwidth = 1; // "Wide"
    channel.BusyLock = 1;  // off
    channel.Vox = 1;       // off
    channel.Ani = 1;       // off
    channel.ScanDel = 1;   // "Del"
    channel.Epilogue = 1;  // on
    channel.IdCode = QStringLiteral("000");
    return channel;
}

} // namespace

TfChsEdit::TfChsEdit(TfMaindb& db, QWidget* parent)
    : TfEditorWindow(db, QStringLiteral("fChsEdit"), parent) {
    setWindowTitle(QStringLiteral("Channel Edit"));
    auto* form = new QGridLayout(this);
    BuildForm(form);

    connect(cxChs, qOverload<int>(&QComboBox::currentIndexChanged), this, &TfChsEdit::cxChsChange);
    OnAccepted(cxRxSv, this, [this] { cxRxSvChange(); });
    OnAccepted(cxTxSv, this, [this] { cxTxSvChange(); });
    OnAccepted(cxNameSv, this, [this] { SaveChannel(); });
    OnAccepted(cxIdSv, this, [this] { SaveChannel(); });
    Fields.OnChange(this, [this] { SaveChannel(); });
    connect(&db.Document, &TDocument::CurrentChannelChanged, this,
            [this](int k) { Refresh(TImageChange::Channel(k)); });
}

void TfChsEdit::BuildForm(QGridLayout* form) {
    QStringList channels;
    for (int k = 1; k <= Db.All.ChannelCount; ++k)
        channels << QString::number(k);
    cxChs = MakeList("cxChs", channels, this, ListTag::NoItems);
    cxRxSv = MakeTextField("cxRxSv", TCharRules::TKind::Frequency, 0, this);
    cxTxSv = MakeTextField("cxTxSv", TCharRules::TKind::Frequency, 0, this);
    cxRxDcts = new TToneBox(Db.All, QStringLiteral("cxRxDcts"), this);
    auto* cxTxDcts = new TToneBox(Db.All, QStringLiteral("cxTxDcts"), this);
    Fields.AddTone(cxRxDcts, FieldCode::RxTone);
    Fields.AddTone(cxTxDcts, FieldCode::TxTone);
    const TChannelFields::TSettingLists lists = Fields.AddSettingLists(this);
    cxIdSv = MakeTextField("cxIdSv", TCharRules::TKind::IdCode, IdLength, this);
    cxNameSv = MakeTextField("cxNameSv", TCharRules::TKind::Name, NameLength, this);
    for (QLineEdit* field : {cxIdSv, cxNameSv})
        field->setContextMenuPolicy(Qt::NoContextMenu);

    int row = AddLabelledRows(form, 0,
                              {{"lChs", "Channel", cxChs},
                               {"lRxSv", "RX Frequency[MHz]", cxRxSv},
                               {"lTxSv", "TX Frequency[MHz]", cxTxSv},
                               {"lRxDcts", "QT/DQT Deconde", cxRxDcts},
                               {"lTxDcts", "QT/DQT Encode", cxTxDcts},
                               {"lPwrv", "TX Power", lists.Power},
                               {"lBand", "Wide/Narrow", lists.Band},
                               {"lPtts", "PTT ID", lists.PttId},
                               {"lIdSv", "ID Code", cxIdSv},
                               {"lNameSv", "CH Name", cxNameSv}},
                              this);
    form->addLayout(Fields.AddChecks({{"cxBclo", "Busy Lock", FieldCode::BusyLock, 0},
                                      {"cxTail", "Epilogue", FieldCode::Epilogue, 1},
                                      {"cxVoxs", "Vox", FieldCode::Vox, 0},
                                      {"cxAnis", "Ani", FieldCode::Ani, 0},
                                      {"cxScan", "Scan Add", FieldCode::Scan, 0}},
                                     this),
                    row++, 0, 1, 2);
    form->addWidget(MakeCloseButton(this), row, 1, Qt::AlignRight);
}

void TfChsEdit::Prepare() {
    Fields.TakeNoneTexts();
}

void TfChsEdit::Deactivate() {
    for (QLineEdit* field : {cxRxSv, cxTxSv, cxNameSv, cxIdSv})
        AcceptPending(field);
}

int TfChsEdit::Current() const {
    return std::clamp(Db.Document.CurrentChannel(), 1, std::max(1, Db.All.ChannelCount));
}

bool TfChsEdit::Shows(const TImageChange& change) const {
    return change.TouchesChannel(Current());
}

void TfChsEdit::Load() {
    const TLoadingGuard loading(*this);
    const int k = Current();
    cxChs->setCurrentIndex(k - 1);
    TChannel channel;
    if (!ReadChannel(Db.All, k, channel)) {
        ClearFields();
        SetFieldsEnabled(false);
        return;
    }
    SetFieldsEnabled(true);
    cxRxSv->setText(FormatMHz(channel.RxFreq));
    cxTxSv->setText(channel.TxFreq < 0 ? QString() : FormatMHz(channel.TxFreq));
    Fields.Load(channel);
    cxNameSv->setText(channel.Name);
    cxIdSv->setText(channel.IdCode);
}

void TfChsEdit::ClearFields() {
    const TLoadingGuard loading(*this);
    const TChannel cleared = ClearedChannel();
    cxRxSv->clear();
    cxTxSv->clear();
    Fields.Load(cleared);
    cxNameSv->clear();
    cxIdSv->setText(cleared.IdCode);
}

// An empty channel offers only its receive frequency and the channel selector.
void TfChsEdit::SetFieldsEnabled(bool enabled) {
    for (QLineEdit* field : {cxTxSv, cxIdSv, cxNameSv})
        field->setEnabled(enabled);
    Fields.SetEnabled(enabled);
}

// Writes the whole form into the current channel; an empty receive frequency deletes it.
void TfChsEdit::SaveChannel() {
    if (Loading()) return;
    const TLoadingGuard loading(*this);
    const int k = Current();
    Db.Document.Edit(TImageChange::Channel(k), [&] {
        QString text = cxRxSv->text();
        WriteChannelField(Db.All, k, FieldCode::RxFreq, text);
        if (text.isEmpty()) return;
        text = cxTxSv->text();
        WriteChannelField(Db.All, k, FieldCode::TxFreq, text);
        Fields.Write(Db.All, k);
        text = cxNameSv->text();
        WriteChannelField(Db.All, k, FieldCode::Name, text);
        text = cxIdSv->text();
        WriteChannelField(Db.All, k, FieldCode::IdCode, text);
    });
}

void TfChsEdit::cxRxSvChange() {
    if (Loading() || RxBusy) return;
    const QScopedValueRollback<bool> busy(RxBusy, true);
    const QString text = cxRxSv->text().trimmed();
    if (text.isEmpty()) {
        ClearFields();
        SetFieldsEnabled(false);
    } else {
        const QString checked = CheckedFrequency(Db, text);
        cxRxSv->setText(checked);
        SetFieldsEnabled(true);
        if (cxTxSv->text().isEmpty()) cxTxSv->setText(checked);
    }
    SaveChannel();
}

void TfChsEdit::cxTxSvChange() {
    if (Loading() || TxBusy) return;
    const QScopedValueRollback<bool> busy(TxBusy, true);
    QString text = cxTxSv->text().trimmed();
    if (!text.isEmpty()) text = CheckedFrequency(Db, text);
    const int k = Current();
    Db.Document.Edit(TImageChange::Channel(k),
                     [&] { WriteChannelField(Db.All, k, FieldCode::TxFreq, text); });
    cxRxDcts->setFocus();
}

void TfChsEdit::cxChsChange(int index) {
    if (Loading() || index < 0) return;
    Db.Document.SetCurrentChannel(index + 1);
}
