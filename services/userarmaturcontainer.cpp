// Lists, ids, lookups and values of the user valve container.

#include "kavex/services/userarmaturcontainer.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "kavex/platform/combobox.h"
#include "kavex/platform/numbers.h"
#include "kavex/services/formeln.h"
#include "kavex/services/userarmaturcontainer_p.h"
#include "kavex/uservalves/userfile.h"

namespace nrvUserArmaturen {

using nrvBaseArmaturen::nrvFormeln::kKvMinimum;
using nrvBaseArmaturen::nrvFormeln::kKvToleranz;
using nrvBaseArmaturen::nrvFormeln::kNull;
using nrvBaseArmaturen::nrvFormeln::runden3;

namespace {

bool modelHolds(const UserArmaturenModell& record, const nrvUserArmatur* valve) {
    const nrvUserArmaturenModell& model = record.getArm();
    for (int i = 0; i < model.getSize(); ++i)
        if (model.getUserArmaturAt(i) == valve) return true;
    return false;
}

// The size as the user sees it: the size text of a duct part, else "DN %d".
std::string sizeText(const nrvUserArmatur& valve) {
    if (!valve.getDimensionsString().empty()) return valve.getDimensionsString();
    return "DN " + nrvNumbers::formatI(valve.getDimension());
}

// y of a curve at `value` by the curve's own flag.
bool curveValue(const nrvUserArmatur& valve, int index, double value, double& y) {
    return detail::yBeiX(detail::kurve(valve, index), detail::kurveInterpolierbar(valve, index),
                         value, y);
}

}  // namespace

RnUserArmaturContainer& RnUserArmaturContainer::instance() {
    // A function-local static: created once, thread-safe, destroyed at exit.
    static RnUserArmaturContainer container;
    return container;
}

RnUserArmaturContainer::RnUserArmaturContainer() = default;
RnUserArmaturContainer::~RnUserArmaturContainer() = default;

void RnUserArmaturContainer::removeAll(std::string_view gewerk) {
    int largest = 0;
    for (RecordList* records : {&m_global, &m_lokal}) {
        for (std::size_t i = records->size(); i-- > 0;) {
            const UserArmaturenModell& record = *(*records)[i];
            if (gewerk.empty() || getGewerkeKrzlFromTyp(record.typ) == gewerk)
                records->erase(records->begin() + static_cast<std::ptrdiff_t>(i));
        }
        for (const auto& record : *records)
            largest = std::max(largest, record->modellId);
    }
    m_lastUsedId = largest;
}

// --- lists and ids ---------------------------------------------------------------

UserArmaturenModell* RnUserArmaturContainer::getAtUserGlobal(int index) const {
    if (index < 0 || index >= getUserCountGlobal()) return nullptr;
    return m_global[static_cast<std::size_t>(index)].get();
}

UserArmaturenModell* RnUserArmaturContainer::getAtUserLokal(int index) const {
    if (index < 0 || index >= getUserCountLocal()) return nullptr;
    return m_lokal[static_cast<std::size_t>(index)].get();
}

UserArmaturenModell* RnUserArmaturContainer::getAtUserTotal(int index) const {
    if (index < getUserCountGlobal()) return getAtUserGlobal(index);
    return getAtUserLokal(index - getUserCountGlobal());
}

int RnUserArmaturContainer::append(UserArmaturenModell& record, std::string_view klasse) {
    // Compared with sorted curves, so that a record differing only in the
    // order of its points is recognised, and a stored record taking over the
    // model keeps its curves sorted.
    auto copy = std::make_unique<UserArmaturenModell>(record);
    copy->sortCurve();
    RecordList& target = list(!record.isGlobal());
    for (auto it = target.rbegin(); it != target.rend(); ++it) {
        if (!(*it)->isEqualTo(*copy, klasse, false)) continue;
        (*it)->getArm() = copy->getArm();
        record.modellId = (*it)->modellId;
        return static_cast<int>(target.size()) - 1;
    }
    const int index = adopt(std::move(copy));
    record.modellId = target[static_cast<std::size_t>(index)]->modellId;
    return index;
}

int RnUserArmaturContainer::adopt(std::unique_ptr<UserArmaturenModell> record) {
    if (record->modellId == 0)
        record->modellId = ++m_lastUsedId;
    else if (record->modellId > m_lastUsedId)
        m_lastUsedId = record->modellId;
    record->sortCurve();
    RecordList& target = list(!record->isGlobal());
    target.push_back(std::move(record));
    return static_cast<int>(target.size()) - 1;
}

bool RnUserArmaturContainer::SetAt(const UserArmaturenModell& record, std::string_view klasse) {
    for (auto& stored : list(!record.isGlobal())) {
        if (stored->modellId != record.modellId) continue;
        *stored = record;
        stored->sortCurve();
        return stored->isEqualTo(record, klasse, false);
    }
    return false;
}

bool RnUserArmaturContainer::RemoveAt(const UserArmaturenModell& record, std::string_view klasse) {
    RecordList& target = list(!record.isGlobal());
    for (auto it = target.begin(); it != target.end(); ++it) {
        if (!(*it)->isEqualTo(record, klasse, true)) continue;
        target.erase(it);
        return true;
    }
    return false;
}

void RnUserArmaturContainer::RemoveAt(bool local, int index) {
    RecordList& target = list(local);
    if (index < 0 || index >= static_cast<int>(target.size())) return;
    target.erase(target.begin() + index);
}

const UserArmaturenModell* RnUserArmaturContainer::findById(const RecordList& list, int id) {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->modellId == id) return it->get();
    return nullptr;
}

bool RnUserArmaturContainer::hasModellID(int id) const {
    return hasModellID(id, false) || hasModellID(id, true);
}

bool RnUserArmaturContainer::hasModellID(int id, bool local) const {
    return findById(userArmaturen(local), id) != nullptr;
}

const UserArmaturenModell& RnUserArmaturContainer::getUserArmModFromID(int id, bool local) const {
    const UserArmaturenModell* record = findById(userArmaturen(local), id);
    return record ? *record : m_empty;
}

int RnUserArmaturContainer::findParentModellId(const RecordList& list,
                                               const nrvUserArmatur* valve) {
    if (!valve) return 0;
    for (const auto& record : list)
        if (modelHolds(*record, valve)) return record->modellId;
    return 0;
}

int RnUserArmaturContainer::findParentModellId(const RecordView& list,
                                               const nrvUserArmatur* valve) {
    if (!valve) return 0;
    for (const UserArmaturenModell* record : list)
        if (record && modelHolds(*record, valve)) return record->modellId;
    return 0;
}

bool RnUserArmaturContainer::hasArmaturenmodell(enArmaturenTyp typ, bool local) const {
    return getCountOf(typ, local) > 0;
}

int RnUserArmaturContainer::getCountOf(enArmaturenTyp typ, bool local) const {
    const RecordList& records = userArmaturen(local);
    return static_cast<int>(std::count_if(records.begin(), records.end(),
                                          [&](const auto& r) { return r->typ == typ; }));
}

const UserArmaturenModell* RnUserArmaturContainer::findEqual(const UserArmaturenModell& record,
                                                             std::string_view klasse,
                                                             bool sameIdentity) const {
    for (const auto& stored : userArmaturen(!record.isGlobal()))
        if (stored->typ == record.typ && stored->passesClassFilter(klasse) &&
            stored->isEqualTo(record, klasse, sameIdentity))
            return stored.get();
    return nullptr;
}

bool RnUserArmaturContainer::hasEqualTypes(const UserArmaturenModell& record,
                                           std::string_view klasse, bool sameIdentity) const {
    return findEqual(record, klasse, sameIdentity) != nullptr;
}

bool RnUserArmaturContainer::findEqualType(UserArmaturenModell& record, std::string_view klasse,
                                           bool sameIdentity) const {
    const UserArmaturenModell* stored = findEqual(record, klasse, sameIdentity);
    if (stored) record.modellId = stored->modellId;
    return stored != nullptr;
}

RnUserArmaturContainer::RecordView RnUserArmaturContainer::getUserArmaturenModelle(bool local,
                                                                                   int typ) const {
    RecordView out;
    for (const auto& record : userArmaturen(local))
        if (typ == -1 || record->typ == typ) out.push_back(record.get());
    return out;
}

// --- lookups -----------------------------------------------------------------------

const UserArmaturenModell& RnUserArmaturContainer::getArmaturenModell(const ARMATUR& arm) const {
    if (arm.modellId < 1) return m_empty;
    if (const UserArmaturenModell* record = findById(m_global, arm.modellId)) return *record;
    if (const UserArmaturenModell* record = findById(m_lokal, arm.modellId)) return *record;
    return m_empty;
}

const UserArmaturenModell& RnUserArmaturContainer::getArmaturenModell(const ARMATUR& arm,
                                                                      bool local) const {
    if (arm.modellId < 1) return m_empty;
    return getUserArmModFromID(arm.modellId, local);
}

const UserArmaturenModell& RnUserArmaturContainer::getArmaturenModell(
    const nrvUserArmatur* valve) const {
    const UserArmaturenModell& global = getArmaturenModell(valve, false);
    return &global != &m_empty ? global : getArmaturenModell(valve, true);
}

const UserArmaturenModell& RnUserArmaturContainer::getArmaturenModell(const nrvUserArmatur* valve,
                                                                      bool local) const {
    if (!valve) return m_empty;
    for (const auto& record : userArmaturen(local))
        if (modelHolds(*record, valve)) return *record;
    return m_empty;
}

nrvUserArmatur* RnUserArmaturContainer::getArmatur(const ARMATUR& arm, double kv) const {
    const UserArmaturenModell& record = getArmaturenModell(arm);
    if (record.bIsEmpty()) return nullptr;
    return record.findNearestArmatur(arm.dn, kv);
}

void RnUserArmaturContainer::getNennweitenFromArmatur(const ARMATUR& arm,
                                                      std::vector<int>& dns) const {
    getNennweitenFromArmatur(getArmaturenModell(arm), dns);
}

void RnUserArmaturContainer::getNennweitenFromArmatur(const UserArmaturenModell& record,
                                                      std::vector<int>& dns) {
    dns.clear();
    for (const nrvUserArmatur* valve : record.getArm().getUserArmaturen())
        dns.push_back(valve->getDimension());
}

void RnUserArmaturContainer::fillNennweiteCombo(nrvComboBox& combo, const ARMATUR& arm) const {
    combo.clear();
    int selection = -1;
    for (const nrvUserArmatur* valve : getArmaturenModell(arm).getArm().getUserArmaturen()) {
        const int dn = valve->getDimension();
        const std::string& dimension = valve->getDimensionsString();
        const int index = combo.addString(
            dimension.empty() ? nrvNumbers::format("%d", static_cast<long long>(dn)) : dimension,
            dn);
        if (selection < 0 && dn >= arm.dn) selection = index;
    }
    if (selection >= 0) combo.setCurSel(selection);
}

std::string RnUserArmaturContainer::getArtikelNr(const ARMATUR& arm) const {
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    return valve ? valve->getArtikelNr() : std::string();
}

std::string RnUserArmaturContainer::getManufacturer(const ARMATUR& arm) const {
    return getArmaturenModell(arm).getArm().getManufacturer();
}

std::string RnUserArmaturContainer::getModelType(const ARMATUR& arm) const {
    return getArmaturenModell(arm).getArm().getModelType();
}

std::string RnUserArmaturContainer::getKurztext(const ARMATUR& arm) const {
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    if (!valve) return {};
    std::string text = getManufacturer(arm);
    const std::string model = getModelType(arm);
    if (!text.empty() && !model.empty()) text += ' ';
    text += model;
    if (!text.empty()) text += ", ";
    return text + sizeText(*valve);
}

// --- values ----------------------------------------------------------------------------

bool RnUserArmaturContainer::getKvIst(const ARMATUR& arm, double& kv) const {
    kv = 0.0;
    if (arm.einstellung < 0) return false;
    return getKvIst(getArmatur(arm, -1.0), arm.einstellung, kv);
}

bool RnUserArmaturContainer::getKvIst(const nrvUserArmatur* valve, int einstellung, double& kv) {
    kv = 0.0;
    if (!valve || einstellung < 0) return false;
    if (valve->useKvs()) {
        kv = valve->getKvs();
        return true;
    }
    const int points = detail::punktAnzahl(*valve);
    if (points == 0) return false;
    kv = detail::kurve(*valve, 0)[std::min(einstellung, points - 1)].y;
    return true;
}

bool RnUserArmaturContainer::isInKvRange(const nrvUserArmatur* valve, double kv) {
    if (!valve || kv < kKvMinimum) return false;
    const double kvmin = detail::kvMin(*valve);
    const double kvmax = detail::kvMax(*valve);
    if (kvmin >= 0.0 && kvmax > kKvMinimum && kvmax > kvmin) {
        const double k = runden3(kv);
        return runden3(kvmin) <= k && k <= runden3(kvmax);
    }
    // No kv range (a valve computed with kvs): its kvs must reach kv.
    if (std::fabs(kvmin - kvmax) > kKvToleranz) return false;
    const double kvs = valve->getKvs();
    if (!(kvs > 0.0)) return false;
    return kvs > kv || std::fabs(kvs - kv) <= kKvToleranz;
}

double RnUserArmaturContainer::getWirkdruck(const nrvUserArmatur* valve, int einstellung) {
    if (!valve || detail::kurvenAnzahl(*valve) != 2) return 0.0;
    const CKurve& second = detail::kurve(*valve, 1);
    if (einstellung < 0 || einstellung >= second.getSize()) return 0.0;
    return second[einstellung].y;
}

bool RnUserArmaturContainer::getKvMaxDFR(const ARMATUR& arm, double volumenstrom, double rho,
                                         double& kv) const {
    kv = 0.0;
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    if (!valve || arm.einstellung < 0) return false;
    if (valve->useKvs() && valve->getKvs() >= 0.0) {
        kv = valve->getKvs();
        return true;
    }
    // The regulator holds its effective pressure across the valve seat; kv
    // follows from the flow it must pass at that pressure.
    const double wirkdruck =
        nrvBaseArmaturen::nrvFormeln::rundenGanz(getWirkdruck(valve, arm.einstellung));
    kv = wirkdruck > kNull ? nrvBaseArmaturen::nrvFormeln::_kvWert(volumenstrom, wirkdruck, rho)
                           : 0.0;
    return true;
}

double RnUserArmaturContainer::getDruckverlustFromKv(const ARMATUR& arm, double value,
                                                     bool firstCurveOnly) const {
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    if (!valve || valve->kurven().empty()) return 0.0;
    double y = 0.0;
    if (firstCurveOnly) return curveValue(*valve, 0, value, y) ? y : 0.0;
    // The lowest curve that covers the value; the first curve answers only
    // when it is asked for alone.
    int candidate = -1;
    for (int i = detail::kurvenAnzahl(*valve); i-- > 0;)
        if (curveValue(*valve, i, value, y)) candidate = i;
    if (candidate < 1) return 0.0;
    return curveValue(*valve, candidate, value, y) ? y : 0.0;
}

double RnUserArmaturContainer::getDruckverlustFromVolumenstrom(const ARMATUR& arm, double value,
                                                               bool firstCurveOnly) const {
    return getDruckverlustFromKv(arm, value, firstCurveOnly);
}

std::pair<int, int> RnUserArmaturContainer::getValuesFromDimString(std::string_view text) {
    // The separator is the one character left when the digits are removed
    // ("x", "X", "/", or a multi-byte "×").
    std::size_t separator = std::string_view::npos;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) continue;
        if ((c & 0xC0) == 0x80) continue;  // continuation byte of a UTF-8 character
        if (++characters == 1) separator = i;
    }
    if (characters != 1) return {0, 0};
    std::size_t behind = separator + 1;
    while (behind < text.size() && (static_cast<unsigned char>(text[behind]) & 0xC0) == 0x80)
        ++behind;
    const int first = nrvNumbers::parseInt(text.substr(0, separator));
    const int second = nrvNumbers::parseInt(text.substr(behind));
    return {std::min(first, second), std::max(first, second)};
}

std::string RnUserArmaturContainer::getGewerkeKrzlFromTyp(double typ) {
    return nrvUserArmaturen::getGewerkeKrzlFromTyp(typ);
}

}  // namespace nrvUserArmaturen
