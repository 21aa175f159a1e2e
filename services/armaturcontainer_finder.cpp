// kv values and the finders that choose a global catalogue valve for a
// component: by nominal size alone (fixed resistances) or by a required kv
// (variable resistances, thermostatic valve bodies).

#include <climits>
#include <cmath>

#include "kavex/services/armaturcontainer.h"
#include "kavex/valves/armaturthkv.h"

namespace nrvBaseArmaturen {

using nrvFormeln::runden3;

namespace {

using Armatur = nrvVDIArmaturen::nrvArmatur;

int pointCount(const Armatur* valve) {
    return valve->getKurve().getSize();
}

double pointKv(const Armatur* valve, int index) {
    return valve->getKurve()[index].y;
}

}  // namespace

// --- kv values ----------------------------------------------------------------

bool RnArmaturContainer::getKvIst(const ARMATUR& arm, double& kv) const {
    kv = 0.0;
    if (arm.einstellung < 0) return false;
    return getKvIst(getArmatur(arm, -1), arm.einstellung, kv);
}

bool RnArmaturContainer::getKvIst(const Armatur* valve, int einstellung, double& kv) {
    kv = 0.0;
    if (!valve || einstellung < 0) return false;
    if (valve->useKvs()) {
        kv = valve->getKvs();
        return true;
    }
    if (einstellung >= pointCount(valve)) return false;
    kv = pointKv(valve, einstellung);
    return true;
}

bool RnArmaturContainer::isInKvRange(const Armatur* valve, double kv) {
    if (!valve || kv < nrvFormeln::kKvMinimum) return false;
    const double kvmin = valve->getKvmin();
    const double kvmax = valve->getKvmax();
    if (kvmin >= 0.0 && kvmax > nrvFormeln::kKvMinimum && kvmax > kvmin) {
        const double k = runden3(kv);
        return runden3(kvmin) <= k && k <= runden3(kvmax);
    }
    // No kv range (a valve without settings): its kvs must reach kv.
    if (std::fabs(kvmin - kvmax) > nrvFormeln::kKvToleranz) return false;
    const double kvs = valve->getKvs();
    if (!(kvs > 0.0)) return false;
    return kvs > kv || std::fabs(kvs - kv) <= nrvFormeln::kKvToleranz;
}

// --- finders ------------------------------------------------------------------

bool RnArmaturContainer::writeResult(Armatur* valve, int einstellung, ARMATUR& arm) const {
    arm.dn = valve->getDimension();
    arm.einstellung = einstellung;
    arm.modellId = findParentModellId(m_global, valve);
    return arm.modellId >= 1 && arm.hasSize();
}

bool RnArmaturContainer::findGlobalFestwiderstand(std::string_view /*name*/, enArmaturenTyp typ,
                                                  ARMATUR& arm, std::string_view klasse) const {
    arm.modellId = 0;
    std::vector<Armatur*> candidates;
    for (const auto& record : m_global) {
        if (record->typ != typ || !record->passesClassFilter(klasse)) continue;
        if (Armatur* valve = record->findNearestArmatur(arm.dn, -1.0)) candidates.push_back(valve);
    }
    if (candidates.empty()) return false;
    Armatur* valve = candidates.size() == 1
                         ? candidates.front()
                         : VDIArmaturenModell::findNearestArmaturEx(candidates, arm.dn, -1.0);
    arm.dn = valve->getDimension();
    arm.modellId = findParentModellId(m_global, valve);
    return arm.modellId >= 1 && arm.hasSize();
}

bool RnArmaturContainer::findGlobalVariablenWiderstand(double kv, enArmaturenTyp typ, ARMATUR& arm,
                                                       bool alwaysBest, bool lowerKv,
                                                       std::string_view klasse) const {
    if (!alwaysBest && arm.modellId >= 1 && arm.hasSize())
        return _KeepArm(kv, typ, arm, lowerKv, klasse);
    return _BestArm(kv, typ, arm, lowerKv, klasse);
}

bool RnArmaturContainer::_KeepArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                                  std::string_view klasse) const {
    arm.einstellung = -1;
    Armatur* valve = getArmatur(arm, -1);
    if (valve && valve->getKvmin() <= kv && kv <= valve->getKvmax()) {
        arm.einstellung = findEinstellung(valve, kv, lowerKv);
        arm.dn = valve->getDimension();
        return arm.einstellung >= 0;
    }
    return _BestArm(kv, typ, arm, lowerKv, klasse);
}

void RnArmaturContainer::sortOut(int minDN, int maxDN, int dn, std::vector<Armatur*>& candidates) {
    if (dn >= maxDN) return;
    const int limit = dn >= minDN ? dn : minDN;
    std::erase_if(candidates, [&](const Armatur* v) {
        return dn >= minDN ? v->getDimension() > limit : v->getDimension() != limit;
    });
}

std::vector<RnArmaturContainer::Armatur*> RnArmaturContainer::bestCandidates(
    enArmaturenTyp typ, int dn, std::string_view klasse, bool thkvOnly) const {
    std::vector<Armatur*> candidates;
    int minDN = INT_MAX;
    int maxDN = INT_MIN;
    for (const auto& record : m_global) {
        if (record->typ != typ || !record->passesClassFilter(klasse)) continue;
        Armatur* valve = record->findNearestArmatur(dn, -1.0);
        if (!valve || !(valve->getKvmin() > 0.0) || !(valve->getKvmax() > 0.0)) continue;
        if (thkvOnly && !dynamic_cast<nrvVDIArmaturen::nrvArmaturTHKV*>(valve)) continue;
        candidates.push_back(valve);
        minDN = std::min(minDN, valve->getDimension());
        maxDN = std::max(maxDN, valve->getDimension());
    }
    if (!candidates.empty()) sortOut(minDN, maxDN, dn, candidates);
    return candidates;
}

bool RnArmaturContainer::_BestArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                                  std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const std::vector<Armatur*> candidates = bestCandidates(typ, arm.dn, klasse, false);
    if (candidates.empty()) return false;

    // Later candidates win ties: the walk runs from the last one.
    Armatur* smallest = nullptr;
    Armatur* largest = nullptr;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        if (!smallest || (*it)->getKvmin() < smallest->getKvmin()) smallest = *it;
        if (!largest || (*it)->getKvmax() > largest->getKvmax()) largest = *it;
    }

    Armatur* chosen = nullptr;
    int einstellung = -1;
    if (smallest->getKvmin() >= kv) {
        // Even the most closed setting passes more than required.
        chosen = smallest;
        if (pointCount(chosen) > 0) einstellung = pointCount(chosen) - 1;
    } else if (kv >= largest->getKvmax()) {
        // Even the most open setting passes less.
        chosen = largest;
        if (pointCount(chosen) > 0) einstellung = 0;
    } else {
        double bestDistance = 0.0;
        for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
            const int index = findEinstellung(*it, kv, lowerKv);
            if (index < 0 || index >= pointCount(*it)) continue;
            const double distance = std::fabs(pointKv(*it, index) - kv);
            if (!chosen || distance < bestDistance) {
                chosen = *it;
                einstellung = index;
                bestDistance = distance;
            }
        }
    }
    if (!chosen) return false;
    return writeResult(chosen, einstellung, arm);
}

bool RnArmaturContainer::findGlobalVariablesTHKV(double kv, double kvmaxPreferred, bool lowerKv,
                                                 ARMATUR& arm, std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const std::vector<Armatur*> candidates = bestCandidates(enHzTHKV, arm.dn, klasse, true);
    if (candidates.empty()) return false;

    // Preferably a body whose most open setting reaches kv without exceeding
    // the preferred kvmax; else the one nearest to that preference.
    Armatur* inRange = nullptr;
    Armatur* nearest = nullptr;
    double inRangeDistance = 0.0;
    double nearestDistance = 0.0;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        const double kvmax = (*it)->getKvmax();
        const double distance = std::fabs(kvmax - kvmaxPreferred);
        if (kv <= kvmax && kvmax <= kvmaxPreferred && (!inRange || distance < inRangeDistance)) {
            inRange = *it;
            inRangeDistance = distance;
        }
        if (!nearest || distance < nearestDistance) {
            nearest = *it;
            nearestDistance = distance;
        }
    }
    Armatur* chosen = inRange ? inRange : nearest;

    int einstellung = -1;
    const int points = pointCount(chosen);
    if (chosen->getKvmin() >= kv) {
        if (points > 0) einstellung = points - 1;
    } else if (kv >= chosen->getKvmax()) {
        if (points > 0) einstellung = 0;
    } else {
        einstellung = findEinstellung(chosen, kv, lowerKv);
    }
    return writeResult(chosen, einstellung, arm);
}

}  // namespace nrvBaseArmaturen
