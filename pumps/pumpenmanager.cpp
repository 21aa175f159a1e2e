// The catalogue singleton: lifetime, lookups, assignment from a pump, the
// check of all data and the order of a pump's curves.

#include "kavex/pumps/pumpenmanager.h"

#include <utility>

namespace {

std::unique_ptr<nrvPumpenManager> g_PumpenManager;

}  // namespace

nrvPumpenManager& nrvPumpenManager::instance() {
    if (!g_PumpenManager) g_PumpenManager = std::make_unique<nrvPumpenManager>();
    return *g_PumpenManager;
}

void nrvPumpenManager::removeInstance() {
    g_PumpenManager.reset();
}

nrvPumpenHersteller* nrvPumpenManager::contains(std::string_view name) const {
    for (const auto& h : m_hersteller)
        if (h->getName() == name) return h.get();
    return nullptr;
}

nrvPumpe* nrvPumpenManager::hasPumpe() const {
    if (m_hersteller.empty()) return nullptr;
    const auto& serien = m_hersteller.front()->getSerien();
    if (serien.empty()) return nullptr;
    const auto& pumpen = serien.front()->getPumpen();
    if (pumpen.empty() || pumpen.front()->getAnzKennlinien() == 0) return nullptr;
    return pumpen.front().get();
}

nrvPumpenManager& nrvPumpenManager::operator=(const nrvPumpe* pumpe) {
    if (pumpe == nullptr || pumpe->getAnzKennlinien() == 0) {
        m_hersteller.clear();
        return *this;
    }
    // Built before the old catalogue goes: the pump may be one of it.
    auto hersteller = std::make_unique<nrvPumpenHersteller>();
    hersteller->setName(pumpe->getManufacturerName());
    hersteller->setID(pumpe->getManufacturerID());
    if (pumpe->getParent() != nullptr && pumpe->getParent()->getParent() != nullptr)
        hersteller->setPfad(pumpe->getParent()->getParent()->getPfad());
    nrvPumpenSerie* serie = hersteller->addSerie();
    serie->setName(pumpe->getSerialName());
    serie->setEinsatzBereich(pumpe->getEinsatzBereich());
    serie->addPumpe()->assignPumpe(*pumpe);
    m_hersteller.clear();
    m_hersteller.push_back(std::move(hersteller));
    return *this;
}

bool nrvPumpenManager::checkAllPumpData(std::vector<std::string>& fehler) const {
    fehler.clear();
    for (const auto& h : m_hersteller) {
        if (h->getSerien().empty())
            fehler.push_back("Pumpenhersteller ohne Pumpen gefunden: " + h->getName());
        for (const auto& s : h->getSerien()) {
            if (s->getPumpen().empty())
                fehler.push_back("Pumpenserie ohne Pumpen gefunden: " + s->getName());
            for (const auto& p : s->getPumpen()) {
                if (p->getAnzKennlinien() == 0)
                    fehler.push_back("Pumpe ohne Kennlinien gefunden: " + p->getName());
                if (!p->bKennlinienSequenceOK())
                    fehler.push_back(
                        "Reihenfolge/ Anordnung der Pumpenkennlinien ist nicht korrekt: " +
                        p->getName());
                if (!p->bCheckKennlinien())
                    fehler.push_back("Pumpenkennlinie mit fehlerhaften Angaben: " + h->getName() +
                                     ", " + s->getName() + ", " + p->getName());
            }
        }
    }
    return fehler.empty();
}

void nrvPumpenManager::macheKennlinieReihnfolgeRichtig(nrvPumpe* pumpe) {
    if (pumpe == nullptr) return;
    const int n = pumpe->getAnzKennlinien();
    auto kopf = [pumpe](int i) { return pumpe->getStatischeKennlinie(i)->getMinForderHoehe(); };
    // Curve a is lower than curve b when b starts higher (at the smallest flow).
    auto tiefer = [&kopf](int a, int b) { return kopf(b) > kopf(a); };
    const int typ = pumpe->getRegelungTyp();
    if ((typ == enRegeltypKonstDruck || typ == enRegeltypPropDruck) && n == 2) {
        if (tiefer(0, 1)) pumpe->swapKennlinien(0, 1);
    } else if (typ == enRegeltypKonstPropDruck && n == 3) {
        if (tiefer(1, 2)) pumpe->swapKennlinien(1, 2);
    } else if (typ == enRegeltypKonstPropDruck && n == 4) {
        if (tiefer(0, 1)) pumpe->swapKennlinien(0, 1);
        if (tiefer(2, 3)) pumpe->swapKennlinien(2, 3);
    } else if (typ == enRegeltypKennlinie && n >= 2) {
        // Files usually list the speeds from the top down: turning them over
        // first leaves the sort little to do.
        if (!tiefer(0, 1)) pumpe->reverseArray();
        // Lowest curve first, by exchanging out-of-order neighbours. Equal
        // heads go by curve number and speed: the turning-over above would
        // otherwise swap them on every save and load.
        auto hinter = [&kopf, pumpe](int a, int b) {
            if (kopf(a) != kopf(b)) return kopf(a) > kopf(b);  // NaN: stays
            const nrvPumpenKennlinie& ka = *pumpe->getStatischeKennlinie(a);
            const nrvPumpenKennlinie& kb = *pumpe->getStatischeKennlinie(b);
            return std::pair(ka.getKennlinienNr(), ka.getDrehzahl()) >
                   std::pair(kb.getKennlinienNr(), kb.getDrehzahl());
        };
        for (int i = 1; i < n; ++i)
            for (int j = i; j > 0 && hinter(j - 1, j); --j)
                pumpe->swapKennlinien(j - 1, j);
    }
}

void nrvPumpenManager::getUnitSetting(unitSettingsContainerPumpen settings) {
    if (settings.pVolumenstrom != nullptr) m_units.pVolumenstrom = settings.pVolumenstrom;
    if (settings.pFoerderhoehe != nullptr) m_units.pFoerderhoehe = settings.pFoerderhoehe;
}
