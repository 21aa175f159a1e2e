#pragma once
// Pumps built in code for the pump tests: curves given in m³/s and Pa.

#include <string>
#include <utility>
#include <vector>

#include "kavex/pumps/pumpenmanager.h"

namespace pumpentest {

using Punkte = std::vector<std::pair<double, double>>;

inline Punkte punkteVon(const CLinearInterpolation& k) {
    Punkte p;
    for (std::size_t i = 0; i < k.getSize(); ++i)
        p.emplace_back(k.GetAtXArray(i), k.GetAtYArray(i));
    return p;
}

// One manufacturer with one series; pumps are added with their curves in
// the given order (no reordering).
struct Katalog {
    nrvPumpenHersteller hersteller;
    nrvPumpenSerie* serie;

    explicit Katalog(const std::string& name = "Testpumpen GmbH") {
        hersteller.setName(name);
        serie = hersteller.addSerie();
        serie->setName("Serie A");
    }

    nrvPumpe& pumpe(int typ, const std::vector<Punkte>& kurven, double dpMinMbar = 0.0,
                    double dpMaxMbar = 10000.0) {
        nrvPumpe* p = serie->addPumpe();
        p->setName("Pumpe " + std::to_string(serie->getPumpen().size()));
        p->setRegelungTyp(typ);
        p->setDruckZul(dpMinMbar, dpMaxMbar);
        int nummer = 1;
        for (const Punkte& kurve : kurven) {
            nrvPumpenKennlinie* k = p->addKennlinie();
            k->setKennlinienNr(nummer++);
            for (const auto& [x, y] : kurve)
                k->getKennlinie().Add(x, y);
        }
        return *p;
    }
};

}  // namespace pumpentest
