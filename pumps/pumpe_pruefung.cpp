// Plausibility checks of a pump's curves.

#include <string_view>

#include "kavex/pumps/pumpe.h"

namespace {

bool istGrundfos(std::string_view name) {
    constexpr std::string_view grundfos = "grundfos";
    if (name.size() != grundfos.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c =
            (name[i] >= 'A' && name[i] <= 'Z') ? static_cast<char>(name[i] + 32) : name[i];
        if (c != grundfos[i]) return false;
    }
    return true;
}

}  // namespace

bool nrvPumpe::bCheckKennlinien() const {
    for (const auto& k : m_kennlinien)
        if (k->getAnzWertePaare() == 0 || !k->bIsKennlinieOk()) return false;
    return true;
}

bool nrvPumpe::bCheckPumpe() const {
    return !m_kennlinien.empty() && bKennlinienSequenceOK() && bCheckKennlinien();
}

bool nrvPumpe::bIsFirstKennlinieLarger(int a, int b) const {
    const nrvPumpenKennlinie* ka = getStatischeKennlinie(a);
    const nrvPumpenKennlinie* kb = getStatischeKennlinie(b);
    if (ka == nullptr || kb == nullptr) return false;
    // Equal heads count as larger.
    return !(kb->getMinForderHoehe() > ka->getMinForderHoehe());
}

bool nrvPumpe::bKennlinienSequenceOK() const {
    // Only this manufacturer's files are known to rely on the order of their
    // curves; every other manufacturer passes.
    if (!istGrundfos(getManufacturerName())) return true;
    const int n = getAnzKennlinien();
    switch (m_regeltyp) {
        case enRegeltypKennlinie:
            for (int i = 1; i < n; ++i)
                if (!bIsFirstKennlinieLarger(i, 0)) return false;
            return true;
        case enRegeltypKonstDruck:
        case enRegeltypPropDruck:
            if (n == 2) return bIsFirstKennlinieLarger(0, 1);
            return n < 2;
        case enRegeltypKonstPropDruck:
            if (n < 2) return false;
            if (n == 3) return bIsFirstKennlinieLarger(1, 2);
            if (n == 4) return bIsFirstKennlinieLarger(0, 1) && bIsFirstKennlinieLarger(2, 3);
            return true;
        default:
            return false;
    }
}
