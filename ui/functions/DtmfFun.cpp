#include "ui/functions/DtmfFun.h"

#include "core/Maindb.h"
#include "ui/functions/FieldPanel.h"
#include "widgets/CharValidator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Each code box: its name, its label and the label's caption.
struct TCodeBoxDef {
    const char* Name;
    const char* Label;
    const char* Caption;
};
const TCodeBoxDef CodeBoxDefs[] = {
    {"cxEntv", "clEnt", "Begin of Tx"},
    {"cxEndv", "clEnd", "End of Tx"},
    {"cxIdSv", "clIdSv", "ID Code"},
    {"cxStunSv", "clStunSv", "Stun Code"},
};

// The PTT ID modes "BOT" and "BOTH" send the begin code, "EOT" and "BOTH" the end code.
constexpr int PttBegin = 1;
constexpr int PttEnd = 2;

QGroupBox* Group(const char* name, const char* title, QWidget* parent) {
    auto* group = Named<QGroupBox>(name, parent);
    group->setTitle(QLatin1String(title));
    return group;
}

} // namespace

TfDtmfFun::TfDtmfFun(TfMaindb& db, QWidget* parent)
    : TfFunctionWindow(db, QStringLiteral("fDtmfFun"), QStringLiteral("DtmfFun"),
                       QStringLiteral("DTMF Function"), parent) {
    cxDtmfInfo = Named<QTabWidget>("cxDtmfInfo", this);
    cxDtmfInfo->addTab(BuildEncodePage(), QStringLiteral("Encode"));
    cxDtmfInfo->addTab(BuildDecodePage(), QStringLiteral("Decode"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cxDtmfInfo);
    layout->addWidget(btnCancel, 0, Qt::AlignRight);

    SaveOnChange();
    for (const char* name : {"cxPtts", "cxStunSw"})
        connect(Options.Box(QLatin1String(name)), &QComboBox::currentIndexChanged, this,
                [this] { EnableCodeBoxes(); });
}

QLineEdit* TfDtmfFun::AddCodeBox(QGridLayout* grid, int row, TDtmfCode code) {
    const TCodeBoxDef& def = CodeBoxDefs[size_t(code) - 1];
    QLabel* label =
        FieldLabel(QLatin1String(def.Label), QLatin1String(def.Caption), grid->parentWidget());
    auto* box = Named<QLineEdit>(def.Name, grid->parentWidget());
    const auto kind =
        code == TDtmfCode::Id ? TCharRules::TKind::IdCode : TCharRules::TKind::DtmfCode;
    box->setValidator(new TCharValidator(kind, DtmfCodeCapacity(code), box));
    box->setContextMenuPolicy(Qt::NoContextMenu);
    label->setBuddy(box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    CodeBoxes[size_t(code) - 1] = box;
    connect(box, &QLineEdit::textChanged, this, [this, code] { SaveDtmfCode(code); });
    connect(box, &QLineEdit::returnPressed, this, [this, code] { SaveDtmfCode(code); });
    return box;
}

QWidget* TfDtmfFun::BuildEncodePage() {
    QWidget* page = Named<QWidget>("cxEnCode", cxDtmfInfo);
    QGroupBox* encode = Group("cgEnCode", "Encode", page);
    auto* grid = new QGridLayout(encode);
    int row = 0;
    for (const char* name : {"cxRate", "cxFiSv", "cxFiDv", "cxEfSv", "cxTxTs", "cxAbcd", "cxBeep"})
        Options.Place(grid, QLatin1String(name), row++, 0);
    Options.Place(grid, QStringLiteral("cxPtts"), row, 0);
    QGroupBox* ptt = Group("cgPtts", "PTT ID", page);
    auto* pttGrid = new QGridLayout(ptt);
    AddCodeBox(pttGrid, 0, TDtmfCode::Begin);
    AddCodeBox(pttGrid, 1, TDtmfCode::End);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(encode);
    layout->addWidget(ptt);
    return page;
}

QWidget* TfDtmfFun::BuildDecodePage() {
    QWidget* page = Named<QWidget>("cxDecode", cxDtmfInfo);
    QGroupBox* decode = Group("cgDeCode", "Decode", page);
    auto* grid = new QGridLayout(decode);
    AddCodeBox(grid, 0, TDtmfCode::Id);
    int row = 1;
    for (const char* name : {"cxGroup", "cxBack", "cxTxYs", "cxIdEs", "cxRxTs", "cxAcks"})
        Options.Place(grid, QLatin1String(name), row++, 0);
    QGroupBox* stun = Group("cgStun", "Stun", page);
    auto* stunGrid = new QGridLayout(stun);
    Options.Place(stunGrid, QStringLiteral("cxStunSw"), 0, 0);
    AddCodeBox(stunGrid, 1, TDtmfCode::Stun);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(decode);
    layout->addWidget(stun);
    return page;
}

void TfDtmfFun::Prepare() {
    const int decode = cxDtmfInfo->indexOf(cxDtmfInfo->findChild<QWidget*>("cxDecode"));
    cxDtmfInfo->setTabEnabled(decode, Db.All.DtmfDecodeVisible);
    cxDtmfInfo->setTabVisible(decode, Db.All.DtmfDecodeVisible);
}

void TfDtmfFun::Load() {
    TfFunctionWindow::Load();
    for (TDtmfCode code : {TDtmfCode::Begin, TDtmfCode::End, TDtmfCode::Id, TDtmfCode::Stun})
        CodeBox(code)->setText(ReadDtmfCode(Db.All, code));
    EnableCodeBoxes();
}

void TfDtmfFun::EnableCodeBoxes() {
    const int mode = Options.Box(QStringLiteral("cxPtts"))->currentIndex();
    CodeBox(TDtmfCode::Begin)->setEnabled(mode >= 0 && (mode & PttBegin));
    CodeBox(TDtmfCode::End)->setEnabled(mode >= 0 && (mode & PttEnd));
}

void TfDtmfFun::SaveDtmfCode(TDtmfCode code) {
    Edit([&] { WriteDtmfCode(Db.All, code, CodeBox(code)->text()); });
}
