#pragma once
// The hydraulic formulas every valve service shares, in the units of the
// pipe-network calculation: flow V in m³/h, pressure difference dp in Pa,
// density rho in kg/m³, kv in m³/h at a pressure difference of 1 bar.
// RnArmaturContainer offers them as its statics (RnArmaturContainer::_kvWert,
// ...); the user valve container and the heating and drinking-water services
// use the same functions, so that every service rounds and compares alike.

#include <cfloat>
#include <cmath>

namespace nrvBaseArmaturen::nrvFormeln {

// Below this a kv, a pressure difference or a flow counts as zero (the double
// epsilon, so that only a true zero is rejected).
inline constexpr double kNull = DBL_EPSILON;
// kv values that agree to three decimals are the same value for the catalogue
// (catalogues print kv with three decimals); the kvs fall-back of the range
// test compares with this tolerance.
inline constexpr double kKvToleranz = 0.001;
// A kv below this is no requirement at all.
inline constexpr double kKvMinimum = 1e-5;
// Flows are compared at three decimals; half a unit of the last decimal is the
// tolerance of the flow-range tests of flow regulators.
inline constexpr double kDurchflussToleranz = 0.0005;
// A pressure reducer may start up to this far above the requested outlet
// pressure (in the unit of its curves), and its curve may exceed the
// pressure by as much.
inline constexpr double kDruckToleranz = 0.5;
// Below this flow (m³/h) a flow regulator whose range starts just above it is
// still accepted, because the smallest regulators of a catalogue start there.
inline constexpr double kKleinerDurchfluss = 0.05;

inline double _pwr2(double x) {
    return x * x;
}

// kv that lets V pass at dp: V · sqrt(1 bar / dp · rho / 1000 kg/m³).
inline double _kvWert(double V, double dp, double rho) {
    if (!(dp > kNull)) return 0.0;
    return V * std::sqrt(100000.0 / dp * rho / 1000.0);
}

// Pressure loss of V through kv: (V / kv)² · 1 bar · rho / 1000 kg/m³.
inline double _dpWert(double V, double kv, double rho) {
    if (!(kv > kNull)) return 0.0;
    return _pwr2(V / kv) * (rho * 100000.0 / 1000.0);
}

// kv of two resistances in series; a missing one (zero) drops out.
inline double _kvSerie(double kv1, double kv2) {
    const bool has1 = kv1 > kNull;
    const bool has2 = kv2 > kNull;
    if (has1 && has2) return kv1 * kv2 / std::sqrt(_pwr2(kv1) + _pwr2(kv2));
    if (has1) return kv1;
    if (has2) return kv2;
    return 0.0;
}

inline double Pa_mbar(double p) {
    return p * 0.01;
}
inline double mbar_Pa(double p) {
    return p * 100.0;
}

// Rounding half up to a number of decimals: floor(v · 10^n + 0.5) / 10^n.
inline double runden(double v, int decimals) {
    double scale = 1.0;
    for (int i = 0; i < decimals; ++i)
        scale *= 10.0;
    return std::floor(v * scale + 0.5) / scale;
}
// The three-decimal value used by every kv and flow comparison.
inline double runden3(double v) {
    return std::floor(v * 1000.0 + 0.5) / 1000.0;
}
// Whole numbers (setpoints, effective pressures).
inline double rundenGanz(double v) {
    return std::floor(v + 0.5);
}

}  // namespace nrvBaseArmaturen::nrvFormeln
