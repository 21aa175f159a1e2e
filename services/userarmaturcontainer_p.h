#pragma once
// What the user valve container reads from a user valve: its curves by index
// with their flags, the kv range and a curve's value at a point. A user valve
// has one curve per setting or damper position; the setting index of the
// host's reference counts the points of the first curve.

#include <cstddef>

#include "kavex/curves/kurve.h"
#include "kavex/uservalves/userarmatur.h"

namespace nrvUserArmaturen::detail {

using nrvBaseArmaturen::CKurve;

inline int kurvenAnzahl(const nrvUserArmatur& valve) {
    return static_cast<int>(valve.kurven().size());
}

inline const CKurve& kurve(const nrvUserArmatur& valve, int index) {
    return valve.kurven()[static_cast<std::size_t>(index)];
}

// Points of the first curve: the settings of the valve.
inline int punktAnzahl(const nrvUserArmatur& valve) {
    return valve.kurven().empty() ? 0 : valve.kurven().front().getSize();
}

// A curve without a stored flag is read by interpolation: values between
// measured points are what the user entered the curve for.
inline bool kurveInterpolierbar(const nrvUserArmatur& valve, int index) {
    const auto& flags = valve.getIsKurvenInterpolierbar();
    return index < 0 || static_cast<std::size_t>(index) >= flags.size() ||
           flags[static_cast<std::size_t>(index)] != 0;
}

// Settings between two positions may be interpolated; without a stored flag
// they may not (a position is a fixed detent unless the user said otherwise).
inline bool stellungInterpolierbar(const nrvUserArmatur& valve, int index) {
    const auto& flags = valve.getIsKlappenInterpolierbar();
    return index >= 0 && static_cast<std::size_t>(index) < flags.size() &&
           flags[static_cast<std::size_t>(index)] != 0;
}

// The kv range of a user kv curve (curves sorted descending by x, the most
// open setting first): the smallest kv is the last point of the first curve,
// the largest the first point of the last curve. A valve computed with its
// kvs has kvs as both; a valve without points has no range (0, 0).
inline double kvMin(const nrvUserArmatur& valve) {
    if (valve.useKvs()) return valve.getKvs();
    return punktAnzahl(valve) > 0 ? valve.getMinYValue() : 0.0;
}

inline double kvMax(const nrvUserArmatur& valve) {
    if (valve.useKvs()) return valve.getKvs();
    if (valve.kurven().empty() || valve.kurven().back().bIsEmpty()) return 0.0;
    return valve.getMaxYValue(false);
}

// y of a curve at x: interpolated, or the nearest point's y. False when the
// curve has no point or x lies outside an interpolating curve.
inline bool yBeiX(const CKurve& curve, bool interpolierbar, double x, double& y) {
    if (curve.bIsEmpty()) return false;
    const float value = interpolierbar ? curve.getYInterpol(static_cast<float>(x))
                                       : curve.getYNearest(static_cast<float>(x), CKurve::closest);
    if (value == CKurve::NoValue || value == CKurve::NoNearestValue) return false;
    y = value;
    return true;
}

// x of a curve at y, by the same rules.
inline bool xBeiY(const CKurve& curve, bool interpolierbar, double y, double& x) {
    if (curve.bIsEmpty()) return false;
    if (interpolierbar) {
        const float value = curve.getXInterpol(static_cast<float>(y));
        if (value == CKurve::NoValue) return false;
        x = value;
        return true;
    }
    float nearest = 0.0f;
    std::string einst;
    if (curve.getXNearest(nearest, einst, static_cast<float>(y), CKurve::closest) == 0)
        return false;
    x = nearest;
    return true;
}

}  // namespace nrvUserArmaturen::detail
