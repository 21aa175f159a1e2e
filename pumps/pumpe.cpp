// Data, names and control type of a pump.

#include "kavex/pumps/pumpe.h"

#include <algorithm>
#include <utility>

#include "kavex/platform/translation.h"
#include "kavex/pumps/pumpenhersteller.h"

namespace {

struct RegelungsArt {
    int typ;
    bool dezentral;
    const char* schluessel;  // "REG" of the pump file
    const char* name;        // display name (translation key)
};

constexpr RegelungsArt kRegelungsArten[] = {
    {enRegeltypKennlinie, false, "KENNLINIE", "Statische Kennlinie"},
    {enRegeltypKennlinie, true, "KENNLINIE|DEZENTRAL", "Statische Kennlinie"},
    {enRegeltypKonstDruck, false, "KONSTDRUCK", "Konstant-Druckregelung"},
    {enRegeltypPropDruck, false, "PROPDRUCK", "Proportional-Druckregelung"},
    {enRegeltypKonstPropDruck, false, "KONSTPROPDRUCK", "Konstant-/Prop.-Druckregelung"},
};

char kleinASCII(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool gleichOhneGross(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (kleinASCII(a[i]) != kleinASCII(b[i])) return false;
    return true;
}

// Case-insensitive comparison of the bytes (<0, 0, >0), like the C runtime's
// stricmp on the manufacturer names.
int vergleicheOhneGross(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(kleinASCII(a[i]));
        const auto cb = static_cast<unsigned char>(kleinASCII(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

const RegelungsArt* findeArt(int typ, bool dezentral) {
    for (const RegelungsArt& art : kRegelungsArten)
        if (art.typ == typ && art.dezentral == (typ == enRegeltypKennlinie && dezentral))
            return &art;
    return nullptr;
}

}  // namespace

std::string nrvPumpe::getSerialName() const {
    return m_parent != nullptr ? m_parent->getName() : std::string();
}

std::string nrvPumpe::getManufacturerName() const {
    if (m_parent == nullptr || m_parent->getParent() == nullptr) return {};
    return m_parent->getParent()->getName();
}

std::string nrvPumpe::getManufacturerID() const {
    if (m_parent == nullptr || m_parent->getParent() == nullptr) return {};
    return m_parent->getParent()->getID();
}

enEinsatzBereich nrvPumpe::getEinsatzBereich() const {
    return m_parent != nullptr ? m_parent->getEinsatzBereich() : 0;
}

int nrvPumpe::isHerstMitKennlinienFeld() const {
    // The long-standing test: every name from "Wilo" on in case-insensitive
    // order counts (docs/pumps.md).
    return vergleicheOhneGross(getManufacturerName(), "Wilo") >= 0 ? 1 : 0;
}

std::string nrvPumpe::getRegelungTypIntern() const {
    const RegelungsArt* art = findeArt(m_regeltyp, m_dezentral);
    return art != nullptr ? art->schluessel : std::string();
}

void nrvPumpe::setRegelungTypIntern(std::string_view keyword) {
    m_regeltyp = enRegeltypUnbekannt;
    m_dezentral = false;
    for (const RegelungsArt& art : kRegelungsArten) {
        if (gleichOhneGross(keyword, art.schluessel)) {
            m_regeltyp = art.typ;
            m_dezentral = art.dezentral;
            return;
        }
    }
}

std::string nrvPumpe::getRegelungTypName() const {
    const RegelungsArt* art = findeArt(m_regeltyp, m_dezentral);
    return art != nullptr ? TranslateText(art->name) : std::string();
}

nrvPumpenKennlinie* nrvPumpe::addKennlinie() {
    m_kennlinien.push_back(std::make_unique<nrvPumpenKennlinie>(this));
    return m_kennlinien.back().get();
}

void nrvPumpe::reverseArray() {
    const std::size_t n = m_kennlinien.size();
    for (std::size_t i = 0; n >= 2 && i < n - 1 - i; ++i)
        std::swap(m_kennlinien[i], m_kennlinien[n - 1 - i]);
}

bool nrvPumpe::swapKennlinien(int a, int b) {
    const int n = getAnzKennlinien();
    if (a < 0 || b < 0 || a >= n || b >= n) return false;
    std::swap(m_kennlinien[static_cast<std::size_t>(a)], m_kennlinien[static_cast<std::size_t>(b)]);
    return true;
}

void nrvPumpe::assignPumpe(const nrvPumpe& other) {
    if (&other == this) return;
    m_name = other.m_name;
    m_artikel = other.m_artikel;
    m_bild = other.m_bild;
    m_datenblatt = other.m_datenblatt;
    m_dn = other.m_dn;
    m_anschluss = other.m_anschluss;
    m_dpZulMin = other.m_dpZulMin;
    m_dpZulMax = other.m_dpZulMax;
    m_pn = other.m_pn;
    m_spannung = other.m_spannung;
    m_tMin = other.m_tMin;
    m_tMax = other.m_tMax;
    m_tKurz = other.m_tKurz;
    m_regeltyp = other.m_regeltyp;
    m_dezentral = other.m_dezentral;
    m_kennlinien.clear();
    for (const auto& k : other.m_kennlinien)
        addKennlinie()->assignKennlinie(*k);
}
