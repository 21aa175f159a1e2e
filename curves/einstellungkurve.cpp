#include "kavex/curves/einstellungkurve.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "kavex/platform/interpolation.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvBaseArmaturen {

namespace {

// Below the first measured temperature the function runs on a whole-degree
// grid from 0 °C. Measured curves start well below 100 °C; the grid stops here
// so that a damaged curve starting at an absurd temperature cannot make the
// table grow without bound.
constexpr double kGridEnd = 1000.0;

// The disinfection branch starts above this temperature, or above the end of
// the measured curve when that lies higher.
constexpr double kNormalBetriebEnd = 65.0;

}  // namespace

KAVEX_IMPLEMENT_DYNCREATE(CEinstellungKurve, CKurve)

CEinstellungKurve::~CEinstellungKurve() = default;

void CEinstellungKurve::removeData() {
    CKurve::removeData();
    m_xp = 0.0;
}

bool CEinstellungKurve::write(CNode* node, bool inChild, std::string_view keyX,
                              std::string_view keyEinst, std::string_view keyY,
                              std::string_view keyX2, std::string_view keySetting) const {
    if (node == nullptr) return false;
    CNode* target = inChild ? node->AddChild("CK") : node;
    if (target == nullptr) return false;
    if (m_xp != XpOhneEinstellung) {
        CLeaf* leaf = target->AddLeaf(std::string(keySetting), std::string_view{});
        CLeaf::InitSetValues(':');
        leaf->SetFirstValue(m_xp);
        leaf->SetNextValue(m_kvDesinfektion);
        leaf->SetNextValue(m_referenzTemperatur);
        leaf->SetNextValue(m_einstellungWert);
        leaf->SetNextValue(std::string_view(m_einstellungText));
        CLeaf::ExitSetValues();
    }
    CKurve::write(target, keyX, keyEinst, keyY, keyX2);
    return true;
}

bool CEinstellungKurve::read(CNode* node, bool inChild, std::string_view keyX,
                             std::string_view keyEinst, std::string_view keyY,
                             std::string_view keyX2, std::string_view keySetting) {
    if (node == nullptr) return false;
    CNode* source = inChild ? node->FindChild("CK") : node;
    if (source == nullptr) return false;
    const CLeaf* leaf = source->FindLeaf(keySetting);
    if (leaf != nullptr && leaf->InitGetValues(':')) {
        // The values fill the fields in stored order, as far as they go.
        const std::vector<std::string> values = leaf->GetValues(':');
        double* const numbers[4] = {&m_xp, &m_kvDesinfektion, &m_referenzTemperatur,
                                    &m_einstellungWert};
        for (std::size_t i = 0; i < values.size() && i < 4; ++i) {
            *numbers[i] = nrvNumbers::parseDouble(values[i]);
        }
        if (values.size() > 4) m_einstellungText = values[4];
    }
    CKurve::read(source, keyX, keyEinst, keyY, keyX2);
    return true;
}

bool CEinstellungKurve::getFunktion(CLinearInterpolation& table, bool withoutDisinfection) const {
    table.reset();
    // Read backwards, so that the last measured point comes first.
    CLinearInterpolation reversed;
    for (auto it = nodes().rbegin(); it != nodes().rend(); ++it)
        reversed.Add(it->x, it->y);
    if (reversed.isEmpty()) return false;

    const double first = nodes().front().x;
    if (first > 1.0) {
        // A throttling valve limits its kv to the disinfection kv; the grid
        // must not promise more below the measured range.
        const nrvArmaturObject* owner = getParent();
        const double cap = owner != nullptr ? owner->getKvThermDesinfektion() : 0.0;
        const double gridEnd = std::min(std::trunc(first), kGridEnd);
        for (int t = 0; t < gridEnd; ++t) {
            double y = reversed.GetY(t, true);
            if (cap > 0.0 && y > cap) y = cap;
            table.Add(t, y);
        }
    }
    for (const curveNode& n : nodes())
        table.Add(n.x, n.y);
    if (withoutDisinfection) return true;
    appendFunktionThDesinf(table);
    return table.GetY(0.0, true) != CLinearInterpolation::NoValue;
}

void CEinstellungKurve::appendFunktionThDesinf(CLinearInterpolation& table) const {
    if (table.isEmpty()) return;
    if (m_kvDesinfektion > 0.0) {
        // The valve first closes to the last kv, then opens to the disinfection kv.
        const double a = std::max(table.lastX(), kNormalBetriebEnd);
        const double lastKv = table.lastY();
        table.Add(a + 1.0, lastKv);
        table.Add(a + 3.0, m_kvDesinfektion);
        table.Add(DesinfektionEndTemperatur, m_kvDesinfektion);
    }
    if (table.lastX() < DesinfektionEndTemperatur) {
        table.Add(DesinfektionEndTemperatur, table.lastY());
    }
}

double CEinstellungKurve::findTemperaturByKvWert(double kv) const {
    CLinearInterpolation table;
    getFunktion(table, false);
    const std::size_t count = table.getSize();
    std::size_t start = 0;
    while (start < count && !(table.GetAtXArray(start) >= m_referenzTemperatur))
        ++start;

    // From the reference temperature downwards the valve opens: collect the
    // part where the kv keeps rising, as kv -> temperature.
    CLinearInterpolation inverse;
    if (start < count) {
        double previousKv = 0.0;
        for (std::size_t i = start + 1; i-- > 0;) {
            const double y = table.GetAtYArray(i);
            if (i != start && !(y > previousKv)) break;
            inverse.Add(y, table.GetAtXArray(i));
            previousKv = y;
        }
    }
    const double t = inverse.GetY(kv, false);
    return t == CLinearInterpolation::NoValue ? -1.0 : t;
}

}  // namespace nrvBaseArmaturen
