#include "samplemodels.h"

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <vector>

#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturregel.h"
#include "kavex/valves/armaturregler.h"
#include "kavex/valves/armatursechswege.h"
#include "kavex/valves/armaturthkv.h"
#include "kavex/valves/armaturtw.h"

namespace kavexcli {

namespace {

using namespace nrvVDIArmaturen;
using nrvBaseArmaturen::CEinstellungKurve;
using nrvBaseArmaturen::CKurve;
using nrvBaseArmaturen::CKurve14;
using nrvBaseArmaturen::curveNode;
using nrvBaseArmaturen::curveNode14;
using nrvBaseArmaturen::en700ArmaturTyp;

// A setting the catalogue prints without numeric value ("N" = fully open).
constexpr float kNurText = curveNode::NoNumericSetting;

// --- the catalogues the models come from (those of the bundled libraries) ---

struct Katalog {
    const char* hersteller;
    const char* id;
    const char* datei;
    int rlDatum;
};

const Katalog kRheintal{"Rheintal Armaturen GmbH", "RHEINTAL", "VDI_2\\rheintal_heizung.vdi",
                        201601};
const Katalog kNordquell2{"Nordquell Ventiltechnik AG", "NORDQUELL", "VDI_2\\nordquell_blatt02.vdi",
                          201810};
const Katalog kNordquell17{"Nordquell Ventiltechnik AG", "NORDQUELL",
                           "VDI_17\\nordquell_blatt17.vdi", 201810};
const Katalog kSuedwerk{"Südwerk Pumpen & Regeltechnik KG", "SUEDWERK",
                        "VDI_17\\suedwerk_trinkwasser.vdi", 201904};

void modell(nrvVDIArmaturenModell& m, const Katalog& k, const char* serie, int typ, int idx) {
    m.setManufacturerModel(k.hersteller, serie);
    m.setNrvArmType(static_cast<en700ArmaturTyp>(typ));
    m.setIdx(idx);
    m.setFilename(k.datei);
    m.setCatID(k.id);
    m.setRLDatum(k.rlDatum);
}

// Catalogue values have at most three decimals; rounding the scaled values
// to them keeps every number exactly what "%f" writes and reads back.
double d3(double v) {
    return std::round(v * 1000.0) / 1000.0;
}
float f3(double v) {
    return static_cast<float>(d3(v));
}

// --- curves ---------------------------------------------------------------

struct P {
    double x;
    const char* einst;
    double y;
};

CKurve kurve(const char* einheitX, const char* einheitY, std::initializer_list<P> punkte) {
    CKurve k;
    k.setEinheitx(einheitX);
    k.setEinheity(einheitY);
    for (const P& p : punkte)
        k.addCurveNode(f3(p.x), p.einst, f3(p.y));
    return k;
}

struct P14 {
    double x;
    const char* einst;
    double y1, y2, y3, y4;
};

CKurve14 kurve14(const char* einheitX, std::initializer_list<const char*> einheitenY,
                 std::initializer_list<P14> punkte) {
    CKurve14 k;
    k.setEinheitx(einheitX);
    const std::vector<const char*> e(einheitenY);
    k.setEinheity1(e.at(0));
    k.setEinheity2(e.at(1));
    k.setEinheity3(e.at(2));
    k.setEinheity4(e.at(3));
    for (const P14& p : punkte) {
        k.addCurveNode(curveNode14(f3(p.x), p.einst, f3(p.y1), f3(p.y2), f3(p.y3), f3(p.y4)));
    }
    return k;
}

// --- the common part of one execution ---------------------------------------

struct Ausfuehrung {
    int dn;
    const char* artikelNr;
    double kvs;
    const char* ean;
};

struct Stammdaten {
    int typ;
    int gruppe;  // sheet × 100 + index of the product main group
    double maxTemperatur;
    double maxBetriebsdruck;  // bar
    double maxDiffdruck;      // mbar
    const char* details;      // execution details, ';'-separated
    const char* anschluss;    // connection key of both ends
};

// One valve of class T per execution, with the common data filled in; `fill`
// adds the class's own data (and gets the execution's position). A type that
// does not create class T adds nothing.
template <class T, std::size_t N, class Fill>
void armaturen(nrvVDIArmaturenModell& m, const Stammdaten& s, const Ausfuehrung (&a)[N],
               int ausfIndex, Fill fill) {
    for (std::size_t i = 0; i < N; ++i) {
        auto* v = dynamic_cast<T*>(m.Add(static_cast<en700ArmaturTyp>(s.typ)));
        if (v == nullptr) return;
        v->setArtikelNr(a[i].artikelNr);
        v->setGruppe(s.gruppe);
        v->setTyp(s.typ);
        v->setAusfIndex(ausfIndex);
        v->setDimension(a[i].dn);
        v->setMaxTemperatur(s.maxTemperatur);
        v->setMaxBetriebsdruck(s.maxBetriebsdruck);
        v->setMaxDiffdruck(s.maxDiffdruck);
        v->setKvs(a[i].kvs);
        v->setEANNr(a[i].ean);
        v->setAusfDetails(s.details);
        v->addAnschluss({s.anschluss, 0, "Eingang"});
        v->addAnschluss({s.anschluss, 1, "Ausgang"});
        fill(*v, i);
    }
}

// --- one builder per valve class ---------------------------------------------

void festwiderstand(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Kugelhahn KH 10", 211, 3);
    const Stammdaten s{211, 201, 120.0, 16.0, 0.0, "Durchgang;Messing vernickelt;Innengewinde",
                       "Rp"};
    const Ausfuehrung a[] = {{15, "KH10-015", 16.5, "4012345000151"},
                             {20, "KH10-020", 28.0, "4012345000205"},
                             {25, "KH10-025", 45.0, "4012345000250"}};
    const double zeta[] = {0.35, 0.30, 0.28};
    armaturen<nrvArmatur>(m, s, a, 11, [&](nrvArmatur& v, std::size_t i) {
        v.setZeta(zeta[i]);
        v.setDATANORMNr("KH10" + std::to_string(a[i].dn));
        if (i > 0) return;
        // The smallest size lists the sealing kit for its lever.
        nrvArmaturZubehoer plombe;
        plombe.artikelNr = 2;
        plombe.typNr = 410;
        plombe.index = 1;
        plombe.name = "Plombierset für Bedienhebel";
        plombe.artikelNrText = "KH10-PL";
        plombe.anzahl = 1.0f;
        plombe.optional = 1;
        v.addZubehoer(plombe);
    });
}

void thermostatventil(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Thermostatventil-Unterteil TV 30", 201, 1);
    const Stammdaten s{201, 201, 120.0, 10.0, 1000.0, "Eckform;Messing vernickelt", "Rp"};
    const Ausfuehrung a[] = {{10, "TV30-10E", 0.95, "4009876300101"},
                             {15, "TV30-15E", 1.10, "4009876300156"},
                             {20, "TV30-20E", 1.35, "4009876300200"}};
    const float f[] = {0.85f, 1.0f, 1.2f};
    armaturen<nrvArmaturTHKV>(m, s, a, 2, [&](nrvArmaturTHKV& v, std::size_t i) {
        CEinstellungKurve k;
        static_cast<CKurve&>(k) = kurve("", "m³/h",
                                        {{kNurText, "N", 0.86f * f[i]},
                                         {6, "6", 0.60f * f[i]},
                                         {5, "5", 0.45f * f[i]},
                                         {4, "4", 0.33f * f[i]},
                                         {3, "3", 0.22f * f[i]},
                                         {2, "2", 0.13f * f[i]},
                                         {1, "1", 0.06f * f[i]}});
        k.setXp(2.0);
        v.addKvKurve(k);
    });
}

void thermostatventilMitBegrenzung(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Thermostatventil mit Durchflussbegrenzung TQ 4", 212, 5);
    const Stammdaten s{212, 201, 110.0, 10.0, 600.0, "Durchgangsform;voreinstellbar", "R"};
    const Ausfuehrung a[] = {{10, "TQ4-10", 0.90, "4023456010109"},
                             {15, "TQ4-15", 1.00, "4023456010154"}};
    armaturen<nrvArmaturTHKVDFR>(m, s, a, 4, [](nrvArmaturTHKVDFR& v, std::size_t) {
        v.addKurve14(kurve14("", {"m³/h", "mbar", "mbar", "l/h"},
                             {{5, "5", 0.75f, 600, 100, 250},
                              {4, "4", 0.60f, 600, 100, 180},
                              {3, "3", 0.45f, 600, 100, 130},
                              {2, "2", 0.30f, 600, 100, 80},
                              {1, "1", 0.15f, 600, 100, 40}}));
        v.setXp(2.0);
    });
}

void einrohrgarnitur(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Einrohr-Anschlussgarnitur EH 2", 203, 4);
    const Stammdaten s{203, 202, 110.0, 10.0, 200.0, "Einrohr;mit Thermostatoberteil", "G 3/4"};
    const Ausfuehrung a[] = {{15, "EH2-15", 2.40, "4009876320154"},
                             {20, "EH2-20", 3.10, "4009876320208"}};
    const float f[] = {1.0f, 1.25f};
    armaturen<nrvArmaturEAV>(m, s, a, 1, [&](nrvArmaturEAV& v, std::size_t i) {
        v.addKurve14(kurve14("", {"m³/h", "m³/h", "m³/h", "mbar"},
                             {{4, "4", 1.80f * f[i], 0.60f * f[i], 2.40f * f[i], 200},
                              {3, "3", 1.95f * f[i], 0.45f * f[i], 2.40f * f[i], 200},
                              {2, "2", 2.10f * f[i], 0.30f * f[i], 2.40f * f[i], 200},
                              {1, "1", 2.25f * f[i], 0.15f * f[i], 2.40f * f[i], 200}}));
        v.setXp(2.0);
    });
}

void ruecklaufverschraubung(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Rücklaufverschraubung RV 1", 202, 2);
    const Stammdaten s{202, 201, 120.0, 10.0, 0.0, "Eckform;absperrbar;voreinstellbar", "R"};
    const Ausfuehrung a[] = {{10, "RV1-10", 1.20, "4009876310100"},
                             {15, "RV1-15", 1.70, "4009876310155"},
                             {20, "RV1-20", 2.60, "4009876310209"}};
    const float f[] = {0.7f, 1.0f, 1.5f};
    armaturen<nrvArmaturDross>(m, s, a, 3, [&](nrvArmaturDross& v, std::size_t i) {
        v.addKurve(kurve("Umdr.", "m³/h",
                         {{0.5f, "1/2", 0.15f * f[i]},
                          {1, "1", 0.32f * f[i]},
                          {2, "2", 0.75f * f[i]},
                          {3, "3", 1.20f * f[i]},
                          {kNurText, "offen", 1.70f * f[i]}}));
        v.setEinheitEinst("Umdr.");
    });
}

void zirkulationsventil(nrvVDIArmaturenModell& m) {
    modell(m, kSuedwerk, "Zirkulationsregulierventil ZR 60", 1703, 2);
    const Stammdaten s{1703, 1701,   90.0,
                       10.0, 1000.0, "thermostatisch;Rotguss;mit thermischer Desinfektion",
                       "Rp"};
    const Ausfuehrung a[] = {{15, "ZR60-15", 1.50, "4045678003154"},
                             {20, "ZR60-20", 2.30, "4045678003208"}};
    const float f[] = {1.0f, 1.5f};
    armaturen<nrvArmaturThermoDross>(m, s, a, 1, [&](nrvArmaturThermoDross& v, std::size_t i) {
        v.setEinheitEinst("°C");
        v.setKvDesinfektion(f3(0.45 * f[i]));
        // One curve per controller temperature, the hottest first.
        for (float t : {60.0f, 55.0f, 50.0f}) {
            CEinstellungKurve k;
            static_cast<CKurve&>(k) = kurve("°C", "m³/h",
                                            {{t - 20, "", 0.90f * f[i]},
                                             {t - 10, "", 0.60f * f[i]},
                                             {t - 5, "", 0.35f * f[i]},
                                             {t, "", 0.12f * f[i]},
                                             {t + 5, "", 0.02f * f[i]}});
            k.setXp(5.0);
            k.setKvDesinfektion(d3(0.45 * f[i]));
            k.setReferenzTemperatur(t);
            k.setEinstellungWert(t);
            k.setEinstellungText(std::to_string(static_cast<int>(t)) + " °C");
            v.addKurve(k);
        }
    });
}

void strangregulierventilElektronisch(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell17, "Elektronisches Strangregulierventil ES 1", 1722, 6);
    const Stammdaten s{1722, 1703, 90.0, 10.0, 1500.0, "Stellantrieb 24 V;Temperaturfühler", "Rp"};
    const Ausfuehrung a[] = {{15, "ES1-15", 2.50, "4023456070158"},
                             {20, "ES1-20", 4.00, "4023456070202"}};
    const float f[] = {1.0f, 1.6f};
    armaturen<nrvArmaturElektroDross>(m, s, a, 1, [&](nrvArmaturElektroDross& v, std::size_t i) {
        v.addKurve(kurve("%", "l/h",
                         {{100, "100", 950 * f[i]},
                          {75, "75", 680 * f[i]},
                          {50, "50", 420 * f[i]},
                          {25, "25", 180 * f[i]}}));
        v.setKvmin(d3(0.2 * f[i]));
        v.setKvmax(d3(2.5 * f[i]));
        v.setMinRegelTemperatur(45.0);
        v.setMaxRegelTemperatur(70.0);
    });
}

void entnahmearmatur(nrvVDIArmaturenModell& m) {
    modell(m, kSuedwerk, "Waschtisch-Einhebelmischer WT 100", 1704, 4);
    const Stammdaten s{1704,   1702, 70.0, 10.0, 0.0, "Waschtisch;Einhebelmischer;verchromt",
                       "G 3/8"};
    const Ausfuehrung a[] = {{10, "WT100-10", 0.0, "4045678041101"},
                             {15, "WT100-15", 0.0, "4045678041156"}};
    const float f[] = {1.0f, 1.2f};
    armaturen<nrvArmaturEA>(m, s, a, 1, [&](nrvArmaturEA& v, std::size_t i) {
        v.addKurve(kurve("mbar", "l/h",
                         {{5000, "", 720 * f[i]}, {3000, "", 560 * f[i]}, {1000, "", 320 * f[i]}}));
        v.setDesignDurchflussKalt(0.07);
        v.setDesignDurchflussWarm(0.07);
        v.setMindestfliessdruckKalt(1000.0);
        v.setMindestfliessdruckWarm(1000.0);
        v.setEinheit("l/s");
    });
}

void rueckflussverhinderer(nrvVDIArmaturenModell& m) {
    modell(m, kSuedwerk, "Rückflussverhinderer RF 200", 1706, 5);
    const Stammdaten s{1706, 1702, 65.0, 10.0, 0.0, "Typ EA;mit Prüfstutzen", "Rp"};
    const Ausfuehrung a[] = {{15, "RF200-15", 3.2, "4045678051155"},
                             {20, "RF200-20", 5.8, "4045678051209"},
                             {25, "RF200-25", 9.1, "4045678051254"}};
    const float f[] = {1.0f, 1.8f, 2.8f};
    armaturen<nrvArmaturSicherung>(m, s, a, 2, [&](nrvArmaturSicherung& v, std::size_t i) {
        v.addKurve(kurve(
            "mbar", "l/h",
            {{400, "", 1800 * f[i]}, {200, "", 1200 * f[i]}, {80, "", 600 * f[i]}, {25, "", 0}}));
        v.setNenndurchfluss(d3(1.8 * f[i]));
        v.setMaxDurchfluss(d3(2.5 * f[i]));
        v.setDruckgrenze(400.0);
        v.setOeffnungsdruckWaagerecht(25.0);
        v.setOeffnungsdruckSteigend(30.0);
        v.setOeffnungsdruckFallend(20.0);
        v.setEinheit("m³/h");
        v.setSchliessfeder(true);
    });
}

void druckminderer(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell17, "Druckminderer DM 10", 1708, 7);
    const Stammdaten s{1708, 1704, 65.0, 16.0, 0.0, "mit Manometer;Filtertasse transparent", "R"};
    const Ausfuehrung a[] = {{15, "DM10-15", 2.4, "4023456080157"},
                             {20, "DM10-20", 4.1, "4023456080201"},
                             {25, "DM10-25", 6.3, "4023456080256"}};
    armaturen<nrvArmaturDruckminderer>(m, s, a, 1, [](nrvArmaturDruckminderer& v, std::size_t) {
        v.addKurve(kurve("Stufe", "bar",
                         {{6, "6", 6.0f},
                          {5, "5", 5.0f},
                          {4, "4", 4.0f},
                          {3, "3", 3.0f},
                          {2, "2", 2.0f},
                          {1, "1", 1.5f}}));
        v.setEinheitEinst("Stufe");
    });
}

void wasserzaehler(nrvVDIArmaturenModell& m) {
    modell(m, kSuedwerk, "Wohnungswasserzähler WZ 2,5", 1709, 6);
    const Stammdaten s{1709, 1705, 30.0, 16.0, 0.0, "Kaltwasser;Mehrstrahl", "G"};
    const Ausfuehrung a[] = {{15, "WZ25-15", 0.0, "4045678061154"},
                             {20, "WZ40-20", 0.0, "4045678061208"}};
    const double qn[] = {2.5, 4.0};
    armaturen<nrvArmaturZaehler>(m, s, a, 1, [&](nrvArmaturZaehler& v, std::size_t i) {
        v.setQn(qn[i]);
        v.setQmin(qn[i] / 100.0);
        v.setQmax(qn[i] * 1.25);
        v.setDpBeiQn(630.0);
        v.setTrenngrenze(d3(qn[i] / 62.5));
        v.setAnlaufwert(0.008);
        v.setMessprinzip("Mehrstrahl-Flügelradzähler");
        v.setEinsatzbereich(1);
        v.setZaehlerEinbaulage(2);
        v.setGeraetetyp(1);
        v.setGehaeuseart(1);
        v.setMetrologischeKlassen("R160-H / R80-V");
        v.setAnzeigebereichVon(0.0);
        v.setAnzeigebereichBis(99999.999);
        v.setBaulaenge(i == 0 ? 110.0 : 130.0);
        v.setAnschlussText(i == 0 ? "G 3/4 B" : "G 1 B");
    });
}

void stroemungsteiler(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell17, "Strömungsteiler ST 15", 1713, 8);
    const Stammdaten s{1713, 1706, 90.0, 10.0, 0.0, "Ringleitung;Rotguss", "Rp"};
    const Ausfuehrung a[] = {{15, "ST15-15", 3.0, "4023456090156"},
                             {20, "ST15-20", 5.2, "4023456090200"}};
    const float f[] = {1.0f, 1.7f};
    armaturen<nrvArmaturVenturi>(m, s, a, 1, [&](nrvArmaturVenturi& v, std::size_t i) {
        v.addKurve(kurve("mbar", "l/h",
                         {{50, "", 380 * f[i]}, {100, "", 540 * f[i]}, {200, "", 760 * f[i]}}));
        v.setDpmin(50.0);
        v.setDpmax(200.0);
        v.setVPunktmin(d3(380.0 * f[i]));
        v.setVPunktmax(d3(760.0 * f[i]));
    });
}

// The curves of a differential-pressure controller of size factor f.
void reglerKurven(nrvArmaturDDR& v, float f) {
    v.addKennlinieDp(kurve(
        "", "mbar", {{5, "5", 300}, {4, "4", 250}, {3, "3", 200}, {2, "2", 150}, {1, "1", 100}}));
    v.addKennlinieKvzuPAbw(
        kurve("m³/h", "mbar",
              {{2.5f * f, "", 40}, {1.6f * f, "", 25}, {1.0f * f, "", 15}, {0.4f * f, "", 5}}));
    v.addKennlinieMaxVolStrom(kurve("", "l/h",
                                    {{5, "5", 1500 * f},
                                     {4, "4", 1300 * f},
                                     {3, "3", 1100 * f},
                                     {2, "2", 900 * f},
                                     {1, "1", 700 * f}}));
}

void differenzdruckregler(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Differenzdruckregler DR 1", 205, 6);
    const Stammdaten s{205, 203, 120.0, 16.0, 1500.0, "Rücklaufmontage;mit Impulsleitung", "Rp"};
    const Ausfuehrung a[] = {{15, "DR1-15", 2.5, "4009876330153"},
                             {20, "DR1-20", 4.0, "4009876330207"},
                             {25, "DR1-25", 6.3, "4009876330252"}};
    const float f[] = {1.0f, 1.6f, 2.5f};
    armaturen<nrvArmaturDDR>(m, s, a, 1,
                             [&](nrvArmaturDDR& v, std::size_t i) { reglerKurven(v, f[i]); });
}

void durchflussTeil(nrvArmaturDFR& v, float f) {
    v.addKurve(kurve("", "l/h",
                     {{6, "6", 600 * f},
                      {5, "5", 500 * f},
                      {4, "4", 400 * f},
                      {3, "3", 300 * f},
                      {2, "2", 200 * f},
                      {1, "1", 100 * f}}));
    v.setWirkdruck(150.0);
    v.setWirkdruckListe({150.0, 250.0});
}

// The flow-controller part built into a combined valve: a valve of its own
// that carries article number, type 207 and size of its execution.
void eingebauterDurchflussTeil(nrvArmaturDFR& dfr, const Ausfuehrung& a, float f) {
    dfr.setArtikelNr(a.artikelNr);
    dfr.setTyp(207);
    dfr.setDimension(a.dn);
    durchflussTeil(dfr, f);
}

void durchflussregler(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Durchflussregler FR 3", 207, 7);
    const Stammdaten s{207, 203, 120.0, 16.0, 4000.0, "Durchgang;mit Messnippeln", "Rp"};
    const Ausfuehrung a[] = {{15, "FR3-15", 1.8, "4023456030152"},
                             {20, "FR3-20", 3.0, "4023456030206"}};
    const float f[] = {1.0f, 1.8f};
    armaturen<nrvArmaturDFR>(m, s, a, 2,
                             [&](nrvArmaturDFR& v, std::size_t i) { durchflussTeil(v, f[i]); });
}

void kombiregler(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Kombiregler DK 2", 208, 8);
    const Stammdaten s{208, 203, 120.0, 16.0, 4000.0, "Differenzdruck- und Durchflussregelung",
                       "Rp"};
    const Ausfuehrung a[] = {{15, "DK2-15", 2.5, "4023456040151"},
                             {20, "DK2-20", 4.0, "4023456040205"}};
    const float f[] = {1.0f, 1.6f};
    armaturen<nrvArmaturDDRDFR>(m, s, a, 1, [&](nrvArmaturDDRDFR& v, std::size_t i) {
        reglerKurven(v, f[i]);
        eingebauterDurchflussTeil(v.getDFRAnteil(), a[i], f[i]);
    });
}

void mischventil(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Dreiwege-Mischventil MV 3", 213, 7);
    const Stammdaten s{
        213, 204, 110.0, 10.0, 1000.0, "Dreiwege;Gewindeanschluss;Stellantrieb 230 V", "Rp"};
    const Ausfuehrung a[] = {{15, "MV3-15", 2.5, "4009876340152"},
                             {20, "MV3-20", 4.0, "4009876340206"},
                             {25, "MV3-25", 6.3, "4009876340251"}};
    armaturen<nrvArmaturRegelventil>(m, s, a, 1, [&](nrvArmaturRegelventil& v, std::size_t i) {
        const double kvs = a[i].kvs;
        v.addKurve(kurve("%", "m³/h",
                         {{100, "100", kvs},
                          {75, "75", 0.56 * kvs},
                          {50, "50", 0.25 * kvs},
                          {25, "25", 0.08 * kvs}}));
        v.setDpmin(0.0f);
        v.setDpmax(1000.0f);
        v.setEinheitEinst("% Hub");
    });
}

void rueckschlagventil(nrvVDIArmaturenModell& m) {
    modell(m, kRheintal, "Rückschlagventil RK 1", 215, 8);
    const Stammdaten s{215, 205, 110.0, 16.0, 0.0, "Rotguss;Federbelastet", "Rp"};
    const Ausfuehrung a[] = {{15, "RK1-15", 4.5, "4009876350151"},
                             {20, "RK1-20", 7.5, "4009876350205"},
                             {25, "RK1-25", 11.0, "4009876350250"}};
    armaturen<nrvArmaturRSV>(m, s, a, 1, [&](nrvArmaturRSV& v, std::size_t i) {
        const double kvs = a[i].kvs;
        v.addAusfuehrung({kvs, 1, 1, 20.0, 100.0, kvs * 1000.0});
        v.addAusfuehrung({kvs, 2, 0, 5.0, 100.0, kvs * 1000.0});
    });
}

void sechsWegeKurven(nrvArmaturSechsWegeRegelarmatur& v) {
    v.addKurve(kurve(
        "", "m³/h",
        {{5, "5", 1.60f}, {4, "4", 1.25f}, {3, "3", 0.90f}, {2, "2", 0.55f}, {1, "1", 0.25f}}));
    v.addKurveKühlen(kurve(
        "", "m³/h",
        {{5, "5", 1.90f}, {4, "4", 1.50f}, {3, "3", 1.10f}, {2, "2", 0.70f}, {1, "1", 0.30f}}));
    v.setDpmax(1000.0);
}

void sechsWegeVentil(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Sechs-Wege-Ventil SW 6", 218, 9);
    const Stammdaten s{218, 206, 90.0, 16.0, 1000.0, "Heizen/Kühlen;Stellantrieb 24 V", "G 3/4"};
    const Ausfuehrung a[] = {{15, "SW6-15", 1.9, "4023456050150"},
                             {20, "SW6-20", 3.4, "4023456050204"}};
    armaturen<nrvArmaturSechsWegeRegelarmatur>(
        m, s, a, 1, [](nrvArmaturSechsWegeRegelarmatur& v, std::size_t) { sechsWegeKurven(v); });
}

void sechsWegeVentilMitRegler(nrvVDIArmaturenModell& m) {
    modell(m, kNordquell2, "Sechs-Wege-Ventil mit Durchflussregler SW 6Q", 221, 10);
    const Stammdaten s{221, 206, 90.0, 16.0, 2500.0, "Heizen/Kühlen;druckunabhängig", "G 3/4"};
    const Ausfuehrung a[] = {{15, "SW6Q-15", 1.9, "4023456060159"},
                             {20, "SW6Q-20", 3.4, "4023456060203"}};
    const float f[] = {1.0f, 1.8f};
    armaturen<nrvArmaturSechsWegeRegelarmaturMitDFR>(
        m, s, a, 1, [&](nrvArmaturSechsWegeRegelarmaturMitDFR& v, std::size_t i) {
            sechsWegeKurven(v);
            eingebauterDurchflussTeil(v.getDFRAnteil(), a[i], f[i]);
        });
}

struct Builder {
    const char* className;
    void (*build)(nrvVDIArmaturenModell&);
};

const Builder kBuilders[] = {
    {"nrvArmatur", festwiderstand},
    {"nrvArmaturTHKV", thermostatventil},
    {"nrvArmaturTHKVDFR", thermostatventilMitBegrenzung},
    {"nrvArmaturEAV", einrohrgarnitur},
    {"nrvArmaturDross", ruecklaufverschraubung},
    {"nrvArmaturThermoDross", zirkulationsventil},
    {"nrvArmaturElektroDross", strangregulierventilElektronisch},
    {"nrvArmaturEA", entnahmearmatur},
    {"nrvArmaturSicherung", rueckflussverhinderer},
    {"nrvArmaturDruckminderer", druckminderer},
    {"nrvArmaturZaehler", wasserzaehler},
    {"nrvArmaturVenturi", stroemungsteiler},
    {"nrvArmaturDDR", differenzdruckregler},
    {"nrvArmaturDFR", durchflussregler},
    {"nrvArmaturDDRDFR", kombiregler},
    {"nrvArmaturRegelventil", mischventil},
    {"nrvArmaturRSV", rueckschlagventil},
    {"nrvArmaturSechsWegeRegelarmatur", sechsWegeVentil},
    {"nrvArmaturSechsWegeRegelarmaturMitDFR", sechsWegeVentilMitRegler},
};

}  // namespace

std::vector<SampleModel> buildSampleModels() {
    std::vector<SampleModel> samples;
    for (const Builder& b : kBuilders) {
        auto model = std::make_unique<nrvVDIArmaturenModell>();
        b.build(*model);
        samples.push_back({b.className, std::move(model)});
    }
    return samples;
}

std::vector<SampleFile> writeSampleModels(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);  // failures show as unwritten files
    std::vector<SampleFile> files;
    for (const SampleModel& s : buildSampleModels()) {
        const std::string path = (std::filesystem::path(folder) / (s.className + ".vmf")).string();
        files.push_back({path, s.model->saveVMFFile(path)});
    }
    return files;
}

}  // namespace kavexcli
