#include "support/valves/valvefill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/valves/armaturtw.h"
#include "kavex/valves/armaturtyp.h"

namespace kavextest {

namespace {

using namespace nrvVDIArmaturen;
using nrvBaseArmaturen::curveNode;
using nrvBaseArmaturen::curveNode14;

// Short names for the random pieces the fillers need.
struct Random {
    std::mt19937& rng;

    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool flag() { return integer(0, 1) == 1; }
    float value(float lo, float hi) { return randomValue(rng, lo, hi); }
    std::string text() { return randomText(rng); }
    template <std::size_t N>
    std::string pick(const char* const (&choices)[N]) {
        return choices[integer(0, int(N) - 1)];
    }
    std::string unit() {
        static const char* const units[] = {"", "m³/h", "mbar", "°C", "Umdr.", "kPa", "l/h"};
        return pick(units);
    }
    std::string label() {
        static const char* const labels[] = {"1", "2.5", "N", "offen", "", "zu; 0", "3:4", "50%"};
        return pick(labels);
    }
    // A curve setting: usually numeric, sometimes only a printed label.
    float setting() {
        return integer(0, 5) == 0 ? curveNode::NoNumericSetting : value(0.0f, 10.0f);
    }
    // A proportional band, or the "not given" marker.
    double xp() { return integer(0, 3) == 0 ? -1.0 : value(0.0f, 4.0f); }
    CKurve curve() {
        CKurve c;
        fillCurve(c, rng, flag());
        return c;
    }
    CKurve14 curve14() {
        CKurve14 c;
        fillCurve14(c, rng);
        return c;
    }
    CEinstellungKurve settingCurve() {
        CEinstellungKurve c;
        fillSettingCurve(c, rng);
        return c;
    }
};

// A catalogue type whose class is the valve's own, so that a copied model
// keeps the valve.
int randomTypeOfClass(const nrvArmatur& valve, Random& r) {
    std::vector<int> types;
    for (int t = 200; t < 1800; ++t) {
        if (nrvBaseArmaturen::getArmaturClassNameForType(t) == valve.desc()) types.push_back(t);
    }
    return types.empty() ? r.integer(0, 2000) : types[r.integer(0, int(types.size()) - 1)];
}

void fillThrottle(nrvArmaturDross& v, Random& r) {
    v.setEinheitEinst(r.text());
    v.setKvDesinfektion(r.value(0, 3));
    v.setDpmin(r.value(0, 100));
    v.setDpmax(r.value(100, 2000));
}

void fillController(nrvArmaturDDR& v, Random& r) {
    v.addKennlinieDp(r.curve());
    v.addKennlinieKvzuPAbw(r.curve());
    v.addKennlinieMaxVolStrom(r.curve());
}

void fillFlowController(nrvArmaturDFR& v, Random& r, bool embedded) {
    // An embedded flow-controller part is a valve of its own with common data.
    if (embedded) fillCommon(v, r.rng);
    v.addKurve(r.curve());
    v.setWirkdruck(r.value(0, 500));
    std::vector<double> list(r.integer(0, 5));
    for (double& p : list)
        p = r.value(0, 500);
    v.setWirkdruckListe(std::move(list));
}

void fillSixWay(nrvArmaturSechsWegeRegelarmatur& v, Random& r) {
    v.addKurve(r.curve());
    v.addKurveKühlen(r.curve());
    v.setDpmax(r.value(0, 1000));
}

bool fillHeatingPart(nrvArmatur& valve, Random& r) {
    // Derived classes first: each cast also matches the classes below it.
    if (auto* v = dynamic_cast<nrvArmaturThermoDross*>(&valve)) {
        v->removeData();  // the inherited kv curve is not stored for this class
        fillThrottle(*v, r);
        for (int i = r.integer(0, 4); i > 0; --i)
            v->addKurve(r.settingCurve());
    } else if (auto* v = dynamic_cast<nrvArmaturDross*>(&valve)) {
        fillThrottle(*v, r);
        v->addKurve(r.curve());
    } else if (auto* v = dynamic_cast<nrvArmaturTHKV*>(&valve)) {
        v->addKvKurve(r.settingCurve());
    } else if (auto* v = dynamic_cast<nrvArmaturTHKVDFR*>(&valve)) {
        v->addKurve14(r.curve14());
        v->setXp(r.xp());
    } else if (auto* v = dynamic_cast<nrvArmaturEAV*>(&valve)) {
        v->addKurve14(r.curve14());
        v->setXp(r.xp());
    } else if (auto* v = dynamic_cast<nrvArmaturDDRDFR*>(&valve)) {
        fillController(*v, r);
        fillFlowController(v->getDFRAnteil(), r, true);
    } else if (auto* v = dynamic_cast<nrvArmaturDDR*>(&valve)) {
        fillController(*v, r);
    } else if (auto* v = dynamic_cast<nrvArmaturDFR*>(&valve)) {
        fillFlowController(*v, r, false);
    } else if (auto* v = dynamic_cast<nrvArmaturSechsWegeRegelarmaturMitDFR*>(&valve)) {
        fillSixWay(*v, r);
        fillFlowController(v->getDFRAnteil(), r, true);
    } else if (auto* v = dynamic_cast<nrvArmaturSechsWegeRegelarmatur*>(&valve)) {
        fillSixWay(*v, r);
    } else {
        return false;
    }
    return true;
}

// The drinking-water valves and the control valves; none has subclasses.
bool fillWaterAndControlPart(nrvArmatur& valve, Random& r) {
    if (auto* v = dynamic_cast<nrvArmaturEA*>(&valve)) {
        v->addKurve(r.curve());
        v->setRFV(r.flag());
        v->setEigensicher(r.flag());
        v->setEinzelentnahme(r.flag());
        v->setDesignDurchflussKalt(r.value(0, 2000));
        v->setDesignDurchflussWarm(r.value(0, 2000));
        v->setMindestfliessdruckKalt(r.value(0, 3000));
        v->setMindestfliessdruckWarm(r.value(0, 3000));
        v->setEinheit(r.text());
    } else if (auto* v = dynamic_cast<nrvArmaturSicherung*>(&valve)) {
        v->addKurve(r.curve());
        v->setNenndurchfluss(r.value(0, 5000));
        v->setMaxDurchfluss(r.value(0, 5000));
        v->setDruckgrenze(r.value(0, 2000));
        v->setOeffnungsdruckWaagerecht(r.value(0, 200));
        v->setOeffnungsdruckSteigend(r.value(0, 200));
        v->setOeffnungsdruckFallend(r.value(0, 200));
        v->setEinheit(r.text());
        v->setSchliessfeder(r.flag());
    } else if (auto* v = dynamic_cast<nrvArmaturDruckminderer*>(&valve)) {
        v->addKurve(r.curve());
        v->setEinheitEinst(r.text());
    } else if (auto* v = dynamic_cast<nrvArmaturZaehler*>(&valve)) {
        v->setQn(r.value(0, 100));
        v->setQmin(r.value(0, 10));
        v->setQmax(r.value(0, 200));
        v->setDpBeiQn(r.value(0, 1000));
        v->setTrenngrenze(r.value(0, 10));
        v->setAnlaufwert(r.value(0, 1));
        v->setMessprinzip(r.text());
        v->setEinsatzbereich(r.integer(0, 3));
        v->setZaehlerEinbaulage(r.flag() ? 999 : r.integer(0, 8));
        v->setGeraetetyp(r.flag() ? 999 : r.integer(0, 3));
        v->setGehaeuseart(r.integer(0, 3));
        v->setMetrologischeKlassen(r.text());
        v->setAnzeigebereichVon(r.value(0, 1));
        v->setAnzeigebereichBis(r.value(0, 100000));
        v->setBaulaenge(r.value(0, 500));
        v->setAnschlussText(r.text());
    } else if (auto* v = dynamic_cast<nrvArmaturVenturi*>(&valve)) {
        v->addKurve(r.curve());
        v->setDpmin(r.value(0, 100));
        v->setDpmax(r.value(0, 1000));
        v->setVPunktmin(r.value(0, 5));
        v->setVPunktmax(r.value(0, 50));
    } else if (auto* v = dynamic_cast<nrvArmaturElektroDross*>(&valve)) {
        v->addKurve(r.curve());
        v->setKvmin(r.value(0, 2));
        v->setKvmax(r.value(0, 20));
        v->setMinRegelTemperatur(r.value(0, 60));
        v->setMaxRegelTemperatur(r.value(0, 90));
    } else if (auto* v = dynamic_cast<nrvArmaturRegelventil*>(&valve)) {
        v->addKurve(r.curve());
        v->setDpmin(r.value(0, 100));
        v->setDpmax(r.value(0, 2000));
        v->setEinheitEinst(r.text());
    } else if (auto* v = dynamic_cast<nrvArmaturRSV*>(&valve)) {
        v->removeData();
        for (int i = r.integer(0, 4); i > 0; --i) {
            v->addAusfuehrung({r.value(0, 50), r.integer(-1, 3), r.integer(0, 1), r.value(0, 100),
                               r.value(0, 500), r.value(0, 10000)});
        }
    } else {
        return false;
    }
    return true;
}

}  // namespace

float randomValue(std::mt19937& rng, float lo, float hi) {
    const int from = static_cast<int>(std::ceil(lo * 64.0f));
    const int to = static_cast<int>(std::floor(hi * 64.0f));
    return static_cast<float>(std::uniform_int_distribution<int>(from, to)(rng)) / 64.0f;
}

std::string randomText(std::mt19937& rng) {
    // Pieces that a store must carry unchanged: separators, escapes, umlauts
    // and the euro sign, blanks at either end, and the empty text.
    static const char* const pieces[] = {"Ventil", " ",     "a:b",   "x;y", "100%", "ä",
                                         "€",      "Größe", "DN 15", "[K]", "\\",   "R 1/2\""};
    Random r{rng};
    std::string text;
    for (int i = r.integer(0, 4); i > 0; --i)
        text += r.pick(pieces);
    return text;
}

void fillCurve(CKurve& curve, std::mt19937& rng, bool withX2, int maxNodes) {
    Random r{rng};
    curve.removeData();
    curve.setEinheitx(r.unit());
    curve.setEinheity(r.unit());
    // Without second abscissa the curve stores no x2 leaf, and so no x2 unit.
    curve.setEinheitx2(withX2 ? r.unit() : std::string());
    for (int i = r.integer(1, std::max(1, maxNodes)); i > 0; --i) {
        const float x2 = withX2 ? r.value(0, 100) : 0.0f;
        curve.addCurveNode(r.setting(), r.label(), r.value(0, 50), x2);
    }
    // A second abscissa that is zero throughout is not stored at all.
    if (withX2) curve[0].x2 = r.value(1, 100);
}

void fillCurve14(CKurve14& curve, std::mt19937& rng, int maxNodes) {
    Random r{rng};
    curve.removeData();
    curve.setEinheitx(r.unit());
    curve.setEinheity1(r.unit());
    curve.setEinheity2(r.unit());
    curve.setEinheity3(r.unit());
    curve.setEinheity4(r.unit());
    for (int i = r.integer(1, std::max(1, maxNodes)); i > 0; --i) {
        curve.addCurveNode(curveNode14(r.setting(), r.label(), r.value(0, 10), r.value(0, 500),
                                       r.value(0, 500), r.value(0, 2000)));
    }
}

void fillSettingCurve(CEinstellungKurve& curve, std::mt19937& rng) {
    Random r{rng};
    fillCurve(curve, rng, r.flag());
    curve.setXp(r.value(0, 4));
    curve.setKvDesinfektion(r.value(0, 3));
    curve.setReferenzTemperatur(r.value(20, 70));
    curve.setEinstellungWert(r.value(0, 8));
    curve.setEinstellungText(r.text());
}

void fillCommon(nrvArmatur& valve, std::mt19937& rng) {
    Random r{rng};
    valve.setVersion(r.integer(0, 3));
    valve.setArtikelNr(r.text());
    valve.setGruppe(r.integer(200, 1799));
    valve.setTyp(randomTypeOfClass(valve, r));
    valve.setAusfIndex(r.integer(0, 99));
    valve.setDimension(r.integer(8, 300));
    valve.setMaxTemperatur(r.value(-273, 200));
    valve.setMaxBetriebsdruck(r.value(0, 40));
    valve.setMaxDiffdruck(r.value(0, 4000));
    valve.setKvs(r.value(0, 100));
    valve.setDATANORMNr(r.text());
    valve.setStLBNr(r.text());
    valve.setEANNr(r.text());
    valve.setDimSystem(r.text());
    valve.setZeta(r.value(0, 20));
    valve.setSchliessdruck_hPa(r.value(0, 100));
    valve.setTGANummer(r.text());
    valve.setEinbaulage(r.integer(0, 7));
    valve.setUseKvs(r.flag());

    valve.clearAusfuehrung();
    for (int i = r.integer(0, 4); i > 0; --i)
        valve.addAusfDetail(r.text());
    std::vector<nrvArmAnschluss> connections(r.integer(0, 3));
    for (nrvArmAnschluss& c : connections)
        c = {r.text(), r.integer(-1, 1), r.text()};
    valve.setAnschlussKeys(std::move(connections));

    valve.removeZubehoer();
    for (int i = r.integer(0, 3); i > 0; --i) {
        nrvArmaturZubehoer& entry = valve.addZubehoer();
        entry.artikelNr = r.integer(0, 999);
        entry.typNr = r.integer(0, 999);
        entry.index = r.integer(0, 99);
        entry.text1 = r.text();
        entry.name = r.text();
        entry.artikelNrText = r.text();
        entry.anzahl = r.value(0, 20);
        entry.wert1 = r.integer(-5, 5);
        entry.optional = r.integer(0, 1);
        entry.nichtF = r.integer(0, 1);
    }
}

bool fillOwnPart(nrvArmatur& valve, std::mt19937& rng) {
    if (valve.GetRuntimeClass() == &nrvArmatur::classnrvArmatur) return true;  // nothing of its own
    Random r{rng};
    return fillHeatingPart(valve, r) || fillWaterAndControlPart(valve, r);
}

void fillValveRandom(nrvArmatur& valve, std::mt19937& rng) {
    fillCommon(valve, rng);
    if (!fillOwnPart(valve, rng))
        ADD_FAILURE() << "no random filler knows the class " << valve.desc();
}

}  // namespace kavextest
