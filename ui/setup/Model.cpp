#include "ui/setup/Model.h"

#include "core/Codecs.h"
#include "core/Maindb.h"
#include "widgets/MessageBox.h"
#include "widgets/TranslateForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int DialogWidth = 330;
constexpr int PanelHeight = 41;
constexpr int RowHeight = 30;
constexpr int SnapToQuarterStep = 4; // SnapFrequency mode: the 2.5 kHz grid

// The bits a selected band sets in a band-selection byte, and the two bits it is read from.
uint8_t BandBit(int band) {
    return uint8_t(0x01 << (2 * band));
}
bool HasBand(uint8_t selection, int band) {
    return selection & (0x03 << (2 * band));
}

// An edge edit's value; an empty edit, or one holding no number, counts as 0.
double EditValue(const QLineEdit* edit) {
    bool ok = false;
    const double value = edit->text().toDouble(&ok);
    return ok ? value : 0.0;
}

void SetEditValue(QLineEdit* edit, double mhz) {
    edit->setText(FormatMHz(mhz));
}

double Snapped(const TALL& all, double mhz) {
    int mode = SnapToQuarterStep;
    SnapFrequency(all, mhz, mode);
    return mhz;
}

} // namespace

TfModel::TfModel(TfMaindb& db, QWidget* parent) : QDialog(parent), Db(db) {
    setObjectName(QStringLiteral("fModel"));
    setWindowTitle(QStringLiteral("Model Information"));

    pMode = new QWidget(this);
    pMode->setObjectName(QStringLiteral("pMode"));
    pMode->setFixedSize(DialogWidth, PanelHeight);
    auto* label1 = new QLabel(QStringLiteral("Model Type"), pMode);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(16, 12, 90, 17);
    cxModel = new QComboBox(pMode);
    cxModel->setObjectName(QStringLiteral("cxModel"));
    cxModel->setProperty("tag", -2);
    cxModel->setGeometry(110, 9, 200, 24);
    label1->setBuddy(cxModel);
    lRang = new QLabel(QStringLiteral("Freq. Rang"), pMode);
    lRang->setObjectName(QStringLiteral("lRang"));
    lRang->hide();

    SelGroup = new QButtonGroup(this);
    for (int band = 0; band < BandCount; ++band)
        CreateBandRow(band);

    pKeys = new QWidget(this);
    pKeys->setObjectName(QStringLiteral("pKeys"));
    pKeys->setFixedSize(DialogWidth, PanelHeight);
    auto* btnOk = new QPushButton(QStringLiteral("&Ok"), pKeys);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setGeometry(130, 8, 85, 25);
    auto* btnCancel = new QPushButton(QStringLiteral("&Cancel"), pKeys);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(225, 8, 85, 25);

    // The dialog is exactly as high as its model panel, its visible band rows and its keys.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(pMode);
    for (const TBandRow& row : Rows)
        layout->addWidget(row.Panel);
    layout->addWidget(pKeys);

    connect(cxModel, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { cxModelPropertiesChange(); });
    connect(SelGroup, &QButtonGroup::idClicked, this, [this](int tag) { cxSel_1Click(tag); });
    connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfModel::CreateBandRow(int band) {
    const QString number = QString::number(band + 1);
    TBandRow& row = Rows[band];
    row.Panel = new QWidget(this);
    row.Panel->setObjectName(QStringLiteral("pRang") + number);
    row.Panel->setFixedSize(DialogWidth, RowHeight);

    row.Use = new QCheckBox(row.Panel);
    row.Use->setObjectName(QStringLiteral("cxUse_") + number);
    row.Use->setProperty("tag", band);
    row.Use->setGeometry(16, 5, 20, 20);
    // The radio buttons stand where the check boxes stand; a model shows one kind or the other.
    row.Sel = new QRadioButton(row.Panel);
    row.Sel->setObjectName(QStringLiteral("cxSel_") + number);
    row.Sel->setProperty("tag", band + 1);
    row.Sel->setGeometry(row.Use->geometry());
    row.Sel->hide();
    SelGroup->addButton(row.Sel, band + 1);

    row.Caption = new QLabel(row.Panel);
    row.Caption->setObjectName(QStringLiteral("lFreq_") + number);
    row.Caption->setGeometry(40, 7, 80, 17);
    row.Low = CreateEdgeEdit(row.Panel, QStringLiteral("cxFreq_") + number + QLatin1Char('L'), 120);
    row.High =
        CreateEdgeEdit(row.Panel, QStringLiteral("cxFreq_") + number + QLatin1Char('H'), 220);

    connect(row.Use, &QCheckBox::toggled, this, [this, band] { cxUse_1PropertiesChange(band); });
    connect(row.Low, &QLineEdit::editingFinished, this, [this, band] { LowerEdgeChanged(band); });
    connect(row.High, &QLineEdit::editingFinished, this, [this, band] { UpperEdgeChanged(band); });
}

TfModel::~TfModel() {
    // An edit that loses the focus while the dialog is torn down finishes its editing: that
    // must not reach a dialog that is already half destroyed.
    for (const TBandRow& row : Rows) {
        disconnect(row.Low, nullptr, this, nullptr);
        disconnect(row.High, nullptr, this, nullptr);
    }
}

QLineEdit* TfModel::CreateEdgeEdit(QWidget* panel, const QString& name, int left) {
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(name);
    edit->setGeometry(left, 3, 90, 24);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,4}([.,]\\d{0,5})?")), edit));
    // The decimal separator is '.' whatever the user's locale: a typed ',' becomes one.
    connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        if (!text.contains(QLatin1Char(','))) return;
        const int cursor = edit->cursorPosition();
        edit->setText(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
        edit->setCursorPosition(cursor);
    });
    return edit;
}

void TfModel::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

const TMacType* TfModel::Chosen() const {
    return Db.MacList.FindByCode(ChosenCode);
}

TBand TfModel::InitialRange(int band) const {
    const TMacType* model = Chosen();
    return model ? model->GetRange(band, model->StartsOnLimits()) : TBand{};
}

void TfModel::FormShow() {
    TranslateForm(this, Db.All, false);
    {
        const QSignalBlocker blocker(cxModel);
        QStringList names;
        Db.MacList.FillNames(names);
        cxModel->clear();
        cxModel->addItems(names);
        cxModel->setCurrentIndex(std::max(0, cxModel->findText(Db.All.ModelName)));
    }
    cxModelPropertiesChange();

    const QScopedValueRollback<bool> updating(Updating, true);
    LoadBandsFromImage(Db.All.Image[Addr::BandEnable]);
    UpdateBandEdits();
    Accepted = false;
}

void TfModel::cxModelPropertiesChange() {
    const TMacType* model = Db.MacList.FindByName(cxModel->currentText());
    if (!model) return;
    const QScopedValueRollback<bool> updating(Updating, true);
    ChosenMask = model->BandMask;
    ChosenDefaults = model->DefaultBands;
    ChosenCode = model->Code;

    int shown = 0;
    for (int band = 0; band < BandCount; ++band) {
        TBandRow& row = Rows[band];
        row.Panel->setVisible(model->IsPresent(band));
        if (model->IsPresent(band)) row.Caption->setText(lRang->text() + QString::number(++shown));

        row.Sel->setEnabled(HasBand(ChosenMask, band));
        row.Sel->setVisible(!model->BandCheckBoxes);
        row.Sel->setChecked(!model->BandCheckBoxes && HasBand(ChosenDefaults, band));
        row.Use->setChecked(HasBand(ChosenDefaults & ChosenMask, band));

        const TBand limits = model->GetLimits(band);
        row.Low->setToolTip(FormatMHz(limits.Low));
        row.High->setToolTip(FormatMHz(limits.High));
        const auto& editable = model->EditFlags[band];
        row.Low->setReadOnly(!editable[0]);
        row.High->setReadOnly(!editable[1]);
        row.Use->setEnabled(editable[0] && editable[1]);

        const TBand initial = InitialRange(band);
        row.Caption->setToolTip(FormatMHz(initial.Low) + QLatin1Char('-') +
                                FormatMHz(initial.High));
        SetEditValue(row.Low, initial.Low);
        SetEditValue(row.High, initial.High);
    }
    UpdateBandEdits();
}

void TfModel::UpdateBandEdits() {
    const TMacType* model = Chosen();
    const bool checkBoxes = model && model->BandCheckBoxes;
    for (TBandRow& row : Rows) {
        row.Low->setEnabled(row.Use->isChecked());
        row.High->setEnabled(row.Use->isChecked());
        row.Use->setVisible(checkBoxes && row.Use->isEnabled());
    }
}

void TfModel::LoadBandsFromImage(uint8_t selection) {
    for (int band = 0; band < BandCount; ++band) {
        TBandRow& row = Rows[band];
        row.Use->setChecked(HasBand(selection, band));
        if (!row.Use->isChecked()) continue;
        const int low = Addr::BandLimits + 8 * band;
        SetEditValue(row.Low, BytesToMHz(&Db.All.Image[low]));
        SetEditValue(row.High, BytesToMHz(&Db.All.Image[low + 4]));
    }
}

void TfModel::cxUse_1PropertiesChange(int band) {
    if (Updating) return;
    TBandRow& row = Rows[band];
    const bool on = row.Use->isChecked();
    row.Low->setEnabled(on);
    row.High->setEnabled(on);
    if (on) return;
    const TBand initial = InitialRange(band);
    SetEditValue(row.Low, initial.Low);
    SetEditValue(row.High, initial.High);
}

void TfModel::cxSel_1Click(int tag) {
    for (int band = 0; band < BandCount; ++band)
        Rows[band].Use->setChecked(band + 1 == tag);
}

// Lower edge committed: within the limits, not above the upper edge, on the 2.5 kHz grid. An
// empty upper edge takes the lower one.
void TfModel::LowerEdgeChanged(int band) {
    const TMacType* model = Chosen();
    if (!model) return;
    const TBand limits = model->GetLimits(band);
    TBandRow& row = Rows[band];
    double low = EditValue(row.Low);
    double high = EditValue(row.High);
    if (low == 0) low = limits.Low;
    if (low > limits.High) low = limits.High;
    if (low != 0 && low < limits.Low) low = limits.Low;
    const bool highEmpty = high == 0;
    if (highEmpty) high = low;
    if (high <= low) low = high;
    low = Snapped(Db.All, low);
    if (highEmpty) high = low;
    SetEditValue(row.Low, low);
    SetEditValue(row.High, high);
}

// Upper edge committed: within the limits, not below the lower edge, on the 2.5 kHz grid. An
// empty lower edge takes the upper one.
void TfModel::UpperEdgeChanged(int band) {
    const TMacType* model = Chosen();
    if (!model) return;
    const TBand limits = model->GetLimits(band);
    TBandRow& row = Rows[band];
    double low = EditValue(row.Low);
    double high = EditValue(row.High);
    if (high == 0) high = limits.High;
    if (low > high) high = low;
    if (high > limits.High) high = limits.High;
    if (high != 0 && high < limits.Low) high = limits.Low;
    high = Snapped(Db.All, high);
    if (low == 0) low = high;
    SetEditValue(row.Low, low);
    SetEditValue(row.High, high);
}

void TfModel::TChoice::ApplyTo(TALL& all) const {
    all.BandEnable = BandEnable;
    all.Bands = Bands;
    all.ModelCode = ModelCode;
}

void TfModel::btnOkClick() {
    Accepted = false;
    std::array<TBand, BandCount> bands{};
    uint8_t selection = 0;
    for (int band = 0; band < BandCount; ++band) {
        const TBandRow& row = Rows[band];
        if (!row.Use->isChecked()) continue;
        selection |= BandBit(band);
        bands[band] = {EditValue(row.Low), EditValue(row.High)};
    }
    selection &= ChosenMask;
    if (selection == 0) {
        ShowMessageBox(Db.Language.Caution, Db.Language.ErrRange, MessageKind::Information);
        return;
    }
    Choice = {selection, bands, ChosenCode};
    Accepted = true;
    accept();
}
