#pragma once
// Small user valve models for the tests of the user valve container: records
// of one series with valves per nominal size, each valve with curves given
// as (x, y) points.

#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "kavex/services/userarmaturcontainer.h"

namespace usertest {

using namespace nrvUserArmaturen;
using nrvBaseArmaturen::CKurve;

using Punkte = std::vector<std::pair<float, float>>;

inline CKurve kurve(const Punkte& points) {
    CKurve curve;
    for (const auto& [x, y] : points)
        curve.addCurveNode(x, "", y);
    return curve;
}

inline UserArmaturenModell record(enArmaturenTyp typ, int global, std::string model) {
    UserArmaturenModell r;
    r.typ = typ;
    r.global = global;
    r.getArm().setManufacturerModel("Beispiel GmbH", std::move(model));
    r.getArm().setUserArmType(typ);
    return r;
}

// A valve of nominal size `dn` with one curve per point list (curve flags 1).
inline nrvUserArmatur& addValve(UserArmaturenModell& r, int dn,
                                std::initializer_list<Punkte> curves) {
    nrvUserArmatur& valve = *r.getArm().Add();
    valve.setDimension(dn);
    valve.setArtikelNr("UA-" + std::to_string(dn));
    for (const Punkte& points : curves)
        valve.addKurve(kurve(points), 1);
    return valve;
}

// kv over setting 1..4 (the most open setting 4 first), scaled.
inline Punkte kvKurve(float scale) {
    return {{4, 1.0f * scale}, {3, 0.5f * scale}, {2, 0.25f * scale}, {1, 0.1f * scale}};
}

// A kv model with one valve per nominal size; valve i gets kvKurve(scales[i]).
inline UserArmaturenModell kvRecord(enArmaturenTyp typ, std::string model,
                                    std::initializer_list<std::pair<int, float>> sizes,
                                    int global = 1) {
    UserArmaturenModell r = record(typ, global, std::move(model));
    for (const auto& [dn, scale] : sizes)
        addValve(r, dn, {kvKurve(scale)});
    return r;
}

inline ARMATUR ref(int modellId, int dn, int einstellung = -1) {
    return ARMATUR{modellId, dn, {}, einstellung};
}

}  // namespace usertest
