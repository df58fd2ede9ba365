#include "ui/channels/ChannelFields.h"

#include "core/ChannelRecord.h"

#include <QCheckBox>
#include <QComboBox>

void TChannelFields::AddList(QComboBox* box, int code) {
    Bindings.push_back({box, nullptr, code, 0});
}

void TChannelFields::AddCheck(QCheckBox* box, int code, int checkedValue) {
    Bindings.push_back({nullptr, box, code, checkedValue});
}

void TChannelFields::Load(const TChannel& channel) const {
    for (const TBinding& field : Bindings) {
        const int value = ChannelFieldValue(channel, field.Code);
        if (field.List)
            field.List->setCurrentIndex(value);
        else
            field.Check->setChecked(value == field.CheckedValue);
    }
}

void TChannelFields::Write(TALL& all, int k) const {
    for (const TBinding& field : Bindings) {
        const int value = field.List                 ? field.List->currentIndex()
                          : field.Check->isChecked() ? field.CheckedValue
                                                     : 1 - field.CheckedValue;
        QString text = QString::number(value);
        WriteChannelField(all, k, field.Code, text);
    }
}

void TChannelFields::OnChange(QObject* context, const std::function<void()>& handler) const {
    for (const TBinding& field : Bindings) {
        if (field.List)
            QObject::connect(field.List, qOverload<int>(&QComboBox::currentIndexChanged), context,
                             handler);
        else
            QObject::connect(field.Check, &QCheckBox::toggled, context, handler);
    }
}

void TChannelFields::SetEnabled(bool enabled) const {
    for (const TBinding& field : Bindings)
        field.List ? field.List->setEnabled(enabled) : field.Check->setEnabled(enabled);
}
