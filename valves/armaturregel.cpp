#include "kavex/valves/armaturregel.h"

#include <algorithm>
#include <stdexcept>

#include "armaturtw_p.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturElektroDross, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturRegelventil, nrvArmatur)
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturRSV, nrvArmatur)

namespace {

// The flow curve over the settings, stored in the valve's own node.
constexpr const char* kVsKeyX = "VSE_F";
constexpr const char* kVsKeyEinst = "VSE_S";
constexpr const char* kVsKeyY = "VSW";
// The kv curve over the settings, as the throttles store it.
constexpr const char* kKvKeyX = "KVE_F";
constexpr const char* kKvKeyEinst = "KVE_S";
constexpr const char* kKvKeyY = "KVW";
constexpr const char* kKeyX2 = "X2";

// Smallest kvs that counts as given.
constexpr double kKvsGiven = 1e-5;

}  // namespace

// ---------------------------------------------------------------------------
// nrvArmaturElektroDross

nrvArmaturElektroDross::nrvArmaturElektroDross() {
    m_kurve.setParent(this);
}

nrvArmaturElektroDross::nrvArmaturElektroDross(const nrvArmaturElektroDross& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_w(other.m_w) {
    m_kurve.setParent(this);
}

nrvArmaturElektroDross& nrvArmaturElektroDross::operator=(const nrvArmaturElektroDross& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_w = other.m_w;
    return *this;
}

nrvArmaturElektroDross::~nrvArmaturElektroDross() = default;

void nrvArmaturElektroDross::removeData() {
    m_kurve.removeData();
    m_w = Werte{};
}

void nrvArmaturElektroDross::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

bool nrvArmaturElektroDross::IsInKvRange(double kv) const {
    return m_w.kvmin < kv && kv < m_w.kvmax;
}

bool nrvArmaturElektroDross::IsInTemperaturRange(double t) const {
    return m_w.tmin <= t && t <= m_w.tmax;
}

bool nrvArmaturElektroDross::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("ElektroDross");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y").real(m_w.kvmin).real(m_w.kvmax).real(m_w.tmin).real(m_w.tmax);
    m_kurve.write(node, kVsKeyX, kVsKeyEinst, kVsKeyY, kKeyX2);
    return true;
}

bool nrvArmaturElektroDross::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y"))
        .real(m_w.kvmin)
        .real(m_w.kvmax)
        .real(m_w.tmin)
        .real(m_w.tmax);
    yleaf::readCurve(m_kurve, node, kVsKeyX, kVsKeyEinst, kVsKeyY, kKeyX2);
    return true;
}

bool nrvArmaturElektroDross::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturElektroDross*>(&other);
    return o != nullptr && m_w == o->m_w && isEqualCurve(m_kurve, o->m_kurve) &&
           nrvArmatur::isEqual(other);
}

// ---------------------------------------------------------------------------
// nrvArmaturRegelventil

nrvArmaturRegelventil::nrvArmaturRegelventil() {
    m_kurve.setParent(this);
}

nrvArmaturRegelventil::nrvArmaturRegelventil(const nrvArmaturRegelventil& other)
    : nrvArmatur(other), m_kurve(other.m_kurve), m_w(other.m_w) {
    m_kurve.setParent(this);
}

nrvArmaturRegelventil& nrvArmaturRegelventil::operator=(const nrvArmaturRegelventil& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kurve = other.m_kurve;
    m_w = other.m_w;
    return *this;
}

nrvArmaturRegelventil::~nrvArmaturRegelventil() = default;

void nrvArmaturRegelventil::removeData() {
    m_kurve.removeData();
    m_w = Werte{};
}

void nrvArmaturRegelventil::addKurve(const CKurve& curve) {
    m_kurve = curve;
}

double nrvArmaturRegelventil::getKvmin() const {
    if (m_kurve.bIsEmpty()) return getKvs() > kKvsGiven ? getKvs() : -1.0;
    return std::min(m_kurve.getFirstNode().y, m_kurve.getLastNode().y);
}

double nrvArmaturRegelventil::getKvmax() const {
    if (m_kurve.bIsEmpty()) return getKvs() > kKvsGiven ? getKvs() : -1.0;
    return std::max(m_kurve.getFirstNode().y, m_kurve.getLastNode().y);
}

bool nrvArmaturRegelventil::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("Regelventil");
    nrvArmatur::write(node);
    yleaf::Writer(node, "Y").real(m_w.dpmin).real(m_w.dpmax).text(m_w.einheitEinst);
    m_kurve.write(node, kKvKeyX, kKvKeyEinst, kKvKeyY, kKeyX2);
    return true;
}

bool nrvArmaturRegelventil::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader(node->FindLeaf("Y")).real(m_w.dpmin).real(m_w.dpmax).text(m_w.einheitEinst);
    yleaf::readCurve(m_kurve, node, kKvKeyX, kKvKeyEinst, kKvKeyY, kKeyX2);
    return true;
}

bool nrvArmaturRegelventil::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturRegelventil*>(&other);
    return o != nullptr && m_w == o->m_w && isEqualCurve(m_kurve, o->m_kurve) &&
           nrvArmatur::isEqual(other);
}

// ---------------------------------------------------------------------------
// nrvArmaturRSV

namespace {

// Values of one execution variant in the "Y" leaf.
constexpr std::size_t kValuesPerVariant = 6;

// Whether a variant can be built in at `position` in a valve whose own
// installation position is `mounting`.
bool suitsPosition(const scAusfuehrung& v, int mounting, int position) {
    switch (mounting) {
        case 1:
        case 4:
            return v.einbaulage != 0;
        case 2:
            return position == 1;
        case 3:
            return position == 2 || position == 3;
        default:
            return false;
    }
}

}  // namespace

nrvArmaturRSV::nrvArmaturRSV() = default;

nrvArmaturRSV::nrvArmaturRSV(const nrvArmaturRSV& other)
    : nrvArmatur(other), m_ausfuehrungen(other.m_ausfuehrungen) {}

nrvArmaturRSV& nrvArmaturRSV::operator=(const nrvArmaturRSV& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_ausfuehrungen = other.m_ausfuehrungen;
    return *this;
}

nrvArmaturRSV::~nrvArmaturRSV() = default;

void nrvArmaturRSV::removeData() {
    m_ausfuehrungen.clear();
}

const scAusfuehrung& nrvArmaturRSV::getAusfuehrungAt(int i) const {
    if (i < 0 || i >= getAusfuehrungCount()) {
        throw std::invalid_argument("nrvArmaturRSV::getAusfuehrungAt: index out of range");
    }
    return m_ausfuehrungen[static_cast<std::size_t>(i)];
}

const scAusfuehrung* nrvArmaturRSV::getAusfuehrung(int position, bool schliessfeder) const {
    const int spring = schliessfeder ? 1 : 0;
    for (const scAusfuehrung& v : m_ausfuehrungen) {
        if (v.kvs > 0.0 && v.einbaulage != -1 && (v.schliessfeder != 0 ? 1 : 0) == spring &&
            suitsPosition(v, getEinbaulage(), position)) {
            return &v;
        }
    }
    return nullptr;
}

bool nrvArmaturRSV::write(CNode* node) const {
    if (node == nullptr) return false;
    if (node->GetName().empty()) node->SetName("RSV");
    nrvArmatur::write(node);
    yleaf::Writer y(node, "Y");
    for (const scAusfuehrung& v : m_ausfuehrungen) {
        y.real(v.kvs)
            .integer(v.einbaulage)
            .integer(v.schliessfeder)
            .real(v.oeffnungsdruck)
            .real(v.dpMax)
            .real(v.volumenstrom);
    }
    return true;
}

bool nrvArmaturRSV::read(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    removeData();
    yleaf::Reader y(node->FindLeaf("Y"));
    // Only complete groups are variants; a torn last one is dropped.
    while (y.remaining() >= kValuesPerVariant) {
        scAusfuehrung v;
        y.real(v.kvs)
            .integer(v.einbaulage)
            .integer(v.schliessfeder)
            .real(v.oeffnungsdruck)
            .real(v.dpMax)
            .real(v.volumenstrom);
        m_ausfuehrungen.push_back(v);
    }
    return true;
}

bool nrvArmaturRSV::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturRSV*>(&other);
    return o != nullptr && m_ausfuehrungen == o->m_ausfuehrungen && nrvArmatur::isEqual(other);
}

}  // namespace nrvVDIArmaturen
