// Settings of user valves. A user valve has one curve per setting or damper
// position; the host's setting index counts the points of the first curve,
// and the balancing setting ("Abgleichseinstellung") names the position whose
// curve reaches a value, interpolated between two positions where the valve
// allows it.

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdint>

#include "kavex/platform/combobox.h"
#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/units.h"
#include "kavex/services/formeln.h"
#include "kavex/services/userarmaturcontainer.h"
#include "kavex/services/userarmaturcontainer_p.h"

namespace nrvUserArmaturen {

namespace formeln = nrvBaseArmaturen::nrvFormeln;
using formeln::runden3;

namespace {

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// A decimal mark belongs to the number when digits stand on both sides.
bool isDecimalMark(std::string_view text, std::size_t i) {
    return (text[i] == '.' || text[i] == ',') && i > 0 && i + 1 < text.size() &&
           isDigit(text[i - 1]) && isDigit(text[i + 1]);
}

// The number in a position text ("3", "30°", "2,5 Umdr."); false without digits.
bool numberIn(std::string_view text, double& number) {
    const auto first = std::find_if(text.begin(), text.end(), isDigit);
    if (first == text.end()) return false;
    std::string digits;
    for (std::size_t i = static_cast<std::size_t>(first - text.begin()); i < text.size(); ++i) {
        if (isDigit(text[i])) {
            digits += text[i];
        } else if (isDecimalMark(text, i) && digits.find('.') == std::string::npos) {
            digits += '.';
        } else {
            break;
        }
    }
    number = nrvNumbers::parseDouble(digits);
    return true;
}

// The position text without its number: the unit that follows it ("°").
std::string withoutDigits(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!isDigit(text[i]) && !isDecimalMark(text, i)) out += text[i];
    return out;
}

// "%.1f" of the setting between the two positions plus the candidate's unit.
std::string interpolierteStellung(const std::string& kandidat, const std::string& nachbar,
                                  double yc, double yn, double value) {
    double a = 0.0;
    double b = 0.0;
    if (!numberIn(kandidat, a) || !numberIn(nachbar, b)) return {};
    // Equal reference values leave nothing to interpolate: the candidate's
    // own setting. Beyond the two references the setting is held at them.
    const double t = yn == yc ? 0.0 : std::clamp((value - yc) / (yn - yc), 0.0, 1.0);
    return nrvNumbers::format("%.1f", (1.0 - t) * a + t * b) + withoutDigits(kandidat);
}

struct Stellungen {
    const nrvUserArmatur& valve;
    int count() const { return detail::kurvenAnzahl(valve); }
    const CKurve& curve(int i) const { return detail::kurve(valve, i); }
    bool interpolierbar(int i) const { return detail::kurveInterpolierbar(valve, i); }
    std::string text(int i) const {
        const auto& texts = valve.getKlappenstellungen();
        return static_cast<std::size_t>(i) < texts.size() ? texts[static_cast<std::size_t>(i)]
                                                          : std::string();
    }
    // The between-settings flag as the lowest position with points has it.
    bool zwischenwerte() const {
        for (int i = 0; i < count(); ++i)
            if (!curve(i).bIsEmpty()) return detail::stellungInterpolierbar(valve, i);
        return false;
    }
    bool xFuer(int i, double value) const {
        double x = 0.0;
        return detail::xBeiY(curve(i), interpolierbar(i), value, x);
    }
    bool yBei(int i, double volumenstrom, double& y) const {
        return detail::yBeiX(curve(i), interpolierbar(i), volumenstrom, y);
    }
};

// A valve the balancing setting can be read from: curves and position texts.
const nrvUserArmatur* abgleichbar(const nrvUserArmatur* valve) {
    if (!valve || valve->kurven().empty() || valve->getKlappenstellungen().empty()) return nullptr;
    return valve;
}

}  // namespace

// --- setting texts ----------------------------------------------------------------------

std::string RnUserArmaturContainer::getEinstellung(const nrvUserArmatur* valve, int index) {
    if (!valve || valve->kurven().empty()) return {};
    const CKurve& first = detail::kurve(*valve, 0);
    if (index < 0 || index >= first.getSize()) return {};
    const auto& point = first[index];
    return point.einst.empty() ? nrvNumbers::formatG(point.x) : point.einst;
}

std::string RnUserArmaturContainer::getEinstellung(const ARMATUR& arm) const {
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    std::string text = getEinstellung(valve, arm.einstellung);
    if (valve && valve->useKvs() && !text.empty()) text += '*';
    return text;
}

// --- required kv, flow or pressure to a setting --------------------------------------------

int RnUserArmaturContainer::findEinstellung(const nrvUserArmatur* valve, double kv, bool lowerKv) {
    int kurve = -1;
    return findEinstellung(valve, kurve, kv, lowerKv);
}

int RnUserArmaturContainer::findEinstellung(const nrvUserArmatur* valve, int& kurve, double kv,
                                            bool lowerKv) {
    kurve = -1;
    if (!valve) return -1;
    const int count = detail::kurvenAnzahl(*valve);
    // A valve computed with its kvs has one "setting": fully open.
    if (valve->useKvs()) {
        kurve = count > 0 ? 0 : -1;
        return 0;
    }
    if (count == 0) return -1;
    const double k = runden3(kv);
    const CKurve& last = detail::kurve(*valve, count - 1);
    if (!last.bIsEmpty() && k >= runden3(last.getFirstNode().y)) {
        kurve = count - 1;
        return 0;
    }
    const double kvmin = runden3(valve->getMinYValue());
    for (int c = count; c-- > 0;) {
        const CKurve& curve = detail::kurve(*valve, c);
        const int points = curve.getSize();
        if (points == 0) continue;
        kurve = c;
        if (k <= kvmin) return points - 1;
        if (lowerKv) {
            // The most open setting that does not exceed the required kv.
            for (int i = 0; i < points; ++i)
                if (runden3(curve[i].y) <= k) return i;
        } else {
            // The most closed setting that still reaches it.
            for (int i = points; i-- > 0;)
                if (runden3(curve[i].y) >= k) return i;
        }
    }
    kurve = -1;
    return -1;
}

int RnUserArmaturContainer::findEinstellungDFR(const nrvUserArmatur* valve, double volumenstrom) {
    if (!valve) return -1;
    const double q = runden3(volumenstrom);
    const bool hasPoints = detail::punktAnzahl(*valve) > 0;
    const double largest = hasPoints ? runden3(detail::kurve(*valve, 0).getFirstNode().y) : 0.0;
    if (q > largest || !hasPoints) return -1;
    // The smallest setting whose flow reaches the required flow.
    const CKurve& first = detail::kurve(*valve, 0);
    for (int i = first.getSize(); i-- > 0;)
        if (formeln::runden(first[i].y, 4) >= q) return i;
    return -1;
}

int RnUserArmaturContainer::findEinstellungDM(const nrvUserArmatur* valve, double druck) {
    if (!valve || detail::punktAnzahl(*valve) == 0) return -1;
    const CKurve& first = detail::kurve(*valve, 0);
    for (int i = first.getSize(); i-- > 0;)
        if (first[i].y >= druck) return i;
    return 0;
}

bool RnUserArmaturContainer::findArmaturenEinstellung(double kv, bool lowerKv, ARMATUR& arm) const {
    arm.einstellung = findEinstellung(getArmatur(arm, -1.0), kv, lowerKv);
    return arm.einstellung >= 0;
}

// --- balancing setting ----------------------------------------------------------------------

std::string RnUserArmaturContainer::getAbgleichseinstellung(const ARMATUR& arm, double value,
                                                            bool firstCurveOnly) const {
    const nrvUserArmatur* valve = abgleichbar(getArmatur(arm, -1.0));
    if (!valve) return {};
    const Stellungen s{*valve};
    if (firstCurveOnly) return s.xFuer(0, value) ? s.text(0) : std::string();

    int kandidat = -1;
    for (int i = s.count(); i-- > 0;)
        if (s.xFuer(i, value)) kandidat = i;
    if (!s.zwischenwerte()) return kandidat >= 0 ? s.text(kandidat) : std::string();
    if (kandidat < 0) return {};

    const double yc = s.curve(kandidat).getFirstNode().y;
    int quelle = -1;
    double yn = 0.0;
    for (int j = kandidat; j < s.count() && quelle < 0; ++j) {
        const CKurve& curve = s.curve(j);
        if (curve.bIsEmpty()) continue;
        if (curve.getFirstNode().y > value) {
            yn = curve.getFirstNode().y;
            quelle = j;
        } else if (curve.getLastNode().y > value) {
            yn = curve.getLastNode().y;
            quelle = j;
        }
    }
    if (quelle < 0) return {};
    const int nachbar = std::min(quelle == kandidat ? kandidat + 1 : quelle, s.count() - 1);
    if (nachbar == kandidat) return {};
    return interpolierteStellung(s.text(kandidat), s.text(nachbar), yc, yn, value);
}

std::string RnUserArmaturContainer::getAbgleichseinstellung(const ARMATUR& arm, double volumenstrom,
                                                            double value, double& reached,
                                                            bool firstCurveOnly) const {
    reached = 0.0;
    const nrvUserArmatur* valve = abgleichbar(getArmatur(arm, -1.0));
    if (!valve) return {};
    const Stellungen s{*valve};
    double y = 0.0;
    if (firstCurveOnly) {
        if (!s.yBei(0, volumenstrom, y)) return {};
        reached = y;
        return s.text(0);
    }

    // From the most closed position down: the first whose loss at the flow
    // stays below the value; the last position when none does.
    int kandidat = s.count() - 1;
    for (int i = s.count(); i-- > 0;) {
        if (s.yBei(i, volumenstrom, y) && y < value) {
            kandidat = i;
            break;
        }
    }
    if (!s.zwischenwerte()) {
        if (s.yBei(kandidat, volumenstrom, y)) reached = y;
        return s.text(kandidat);
    }

    const CKurve& kc = s.curve(kandidat);
    if (kc.bIsEmpty()) return {};
    double yc = kc.getFirstNode().y;
    if (s.interpolierbar(kandidat) && !s.yBei(kandidat, volumenstrom, yc)) return {};

    int quelle = -1;
    double yn = 0.0;
    for (int j = kandidat; j < s.count() && quelle < 0; ++j) {
        const CKurve& curve = s.curve(j);
        if (curve.bIsEmpty()) continue;
        if (s.interpolierbar(j)) {
            if (s.yBei(j, volumenstrom, y) && y > value) {
                yn = y;
                quelle = j;
            }
        } else if (curve.getFirstNode().y > value) {
            yn = curve.getFirstNode().y;
            quelle = j;
        } else if (curve.getLastNode().y > value) {
            yn = curve.getLastNode().y;
            quelle = j;
        }
    }
    if (quelle < 0) return {};
    const int nachbar = std::min(quelle == kandidat ? kandidat + 1 : quelle, s.count() - 1);
    if (nachbar == kandidat) {
        // No position beyond: the candidate is as far as the valve goes.
        if (s.yBei(kandidat, volumenstrom, y)) reached = y;
        return s.text(kandidat);
    }
    std::string text = interpolierteStellung(s.text(kandidat), s.text(nachbar), yc, yn, value);
    if (!text.empty()) reached = value;
    return text;
}

// --- setting list -----------------------------------------------------------------------------

void RnUserArmaturContainer::fillEinstellungsCombo(nrvComboBox& combo, const ARMATUR& arm,
                                                   double /*kv*/) const {
    static_assert(sizeof(std::intptr_t) == sizeof(double), "item data carries a double");
    combo.clear();
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    if (!valve || detail::punktAnzahl(*valve) < 2) return;
    const CKurve& first = detail::kurve(*valve, 0);
    const float referenceX = first.getAt(std::max(arm.einstellung, 0)).x;
    const std::string label = TranslateText("@kv-Wert@kv");
    const std::string unit = nrvUnits::getUnitLabel(enUnitFlow_m3h);
    int selection = -1;
    for (int i = first.getSize(); i-- > 0;) {
        const auto& point = first[i];
        const std::string text = nrvNumbers::format("%.1f", point.x) + " (" + label + "=" +
                                 nrvNumbers::format("%.3f", point.y) + unit + ")";
        const int index =
            combo.addString(text, std::bit_cast<std::intptr_t>(static_cast<double>(point.y)));
        if (selection < 0 && point.x >= referenceX) selection = index;
    }
    if (selection >= 0) combo.setCurSel(selection);
}

}  // namespace nrvUserArmaturen
