// Control roles of the stored curves, control curves at a set pressure and
// the operating point of a proportional-pressure control.
//
// A controlled pump keeps its speed such that the head follows a control
// curve: constant pressure holds the set pressure until the maximum curve
// (full speed) falls below it; proportional pressure rises linearly from
// half the set pressure at zero flow to the set pressure where that line
// meets the maximum curve. The stored curves carry the roles by their order
// (see nrvPumpenManager::macheKennlinieReihnfolgeRichtig).

#include <cmath>

#include "kavex/pumps/pumpe.h"

namespace {

// Walks the curve and pulls every point on the wrong side of `druck` onto
// it: `jenseits(y)` says whether a head lies on the wrong side. The point
// before the crossing moves onto the crossing, the others keep their flow
// and take the set pressure; the last point never changes. Returns the last
// changed index, else `start`.
template <typename Jenseits>
int kappe(CLinearInterpolation& kurve, double druck, int start, Jenseits jenseits) {
    int letzter = start;
    for (std::size_t i = 0; i + 1 < kurve.getSize(); ++i) {
        const double yi = kurve.GetAtYArray(i);
        const double yn = kurve.GetAtYArray(i + 1);
        if (!jenseits(yi)) continue;
        if (jenseits(yn)) {
            kurve.SetAtYArray(i, druck);
        } else {
            const double xi = kurve.GetAtXArray(i);
            const double xn = kurve.GetAtXArray(i + 1);
            const double x = xn + (xi - xn) * (druck - yn) / (yi - yn);
            if (xi < x && x < xn) {
                const double y = kurve.GetY(x);
                kurve.SetAtXArray(i, x);
                kurve.SetAtYArray(i, y);
            }
        }
        letzter = static_cast<int>(i);
    }
    return letzter;
}

}  // namespace

nrvPumpenKennlinie* nrvPumpe::getRegelKennlinie(bool proportional, bool maximum) const {
    const int n = getAnzKennlinien();
    int index = -1;
    switch (m_regeltyp) {
        case enRegeltypKonstDruck:
        case enRegeltypPropDruck:
            // One role pair only: the proportional flag does not matter.
            if (n == 1) index = 0;
            if (n == 2) index = maximum ? 0 : 1;
            break;
        case enRegeltypKonstPropDruck:
            if (n == 1) index = 0;
            if (n == 2) index = proportional ? 0 : 1;
            if (n == 3) index = proportional ? 0 : (maximum ? 1 : 2);
            if (n == 4) index = (proportional ? 0 : 2) + (maximum ? 0 : 1);
            break;
        default:
            break;
    }
    return index >= 0 ? m_kennlinien[static_cast<std::size_t>(index)].get() : nullptr;
}

nrvPumpenKennlinie* nrvPumpe::getStatischeKennlinie(int index) const {
    if (index < 0 || index >= getAnzKennlinien()) return nullptr;
    return m_kennlinien[static_cast<std::size_t>(index)].get();
}

bool nrvPumpe::getStatischeKennlinie(int index, CLinearInterpolation& out) const {
    out.reset();
    const nrvPumpenKennlinie* k = getStatischeKennlinie(index);
    if (k == nullptr) return false;
    out = k->getKennlinie();
    return true;
}

nrvPumpenKennlinie* nrvPumpe::getStatischeKennlinieMax() const {
    nrvPumpenKennlinie* beste = nullptr;
    double hoechste = 0.0;
    for (const auto& k : m_kennlinien) {
        if (k->getMinForderHoehe() > hoechste) {
            hoechste = k->getMinForderHoehe();
            beste = k.get();
        }
    }
    return beste;
}

nrvPumpenKennlinie* nrvPumpe::getStatischeKennlinieMin() const {
    nrvPumpenKennlinie* beste = nullptr;
    for (const auto& k : m_kennlinien)
        if (beste == nullptr || k->getMinForderHoehe() < beste->getMinForderHoehe())
            beste = k.get();
    return beste;
}

bool nrvPumpe::druckImZulBereich(double druck) const {
    // Written so that an unreadable (NaN) pressure or range is refused too.
    return druck >= m_dpZulMin * 100.0 && druck <= m_dpZulMax * 100.0;
}

bool nrvPumpe::propFormGilt(int proportional, int propForm) const {
    if (propForm == 0) return false;
    return m_regeltyp == enRegeltypPropDruck ||
           (m_regeltyp == enRegeltypKonstPropDruck && proportional != 0);
}

int nrvPumpe::getSchnittpunktmitMaxKennlinie(CLinearInterpolation& kurve, double druck,
                                             [[maybe_unused]] const double& druckRef,
                                             int start) const {
    return kappe(kurve, druck, start, [druck](double y) { return y > druck; });
}

int nrvPumpe::getSchnittpunktmitMinKennlinie(CLinearInterpolation& kurve, double druck,
                                             [[maybe_unused]] const double& druckRef,
                                             int start) const {
    return kappe(kurve, druck, start, [druck](double y) { return y < druck; });
}

void nrvPumpe::createPropKennlinie(CLinearInterpolation& kurve, int index, double druck) const {
    if (index < 0) return;
    const std::size_t k = static_cast<std::size_t>(index);
    CLinearInterpolation linie;
    linie.Add(0.0, 0.5 * druck);
    linie.Add(kurve.GetAtXArray(k), druck);
    for (std::size_t i = 0; i <= k; ++i) {
        const double y = linie.GetY(kurve.GetAtXArray(i));
        if (y != CLinearInterpolation::NoValue) kurve.SetAtYArray(i, y);
    }
}

bool nrvPumpe::getRegelkennlinie(const double& druck, const int& proportional,
                                 CLinearInterpolation& out, int propForm) const {
    out.reset();
    if (!druckImZulBereich(druck)) return false;
    const nrvPumpenKennlinie* maximum = getRegelKennlinie(proportional != 0, true);
    if (maximum == nullptr) return false;
    out = maximum->getKennlinie();
    const int k = getSchnittpunktmitMaxKennlinie(out, druck, druck, -1);
    if (propFormGilt(proportional, propForm)) createPropKennlinie(out, k, druck);
    return true;
}

bool nrvPumpe::getRegelkennlinie(double druck, int proportional, CLinearInterpolation& outMax,
                                 CLinearInterpolation& outMin, int beide, int propForm) const {
    outMax.reset();
    outMin.reset();
    if (beide == 0) return getRegelkennlinie(druck, proportional, outMax, propForm);
    if (!druckImZulBereich(druck)) return false;
    const nrvPumpenKennlinie* maximum = getRegelKennlinie(proportional != 0, true);
    const nrvPumpenKennlinie* minimum = getRegelKennlinie(proportional != 0, false);
    if (maximum == nullptr || minimum == nullptr) return false;
    outMax = maximum->getKennlinie();
    outMin = minimum->getKennlinie();
    const int kMax = getSchnittpunktmitMaxKennlinie(outMax, druck, druck, -1);
    const int kMin = getSchnittpunktmitMinKennlinie(outMin, druck, druck, -1);
    if (propFormGilt(proportional, propForm)) {
        createPropKennlinie(outMax, kMax, druck);
        createPropKennlinie(outMin, kMin, druck);
    }
    return true;
}

double nrvPumpe::findSchnittPktBetriebsPktProp_Pa(const Netzpunkt& punkt) const {
    const double q0 = punkt.volumenstrom;
    const double p0 = punkt.druck;
    const nrvPumpenKennlinie* maximum = getRegelKennlinie(true, true);
    const nrvPumpenKennlinie* minimum = getRegelKennlinie(true, false);
    if (minimum == nullptr || !minimum->bIsKennlinieOk() || maximum == nullptr ||
        !maximum->bIsKennlinieOk() || minimum->getAnzWertePaare() == 0 ||
        maximum->getAnzWertePaare() == 0) {
        return p0;
    }
    const CLinearInterpolation& kMax = maximum->getKennlinie();
    const CLinearInterpolation& kMin = minimum->getKennlinie();
    const double ende = kMax.lastX();
    const double schritt = ende / 5000.0;
    // A negative or unreadable flow has no operating point; it would also
    // make the walk below endless.
    if (!(schritt > 0.0) || !std::isfinite(schritt) || !(q0 >= 0.0) || !std::isfinite(p0))
        return p0;

    // Walk along the curves from the operating flow upward: the proportional
    // line of set pressure H = curve(q) runs from (0, H/2) to (q, H); it
    // passes through the operating point when the line through that point
    // and (q, H) meets zero flow at H/2 (within 500 Pa). At q = q0 the line
    // is undefined, so the walk starts one step later.
    auto trifft = [&](double q, double h) {
        if (h == CLinearInterpolation::NoValue) return false;
        const double a = p0 - q0 * (h - p0) / (q - q0);
        return std::fabs(2.0 * a - h) <= 500.0;
    };
    for (int j = 1;; ++j) {
        const double q = q0 + j * schritt;
        if (!(q < ende)) break;
        const double hMax = kMax.GetY(q);
        if (trifft(q, hMax)) return hMax;
        const double hMin = kMin.GetY(q);
        if (trifft(q, hMin)) return hMin;
    }
    return p0;
}

bool nrvPumpe::isBetriebsPktImIntervall(const Netzpunkt& punkt, int proportional) const {
    if (m_regeltyp == enRegeltypKennlinie) return true;
    if (m_kennlinien.empty()) return false;
    if (!std::isfinite(punkt.volumenstrom) || !std::isfinite(punkt.druck)) return false;
    const nrvPumpenKennlinie* maximum = getRegelKennlinie(proportional != 0, true);
    const nrvPumpenKennlinie* minimum = getRegelKennlinie(proportional != 0, false);
    if (maximum == nullptr || maximum->getAnzWertePaare() == 0) return false;
    if (minimum != nullptr && minimum->getAnzWertePaare() == 0) return false;
    // Beyond the maximum curve's flows GetY has no value (the largest double),
    // so the point counts as below it; beyond the minimum curve's flows it
    // counts as below that one, hence outside.
    if (punkt.druck - maximum->getKennlinie().GetY(punkt.volumenstrom) > 1.0) return false;
    if (minimum != nullptr && minimum->getKennlinie().GetY(punkt.volumenstrom) - punkt.druck > 1.0)
        return false;
    return true;
}
