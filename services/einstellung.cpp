// Setting determination for catalogue valves: the setting point that gives a
// required kv, and the printed text of a setting.

#include "kavex/platform/numbers.h"
#include "kavex/platform/translation.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/valves/armaturthkv.h"

namespace nrvBaseArmaturen {

using nrvFormeln::runden3;

namespace {

using Armatur = nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvArmaturEAV;
using nrvVDIArmaturen::nrvArmaturTHKV;
using nrvVDIArmaturen::nrvArmaturTHKVDFR;

// What the text of a setting point needs: its numeric value and its label.
struct SettingPoint {
    float x = 0.0f;
    const std::string* einst = nullptr;
};

// Valve bodies with flow limitation and one-pipe connections keep their
// settings in the four-value curve; every other class in its setting curve.
bool settingPoint(const Armatur& valve, int index, SettingPoint& point, std::string& unit) {
    const nrvBaseArmaturen::CKurve14* curve14 = nullptr;
    if (const auto* dfr = dynamic_cast<const nrvArmaturTHKVDFR*>(&valve)) {
        curve14 = &dfr->getKurve14();
        unit = dfr->getEinheitEinst();
    } else if (const auto* eav = dynamic_cast<const nrvArmaturEAV*>(&valve)) {
        curve14 = &eav->getKurve14();
        unit = eav->getEinheitEinst();
    }
    if (curve14) {
        if (index >= curve14->getSize()) return false;
        const auto& node = (*curve14)[index];
        point = {node.x, &node.einst};
        return true;
    }
    const CKurve& curve = valve.getKurve();
    if (index >= curve.getSize()) return false;
    unit = curve.getEinheitx();
    point = {curve[index].x, &curve[index].einst};
    return true;
}

bool isUnit(std::string_view unit, std::string_view key) {
    return unit == key || unit == TranslateText(key);
}

std::string settingText(const SettingPoint& point, const std::string& unit) {
    if (point.x <= curveNode::NoNumericSetting) {
        if (*point.einst == "Werkseinstellung")
            return TranslateText("@Werkseinstellung@Werkseinst.");
        return *point.einst;
    }
    const std::string value = nrvNumbers::formatG(point.x);
    if (unit.empty() || isUnit(unit, "Einstellung") || isUnit(unit, "Einstellwert")) return value;
    if (isUnit(unit, "Umdrehungen")) return value + " " + TranslateText("@Umdrehungen@Umdr.");
    return value + " " + unit;
}

std::string xpText(double xp) {
    const std::string label = TranslateText("@Proportionalbeiwert@XP");
    if (xp < 0.0) return FormatText(" (1!%s=?)", label);
    return FormatText(" (1!%s=2!%g 3!%s)", label, xp, nrvTranslation::TranslateUnits("K"));
}

}  // namespace

int RnArmaturContainer::findEinstellung(const Armatur* valve, double kv, bool lowerKv) {
    if (!valve) return -1;
    const double k = runden3(kv);
    if (k >= runden3(valve->getKvmax()) || valve->useKvs()) return 0;
    const CKurve& curve = valve->getKurve();
    const int count = curve.getSize();
    if (runden3(valve->getKvmin()) >= k) return count - 1;
    if (lowerKv) {
        // The most open setting that does not exceed the required kv.
        for (int i = 0; i < count; ++i)
            if (runden3(curve[i].y) <= k) return i;
    } else {
        // The most closed setting that still reaches it.
        for (int i = count - 1; i >= 0; --i)
            if (runden3(curve[i].y) >= k) return i;
    }
    return -1;
}

bool RnArmaturContainer::findArmaturenEinstellung(double kv, enArmaturenTyp /*typ*/, bool lowerKv,
                                                  const Armatur* valve, int& index) {
    index = -1;
    if (!valve || valve->getKurve().bIsEmpty()) return false;
    const double k = runden3(kv);
    if (k <= runden3(valve->getKvmin()))
        index = valve->getKurve().getSize() - 1;
    else if (k >= runden3(valve->getKvmax()))
        index = 0;
    else
        index = findEinstellung(valve, kv, lowerKv);
    return index >= 0;
}

bool RnArmaturContainer::findArmaturenEinstellung(double kv, enArmaturenTyp typ, bool lowerKv,
                                                  ARMATUR& arm) const {
    return findArmaturenEinstellung(kv, typ, lowerKv, getArmatur(arm, -1), arm.einstellung);
}

std::string RnArmaturContainer::getEinstellung(const Armatur* valve, int index, bool withXp) {
    if (!valve || index < 0) return {};
    SettingPoint point;
    std::string unit;
    if (!settingPoint(*valve, index, point, unit)) return {};
    std::string text = settingText(point, unit);
    if (text.empty()) text = "?";
    if (!withXp) return text;
    if (const auto* thkv = dynamic_cast<const nrvArmaturTHKV*>(valve)) {
        text += xpText(runden3(thkv->getXp()));
    } else if (const auto* dfr = dynamic_cast<const nrvArmaturTHKVDFR*>(valve)) {
        text += xpText(runden3(dfr->getXp()));
    } else if (const auto* eav = dynamic_cast<const nrvArmaturEAV*>(valve)) {
        // A connection without thermostatic part has no proportional band.
        const double xp = runden3(eav->getXp());
        if (xp >= 0.0) text += xpText(xp);
    }
    return text;
}

std::string RnArmaturContainer::getEinstellung(const ARMATUR& arm, bool withXp,
                                               bool markKvs) const {
    const Armatur* valve = getArmatur(arm, -1);
    std::string text = getEinstellung(valve, arm.einstellung, withXp);
    if (markKvs && valve && !text.empty() && valve->useKvs()) text += '*';
    return text;
}

}  // namespace nrvBaseArmaturen
