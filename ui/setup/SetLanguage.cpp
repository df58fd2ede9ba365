#include "ui/setup/SetLanguage.h"

#include "core/All.h"
#include "widgets/DialogButton.h"
#include "core/SysSettings.h"
#include "widgets/TranslateForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

void Fill(QComboBox* list, const QStringList& names) {
    list->clear();
    list->addItems(names);
}

void Fill(QListWidget* list, const QStringList& names) {
    list->clear();
    list->addItems(names);
}

} // namespace

TfSetLanguage::TfSetLanguage(TALL& all, QWidget* parent) : QDialog(parent), All(all) {
    setObjectName(QStringLiteral("fSetLanguage"));
    setWindowTitle(QStringLiteral("Language File Setup"));

    auto* cxSels = new QGroupBox(QStringLiteral("Language"), this);
    cxSels->setObjectName(QStringLiteral("cxSels"));
    auto* choices = new QVBoxLayout(cxSels);
    for (size_t i = 0; i < cxLangs.size(); ++i) {
        cxLangs[i] = new QRadioButton(cxSels);
        cxLangs[i]->setObjectName(QStringLiteral("cxLang%1").arg(i));
        cxLangs[i]->hide();
        choices->addWidget(cxLangs[i]);
    }
    choices->addStretch();

    cxLang = new QComboBox(this);
    cxLang->setObjectName(QStringLiteral("cxLang"));
    cxLang->setProperty("tag", -2);
    cxLang->hide();
    cxName = new QListWidget(this);
    cxName->setObjectName(QStringLiteral("cxName"));
    cxName->hide();

    const TOkCancelRow buttons = MakeOkCancelRow(this);
    connect(buttons.Ok, &QPushButton::clicked, this, &TfSetLanguage::btnOkClick);
    auto* form = new QVBoxLayout(this);
    form->addWidget(cxSels, 1);
    form->addLayout(buttons.Row);
    resize(342, 170);
}

void TfSetLanguage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

// The radio buttons take the shown names after the translation, so a caption key in the
// language file never hides them. A shown name without a file name cannot be chosen.
void TfSetLanguage::FormShow() {
    Fill(cxName, ReadNameList(All, QStringLiteral("Language")));
    Fill(cxLang, ReadNameList(All, All.LanguageName));
    TranslateForm(this, All, false);
    for (int i = 0; i < int(cxLangs.size()); ++i) {
        const bool shown = i < cxLang->count();
        cxLangs[i]->setVisible(shown);
        cxLangs[i]->setEnabled(i < cxName->count());
        if (shown) cxLangs[i]->setText(cxLang->itemText(i));
    }
    if (All.LanguageIndex >= 0 && All.LanguageIndex < int(cxLangs.size()))
        cxLangs[All.LanguageIndex]->setChecked(true);
    ResultFlag = false;
}

int TfSetLanguage::ChosenIndex() const {
    for (int i = int(cxLangs.size()) - 1; i > 0; --i)
        if (cxLangs[i]->isChecked()) return i;
    return 0;
}

void TfSetLanguage::btnOkClick() {
    const int chosen = ChosenIndex();
    if (chosen != All.LanguageIndex && chosen < cxName->count()) {
        All.LanguageIndex = chosen;
        All.LanguageName = cxName->item(chosen)->text();
        ResultFlag = true;
    }
    accept();
}
