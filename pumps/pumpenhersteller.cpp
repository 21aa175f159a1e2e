#include "kavex/pumps/pumpenhersteller.h"

nrvPumpe* nrvPumpenSerie::addPumpe() {
    m_pumpen.push_back(std::make_unique<nrvPumpe>(this));
    return m_pumpen.back().get();
}

void nrvPumpenSerie::removeAll() {
    m_pumpen.clear();
    m_name.clear();
    m_einsatzBereich = 0;
}

nrvPumpenSerie* nrvPumpenHersteller::addSerie() {
    m_serien.push_back(std::make_unique<nrvPumpenSerie>(this));
    return m_serien.back().get();
}

nrvPumpenSerie* nrvPumpenHersteller::contains(std::string_view name) const {
    for (const auto& serie : m_serien)
        if (serie->getName() == name) return serie.get();
    return nullptr;
}
