#include "ui/functions/OptionControls.h"

#include "core/All.h"
#include "core/OptionFields.h"
#include "ui/functions/FieldPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

TOptionControls::TOptionControls(const QString& unit, QWidget* parent) {
    for (const TOptionField& field : OptionFields()) {
        if (field.Unit != unit || (field.Flags & OptionNoControl)) continue;
        TControl control{&field, nullptr, nullptr, nullptr};
        QWidget* widget = nullptr;
        if (field.IsList()) {
            control.Box = new QComboBox(parent);
            control.Box->addItems(field.Items);
            control.Box->setProperty("tag", field.Tag);
            widget = control.Box;
        } else {
            control.Check = new QCheckBox(field.Caption, parent);
            widget = control.Check;
        }
        widget->setObjectName(field.Name);
        if (!field.Label.isEmpty()) {
            control.Label = FieldLabel(field.Label, field.Caption, parent);
            control.Label->setBuddy(widget);
        }
        // A hidden control is still loaded and saved, so its bits pass through every save.
        if (field.Flags & OptionHidden) {
            widget->hide();
            if (control.Label) control.Label->hide();
        }
        Controls.push_back(control);
    }
}

const TOptionControls::TControl* TOptionControls::Find(const QString& name) const {
    for (const TControl& control : Controls)
        if (control.Field->Name == name) return &control;
    return nullptr;
}

QComboBox* TOptionControls::Box(const QString& name) const {
    const TControl* control = Find(name);
    return control ? control->Box : nullptr;
}

QCheckBox* TOptionControls::Check(const QString& name) const {
    const TControl* control = Find(name);
    return control ? control->Check : nullptr;
}

void TOptionControls::Place(QGridLayout* grid, const QString& name, int row, int column) const {
    const TControl* control = Find(name);
    if (!control) return;
    if (control->Label) grid->addWidget(control->Label, row, column);
    if (control->Box)
        grid->addWidget(control->Box, row, column + 1);
    else
        grid->addWidget(control->Check, row, column + 1);
}

void TOptionControls::AddChannelItems(int channelCount) const {
    for (const TControl& control : Controls) {
        if (!control.Box) continue;
        const QStringList items = control.Field->ItemTexts(channelCount);
        control.Box->addItems(items.mid(control.Box->count()));
    }
}

void TOptionControls::OnChange(QObject* context, const std::function<void()>& changed) const {
    for (const TControl& control : Controls) {
        if (control.Box)
            QObject::connect(control.Box, &QComboBox::currentIndexChanged, context,
                             [changed] { changed(); });
        else
            QObject::connect(control.Check, &QCheckBox::toggled, context, [changed] { changed(); });
    }
}

void TOptionControls::Load(const TALL& all) const {
    for (const TControl& control : Controls) {
        if (control.Box)
            control.Box->setCurrentIndex(control.Field->ShownItem(all, all.ChannelCount));
        else
            control.Check->setChecked(control.Field->ShownChecked(all));
    }
}

void TOptionControls::Save(TALL& all) const {
    for (const TControl& control : Controls) {
        if (control.Box)
            control.Field->SaveItem(all, control.Box->currentIndex());
        else
            control.Field->SaveChecked(all, control.Check->isChecked());
    }
}
