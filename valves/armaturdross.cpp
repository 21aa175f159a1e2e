#include "kavex/valves/armaturdross.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "armaturfamily_p.h"
#include "kavex/platform/interpolation.h"
#include "kavex/platform/treestore.h"

namespace nrvVDIArmaturen {

namespace {

// Keys of the manual throttle's kv curve (x, label, y, x2).
constexpr const char* kKvX = "KVE_F";
constexpr const char* kKvEinst = "KVE_S";
constexpr const char* kKvY = "KVW";
constexpr const char* kKvX2 = "X2";

// Keys of a thermostatic throttle's setting curve and its setting leaf.
constexpr const char* kTsX = "TS_KVE_F";
constexpr const char* kTsEinst = "TS_KVE_S";
constexpr const char* kTsY = "TS_KVW";
constexpr const char* kTsX2 = "TS_TSO";
constexpr const char* kTsSetting = "XP";

// A setting curve whose reference temperature lies this close to the asked
// controller temperature is that temperature's own curve.
constexpr double kSameTemperatur = std::numeric_limits<double>::epsilon();
// Two set temperatures closer than this count as the same when a pair of
// setting curves is checked for bracketing the water temperature.
constexpr double kTemperaturTol = 0.01;
// The kv must fall by more than this from one point to the next for the point
// to enter the inverted (kv -> temperature) function.
constexpr double kKvFallTol = 1e-6;

constexpr double kNoValue = CLinearInterpolation::NoValue;

// A table value for the float arrays; values beyond the float range become
// infinite, as the processor would narrow them.
float toFloat(double v) {
    constexpr double maxF = std::numeric_limits<float>::max();
    if (v > maxF) return std::numeric_limits<float>::infinity();
    if (v < -maxF) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

// The falling part of a kv-over-temperature function as kv -> temperature:
// a point stays only where the kv falls to the next one; the last one always.
CLinearInterpolation invertFunktion(const CLinearInterpolation& f) {
    CLinearInterpolation inverse;
    const std::size_t n = f.getSize();
    for (std::size_t k = 0; k < n; ++k) {
        const double kv = f.GetAtYArray(k);
        if (k + 1 == n || kv - f.GetAtYArray(k + 1) > kKvFallTol) {
            inverse.Add(kv, f.GetAtXArray(k));
        }
    }
    return inverse;
}

// For every point of `from` that `other` can answer, the temperature blended
// between the two inverted functions at that point's kv.
void addBlendedPoints(CLinearInterpolation& table, const CLinearInterpolation& from,
                      const CLinearInterpolation& other, double weightFrom) {
    for (std::size_t k = 0; k < from.getSize(); ++k) {
        const double kv = from.GetAtXArray(k);
        const double tOther = other.GetY(kv, false);
        if (tOther == kNoValue) continue;
        const double t = weightFrom * from.GetAtYArray(k) + (1.0 - weightFrom) * tOther;
        table.Add(t, kv);
    }
}

}  // namespace

// --- nrvArmaturDross ---------------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturDross, nrvArmatur)

nrvArmaturDross::nrvArmaturDross() {
    m_kvKurve.setParent(this);
}

nrvArmaturDross::nrvArmaturDross(const nrvArmaturDross& other)
    : nrvArmatur(other),
      m_kvKurve(other.m_kvKurve),
      m_einheitEinst(other.m_einheitEinst),
      m_kvDesinfektion(other.m_kvDesinfektion),
      m_dpmin(other.m_dpmin),
      m_dpmax(other.m_dpmax) {
    m_kvKurve.setParent(this);
}

nrvArmaturDross& nrvArmaturDross::operator=(const nrvArmaturDross& other) {
    if (this == &other) return *this;
    nrvArmatur::operator=(other);
    m_kvKurve = other.m_kvKurve;
    m_einheitEinst = other.m_einheitEinst;
    m_kvDesinfektion = other.m_kvDesinfektion;
    m_dpmin = other.m_dpmin;
    m_dpmax = other.m_dpmax;
    return *this;
}

nrvArmaturDross::~nrvArmaturDross() = default;

bool nrvArmaturDross::writeDrossPart(CNode* node) const {
    if (node == nullptr) return false;
    family::nameNode(node, *this);
    nrvArmatur::write(node);
    CLeaf* leaf = node->AddLeaf("Y", std::string_view{});
    CLeaf::InitSetValues(':');
    leaf->SetFirstValue(static_cast<double>(m_kvDesinfektion));
    leaf->SetNextValue(static_cast<double>(m_dpmin));
    leaf->SetNextValue(static_cast<double>(m_dpmax));
    leaf->SetNextValue(std::string_view(m_einheitEinst));
    CLeaf::ExitSetValues();
    return true;
}

bool nrvArmaturDross::readDrossPart(CNode* node) {
    if (node == nullptr) return false;
    nrvArmatur::read(node);
    const CLeaf* leaf = node->FindLeaf("Y");
    if (leaf == nullptr) return false;
    // Fields missing from a shorter leaf keep their defaults.
    m_einheitEinst.clear();
    m_kvDesinfektion = m_dpmin = m_dpmax = 0.0f;
    if (leaf->InitGetValues(':') && leaf->GetFirstValue(m_kvDesinfektion) &&
        leaf->GetNextValue(m_dpmin) && leaf->GetNextValue(m_dpmax)) {
        leaf->GetNextValue(m_einheitEinst);
    }
    return true;
}

bool nrvArmaturDross::write(CNode* node) const {
    if (!writeDrossPart(node)) return false;
    m_kvKurve.write(node, kKvX, kKvEinst, kKvY, kKvX2);
    return true;
}

bool nrvArmaturDross::read(CNode* node) {
    if (!readDrossPart(node)) return false;
    family::readCurve(m_kvKurve, node, kKvX, kKvEinst, kKvY, kKvX2);
    return true;
}

double nrvArmaturDross::getKvmin() const {
    if (m_kvKurve.bIsEmpty()) return -1.0;
    return std::min(m_kvKurve.getFirstNode().y, m_kvKurve.getLastNode().y);
}

double nrvArmaturDross::getKvmax() const {
    if (m_kvKurve.bIsEmpty()) return -1.0;
    return std::max(m_kvKurve.getFirstNode().y, m_kvKurve.getLastNode().y);
}

void nrvArmaturDross::addKurve(const CKurve& curve) {
    m_kvKurve = curve;
}

void nrvArmaturDross::removeData() {
    m_kvKurve.removeData();
    m_einheitEinst.clear();
    m_kvDesinfektion = 0.0f;
    m_dpmin = 0.0f;
    m_dpmax = 0.0f;
}

bool nrvArmaturDross::IsInKvRange(double kv) const {
    return getKvmin() <= kv && kv <= getKvmax();
}

bool nrvArmaturDross::isEqualDrossPart(const nrvArmaturDross& other) const {
    return m_einheitEinst == other.m_einheitEinst && m_kvDesinfektion == other.m_kvDesinfektion &&
           m_dpmin == other.m_dpmin && m_dpmax == other.m_dpmax && nrvArmatur::isEqual(other);
}

bool nrvArmaturDross::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturDross*>(&other);
    return o != nullptr && isEqualCurve(m_kvKurve, o->m_kvKurve) && isEqualDrossPart(*o);
}

// --- nrvArmaturThermoDross -----------------------------------------------------

KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturThermoDross, nrvArmaturDross)

nrvArmaturThermoDross::nrvArmaturThermoDross() = default;

nrvArmaturThermoDross::nrvArmaturThermoDross(const nrvArmaturThermoDross& other)
    : nrvArmaturDross(other), m_kurven(other.m_kurven) {
    adoptCurves();
}

nrvArmaturThermoDross& nrvArmaturThermoDross::operator=(const nrvArmaturThermoDross& other) {
    if (this == &other) return *this;
    nrvArmaturDross::operator=(other);
    m_kurven = other.m_kurven;
    adoptCurves();
    return *this;
}

nrvArmaturThermoDross::~nrvArmaturThermoDross() = default;

// The setting curves ask their valve for the disinfection kv.
void nrvArmaturThermoDross::adoptCurves() {
    for (CEinstellungKurve& k : m_kurven)
        k.setParent(this);
}

bool nrvArmaturThermoDross::write(CNode* node) const {
    if (!writeDrossPart(node)) return false;
    for (const CEinstellungKurve& k : m_kurven) {
        k.write(node, true, kTsX, kTsEinst, kTsY, kTsX2, kTsSetting);
    }
    return true;
}

bool nrvArmaturThermoDross::read(CNode* node) {
    if (!readDrossPart(node)) return false;
    m_kurven.clear();
    for (CNode* child = node->FindChild("CK"); child != nullptr;
         child = node->FindChild("CK", child)) {
        CEinstellungKurve& k = m_kurven.emplace_back();
        k.read(child, false, kTsX, kTsEinst, kTsY, kTsX2, kTsSetting);
    }
    adoptCurves();
    return true;
}

void nrvArmaturThermoDross::removeData() {
    nrvArmaturDross::removeData();
    m_kurven.clear();
}

void nrvArmaturThermoDross::addKurve(const CEinstellungKurve& curve) {
    m_kurven.push_back(curve);
    adoptCurves();
}

nrvBaseArmaturen::CEinstellungKurve& nrvArmaturThermoDross::getKurveAt(int i) {
    if (i < 0 || i >= getCount()) {
        throw std::invalid_argument("setting curve " + std::to_string(i) + " outside 0.." +
                                    std::to_string(getCount()) + "-1");
    }
    return m_kurven[static_cast<std::size_t>(i)];
}

const nrvBaseArmaturen::CEinstellungKurve& nrvArmaturThermoDross::getKurveAt(int i) const {
    return const_cast<nrvArmaturThermoDross*>(this)->getKurveAt(i);
}

double nrvArmaturThermoDross::getReglerTempMax() const {
    return m_kurven.empty() ? -1.0 : m_kurven.front().getReferenzTemperatur();
}

double nrvArmaturThermoDross::getReglerTempMin() const {
    return m_kurven.empty() ? -1.0 : m_kurven.back().getReferenzTemperatur();
}

bool nrvArmaturThermoDross::hasDesinfektion() const {
    return std::any_of(m_kurven.begin(), m_kurven.end(),
                       [](const CEinstellungKurve& k) { return k.getKvDesinfektion() > 0.0; });
}

double nrvArmaturThermoDross::getKvMaxByTemperatur(double t) const {
    if (m_kurven.empty()) return -1.0;
    CLinearInterpolation table;
    if (!m_kurven.front().getFunktion(table, false)) return -1.0;
    const double kv = table.GetY(t, false);
    return kv == kNoValue ? -1.0 : kv;
}

double nrvArmaturThermoDross::getKvmax() const {
    return getKvMaxByTemperatur(0.0);
}

double nrvArmaturThermoDross::getKvmin() const {
    if (m_kurven.empty()) return -1.0;
    // The hottest setting is the most closed one; at its own reference
    // temperature the valve throttles furthest.
    const CEinstellungKurve& first = m_kurven.front();
    CLinearInterpolation table;
    if (!first.getFunktion(table, false)) return -1.0;
    const double kv = table.GetY(first.getReferenzTemperatur(), false);
    return kv == kNoValue ? -1.0 : kv;
}

bool nrvArmaturThermoDross::IsInKvRange(double kv) const {
    return getKvmin() < kv && kv < getKvmax();
}

bool nrvArmaturThermoDross::findEinstelltemperatur(double kv, double T, double& setTemp,
                                                   int& index1, int& index2, bool strict) const {
    setTemp = -1.0;
    index1 = index2 = -1;
    if (m_kurven.empty()) return false;

    const double kvMin = getKvmin();
    const double kvMax = getKvmax();
    if (strict && (kv < kvMin || kv > kvMax)) return false;
    if (kv > kvMax) kv = kvMax;
    if (!strict && kv < kvMin) kv = kvMin;

    // Without disinfection function the controller simply holds the water
    // temperature.
    if (!hasDesinfektion()) {
        setTemp = T;
        return true;
    }

    const int n = getCount();
    const auto ref = [this](int i) {
        return m_kurven[static_cast<std::size_t>(i)].getReferenzTemperatur();
    };
    if (T > ref(0)) {
        setTemp = ref(0);
        index1 = index2 = n - 1;
        return true;
    }

    // Find the two neighbouring settings between which the valve passes kv
    // at the water temperature T, and place the set temperature between them.
    for (int i = 0; i + 1 < n; ++i) {
        const double tA = m_kurven[static_cast<std::size_t>(i + 1)].findTemperaturByKvWert(kv);
        const double tB = m_kurven[static_cast<std::size_t>(i)].findTemperaturByKvWert(kv);
        const bool brackets = tA >= 0.0 && tB >= 0.0 &&
                              (tA <= T || std::fabs(T - tA) <= kTemperaturTol) &&
                              (tB >= T || std::fabs(T - tB) <= kTemperaturTol) && tA != tB;
        if (!brackets) continue;
        const double f = std::clamp((T - tA) / (tB - tA), 0.0, 1.0);
        setTemp = std::floor(ref(i + 1) + f * (ref(i) - ref(i + 1)) + 0.5);
        index1 = i;
        index2 = i + 1;
        return true;
    }

    // No pair brackets T: the coolest setting when even it reaches kv only
    // above T, the hottest when T lies above where that one reaches kv.
    index1 = 0;
    index2 = n - 1;
    const double tLast = m_kurven.back().findTemperaturByKvWert(kv);
    const double tFirst = m_kurven.front().findTemperaturByKvWert(kv);
    if (tLast > T) {
        setTemp = ref(n - 1);
        return true;
    }
    if (T > tFirst) {
        setTemp = ref(0);
        return true;
    }
    return false;
}

bool nrvArmaturThermoDross::getFunktion(CLinearInterpolation& table, float T,
                                        bool interpolate) const {
    table.reset();
    const double t = T;
    if (t < getReglerTempMin() || t > getReglerTempMax()) return false;

    for (const CEinstellungKurve& k : m_kurven) {
        if (std::fabs(k.getReferenzTemperatur() - t) < kSameTemperatur) {
            return k.getFunktion(table, false);
        }
    }
    if (interpolate) return interpolateFunktion(table, T);

    for (std::size_t i = 0; i + 1 < m_kurven.size(); ++i) {
        if (m_kurven[i + 1].getReferenzTemperatur() < t &&
            t < m_kurven[i].getReferenzTemperatur()) {
            return m_kurven[i].getFunktion(table, false);
        }
    }
    return false;
}

// Blends the functions of the two settings around T: for every kv both can
// give, the temperature is taken between the cooler (L) and the hotter (H)
// setting's temperature by the position of T between their references.
bool nrvArmaturThermoDross::interpolateFunktion(CLinearInterpolation& table, float T) const {
    const double t = T;
    for (std::size_t i = 0; i + 1 < m_kurven.size(); ++i) {
        const CEinstellungKurve& hot = m_kurven[i];
        const CEinstellungKurve& cool = m_kurven[i + 1];
        const double refH = hot.getReferenzTemperatur();
        const double refL = cool.getReferenzTemperatur();
        if (!(refL < t && t < refH)) continue;
        CLinearInterpolation funcL, funcH;
        if (!cool.getFunktion(funcL, true) || !hot.getFunktion(funcH, true)) continue;

        const double f = std::fabs((t - refL) / (refH - refL));
        const CLinearInterpolation invL = invertFunktion(funcL);
        const CLinearInterpolation invH = invertFunktion(funcH);
        addBlendedPoints(table, invL, invH, 1.0 - f);
        addBlendedPoints(table, invH, invL, f);
        table.Add(std::min(funcL.firstX(), funcH.firstX()),
                  std::max(funcL.firstY(), funcH.firstY()));
        table.sort(1e-6);
        cool.appendFunktionThDesinf(table);
        return true;
    }
    return true;
}

bool nrvArmaturThermoDross::getFunktion(float T, std::vector<float>& temperaturen,
                                        std::vector<float>& kvWerte,
                                        std::vector<float>& reglerTemperaturen,
                                        bool interpolate) const {
    CLinearInterpolation table;
    const bool ok = getFunktion(table, T, interpolate);
    const std::size_t n = table.getSize();
    temperaturen.resize(n);
    kvWerte.resize(n);
    reglerTemperaturen.assign(n, T);
    for (std::size_t k = 0; k < n; ++k) {
        temperaturen[k] = toFloat(table.GetAtXArray(k));
        kvWerte[k] = toFloat(table.GetAtYArray(k));
    }
    return ok;
}

bool nrvArmaturThermoDross::isEqual(const nrvArmatur& other) const {
    const auto* o = dynamic_cast<const nrvArmaturThermoDross*>(&other);
    if (o == nullptr || m_kurven.size() != o->m_kurven.size()) return false;
    for (std::size_t i = 0; i < m_kurven.size(); ++i) {
        if (!isEqualSettingCurve(m_kurven[i], o->m_kurven[i])) return false;
    }
    // The inherited kv curve is not stored for this class.
    return isEqualDrossPart(*o);
}

}  // namespace nrvVDIArmaturen
