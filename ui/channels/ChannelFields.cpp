#include "ui/channels/ChannelFields.h"

#include "core/ChannelLists.h"
#include "core/Channel.h"
#include "core/ChannelRecord.h"
#include "ui/channels/FormControls.h"
#include "ui/channels/ToneBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>

void TChannelFields::AddTone(TToneBox* box, int code) {
    Bindings.push_back({box, code, 0});
}

void TChannelFields::AddList(QComboBox* box, int code) {
    Bindings.push_back({box, code, 0});
}

TChannelFields::TSettingLists TChannelFields::AddSettingLists(QWidget* parent) {
    const TSettingLists lists{MakeList("cxBand", {"Narrow", "Wide"}, parent),
                              MakeList("cxPwrv", {"Low", "High"}, parent),
                              MakeList("cxPtts", {"Off", "BOT", "EOT", "Both"}, parent)};
    auto* cxApro = MakeList("cxApro", ChannelLists::VoiceModes() << QStringLiteral("Both"), parent);
    cxApro->hide();
    AddList(lists.Band, FieldCode::Bandwidth);
    AddList(lists.Power, FieldCode::Power);
    AddList(lists.PttId, FieldCode::PttId);
    AddList(cxApro, FieldCode::VoiceMode);
    return lists;
}

QGridLayout* TChannelFields::AddChecks(std::initializer_list<TCheckDesign> checks,
                                       QWidget* parent) {
    auto* layout = new QGridLayout;
    int at = 0;
    for (const TCheckDesign& design : checks) {
        QCheckBox* box = MakeCheck(design.Name, design.Caption, parent);
        Bindings.push_back({box, design.Code, design.CheckedValue});
        layout->addWidget(box, at / 2, at % 2);
        ++at;
    }
    return layout;
}

void TChannelFields::TakeNoneTexts() const {
    for (const TBinding& field : Bindings)
        if (auto* tone = qobject_cast<TToneBox*>(field.Control)) tone->TakeNoneText();
}

void TChannelFields::Load(const TChannel& channel) const {
    for (const TBinding& field : Bindings) {
        if (auto* tone = qobject_cast<TToneBox*>(field.Control))
            tone->SetTone(field.Code == FieldCode::RxTone ? channel.RxTone : channel.TxTone);
        else if (auto* list = qobject_cast<QComboBox*>(field.Control))
            list->setCurrentIndex(ChannelFieldValue(channel, field.Code));
        else if (auto* check = qobject_cast<QCheckBox*>(field.Control))
            check->setChecked(ChannelFieldValue(channel, field.Code) == field.CheckedValue);
    }
}

void TChannelFields::Write(TALL& all, int k) const {
    for (const TBinding& field : Bindings) {
        QString text;
        if (auto* tone = qobject_cast<TToneBox*>(field.Control))
            text = tone->Tone();
        else if (auto* list = qobject_cast<QComboBox*>(field.Control))
            text = QString::number(list->currentIndex());
        else if (auto* check = qobject_cast<QCheckBox*>(field.Control))
            text =
                QString::number(check->isChecked() ? field.CheckedValue : 1 - field.CheckedValue);
        WriteChannelField(all, k, field.Code, text);
    }
}

void TChannelFields::OnChange(QObject* context, const std::function<void()>& handler) const {
    for (const TBinding& field : Bindings) {
        if (auto* tone = qobject_cast<TToneBox*>(field.Control))
            QObject::connect(tone, &TToneBox::ToneChosen, context, handler);
        else if (auto* list = qobject_cast<QComboBox*>(field.Control))
            QObject::connect(list, qOverload<int>(&QComboBox::currentIndexChanged), context,
                             handler);
        else if (auto* check = qobject_cast<QCheckBox*>(field.Control))
            QObject::connect(check, &QCheckBox::toggled, context, handler);
    }
}

void TChannelFields::SetEnabled(bool enabled) const {
    for (const TBinding& field : Bindings)
        field.Control->setEnabled(enabled);
}
