#include "core/MacList.h"

void TMacList::Add(std::unique_ptr<TMacType> model) { Models.push_back(std::move(model)); }

const TMacType* TMacList::GetItem(int index) const {
    return (index >= 0 && index < Count()) ? Models[size_t(index)].get() : nullptr;
}

const TMacType* TMacList::FindByCode(const QString& code) const {
    for (const auto& model : Models) {
        if (model->Code == code)
            return model.get();
    }
    return nullptr;
}

const TMacType* TMacList::FindByName(const QString& name) const {
    for (const auto& model : Models) {
        if (model->Name == name)
            return model.get();
    }
    return nullptr;
}

void TMacList::FillNames(QStringList& names) const {
    names.clear();
    for (const auto& model : Models)
        names << model->Name;
}

void InitModelCatalogue(TMacList& list, TALL& all) {
    all.SerialEditable = false;
    all.DisplayName = QStringLiteral("ZP-407NE");
    all.SoftwareCode = QStringLiteral("QX47");
    all.BaudRate = 4800;
    all.FmLow = 76.0;
    all.FmHigh = 107.0;
    all.TestMenuVisible = true;

    auto model = std::make_unique<TMacType>(QStringLiteral("QX47"), all.DisplayName, 128);
    static const TBand Limits[BandCount] = {{400.0, 520.0}, {134.0, 176.0}, {200.0, 260.0},
                                            {320.0, 400.0}};
    static const TBand Defaults[BandCount] = {{400.0, 480.0}, {136.0, 174.0}, {245.0, 246.0},
                                              {350.0, 400.0}};
    for (int band = 0; band < BandCount; ++band)
        model->SetLimits(band, Limits[band].Low, Limits[band].High);
    for (int band = 0; band < BandCount; ++band)
        model->SetDefaults(band, true, Defaults[band].Low, Defaults[band].High, true, true);
    model->SetBandSelection(0x3F, 0x45, true);
    list.Add(std::move(model));
}
