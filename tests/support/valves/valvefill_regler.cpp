// Random filling of the throttling, radiator-valve, regulator and six-way
// valve classes: every field their nodes store gets a random value.

#include <random>
#include <vector>

#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/valves/armaturthkv.h"
#include "support/valves/valvefill.h"

namespace kavextest {

namespace {

using namespace nrvVDIArmaturen;
using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::CKurve14;

int randomCount(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

bool randomFlag(std::mt19937& rng) {
    return randomCount(rng, 0, 1) == 1;
}

CKurve randomCurve(std::mt19937& rng) {
    CKurve curve;
    fillCurve(curve, rng, randomFlag(rng));
    return curve;
}

void fillDrossPart(nrvArmaturDross& valve, std::mt19937& rng) {
    valve.setEinheitEinst(randomText(rng));
    valve.setKvDesinfektion(randomValue(rng, 0.0f, 3.0f));
    valve.setDpmin(randomValue(rng, 0.0f, 100.0f));
    valve.setDpmax(randomValue(rng, 100.0f, 2000.0f));
}

void fillThermoDross(nrvArmaturThermoDross& valve, std::mt19937& rng) {
    // The inherited kv curve is not stored for this class: leave it empty.
    valve.removeData();
    fillDrossPart(valve, rng);
    for (int i = randomCount(rng, 0, 4); i > 0; --i) {
        CEinstellungKurve curve;
        fillSettingCurve(curve, rng);
        valve.addKurve(curve);
    }
}

void fillDFR(nrvArmaturDFR& valve, std::mt19937& rng) {
    valve.addKurve(randomCurve(rng));
    valve.setWirkdruck(randomValue(rng, 0.0f, 500.0f));
    std::vector<double> list;
    for (int i = randomCount(rng, 0, 5); i > 0; --i)
        list.push_back(randomValue(rng, 0.0f, 500.0f));
    valve.setWirkdruckListe(std::move(list));
}

// An embedded flow-controller part is a valve of its own with common data.
void fillDFRAnteil(nrvArmaturDFR& part, std::mt19937& rng) {
    fillCommon(part, rng);
    fillDFR(part, rng);
}

void fillDDR(nrvArmaturDDR& valve, std::mt19937& rng) {
    valve.addKennlinieDp(randomCurve(rng));
    valve.addKennlinieKvzuPAbw(randomCurve(rng));
    valve.addKennlinieMaxVolStrom(randomCurve(rng));
}

void fillSechsWege(nrvArmaturSechsWegeRegelarmatur& valve, std::mt19937& rng) {
    valve.addKurve(randomCurve(rng));
    valve.addKurveKühlen(randomCurve(rng));
    valve.setDpmax(randomValue(rng, 0.0f, 1000.0f));
}

CKurve14 randomCurve14(std::mt19937& rng) {
    CKurve14 curve;
    fillCurve14(curve, rng);
    return curve;
}

// A proportional band, or the "not given" marker.
double randomXp(std::mt19937& rng) {
    return randomCount(rng, 0, 3) == 0 ? -1.0 : randomValue(rng, 0.0f, 4.0f);
}

}  // namespace

bool fillThrottleAndRegulatorFamily(nrvArmatur& valve, std::mt19937& rng) {
    // Derived classes first: each cast also matches the classes below it.
    if (auto* v = dynamic_cast<nrvArmaturThermoDross*>(&valve)) {
        fillThermoDross(*v, rng);
    } else if (auto* v = dynamic_cast<nrvArmaturDross*>(&valve)) {
        fillDrossPart(*v, rng);
        v->addKurve(randomCurve(rng));
    } else if (auto* v = dynamic_cast<nrvArmaturTHKV*>(&valve)) {
        CEinstellungKurve curve;
        fillSettingCurve(curve, rng);
        v->addKvKurve(curve);
    } else if (auto* v = dynamic_cast<nrvArmaturTHKVDFR*>(&valve)) {
        v->addKurve14(randomCurve14(rng));
        v->setXp(randomXp(rng));
    } else if (auto* v = dynamic_cast<nrvArmaturEAV*>(&valve)) {
        v->addKurve14(randomCurve14(rng));
        v->setXp(randomXp(rng));
    } else if (auto* v = dynamic_cast<nrvArmaturDDRDFR*>(&valve)) {
        fillDDR(*v, rng);
        fillDFRAnteil(v->getDFRAnteil(), rng);
    } else if (auto* v = dynamic_cast<nrvArmaturDDR*>(&valve)) {
        fillDDR(*v, rng);
    } else if (auto* v = dynamic_cast<nrvArmaturDFR*>(&valve)) {
        fillDFR(*v, rng);
    } else if (auto* v = dynamic_cast<nrvArmaturSechsWegeRegelarmaturMitDFR*>(&valve)) {
        fillSechsWege(*v, rng);
        fillDFRAnteil(v->getDFRAnteil(), rng);
    } else if (auto* v = dynamic_cast<nrvArmaturSechsWegeRegelarmatur*>(&valve)) {
        fillSechsWege(*v, rng);
    } else {
        return false;
    }
    return true;
}

}  // namespace kavextest
