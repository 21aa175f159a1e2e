#include "kavex/uservalves/userfile_modell.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>

#include "kavex/platform/numbers.h"
#include "kavex/platform/treestore.h"

namespace nrvUserArmaturen {

using nrvBaseArmaturen::CKurve;

namespace {

std::string_view ohneRand(std::string_view t) {
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.front())))
        t.remove_prefix(1);
    while (!t.empty() && std::isspace(static_cast<unsigned char>(t.back())))
        t.remove_suffix(1);
    return t;
}

bool beginntMit(std::string_view t, std::string_view anfang) {
    return t.size() >= anfang.size() &&
           std::equal(anfang.begin(), anfang.end(), t.begin(), [](char a, char b) {
               return std::toupper(static_cast<unsigned char>(a)) ==
                      std::toupper(static_cast<unsigned char>(b));
           });
}

// Curves hold floats: values beyond their range are held at the largest float
// instead of turning infinite.
float alsFloat(double v) {
    if (!std::isfinite(v)) return 0.0f;
    return static_cast<float>(
        std::clamp(v, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}

// The points a file keeps; with `wirkdruck` the effective pressure takes the
// place of the ordinate.
CKurve alsKurve(const UserKurve& kurve, bool wirkdruck) {
    CKurve out;
    for (const UserKurvenPunkt& p : kurve.punkte) {
        if (!punktWirdGeschrieben(p)) continue;
        out.addCurveNode(alsFloat(p.x), einstFuerListe(p.einst),
                         alsFloat(wirkdruck ? p.dpWirk : p.y));
    }
    return out;
}

}  // namespace

void leseNennweitenBezeichnung(std::string_view bezeichnung, int& dn, std::string& dimensionsText) {
    dn = 0;
    dimensionsText.clear();
    const std::string_view t = ohneRand(bezeichnung);
    if (beginntMit(t, "DN")) {
        dn = nrvNumbers::parseInt(t.substr(2));
        if (dn > 0) return;
    }
    if (beginntMit(t, "a=")) {
        const std::size_t b = t.find("b=");
        const int a = nrvNumbers::parseInt(t.substr(2));
        const int bWert = b == std::string_view::npos ? 0 : nrvNumbers::parseInt(t.substr(b + 2));
        dn = 0;
        dimensionsText = nrvNumbers::formatI(a) + "x" + nrvNumbers::formatI(bWert);
        return;
    }
    dn = nrvNumbers::parseInt(t);
    if (dn > 0) return;
    dn = 0;
    dimensionsText = std::string(bezeichnung);
}

void fuelleUserArmatur(const UserModellreihe& reihe, const UserNennweite& nennweite,
                       nrvUserArmatur& armatur) {
    int dn = 0;
    std::string dimension;
    leseNennweitenBezeichnung(nennweite.bezeichnung, dn, dimension);
    armatur.setArtikelNr(nennweite.artikelNr);
    armatur.setDimension(dn);
    armatur.setDimensionsString(dimension);
    armatur.setKvs(std::isfinite(nennweite.kvs) ? nennweite.kvs : 0.0);
    armatur.removeAllKurven();

    if (!nennweite.klappenstellungen.empty()) {
        for (const UserKlappenstellung& k : nennweite.klappenstellungen) {
            armatur.addKurve(alsKurve(k.kurve, false), k.kurve.interpolierbar ? 1 : 0,
                             k.bezeichnung, k.interpolierbar ? 1 : 0);
        }
    } else {
        const CKurve kurve = alsKurve(nennweite.kurve, false);
        const int flag = nennweite.kurve.interpolierbar ? 1 : 0;
        if (!kurve.bIsEmpty()) {
            armatur.addKurve(kurve, flag);
            // A flow regulator keeps its effective pressures as a second curve
            // whose points run parallel to the first.
            if (reihe.armaturenTyp == nrvBaseArmaturen::enHzDFR)
                armatur.addKurve(alsKurve(nennweite.kurve, true), flag);
        }
    }

    bool hatPunkte = false;
    for (const CKurve& k : armatur.kurven())
        hatPunkte = hatPunkte || !k.bIsEmpty();
    armatur.setUseKvs(!hatPunkte && armatur.getKvs() > 0.0 ? 1 : 0);
}

void erzeugeUserArmaturenModell(const UserHersteller& hersteller, const UserModellreihe& reihe,
                                nrvUserArmaturenModell& modell) {
    modell.destroyAll();
    modell.setManufacturerModel(hersteller.name, reihe.bezeichnung);
    modell.setUserArmType(static_cast<enArmaturenTyp>(reihe.armaturenTyp));
    for (const UserNennweite& w : reihe.nennweiten)
        fuelleUserArmatur(reihe, w, *modell.Add());
}

void erzeugeUserArmaturenModell(const CNode& root, const CNode& reihe,
                                nrvUserArmaturenModell& modell) {
    UserHersteller hersteller;
    hersteller.name = leseHerstellerName(root);
    hersteller.version = leseUserArmVersion(root);
    erzeugeUserArmaturenModell(hersteller, leseModellreihe(reihe, hersteller.version), modell);
}

}  // namespace nrvUserArmaturen
