#include "kavex/vdi3805/vdirecords.h"

#include <cmath>
#include <initializer_list>

#include "kavex/platform/numbers.h"

#define VDI_CLASS(cls) KAVEX_RUNTIME_CLASS(cls)

namespace {

bool isOneOf(const CVDIBase* record, std::initializer_list<const CRuntimeClass*> classes) {
    if (record == nullptr) return false;
    for (const CRuntimeClass* cls : classes) {
        if (record->IsKindOf(cls)) return true;
    }
    return false;
}

// Current-layout field numbers that moved one place to the front in the old
// layout, between `first` and `last`.
int shiftedDown(int fieldNo, int first, int last) {
    return fieldNo >= first && fieldNo <= last ? fieldNo - 1 : fieldNo;
}

constexpr int kAbsent = -1;

}  // namespace

KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_010, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_100, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_110, VDIStruct_100)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_VZ, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_160, VDIStruct_VZ)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_VZ_00, VDIStruct_VZ)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_VZ_50, VDIStruct_VZ)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_VZ_60, VDIStruct_VZ)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_VZ_01, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_600, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_610, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_700, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_01, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_02, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_03, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_04, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_05, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_06, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_07, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_08, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_09, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_10, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_11, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_12, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_13, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_14, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_51, VDIStruct_VZ_01)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_710_71, VDIStruct_VZ_01)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_720, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_720_01, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_720_02, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_720_03, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_720_04, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_730, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_800, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_810, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_820, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_830, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_850, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_860, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_900, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_920, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_930, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_930_01, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_930_02, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_930_03, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_930_04, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_940, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_960, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_970, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_970_01, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_970_02, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_970_03, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_970_04, CVDIBase)
KAVEX_IMPLEMENT_DYNCREATE(VDIStruct_Err, CVDIBase)

// --- children ------------------------------------------------------------------

bool VDIStruct_010::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c,
                   {VDI_CLASS(VDIStruct_100), VDI_CLASS(VDIStruct_900), VDI_CLASS(VDIStruct_930),
                    VDI_CLASS(VDIStruct_960), VDI_CLASS(VDIStruct_970), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_100::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_110), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_110::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c,
                   {VDI_CLASS(VDIStruct_VZ_00), VDI_CLASS(VDIStruct_160), VDI_CLASS(VDIStruct_600),
                    VDI_CLASS(VDIStruct_700), VDI_CLASS(VDIStruct_800), VDI_CLASS(VDIStruct_830),
                    VDI_CLASS(VDIStruct_850), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_VZ::CanHoldChild(const CVDIBase*) const {
    return false;
}

bool VDIStruct_160::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_VZ_01)});
}

bool VDIStruct_VZ_00::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_VZ_01), VDI_CLASS(VDIStruct_VZ_50), VDI_CLASS(VDIStruct_VZ_60)});
}

bool VDIStruct_VZ_50::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_VZ_01)});
}

bool VDIStruct_VZ_60::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_VZ_01)});
}

bool VDIStruct_VZ_01::CanHoldChild(const CVDIBase*) const {
    return false;
}

bool VDIStruct_600::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_610), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_610::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_700::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_710_01), VDI_CLASS(VDIStruct_710_02), VDI_CLASS(VDIStruct_710_03),
            VDI_CLASS(VDIStruct_710_04), VDI_CLASS(VDIStruct_710_05), VDI_CLASS(VDIStruct_710_06),
            VDI_CLASS(VDIStruct_710_07), VDI_CLASS(VDIStruct_710_08), VDI_CLASS(VDIStruct_710_09),
            VDI_CLASS(VDIStruct_710_10), VDI_CLASS(VDIStruct_710_11), VDI_CLASS(VDIStruct_710_12),
            VDI_CLASS(VDIStruct_710_13), VDI_CLASS(VDIStruct_710_14), VDI_CLASS(VDIStruct_720),
            VDI_CLASS(VDIStruct_720_01), VDI_CLASS(VDIStruct_730), VDI_CLASS(VDIStruct_VZ_60),
            VDI_CLASS(VDIStruct_Err)});
}

// Curve records hold no further records, only damaged lines.
#define VDI_HOLDS_ONLY_ERR(cls)                        \
    bool cls::CanHoldChild(const CVDIBase* c) const {  \
        return isOneOf(c, {VDI_CLASS(VDIStruct_Err)}); \
    }
VDI_HOLDS_ONLY_ERR(VDIStruct_710_01)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_02)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_03)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_04)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_06)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_08)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_09)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_10)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_11)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_12)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_13)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_14)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_51)
VDI_HOLDS_ONLY_ERR(VDIStruct_710_71)
VDI_HOLDS_ONLY_ERR(VDIStruct_720_02)
VDI_HOLDS_ONLY_ERR(VDIStruct_720_03)
VDI_HOLDS_ONLY_ERR(VDIStruct_720_04)
VDI_HOLDS_ONLY_ERR(VDIStruct_730)
VDI_HOLDS_ONLY_ERR(VDIStruct_960)
#undef VDI_HOLDS_ONLY_ERR

// Records that never hold anything.
#define VDI_HOLDS_NOTHING(cls)                      \
    bool cls::CanHoldChild(const CVDIBase*) const { \
        return false;                               \
    }
VDI_HOLDS_NOTHING(VDIStruct_720)
VDI_HOLDS_NOTHING(VDIStruct_810)
VDI_HOLDS_NOTHING(VDIStruct_820)
VDI_HOLDS_NOTHING(VDIStruct_830)
VDI_HOLDS_NOTHING(VDIStruct_860)
VDI_HOLDS_NOTHING(VDIStruct_920)
VDI_HOLDS_NOTHING(VDIStruct_930_02)
VDI_HOLDS_NOTHING(VDIStruct_930_04)
VDI_HOLDS_NOTHING(VDIStruct_940)
VDI_HOLDS_NOTHING(VDIStruct_970_01)
VDI_HOLDS_NOTHING(VDIStruct_970_02)
VDI_HOLDS_NOTHING(VDIStruct_970_03)
VDI_HOLDS_NOTHING(VDIStruct_970_04)
VDI_HOLDS_NOTHING(VDIStruct_Err)
#undef VDI_HOLDS_NOTHING

// Pressure-difference curves (710.05) and temperature curves (710.07) carry
// their accessory references.
bool VDIStruct_710_05::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_710_51), VDI_CLASS(VDIStruct_VZ_01), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_710_07::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_710_71), VDI_CLASS(VDIStruct_VZ_01), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_720_01::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_720_02), VDI_CLASS(VDIStruct_720_03),
                       VDI_CLASS(VDIStruct_720_04), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_800::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c,
                   {VDI_CLASS(VDIStruct_810), VDI_CLASS(VDIStruct_820), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_850::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_860), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_900::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_920), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_930::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_930_01), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_930_01::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_930_02), VDI_CLASS(VDIStruct_930_03), VDI_CLASS(VDIStruct_Err)});
}

bool VDIStruct_930_03::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(c, {VDI_CLASS(VDIStruct_930_04)});
}

bool VDIStruct_970::CanHoldChild(const CVDIBase* c) const {
    return isOneOf(
        c, {VDI_CLASS(VDIStruct_970_01), VDI_CLASS(VDIStruct_970_02), VDI_CLASS(VDIStruct_970_03),
            VDI_CLASS(VDIStruct_970_04), VDI_CLASS(VDIStruct_Err)});
}

// --- old layout (08.1996) ---------------------------------------------------------

// Header: the old layout has no sheet number and no separate field 6.
int VDIStruct_010::MapFieldNo(int n) const {
    if (n == 2 || n == 6) return kAbsent;
    if (n == 7) return 5;
    return shiftedDown(n, 3, 5);
}

// Product main groups: field 3 is new.
int VDIStruct_100::MapFieldNo(int n) const {
    if (n == 3) return kAbsent;
    return shiftedDown(n, 4, 8);
}

int VDIStruct_700::MapFieldNo(int n) const {
    if (n == 3 || n == 18 || n == 19) return kAbsent;
    return shiftedDown(n, 4, 13);
}

int VDIStruct_800::MapFieldNo(int n) const {
    if (n == 2) return kAbsent;
    if (n == 3) return 2;
    if (n == 4) return 6;
    return n;
}

int VDIStruct_810::MapFieldNo(int n) const {
    if (n == 5) return 2;
    if ((n >= 2 && n <= 4) || (n >= 6 && n <= 8)) return kAbsent;
    return n;
}

int VDIStruct_900::MapFieldNo(int n) const {
    if (n == 3 || n == 5 || n == 10 || (n >= 12 && n <= 15)) return kAbsent;
    if (n == 11) return 9;
    return shiftedDown(n, 6, 9);
}

int VDIStruct_920::MapFieldNo(int n) const {
    return n >= 3 ? kAbsent : n;
}

// --- registry ----------------------------------------------------------------------

namespace {

template <class T>
void add(CObjectFactory& factory) {
    factory.Register(std::make_unique<T>());
}

void registerRecordClasses(CObjectFactory& f) {
    add<VDIStruct_010>(f), add<VDIStruct_100>(f), add<VDIStruct_110>(f), add<VDIStruct_160>(f);
    add<VDIStruct_VZ_00>(f), add<VDIStruct_VZ_50>(f), add<VDIStruct_VZ_60>(f);
    add<VDIStruct_VZ_01>(f), add<VDIStruct_600>(f), add<VDIStruct_610>(f), add<VDIStruct_700>(f);
    add<VDIStruct_710_01>(f), add<VDIStruct_710_02>(f), add<VDIStruct_710_03>(f);
    add<VDIStruct_710_04>(f), add<VDIStruct_710_05>(f), add<VDIStruct_710_06>(f);
    add<VDIStruct_710_07>(f), add<VDIStruct_710_08>(f), add<VDIStruct_710_09>(f);
    add<VDIStruct_710_10>(f), add<VDIStruct_710_11>(f), add<VDIStruct_710_12>(f);
    add<VDIStruct_710_13>(f), add<VDIStruct_710_14>(f), add<VDIStruct_710_51>(f);
    add<VDIStruct_710_71>(f), add<VDIStruct_720>(f), add<VDIStruct_720_01>(f);
    add<VDIStruct_720_02>(f), add<VDIStruct_720_03>(f), add<VDIStruct_720_04>(f);
    add<VDIStruct_730>(f), add<VDIStruct_800>(f), add<VDIStruct_810>(f), add<VDIStruct_820>(f);
    add<VDIStruct_830>(f), add<VDIStruct_850>(f), add<VDIStruct_860>(f), add<VDIStruct_900>(f);
    add<VDIStruct_920>(f), add<VDIStruct_930>(f), add<VDIStruct_930_01>(f);
    add<VDIStruct_930_02>(f), add<VDIStruct_930_03>(f), add<VDIStruct_930_04>(f);
    add<VDIStruct_960>(f), add<VDIStruct_970>(f), add<VDIStruct_970_01>(f);
    add<VDIStruct_970_02>(f), add<VDIStruct_970_03>(f), add<VDIStruct_970_04>(f);
    add<VDIStruct_Err>(f);
}

std::uint64_t acceptedBy(const CVDIBase& parent,
                         const std::vector<std::unique_ptr<CVDIBase>>& prototypes) {
    std::uint64_t mask = 0;
    for (std::size_t bit = 0; bit < prototypes.size(); ++bit) {
        if (parent.CanHoldChild(prototypes[bit].get())) mask |= std::uint64_t{1} << bit;
    }
    return mask;
}

}  // namespace

CVDIRecordRegistry::CVDIRecordRegistry() : m_factory(registerRecordClasses) {
    // One prototype per class, in name order, each with a bit of its own; the
    // table of which class accepts which is computed once from them.
    for (const std::string& name : m_factory.ClassNames()) {
        if (m_prototypes.size() == 64) break;
        std::unique_ptr<CObject> obj = m_factory.Create(name);
        auto* record = dynamic_cast<CVDIBase*>(obj.get());
        if (record == nullptr) continue;
        obj.release();
        m_bits[record->GetRuntimeClass()] = static_cast<int>(m_prototypes.size());
        m_prototypes.emplace_back(record);
    }
    for (const auto& proto : m_prototypes)
        m_accepted[proto->GetRuntimeClass()] = acceptedBy(*proto, m_prototypes);
}

CVDIRecordRegistry& CVDIRecordRegistry::instance() {
    static CVDIRecordRegistry registry;
    return registry;
}

std::unique_ptr<CVDIBase> CVDIRecordRegistry::Create(std::string_view className) {
    std::unique_ptr<CObject> obj = m_factory.Create(className);
    auto* record = dynamic_cast<CVDIBase*>(obj.get());
    if (record == nullptr) return nullptr;
    obj.release();
    return std::unique_ptr<CVDIBase>(record);
}

std::vector<std::string> CVDIRecordRegistry::ClassNames() {
    return m_factory.ClassNames();
}

int CVDIRecordRegistry::KindBit(const CRuntimeClass* cls) const {
    auto it = m_bits.find(cls);
    return it == m_bits.end() ? -1 : it->second;
}

std::uint64_t CVDIRecordRegistry::AcceptedKinds(const CVDIBase& parent) const {
    auto it = m_accepted.find(parent.GetRuntimeClass());
    return it != m_accepted.end() ? it->second : acceptedBy(parent, m_prototypes);
}

std::string CVDIRecordRegistry::ClassNameForType(std::string_view typeText) {
    const int n = CVDIBase::TypeNoOf(nrvNumbers::parseDouble(typeText));
    if (typeText.size() != 3) {
        // Sub-types: every x.01 property record shares one class.
        if ((n >= 16001 && n <= 56001 && n % 1000 == 1) || n == 76001) return "VDIStruct_VZ_01";
        std::string name = "VDIStruct_";
        name.append(typeText.substr(0, 3)).append("_");
        if (typeText.size() > 4) name.append(typeText.substr(4, 2));
        return name;
    }
    if (n < 20000 || (n > 56000 && n != 76000)) return "VDIStruct_" + std::string(typeText);
    switch (n % 10000) {
        case 0:
            return "VDIStruct_VZ_00";
        case 5000:
            return "VDIStruct_VZ_50";
        case 6000:
            return "VDIStruct_VZ_60";
        default:
            return {};
    }
}
