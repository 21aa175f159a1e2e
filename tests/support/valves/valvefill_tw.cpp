// Random filling of the drinking-water valves (tap, safety device, pressure
// reducer, meter, ring-main fitting) and of the control valves (electronic
// throttle, control valve, check valve): every field their "Y" leaves and
// curves store.

#include <random>

#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturtw.h"
#include "support/valves/valvefill.h"

namespace kavextest {

using namespace nrvVDIArmaturen;

namespace {

int randomInt(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

bool randomFlag(std::mt19937& rng) {
    return randomInt(rng, 0, 1) == 1;
}

double randomDouble(std::mt19937& rng, float lo, float hi) {
    return static_cast<double>(randomValue(rng, lo, hi));
}

// A curve of this family; the x2 leaf is optional for all of them.
CKurve randomCurve(std::mt19937& rng) {
    CKurve curve;
    fillCurve(curve, rng, randomFlag(rng));
    return curve;
}

void fillTap(nrvArmaturEA& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setRFV(randomFlag(rng));
    v.setEigensicher(randomFlag(rng));
    v.setEinzelentnahme(randomFlag(rng));
    v.setDesignDurchflussKalt(randomDouble(rng, 0.0f, 2000.0f));
    v.setDesignDurchflussWarm(randomDouble(rng, 0.0f, 2000.0f));
    v.setMindestfliessdruckKalt(randomDouble(rng, 0.0f, 3000.0f));
    v.setMindestfliessdruckWarm(randomDouble(rng, 0.0f, 3000.0f));
    v.setEinheit(randomText(rng));
}

void fillSafetyDevice(nrvArmaturSicherung& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setNenndurchfluss(randomDouble(rng, 0.0f, 5000.0f));
    v.setMaxDurchfluss(randomDouble(rng, 0.0f, 5000.0f));
    v.setDruckgrenze(randomDouble(rng, 0.0f, 2000.0f));
    v.setOeffnungsdruckWaagerecht(randomDouble(rng, 0.0f, 200.0f));
    v.setOeffnungsdruckSteigend(randomDouble(rng, 0.0f, 200.0f));
    v.setOeffnungsdruckFallend(randomDouble(rng, 0.0f, 200.0f));
    v.setEinheit(randomText(rng));
    v.setSchliessfeder(randomFlag(rng));
}

void fillPressureReducer(nrvArmaturDruckminderer& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setEinheitEinst(randomText(rng));
}

void fillMeter(nrvArmaturZaehler& v, std::mt19937& rng) {
    v.setQn(randomDouble(rng, 0.0f, 100.0f));
    v.setQmin(randomDouble(rng, 0.0f, 10.0f));
    v.setQmax(randomDouble(rng, 0.0f, 200.0f));
    v.setDpBeiQn(randomDouble(rng, 0.0f, 1000.0f));
    v.setTrenngrenze(randomDouble(rng, 0.0f, 10.0f));
    v.setAnlaufwert(randomDouble(rng, 0.0f, 1.0f));
    v.setMessprinzip(randomText(rng));
    v.setEinsatzbereich(randomInt(rng, 0, 3));
    v.setZaehlerEinbaulage(randomFlag(rng) ? 999 : randomInt(rng, 0, 8));
    v.setGeraetetyp(randomFlag(rng) ? 999 : randomInt(rng, 0, 3));
    v.setGehaeuseart(randomInt(rng, 0, 3));
    v.setMetrologischeKlassen(randomText(rng));
    v.setAnzeigebereichVon(randomDouble(rng, 0.0f, 1.0f));
    v.setAnzeigebereichBis(randomDouble(rng, 0.0f, 100000.0f));
    v.setBaulaenge(randomDouble(rng, 0.0f, 500.0f));
    v.setAnschlussText(randomText(rng));
}

void fillRingMain(nrvArmaturVenturi& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setDpmin(randomDouble(rng, 0.0f, 100.0f));
    v.setDpmax(randomDouble(rng, 0.0f, 1000.0f));
    v.setVPunktmin(randomDouble(rng, 0.0f, 5.0f));
    v.setVPunktmax(randomDouble(rng, 0.0f, 50.0f));
}

void fillElectronicThrottle(nrvArmaturElektroDross& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setKvmin(randomDouble(rng, 0.0f, 2.0f));
    v.setKvmax(randomDouble(rng, 0.0f, 20.0f));
    v.setMinRegelTemperatur(randomDouble(rng, 0.0f, 60.0f));
    v.setMaxRegelTemperatur(randomDouble(rng, 0.0f, 90.0f));
}

void fillControlValve(nrvArmaturRegelventil& v, std::mt19937& rng) {
    v.addKurve(randomCurve(rng));
    v.setDpmin(randomValue(rng, 0.0f, 100.0f));
    v.setDpmax(randomValue(rng, 0.0f, 2000.0f));
    v.setEinheitEinst(randomText(rng));
}

void fillCheckValve(nrvArmaturRSV& v, std::mt19937& rng) {
    v.removeData();
    for (int i = randomInt(rng, 0, 4); i > 0; --i) {
        scAusfuehrung variant;
        variant.kvs = randomDouble(rng, 0.0f, 50.0f);
        variant.einbaulage = randomInt(rng, -1, 3);
        variant.schliessfeder = randomInt(rng, 0, 1);
        variant.oeffnungsdruck = randomDouble(rng, 0.0f, 100.0f);
        variant.dpMax = randomDouble(rng, 0.0f, 500.0f);
        variant.volumenstrom = randomDouble(rng, 0.0f, 10000.0f);
        v.addAusfuehrung(variant);
    }
}

// Calls `fill` when the valve is of class T (none of these classes has
// subclasses).
template <class T, class Fill>
bool fillIf(nrvArmatur& valve, std::mt19937& rng, Fill fill) {
    auto* typed = dynamic_cast<T*>(&valve);
    if (typed == nullptr) return false;
    fill(*typed, rng);
    return true;
}

}  // namespace

bool fillDrinkingWaterAndControlFamily(nrvArmatur& valve, std::mt19937& rng) {
    return fillIf<nrvArmaturEA>(valve, rng, fillTap) ||
           fillIf<nrvArmaturSicherung>(valve, rng, fillSafetyDevice) ||
           fillIf<nrvArmaturDruckminderer>(valve, rng, fillPressureReducer) ||
           fillIf<nrvArmaturZaehler>(valve, rng, fillMeter) ||
           fillIf<nrvArmaturVenturi>(valve, rng, fillRingMain) ||
           fillIf<nrvArmaturElektroDross>(valve, rng, fillElectronicThrottle) ||
           fillIf<nrvArmaturRegelventil>(valve, rng, fillControlValve) ||
           fillIf<nrvArmaturRSV>(valve, rng, fillCheckValve);
}

}  // namespace kavextest
