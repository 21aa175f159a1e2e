// Lists, ids and lookups of the catalogue valve container.

#include "kavex/services/armaturcontainer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "kavex/platform/combobox.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/runtimeclass.h"

namespace nrvBaseArmaturen {

namespace {

// Case folding of ASCII and of the Latin-1 letters (umlauts) in UTF-8, enough
// for the designations of outlet-fitting records.
std::string foldCase(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            const auto next = static_cast<unsigned char>(out[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                out[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return out;
}

bool modelHolds(const VDIArmaturenModell& record, const nrvVDIArmaturen::nrvArmatur* valve) {
    const auto& model = record.getModell();
    for (int i = 0; i < model.getSize(); ++i)
        if (model.getArmaturAt(i) == valve) return true;
    return false;
}

}  // namespace

RnArmaturContainer& RnArmaturContainer::instance() {
    static RnArmaturContainer container;
    return container;
}

RnArmaturContainer::RnArmaturContainer() = default;
RnArmaturContainer::RnArmaturContainer(int blatt) : m_blatt(blatt) {}
RnArmaturContainer::~RnArmaturContainer() = default;

void RnArmaturContainer::removeAll() {
    m_global.clear();
    m_lokal.clear();
    m_lastUsedId = 0;
}

// --- lists ------------------------------------------------------------------

VDIArmaturenModell* RnArmaturContainer::getAtGlobal(int index) const {
    if (index < 0 || index >= getCountGlobal())
        throw std::invalid_argument("RnArmaturContainer::getAtGlobal: index outside the list");
    return m_global[static_cast<std::size_t>(index)].get();
}

VDIArmaturenModell* RnArmaturContainer::getAtLocal(int index) const {
    if (index < 0 || index >= getCountLocal())
        throw std::invalid_argument("RnArmaturContainer::getAtLocal: index outside the list");
    return m_lokal[static_cast<std::size_t>(index)].get();
}

VDIArmaturenModell* RnArmaturContainer::getAtTotal(int index) const {
    if (index < 0) return nullptr;
    if (index < getCountGlobal()) return m_global[static_cast<std::size_t>(index)].get();
    index -= getCountGlobal();
    if (index < getCountLocal()) return m_lokal[static_cast<std::size_t>(index)].get();
    return nullptr;
}

int RnArmaturContainer::append(VDIArmaturenModell& record) {
    auto copy = std::make_unique<VDIArmaturenModell>(record);
    const int index = append(std::move(copy));
    record.modellId = list(!record.isGlobal())[static_cast<std::size_t>(index)]->modellId;
    return index;
}

int RnArmaturContainer::append(std::unique_ptr<VDIArmaturenModell> record) {
    if (!record) return -1;
    if (record->modellId == 0)
        record->modellId = ++m_lastUsedId;
    else if (record->modellId > m_lastUsedId)
        m_lastUsedId = record->modellId;
    RecordList& target = list(!record->isGlobal());
    target.push_back(std::move(record));
    return static_cast<int>(target.size()) - 1;
}

bool RnArmaturContainer::SetAt(const VDIArmaturenModell& record, std::string_view klasse) {
    for (auto& stored : list(!record.isGlobal())) {
        if (stored->modellId != record.modellId) continue;
        *stored = record;
        return stored->isEqualTo(record, klasse, false);
    }
    return false;
}

bool RnArmaturContainer::RemoveAt(const VDIArmaturenModell& record, std::string_view klasse) {
    RecordList& target = list(!record.isGlobal());
    for (auto it = target.begin(); it != target.end(); ++it) {
        if (!(*it)->isEqualTo(record, klasse, true)) continue;
        target.erase(it);
        return true;
    }
    return false;
}

void RnArmaturContainer::RemoveAt(bool local, int index) {
    RecordList& target = list(local);
    if (index < 0 || index >= static_cast<int>(target.size())) return;
    target.erase(target.begin() + index);
}

void RnArmaturContainer::getGlobaleArmaturen(RecordView& out) const {
    out.clear();
    for (const auto& record : m_global)
        out.push_back(record.get());
}

void RnArmaturContainer::getLokaleArmaturen(RecordView& out) const {
    out.clear();
    for (const auto& record : m_lokal)
        out.push_back(record.get());
}

void RnArmaturContainer::replaceList(RecordList& target, RecordList records) {
    // A record that comes back in the new list must not be deleted with the
    // old one.
    for (auto& old : target) {
        const bool handedBack = std::any_of(records.begin(), records.end(),
                                            [&](const auto& r) { return r.get() == old.get(); });
        if (handedBack) (void)old.release();
    }
    target = std::move(records);
    std::erase(target, nullptr);
}

void RnArmaturContainer::setGlobaleArmaturen(RecordList records) {
    replaceList(m_global, std::move(records));
}

void RnArmaturContainer::setLokaleArmaturen(RecordList records) {
    replaceList(m_lokal, std::move(records));
}

RnArmaturContainer::RecordList RnArmaturContainer::takeGlobaleArmaturen() {
    return std::exchange(m_global, {});
}

RnArmaturContainer::RecordList RnArmaturContainer::takeLokaleArmaturen() {
    return std::exchange(m_lokal, {});
}

// --- lookups ----------------------------------------------------------------

const VDIArmaturenModell* RnArmaturContainer::findById(const RecordList& list, int id) {
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        if ((*it)->modellId == id) return it->get();
    return nullptr;
}

const VDIArmaturenModell& RnArmaturContainer::getArmaturenModell(const ARMATUR& arm) const {
    if (arm.modellId < 1) return m_empty;
    if (const auto* record = findById(m_global, arm.modellId)) return *record;
    if (const auto* record = findById(m_lokal, arm.modellId)) return *record;
    return m_empty;
}

const VDIArmaturenModell& RnArmaturContainer::getArmaturenModell(const ARMATUR& arm,
                                                                 bool local) const {
    if (arm.modellId < 1) return m_empty;
    return getArmModFromID(arm.modellId, local);
}

const VDIArmaturenModell& RnArmaturContainer::getArmaturenModell(const Armatur* valve,
                                                                 bool local) const {
    if (!valve) return m_empty;
    for (const auto& record : armaturen(local))
        if (modelHolds(*record, valve)) return *record;
    return m_empty;
}

const VDIArmaturenModell& RnArmaturContainer::getArmModFromID(int id, bool local) const {
    const auto* record = findById(armaturen(local), id);
    return record ? *record : m_empty;
}

RnArmaturContainer::Armatur* RnArmaturContainer::getArmatur(const ARMATUR& arm, double kv) const {
    const VDIArmaturenModell& record = getArmaturenModell(arm);
    if (record.bIsEmpty()) return nullptr;
    return record.findNearestArmatur(arm.dn, kv);
}

RnArmaturContainer::Armatur* RnArmaturContainer::getArmatur(const ARMATUR& arm, bool local) const {
    const VDIArmaturenModell& record = getArmaturenModell(arm, local);
    if (record.bIsEmpty()) return nullptr;
    return record.findNearestArmatur(arm.dn, -1.0);
}

RnArmaturContainer::Armatur* RnArmaturContainer::getArmaturFromTypAndDN(enArmaturenTyp typ, int dn,
                                                                        bool local) const {
    for (const auto& record : armaturen(local)) {
        if (record->typ != typ) continue;
        const auto& model = record->getModell();
        for (int i = 0; i < model.getSize(); ++i) {
            Armatur* valve = model.getArmaturAt(i);
            if (valve && valve->getDimension() >= dn) return valve;
        }
    }
    return nullptr;
}

void RnArmaturContainer::getNennweitenFromArmatur(const ARMATUR& arm, std::vector<int>& dns) const {
    getNennweitenFromArmatur(getArmaturenModell(arm), dns);
}

void RnArmaturContainer::getNennweitenFromArmatur(const VDIArmaturenModell& record,
                                                  std::vector<int>& dns) {
    dns.clear();
    const auto& model = record.getModell();
    for (int i = 0; i < model.getSize(); ++i)
        dns.push_back(model.getArmaturAt(i)->getDimension());
}

void RnArmaturContainer::fillNennweiteCombo(nrvComboBox& combo, const ARMATUR& arm) const {
    combo.clear();
    std::vector<int> dns;
    getNennweitenFromArmatur(arm, dns);
    int selection = -1;
    for (const int dn : dns) {
        const int index = combo.addString(nrvNumbers::format("%d", static_cast<long long>(dn)), dn);
        if (selection < 0 && dn >= arm.dn) selection = index;
    }
    if (selection >= 0) combo.setCurSel(selection);
}

std::string RnArmaturContainer::getArtikelNr(const ARMATUR& arm) const {
    const Armatur* valve = getArmatur(arm, -1);
    return valve ? valve->getArtikelNr() : std::string();
}

std::string RnArmaturContainer::getAusfuehrung(const ARMATUR& arm) const {
    const Armatur* valve = getArmatur(arm, -1);
    return valve ? valve->getAusfuehrung(", ") : std::string();
}

std::string RnArmaturContainer::getManufacturer(const ARMATUR& arm) const {
    return getArmaturenModell(arm).getModell().getManufacturer();
}

std::string RnArmaturContainer::getModelType(const ARMATUR& arm) const {
    return getArmaturenModell(arm).getModell().getModelType();
}

int RnArmaturContainer::getCountOf(enArmaturenTyp typ, bool local) const {
    const auto& records = armaturen(local);
    return static_cast<int>(std::count_if(records.begin(), records.end(),
                                          [&](const auto& r) { return r->typ == typ; }));
}

int RnArmaturContainer::getCountOf(std::string_view name, enArmaturenTyp typ, bool local) const {
    if (typ != enTwAllgemein || name.empty()) return getCountOf(typ, local);
    const std::string wanted = foldCase(name);
    int count = 0;
    for (const auto& record : armaturen(local))
        if (record->typ == typ && foldCase(record->bezeichnung) == wanted) ++count;
    return count;
}

bool RnArmaturContainer::bHasGlobalArmaturenmodell(enArmaturenTyp typ,
                                                   std::string_view klasse) const {
    return std::any_of(m_global.begin(), m_global.end(), [&](const auto& record) {
        return record->typ == typ ||
               (!klasse.empty() && !record->klasse.empty() && record->klasse == klasse);
    });
}

bool RnArmaturContainer::bHasGlobalTHKVType(const CRuntimeClass* cls,
                                            std::string_view klasse) const {
    if (!cls) return false;
    return std::any_of(m_global.begin(), m_global.end(), [&](const auto& record) {
        if (record->typ != enHzTHKV || !record->passesClassFilter(klasse)) return false;
        const Armatur* first = record->getModell().getArmaturAt(0);
        return first && first->IsKindOf(cls);
    });
}

int RnArmaturContainer::findParentModellId(const RecordList& list, const Armatur* valve) {
    if (!valve) return 0;
    for (const auto& record : list)
        if (modelHolds(*record, valve)) return record->modellId;
    return 0;
}

int RnArmaturContainer::findParentModellId(const RecordView& list, const Armatur* valve) {
    if (!valve) return 0;
    for (const auto* record : list)
        if (record && modelHolds(*record, valve)) return record->modellId;
    return 0;
}

bool RnArmaturContainer::hasEqualTypes(const VDIArmaturenModell& record, std::string_view klasse,
                                       bool sameIdentity) const {
    for (const auto& stored : armaturen(!record.isGlobal()))
        if (stored->typ == record.typ && stored->passesClassFilter(klasse) &&
            stored->isEqualTo(record, klasse, sameIdentity))
            return true;
    return false;
}

bool RnArmaturContainer::findEqualType(VDIArmaturenModell& record, std::string_view klasse,
                                       bool sameIdentity) const {
    for (const auto& stored : armaturen(!record.isGlobal())) {
        if (stored->typ == record.typ && stored->passesClassFilter(klasse) &&
            stored->isEqualTo(record, klasse, sameIdentity)) {
            record.modellId = stored->modellId;
            return true;
        }
    }
    return false;
}

}  // namespace nrvBaseArmaturen
