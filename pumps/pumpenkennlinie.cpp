#include "kavex/pumps/pumpenkennlinie.h"

#include "kavex/platform/numbers.h"
#include "kavex/platform/strutil.h"
#include "kavex/platform/translation.h"
#include "kavex/pumps/pumpe.h"

namespace {

// A pair of the file lists is a point unless both values are ≤ 0; the empty
// field behind the closing ';' (read as 0, 0) therefore ends the list.
bool paarGilt(double volumenstrom, double druck) {
    return !(volumenstrom <= 0.0 && druck <= 0.0);
}

std::string feld(const std::vector<std::string>& felder, std::size_t i) {
    return i < felder.size() ? felder[i] : std::string();
}

}  // namespace

bool nrvPumpenKennlinie::getFunktion(CLinearInterpolation& out) const {
    out = m_kennlinie;
    return !out.isEmpty();
}

double nrvPumpenKennlinie::getMinVolumenstrom() const {
    return m_kennlinie.isEmpty() ? 0.0 : m_kennlinie.firstX();
}

double nrvPumpenKennlinie::getMaxVolumenstrom() const {
    return m_kennlinie.isEmpty() ? 0.0 : m_kennlinie.lastX();
}

double nrvPumpenKennlinie::getMinForderHoehe() const {
    return m_kennlinie.isEmpty() ? 0.0 : m_kennlinie.firstY();
}

double nrvPumpenKennlinie::getMaxForderHoehe() const {
    int unbenutzt = -1;
    return getMaxForderHoeheUndIndex(unbenutzt);
}

double nrvPumpenKennlinie::getMaxForderHoeheUndIndex(int& index) const {
    double hoechste = 0.0;
    for (std::size_t i = 0; i < m_kennlinie.getSize(); ++i) {
        if (m_kennlinie.GetAtYArray(i) > hoechste) {
            hoechste = m_kennlinie.GetAtYArray(i);
            index = static_cast<int>(i);
        }
    }
    return hoechste;
}

void nrvPumpenKennlinie::readHilfswerte(std::string_view pkt, std::string_view fak) {
    for (int i = 0; i < 4; ++i)
        m_hilfswerte[static_cast<std::size_t>(i)] =
            nrvNumbers::parseDouble(nrvStrUtil::GetSubStr(pkt, i + 1, ';'));
    for (const std::string& f : nrvStrUtil::separatedStringToVector(fak, ';')) {
        if (f.empty()) break;
        m_faktoren.push_back(f);
    }
}

bool nrvPumpenKennlinie::getWertePaarEx(int index, std::string_view vol, std::string_view dpp,
                                        double& volumenstrom, double& druck) {
    volumenstrom = nrvNumbers::parseDouble(nrvStrUtil::GetSubStr(vol, index + 1, ';'));
    druck = nrvNumbers::parseDouble(nrvStrUtil::GetSubStr(dpp, index + 1, ';'));
    return paarGilt(volumenstrom, druck);
}

bool nrvPumpenKennlinie::readFromString(std::string_view vol, std::string_view dpp) {
    // Split once instead of field by field: a long list stays linear.
    const auto vols = nrvStrUtil::separatedStringToVector(vol, ';');
    const auto dpps = nrvStrUtil::separatedStringToVector(dpp, ';');
    m_kennlinie.reset();
    for (std::size_t i = 0;; ++i) {
        const double v = nrvNumbers::parseDouble(feld(vols, i));
        const double d = nrvNumbers::parseDouble(feld(dpps, i));
        if (!paarGilt(v, d)) break;
        m_kennlinie.Add(v * LiterProStundeZuKubikmeterProSekunde, d * MbarZuPascal);
    }
    return !m_kennlinie.isEmpty();
}

void nrvPumpenKennlinie::writeToString(std::string& vol, std::string& dpp) const {
    vol.clear();
    dpp.clear();
    for (std::size_t i = 0; i < m_kennlinie.getSize(); ++i) {
        vol += nrvNumbers::formatG(m_kennlinie.GetAtXArray(i) * 3600000.0) + ';';
        dpp += nrvNumbers::formatG(m_kennlinie.GetAtYArray(i) * 0.01) + ';';
    }
}

bool nrvPumpenKennlinie::bIsKennlinieOk() const {
    const std::size_t n = m_kennlinie.getSize();
    if (n == 0) return true;
    if (m_kennlinie.firstX() < 0.0 || m_kennlinie.lastX() < 0.0 || m_kennlinie.lastY() < 0.0)
        return false;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const double x = m_kennlinie.GetAtXArray(i);
        const double y = m_kennlinie.GetAtYArray(i);
        // Written as "not greater" so that an unreadable (NaN) flow fails too.
        if (!(m_kennlinie.GetAtXArray(i + 1) > x)) return false;
        if (y < 0.0) return false;
        if (x == 0.0 && y == 0.0) return false;
    }
    return true;
}

std::string nrvPumpenKennlinie::getKennlinieName() const {
    const std::string drehzahl =
        m_drehzahl >= 1 ? FormatText("1!%d 2!%s", m_drehzahl, TranslateText("@Einheit@1/min"))
                        : std::string();
    if (m_parent == nullptr || m_parent->isHerstMitKennlinienFeld() == 0) {
        if (!drehzahl.empty()) return drehzahl;
        return FormatText("1!%s 2!%d", TranslateText("Nr."), m_nummer);
    }
    // A curve field names each curve by its control role.
    const char* rolle = nullptr;
    switch (m_parent->getRegelungTyp()) {
        case enRegeltypKonstPropDruck: {
            static const char* const namen[] = {"max.Prop.", "min.Prop.", "max.Konst.",
                                                "min.Konst."};
            if (m_nummer >= 1 && m_nummer <= 4) rolle = namen[m_nummer - 1];
            break;
        }
        case enRegeltypPropDruck:
            if (m_nummer == 1) rolle = "max.Prop.";
            if (m_nummer == 2) rolle = "min.Prop.";
            break;
        case enRegeltypKonstDruck:
            if (m_nummer == 1) rolle = "max.Konst.";
            if (m_nummer == 2) rolle = "min.Konst.";
            break;
        default:
            break;
    }
    return rolle != nullptr ? TranslateText(rolle) : drehzahl;
}

void nrvPumpenKennlinie::assignKennlinie(const nrvPumpenKennlinie& other) {
    m_kennlinie = other.m_kennlinie;
    m_drehzahl = other.m_drehzahl;
    m_nummer = other.m_nummer;
}
