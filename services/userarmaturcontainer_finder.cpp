// The finders that choose a user valve of the project's models for a
// component: pressure reducers, flow regulators, backflow preventers and pipe
// separators by their curves, resistances by nominal size or required kv.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "kavex/platform/units.h"
#include "kavex/services/formeln.h"
#include "kavex/services/userarmaturcontainer.h"
#include "kavex/services/userarmaturcontainer_p.h"

namespace nrvUserArmaturen {

namespace formeln = nrvBaseArmaturen::nrvFormeln;
using nrvBaseArmaturen::enHzDFR;
using nrvBaseArmaturen::enHzTHKV;
using nrvBaseArmaturen::enTwDruckminderer;
using nrvBaseArmaturen::enTwRohrtrenner;
using nrvBaseArmaturen::enTwRueckflussverhinderer;

namespace {

using ValveList = RnUserArmaturContainer::ValveList;
using RecordView = RnUserArmaturContainer::RecordView;

bool hasPoints(const nrvUserArmatur* valve) {
    return detail::punktAnzahl(*valve) > 0;
}

// The valves of the records that pass the class filter and have a first
// curve; with `keepDN` and a reference DN of 1 or more only that DN.
ValveList curveValves(const RecordView& records, std::string_view klasse, bool keepDN, int dn) {
    ValveList valves;
    for (const UserArmaturenModell* record : records) {
        if (!record || !record->passesClassFilter(klasse)) continue;
        for (nrvUserArmatur* valve : record->getArm().getUserArmaturen()) {
            if (!hasPoints(valve)) continue;
            if (keepDN && dn >= 1 && valve->getDimension() != dn) continue;
            valves.push_back(valve);
        }
    }
    return valves;
}

// The first valve with the smallest key (ties: the earlier one).
template <class Key>
nrvUserArmatur* firstMinimum(const ValveList& valves, Key key) {
    nrvUserArmatur* best = nullptr;
    double bestKey = 0.0;
    for (nrvUserArmatur* valve : valves) {
        const double k = key(valve);
        if (!best || k < bestKey) {
            best = valve;
            bestKey = k;
        }
    }
    return best;
}

// Pressure loss of a safety device at a flow: its first curve holds the
// pressure loss (y) over the flow (x).
double druckverlustBei(const nrvUserArmatur* valve, double volumenstrom) {
    // getXValueByYValue interpolates the points (x, y) and answers y at the
    // given x, which is the pressure loss at the flow.
    return valve->getXValueByYValue(volumenstrom);
}

}  // namespace

// --- common pieces ---------------------------------------------------------------

RecordView RnUserArmaturContainer::globalRecordsOf(enArmaturenTyp typ) const {
    return getUserArmaturenModelle(false, typ);
}

RecordView RnUserArmaturContainer::localRecordOf(const ARMATUR& arm) const {
    if (arm.modellId < 1) return {};
    const UserArmaturenModell* record = findById(m_lokal, arm.modellId);
    if (!record || record->bIsEmpty()) return {};
    return {const_cast<UserArmaturenModell*>(record)};
}

void RnUserArmaturContainer::sortOut(int dn, ValveList& valves) {
    if (valves.empty()) return;
    const bool anyUpToDN = std::any_of(valves.begin(), valves.end(),
                                       [&](const auto* v) { return v->getDimension() <= dn; });
    int target = dn;
    if (!anyUpToDN) {
        target = INT_MAX;
        for (const nrvUserArmatur* v : valves)
            target = std::min(target, v->getDimension());
    }
    std::erase_if(valves, [&](const auto* v) { return v->getDimension() > target; });
}

bool RnUserArmaturContainer::assignArmatur(const nrvUserArmatur* valve, ARMATUR& arm) const {
    if (!valve) return false;
    arm.dn = valve->getDimension();
    arm.modellId = findParentModellId(m_global, valve);
    if (arm.modellId == 0) arm.modellId = findParentModellId(m_lokal, valve);
    return arm.modellId >= 1 && arm.hasSize();
}

bool RnUserArmaturContainer::writeResult(const nrvUserArmatur* valve, int einstellung,
                                         ARMATUR& arm) const {
    arm.einstellung = einstellung;
    return assignArmatur(valve, arm);
}

// --- pressure reducers --------------------------------------------------------------

bool RnUserArmaturContainer::findGlobalDM(double druck, ARMATUR& arm, bool keepDN,
                                          std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    return findDMEx(globalRecordsOf(enTwDruckminderer), druck, arm, keepDN, klasse);
}

bool RnUserArmaturContainer::findLocalDM(double druck, ARMATUR& arm, bool keepDN) const {
    arm.einstellung = -1;
    return findDMEx(localRecordOf(arm), druck, arm, keepDN, {});
}

bool RnUserArmaturContainer::findDMEx(const RecordView& records, double druck, ARMATUR& arm,
                                      bool keepDN, std::string_view klasse) const {
    if (druck < formeln::kNull) return false;
    ValveList valves = curveValves(records, klasse, keepDN, arm.dn);
    // Reducers whose setting range holds the pressure; else those that start
    // just above it.
    ValveList inRange;
    for (nrvUserArmatur* v : valves)
        if (v->getMinYValue() <= druck && druck <= v->getMaxYValue(false)) inRange.push_back(v);
    if (inRange.empty()) {
        std::erase_if(valves, [&](const nrvUserArmatur* v) {
            const double start = v->getMinYValue();
            return !(start > druck && start - druck <= formeln::kDruckToleranz);
        });
    } else {
        valves = std::move(inRange);
    }
    // The setting found for the pressure must not overshoot it noticeably.
    std::erase_if(valves, [&](const nrvUserArmatur* v) {
        const int index = std::max(findEinstellungDM(v, druck), 0);
        return detail::kurve(*v, 0)[index].y > druck + formeln::kDruckToleranz;
    });
    const nrvUserArmatur* chosen = firstMinimum(valves, [&](const nrvUserArmatur* v) {
        return std::abs(static_cast<double>(v->getDimension()) - arm.dn);
    });
    if (!chosen) return false;
    arm.einstellung = findEinstellungDM(chosen, druck);
    return assignArmatur(chosen, arm);
}

// --- flow regulators --------------------------------------------------------------------

bool RnUserArmaturContainer::findGlobalDurchflussregler(double volumenstrom, ARMATUR& arm,
                                                        enArmaturenTyp typ, bool keepDN,
                                                        std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const enArmaturenTyp kind = typ == nrvBaseArmaturen::enArmNone ? enHzDFR : typ;
    return findDurchflussreglerEx(globalRecordsOf(kind), volumenstrom, arm, kind, keepDN, klasse);
}

bool RnUserArmaturContainer::findLocalDurchflussregler(double volumenstrom, ARMATUR& arm,
                                                       enArmaturenTyp typ, bool keepDN) const {
    arm.einstellung = -1;
    return findDurchflussreglerEx(localRecordOf(arm), volumenstrom, arm, typ, keepDN, {});
}

bool RnUserArmaturContainer::findDurchflussreglerEx(const RecordView& records, double volumenstrom,
                                                    ARMATUR& arm, enArmaturenTyp /*typ*/,
                                                    bool keepDN, std::string_view klasse) const {
    if (volumenstrom < formeln::kNull) return false;
    const double q = formeln::runden3(volumenstrom);
    const double tol = formeln::kDurchflussToleranz;
    const ValveList valves = curveValves(records, klasse, keepDN, arm.dn);
    // Regulators whose flow range (smallest to largest setting) holds the flow.
    ValveList candidates;
    for (nrvUserArmatur* v : valves)
        if (v->getMinYValue() <= q + tol && v->getMaxYValue(true) >= q - tol)
            candidates.push_back(v);
    if (candidates.empty() && volumenstrom < formeln::kKleinerDurchfluss) {
        // A very small flow: the regulator whose range starts nearest to it.
        if (nrvUserArmatur* nearest = firstMinimum(valves, [&](const nrvUserArmatur* v) {
                return std::fabs(v->getMinYValue() - volumenstrom);
            }))
            candidates.push_back(nearest);
    }
    sortOut(arm.dn, candidates);
    const nrvUserArmatur* chosen =
        firstMinimum(candidates, [](const nrvUserArmatur* v) { return getWirkdruck(v, 0); });
    if (!chosen) return false;
    arm.einstellung = findEinstellungDFR(chosen, volumenstrom);
    return assignArmatur(chosen, arm);
}

// --- backflow preventers and pipe separators --------------------------------------------

bool RnUserArmaturContainer::findGlobalRFV(double volumenstrom, ARMATUR& arm, bool keepDN,
                                           std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const double ls = nrvUnits::unitTrans(volumenstrom, enUnitFlow_m3h, enUnitFlow_ls);
    return findSicherungEx(globalRecordsOf(enTwRueckflussverhinderer), ls, arm,
                           enTwRueckflussverhinderer, keepDN, -1.0, klasse);
}

bool RnUserArmaturContainer::findLocalRFV(double volumenstrom, ARMATUR& arm, bool keepDN) const {
    arm.einstellung = -1;
    const double ls = nrvUnits::unitTrans(volumenstrom, enUnitFlow_m3h, enUnitFlow_ls);
    return findSicherungEx(localRecordOf(arm), ls, arm, enTwRueckflussverhinderer, keepDN, -1.0,
                           {});
}

bool RnUserArmaturContainer::findGlobalTrenner(double volumenstrom, double druck, ARMATUR& arm,
                                               bool keepDN, std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const double ls = nrvUnits::unitTrans(volumenstrom, enUnitFlow_m3h, enUnitFlow_ls);
    const double mbar = nrvUnits::unitTrans(druck, enUnitPressure_Pa, enUnitPressure_mbar);
    return findSicherungEx(globalRecordsOf(enTwRohrtrenner), ls, arm, enTwRohrtrenner, keepDN, mbar,
                           klasse);
}

bool RnUserArmaturContainer::findLocalTrenner(double volumenstrom, double druck, ARMATUR& arm,
                                              bool keepDN) const {
    arm.einstellung = -1;
    const double ls = nrvUnits::unitTrans(volumenstrom, enUnitFlow_m3h, enUnitFlow_ls);
    const double mbar = nrvUnits::unitTrans(druck, enUnitPressure_Pa, enUnitPressure_mbar);
    return findSicherungEx(localRecordOf(arm), ls, arm, enTwRohrtrenner, keepDN, mbar, {});
}

bool RnUserArmaturContainer::findSicherungEx(const RecordView& records, double volumenstrom,
                                             ARMATUR& arm, enArmaturenTyp typ, bool keepDN,
                                             double druck, std::string_view klasse) const {
    if (volumenstrom < formeln::kNull || records.empty()) return false;
    // Half a unit of the third decimal of m³/h, in the l/s of the curves.
    const double tol =
        nrvUnits::unitTrans(formeln::kDurchflussToleranz, enUnitFlow_m3h, enUnitFlow_ls);
    ValveList candidates;
    for (nrvUserArmatur* v : curveValves(records, klasse, keepDN, arm.dn)) {
        if (v->getMinXValue() > volumenstrom + tol) continue;
        if (v->getMaxXValue(true) < volumenstrom - tol) continue;
        // A pipe separator must open below the pressure the network offers.
        if (typ == enTwRohrtrenner && v->getMinYValue() > druck) continue;
        candidates.push_back(v);
    }
    sortOut(arm.dn, candidates);
    const nrvUserArmatur* chosen = firstMinimum(
        candidates, [&](const nrvUserArmatur* v) { return druckverlustBei(v, volumenstrom); });
    if (!chosen) return false;
    return assignArmatur(chosen, arm);
}

// --- resistances --------------------------------------------------------------------------

bool RnUserArmaturContainer::findGlobalFestwiderstand(std::string_view /*name*/, enArmaturenTyp typ,
                                                      ARMATUR& arm, std::string_view klasse) const {
    arm.modellId = 0;
    ValveList candidates;
    for (const auto& record : m_global) {
        if (record->typ != typ || !record->passesClassFilter(klasse)) continue;
        if (nrvUserArmatur* v = record->findNearestArmatur(arm.dn, -1.0)) candidates.push_back(v);
    }
    if (candidates.empty()) return false;
    const nrvUserArmatur* valve =
        candidates.size() == 1
            ? candidates.front()
            : UserArmaturenModell::findNearestArmaturEx(candidates, arm.dn, -1.0);
    return assignArmatur(valve, arm);
}

bool RnUserArmaturContainer::findGlobalVariablenWiderstand(double kv, enArmaturenTyp typ,
                                                           ARMATUR& arm, bool alwaysBest,
                                                           bool lowerKv,
                                                           std::string_view klasse) const {
    if (!alwaysBest && arm.modellId >= 1 && arm.hasSize())
        return _KeepArm(kv, typ, arm, lowerKv, klasse);
    return _BestArm(kv, typ, arm, lowerKv, klasse);
}

bool RnUserArmaturContainer::_KeepArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                                      std::string_view klasse) const {
    arm.einstellung = -1;
    const nrvUserArmatur* valve = getArmatur(arm, -1.0);
    if (valve && detail::kvMin(*valve) <= kv && kv <= detail::kvMax(*valve)) {
        arm.einstellung = findEinstellung(valve, kv, lowerKv);
        arm.dn = valve->getDimension();
        return arm.einstellung >= 0;
    }
    return _BestArm(kv, typ, arm, lowerKv, klasse);
}

ValveList RnUserArmaturContainer::bestCandidates(enArmaturenTyp typ, int dn,
                                                 std::string_view klasse) const {
    ValveList candidates;
    for (const auto& record : m_global) {
        if (record->typ != typ || !record->passesClassFilter(klasse)) continue;
        nrvUserArmatur* v = record->findNearestArmatur(dn, -1.0);
        if (v && detail::kvMin(*v) > 0.0 && detail::kvMax(*v) > 0.0) candidates.push_back(v);
    }
    sortOut(dn, candidates);
    return candidates;
}

bool RnUserArmaturContainer::_BestArm(double kv, enArmaturenTyp typ, ARMATUR& arm, bool lowerKv,
                                      std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const ValveList candidates = bestCandidates(typ, arm.dn, klasse);
    if (candidates.empty()) return false;

    // Later candidates win ties: the walk runs from the last one.
    const nrvUserArmatur* smallest = nullptr;
    const nrvUserArmatur* largest = nullptr;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        if (!smallest || detail::kvMin(**it) < detail::kvMin(*smallest)) smallest = *it;
        if (!largest || detail::kvMax(**it) > detail::kvMax(*largest)) largest = *it;
    }

    const nrvUserArmatur* chosen = nullptr;
    int einstellung = -1;
    if (detail::kvMin(*smallest) >= kv) {
        // Even the most closed setting passes more than required.
        chosen = smallest;
        if (hasPoints(chosen)) einstellung = detail::punktAnzahl(*chosen) - 1;
    } else if (kv >= detail::kvMax(*largest)) {
        // Even the most open setting passes less.
        chosen = largest;
        if (hasPoints(chosen)) einstellung = 0;
    } else {
        double bestDistance = 0.0;
        for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
            const int index = findEinstellung(*it, kv, lowerKv);
            double kvAt = 0.0;
            if (index < 0 || !getKvIst(*it, index, kvAt)) continue;
            const double distance = std::fabs(kvAt - kv);
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

bool RnUserArmaturContainer::findGlobalVariablesTHKV(double kv, double kvmaxPreferred, bool lowerKv,
                                                     ARMATUR& arm, std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const ValveList candidates = bestCandidates(enHzTHKV, arm.dn, klasse);
    if (candidates.empty()) return false;

    // Preferably a valve whose most open setting reaches kv without exceeding
    // the preferred kvmax; else the one nearest to that preference.
    const nrvUserArmatur* inRange = nullptr;
    const nrvUserArmatur* nearest = nullptr;
    double inRangeDistance = 0.0;
    double nearestDistance = 0.0;
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it) {
        const double kvmax = detail::kvMax(**it);
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
    const nrvUserArmatur* chosen = inRange ? inRange : nearest;
    int einstellung = -1;
    if (detail::kvMin(*chosen) >= kv) {
        if (hasPoints(chosen)) einstellung = detail::punktAnzahl(*chosen) - 1;
    } else if (kv >= detail::kvMax(*chosen)) {
        if (hasPoints(chosen)) einstellung = 0;
    } else {
        einstellung = findEinstellung(chosen, kv, lowerKv);
    }
    return writeResult(chosen, einstellung, arm);
}

bool RnUserArmaturContainer::findArmatur(double kv, ARMATUR& arm, enArmaturenTyp typ,
                                         std::string_view klasse) const {
    arm.modellId = 0;
    arm.einstellung = -1;
    const bool hasKv = kv >= formeln::kKvMinimum;
    // One candidate per model: its valve nearest to the DN that reaches kv.
    ValveList candidates;
    for (const auto& record : m_global) {
        if (record->typ != typ || !record->passesClassFilter(klasse)) continue;
        if (nrvUserArmatur* v = record->findNearestArmatur(arm.dn, hasKv ? kv : -1.0))
            candidates.push_back(v);
    }
    sortOut(arm.dn, candidates);
    if (candidates.empty()) return false;
    if (!hasKv) {
        // No kv asked for: the largest size not above the requested one.
        const nrvUserArmatur* chosen = firstMinimum(
            candidates, [](const nrvUserArmatur* v) { return -double(v->getDimension()); });
        return writeResult(chosen, -1, arm);
    }
    // Among the valves whose kv range holds kv the one whose setting comes
    // closest to it; when none holds it, the one whose range lies nearest.
    ValveList inRange;
    for (nrvUserArmatur* v : candidates)
        if (isInKvRange(v, kv)) inRange.push_back(v);
    const nrvUserArmatur* chosen = nullptr;
    if (!inRange.empty()) {
        chosen = firstMinimum(inRange, [&](const nrvUserArmatur* v) {
            double kvAt = 0.0;
            const int index = findEinstellung(v, kv, false);
            if (index < 0 || !getKvIst(v, index, kvAt)) return HUGE_VAL;
            return std::fabs(kvAt - kv);
        });
    } else {
        chosen = firstMinimum(candidates, [&](const nrvUserArmatur* v) {
            return std::max(detail::kvMin(*v) - kv, kv - detail::kvMax(*v));
        });
    }
    return writeResult(chosen, findEinstellung(chosen, kv, false), arm);
}

}  // namespace nrvUserArmaturen
