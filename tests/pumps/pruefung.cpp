// Checks of pump curves and the catalogue, curve labels and the curve
// lookups by head.

#include <gtest/gtest.h>

#include <cmath>

#include "pumps/fixtures.h"

using namespace pumpentest;

namespace {

const Punkte kGut{{0, 50000}, {1, 40000}, {2, 0}};

}  // namespace

TEST(PumpenPruefung, PlausibleCurve) {
    // clang-format off
    struct Fall { Punkte punkte; bool ok; };
    const Fall faelle[] = {
        {kGut, true}, {{}, true},
        {{{0, 0}}, true},                                           // a single point, even (0, 0)
        {{{0, 0}, {1, 10}}, false},                                 // (0, 0) before the last point
        {{{0, 10}, {0, 5}}, false}, {{{1, 10}, {0.5, 5}}, false},   // flow not rising strictly
        {{{0, -1}, {1, 5}}, false}, {{{0, 10}, {1, -5}}, false},    // negative head
        {{{-1, 10}, {1, 5}}, false},                                // negative first flow
        {{{0, 10}, {std::nan(""), 5}}, false},                      // unreadable flow
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Katalog kat;
        const nrvPumpe& p = kat.pumpe(1, {f.punkte});
        EXPECT_EQ(p.getStatischeKennlinie(0)->bIsKennlinieOk(), f.ok) << f.punkte.size();
        // The pump check wants points too.
        EXPECT_EQ(p.bCheckKennlinien(), f.ok && !f.punkte.empty());
    }
}

TEST(PumpenPruefung, CurveSequenceIsCheckedForOneManufacturerOnly) {
    // clang-format off
    struct Fall { int typ; std::vector<double> koepfe; bool ok; };
    const Fall faelle[] = {
        {-1, {100}, false},
        {0, {100, 200, 300}, true},  {0, {100, 300, 200}, true},  {0, {200, 100}, false},
        {0, {100, 100}, true},
        {1, {200, 100}, true},       {1, {100, 200}, false},
        {2, {100}, true},            {2, {300, 200, 100}, false},
        {3, {100}, false},           {3, {300, 200}, true},       {3, {1, 2, 3, 4, 5}, true},
        {3, {100, 300, 200}, true},  {3, {100, 200, 300}, false},
        {3, {200, 100, 400, 300}, true}, {3, {200, 100, 300, 400}, false},
        {4, {100}, false},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        std::vector<Punkte> kurven;
        for (double h : f.koepfe)
            kurven.push_back({{0, h}, {1, 0}});
        Katalog grundfos("GRUNDFOS");
        Katalog andere("Südwerk Pumpen");
        EXPECT_EQ(grundfos.pumpe(f.typ, kurven).bKennlinienSequenceOK(), f.ok) << f.typ;
        EXPECT_TRUE(andere.pumpe(f.typ, kurven).bKennlinienSequenceOK());
    }
    Katalog kat("Grundfos");
    nrvPumpe& p = kat.pumpe(1, {{{0, 200}}, {{0, 200}}});
    EXPECT_TRUE(p.bIsFirstKennlinieLarger(0, 1));  // equal heads count as larger
    EXPECT_FALSE(p.bIsFirstKennlinieLarger(0, 2));
    EXPECT_FALSE(p.bIsFirstKennlinieLarger(-1, 0));
    EXPECT_TRUE(p.bCheckPumpe());
    EXPECT_FALSE(kat.pumpe(1, {}).bCheckPumpe());
}

TEST(PumpenPruefung, CheckOfAllDataNamesEveryFault) {
    nrvPumpenManager m;
    m.read("", "[PUMPEN]\nVERSION:1\nHERSTELLER:Leer AG\nMMD:\n[ENDE_PUMPEN]\n");
    m.read("",
           "[PUMPEN]\nVERSION:1\nHERSTELLER:Grundfos\nMMD:\n"
           "[SERIE]\nBEZ:Ohne\n[ENDE_SERIE]\n"
           "[SERIE]\nBEZ:Mit\n"
           "[PUMPE]\nBEZ:P0\nREG:KONSTDRUCK\n[ENDE_PUMPE]\n"
           "[PUMPE]\nBEZ:P1\nREG:FALSCH\n"
           "[LINIE]\nDAT:1\nVOL:0;10;5;\nDPP:1;1;1;\n[ENDE_LINIE]\n[ENDE_PUMPE]\n"
           "[PUMPE]\nBEZ:P2\nREG:KONSTDRUCK\n"
           "[LINIE]\nDAT:1\nVOL:0;10;\nDPP:1;0;\n[ENDE_LINIE]\n[ENDE_PUMPE]\n"
           "[ENDE_SERIE]\n[ENDE_PUMPEN]\n");
    std::vector<std::string> fehler{"alt"};
    EXPECT_FALSE(m.checkAllPumpData(fehler));
    EXPECT_EQ(fehler, (std::vector<std::string>{
                          "Pumpenhersteller ohne Pumpen gefunden: Leer AG",
                          "Pumpenserie ohne Pumpen gefunden: Ohne",
                          "Pumpe ohne Kennlinien gefunden: P0",
                          "Reihenfolge/ Anordnung der Pumpenkennlinien ist nicht korrekt: P1",
                          "Pumpenkennlinie mit fehlerhaften Angaben: Grundfos, Mit, P1",
                      }));
    nrvPumpenManager leer;
    EXPECT_TRUE(leer.checkAllPumpData(fehler));
    EXPECT_TRUE(fehler.empty());
}

TEST(PumpenNamen, CurveLabelByManufacturerTypeNumberAndSpeed) {
    // clang-format off
    struct Fall { const char* hersteller; int typ; int nummer; int drehzahl; const char* name; };
    const Fall faelle[] = {
        {"Wilo", 3, 1, 2800, "max.Prop."},     {"WILO", 3, 4, -1, "min.Konst."},
        {"wilo", 2, 2, -1, "min.Prop."},       {"Zeta Pumpen", 1, 1, -1, "max.Konst."},
        {"Wilo", 1, 3, 2800, "2800 1/min"},    {"Wilo", 0, 1, -1, ""},
        {"Südwerk", 3, 1, 2800, "2800 1/min"}, {"Südwerk", 3, 1, 0, "Nr. 1"},
        {"Alpha", 1, -1, -1, "Nr. -1"},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        Katalog kat(f.hersteller);
        nrvPumpe& p = kat.pumpe(f.typ, {kGut});
        nrvPumpenKennlinie& k = *p.getStatischeKennlinie(0);
        k.setKennlinienNr(f.nummer);
        k.setDrehzahl(f.drehzahl);
        EXPECT_EQ(k.getKennlinieName(), f.name) << f.hersteller << " " << f.typ;
    }
    nrvPumpenKennlinie allein;
    EXPECT_EQ(allein.getKennlinieName(), "Nr. -1");
}

TEST(PumpenNamen, CurvesFoundByHead) {
    Katalog kat;
    nrvPumpe& p =
        kat.pumpe(0, {{{0, 200}, {1, 0}}, {{0, 300}, {1, 0}}, {{0, 300}}, {{0, 100}}, {{0, 100}}});
    EXPECT_EQ(p.getStatischeKennlinieMax(), p.getStatischeKennlinie(1));
    EXPECT_EQ(p.getStatischeKennlinieMin(), p.getStatischeKennlinie(3));
    EXPECT_EQ(kat.pumpe(0, {{{0, 0}}, {}}).getStatischeKennlinieMax(), nullptr);
    EXPECT_EQ(kat.pumpe(0, {}).getStatischeKennlinieMin(), nullptr);
    CLinearInterpolation out{p.getStatischeKennlinie(0)->getKennlinie()};
    EXPECT_FALSE(p.getStatischeKennlinie(5, out));
    EXPECT_TRUE(out.isEmpty());

    nrvPumpenKennlinie k;
    int index = 7;
    EXPECT_EQ(k.getMaxForderHoeheUndIndex(index), 0.0);
    EXPECT_EQ(index, 7);
    k.getKennlinie().Add(0, -5);
    k.getKennlinie().Add(1, 40);
    k.getKennlinie().Add(2, 40);
    EXPECT_EQ(k.getMaxForderHoeheUndIndex(index), 40.0);
    EXPECT_EQ(index, 1);
}
