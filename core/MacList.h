#pragma once

#include "core/MacType.h"

#include <QStringList>
#include <memory>
#include <vector>

// The radio models the program knows, in the order they were added.
class TMacList {
public:
    void Add(std::unique_ptr<TMacType> model);
    int Count() const { return int(Models.size()); }
    const TMacType* GetItem(int index) const;
    const TMacType* FindByCode(const QString& code) const;
    const TMacType* FindByName(const QString& name) const;
    void FillNames(QStringList& names) const;

private:
    std::vector<std::unique_ptr<TMacType>> Models;
};

// Registers the built-in model and sets the state fields that depend on it.
void InitModelCatalogue(TMacList& list, TALL& all);
