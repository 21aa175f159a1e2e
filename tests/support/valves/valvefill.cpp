#include "support/valves/valvefill.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "kavex/valves/armaturtyp.h"

namespace kavextest {

namespace {

int randomInt(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

template <std::size_t N>
std::string pick(std::mt19937& rng, const std::array<const char*, N>& choices) {
    return choices[static_cast<std::size_t>(randomInt(rng, 0, int(N) - 1))];
}

std::string randomUnit(std::mt19937& rng) {
    static constexpr std::array<const char*, 7> units = {"",      "m³/h", "mbar", "°C",
                                                         "Umdr.", "kPa",  "l/h"};
    return pick(rng, units);
}

std::string randomLabel(std::mt19937& rng) {
    static constexpr std::array<const char*, 8> labels = {"1", "2.5",   "N",   "offen",
                                                          "",  "zu; 0", "3:4", "50%"};
    return pick(rng, labels);
}

// A curve setting: usually numeric, sometimes only a printed label.
float randomSetting(std::mt19937& rng) {
    if (randomInt(rng, 0, 5) == 0) return nrvBaseArmaturen::curveNode::NoNumericSetting;
    return randomValue(rng, 0.0f, 10.0f);
}

// A catalogue type whose class is the valve's own, so that a copied model
// keeps the valve.
int randomTypeOfClass(const nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng) {
    std::vector<int> types;
    for (int t = 200; t < 1800; ++t) {
        if (nrvBaseArmaturen::getArmaturClassNameForType(t) == valve.desc()) types.push_back(t);
    }
    if (types.empty()) return randomInt(rng, 0, 2000);
    return types[static_cast<std::size_t>(randomInt(rng, 0, int(types.size()) - 1))];
}

void fillAccessory(nrvVDIArmaturen::nrvArmaturZubehoer& entry, std::mt19937& rng) {
    entry.artikelNr = randomInt(rng, 0, 999);
    entry.typNr = randomInt(rng, 0, 999);
    entry.index = randomInt(rng, 0, 99);
    entry.text1 = randomText(rng);
    entry.name = randomText(rng);
    entry.artikelNrText = randomText(rng);
    entry.anzahl = randomValue(rng, 0.0f, 20.0f);
    entry.wert1 = randomInt(rng, -5, 5);
    entry.optional = randomInt(rng, 0, 1);
    entry.nichtF = randomInt(rng, 0, 1);
}

}  // namespace

float randomValue(std::mt19937& rng, float lo, float hi) {
    const int from = static_cast<int>(std::ceil(lo * 64.0f));
    const int to = static_cast<int>(std::floor(hi * 64.0f));
    return static_cast<float>(randomInt(rng, from, to)) / 64.0f;
}

std::string randomText(std::mt19937& rng) {
    // Pieces that a store must carry unchanged: separators, escapes, umlauts
    // and the euro sign, blanks at either end, and the empty text.
    static constexpr std::array<const char*, 12> pieces = {
        "Ventil", " ", "a:b", "x;y", "100%", "ä", "€", "Größe", "DN 15", "[K]", "\\", "R 1/2\""};
    std::string text;
    const int count = randomInt(rng, 0, 4);
    for (int i = 0; i < count; ++i)
        text += pick(rng, pieces);
    return text;
}

void fillCurve(nrvBaseArmaturen::CKurve& curve, std::mt19937& rng, bool withX2, int maxNodes) {
    curve.removeData();
    curve.setEinheitx(randomUnit(rng));
    curve.setEinheity(randomUnit(rng));
    // Without second abscissa the curve stores no x2 leaf, and so no x2 unit.
    curve.setEinheitx2(withX2 ? randomUnit(rng) : std::string());
    const int count = randomInt(rng, 1, std::max(1, maxNodes));
    for (int i = 0; i < count; ++i) {
        const float x2 = withX2 ? randomValue(rng, 0.0f, 100.0f) : 0.0f;
        curve.addCurveNode(randomSetting(rng), randomLabel(rng), randomValue(rng, 0.0f, 50.0f), x2);
    }
    // A second abscissa that is zero throughout is not stored at all.
    if (withX2) curve[0].x2 = randomValue(rng, 1.0f, 100.0f);
}

void fillCurve14(nrvBaseArmaturen::CKurve14& curve, std::mt19937& rng, int maxNodes) {
    curve.removeData();
    curve.setEinheitx(randomUnit(rng));
    curve.setEinheity1(randomUnit(rng));
    curve.setEinheity2(randomUnit(rng));
    curve.setEinheity3(randomUnit(rng));
    curve.setEinheity4(randomUnit(rng));
    const int count = randomInt(rng, 1, std::max(1, maxNodes));
    for (int i = 0; i < count; ++i) {
        curve.addCurveNode(nrvBaseArmaturen::curveNode14(
            randomSetting(rng), randomLabel(rng), randomValue(rng, 0.0f, 10.0f),
            randomValue(rng, 0.0f, 500.0f), randomValue(rng, 0.0f, 500.0f),
            randomValue(rng, 0.0f, 2000.0f)));
    }
}

void fillSettingCurve(nrvBaseArmaturen::CEinstellungKurve& curve, std::mt19937& rng) {
    fillCurve(curve, rng, randomInt(rng, 0, 1) == 1);
    curve.setXp(randomValue(rng, 0.0f, 4.0f));
    curve.setKvDesinfektion(randomValue(rng, 0.0f, 3.0f));
    curve.setReferenzTemperatur(randomValue(rng, 20.0f, 70.0f));
    curve.setEinstellungWert(randomValue(rng, 0.0f, 8.0f));
    curve.setEinstellungText(randomText(rng));
}

void fillCommon(nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng) {
    valve.setVersion(randomInt(rng, 0, 3));
    valve.setArtikelNr(randomText(rng));
    valve.setGruppe(randomInt(rng, 200, 1799));
    valve.setTyp(randomTypeOfClass(valve, rng));
    valve.setAusfIndex(randomInt(rng, 0, 99));
    valve.setDimension(randomInt(rng, 8, 300));
    valve.setMaxTemperatur(randomValue(rng, -273.0f, 200.0f));
    valve.setMaxBetriebsdruck(randomValue(rng, 0.0f, 40.0f));
    valve.setMaxDiffdruck(randomValue(rng, 0.0f, 4000.0f));
    valve.setKvs(randomValue(rng, 0.0f, 100.0f));
    valve.setDATANORMNr(randomText(rng));
    valve.setStLBNr(randomText(rng));
    valve.setEANNr(randomText(rng));
    valve.setDimSystem(randomText(rng));
    valve.setZeta(randomValue(rng, 0.0f, 20.0f));
    valve.setSchliessdruck_hPa(randomValue(rng, 0.0f, 100.0f));
    valve.setTGANummer(randomText(rng));
    valve.setEinbaulage(randomInt(rng, 0, 7));
    valve.setUseKvs(randomInt(rng, 0, 1) == 1);

    valve.clearAusfuehrung();
    for (int i = randomInt(rng, 0, 4); i > 0; --i)
        valve.addAusfDetail(randomText(rng));

    std::vector<nrvVDIArmaturen::nrvArmAnschluss> connections;
    for (int i = randomInt(rng, 0, 3); i > 0; --i) {
        connections.push_back({randomText(rng), randomInt(rng, -1, 1), randomText(rng)});
    }
    valve.setAnschlussKeys(std::move(connections));

    valve.removeZubehoer();
    for (int i = randomInt(rng, 0, 3); i > 0; --i)
        fillAccessory(valve.addZubehoer(), rng);
}

void fillValveRandom(nrvVDIArmaturen::nrvArmatur& valve, std::mt19937& rng) {
    fillCommon(valve, rng);
    if (valve.GetRuntimeClass() == &nrvVDIArmaturen::nrvArmatur::classnrvArmatur) return;
    if (fillThrottleAndRegulatorFamily(valve, rng)) return;
    if (fillDrinkingWaterAndControlFamily(valve, rng)) return;
    ADD_FAILURE() << "no random filler knows the valve class " << valve.desc();
}

}  // namespace kavextest
