#include "samplepumps.h"

#include <filesystem>
#include <initializer_list>
#include <system_error>
#include <utility>
#include <vector>

#include "kavex/pumps/pumpenmanager.h"

namespace kavexcli {

namespace {

// Curves as a data sheet prints them: flow in l/h, head in mbar.
struct Punkt {
    double literProStunde;
    double mbar;
};

struct Linie {
    int nummer;
    int drehzahl;  // 1/min, -1 when the sheet gives none
    std::vector<Punkt> punkte;
};

struct Daten {
    const char* name;
    const char* artikel;
    const char* datenblatt;
    const char* regelung;
    int dn;
    const char* anschluss;
    double dpMin, dpMax;  // admissible set pressure, mbar
    double tMin, tMax, tKurz;
    double pn;
    const char* spannung;
};

void pumpe(nrvPumpenSerie& serie, const Daten& d, std::initializer_list<Linie> linien) {
    nrvPumpe* p = serie.addPumpe();
    p->setName(d.name);
    p->setArticleNumber(d.artikel);
    p->setDatenblatt(d.datenblatt);
    p->setRegelungTypIntern(d.regelung);
    p->setDN(d.dn);
    p->setAnschluss(d.anschluss);
    p->setDruckZul(d.dpMin, d.dpMax);
    p->setTemperaturen(d.tMin, d.tMax, d.tKurz);
    p->setPN(d.pn);
    p->setSpannung(d.spannung);
    for (const Linie& l : linien) {
        nrvPumpenKennlinie* k = p->addKennlinie();
        k->setKennlinienNr(l.nummer);
        k->setDrehzahl(l.drehzahl);
        for (const Punkt& pt : l.punkte)
            k->getKennlinie().Add(
                pt.literProStunde * nrvPumpenKennlinie::LiterProStundeZuKubikmeterProSekunde,
                pt.mbar * nrvPumpenKennlinie::MbarZuPascal);
    }
    // The order a reader gives the curves.
    nrvPumpenManager::macheKennlinieReihnfolgeRichtig(p);
}

nrvPumpenSerie& serie(nrvPumpenHersteller& h, const char* name, enEinsatzBereich bereich) {
    nrvPumpenSerie* s = h.addSerie();
    s->setName(name);
    s->setEinsatzBereich(bereich);
    return *s;
}

constexpr double kOhne = nrvPumpe::KeineTemperatur;
// Application areas of the samples (the bits are the host's): 0 every area.
constexpr enEinsatzBereich kHeizung = 1;
constexpr enEinsatzBereich kTrinkwasser = 2;

// Wet-rotor circulators of the maximum curve of a high-efficiency motor, a
// dry-rotor inline pump with a pole-changing motor, a drinking-water
// circulation pump in a bronze housing.
std::unique_ptr<nrvPumpenHersteller> suedwerk() {
    auto h = std::make_unique<nrvPumpenHersteller>();
    h->setName("Südwerk Pumpen & Regeltechnik KG");
    h->setID("SUEDWERK");

    // Maximum and minimum speed of the Eco E 25/4: 35 kPa shut-off head,
    // 6.7 m³/h at the end of the curve. Both control modes share them.
    const Linie max25{1,
                      4250,
                      {{0, 350},
                       {1000, 345},
                       {2000, 330},
                       {3000, 300},
                       {4000, 255},
                       {5000, 190},
                       {6000, 105},
                       {6700, 25}}};
    const Linie min25{
        2, 1400, {{0, 60}, {500, 58}, {1000, 52}, {1500, 42}, {2000, 28}, {2500, 10}}};
    nrvPumpenSerie& eco = serie(*h, "Eco E", kHeizung);
    pumpe(eco,
          {"Eco E 25/4", "4103251", "suedwerk_datenblatt.pdf", "KONSTPROPDRUCK", 25, "G 1 1/2", 50,
           350, -10, 110, kOhne, 10, "230"},
          {max25, min25, {3, max25.drehzahl, max25.punkte}, {4, min25.drehzahl, min25.punkte}});
    pumpe(eco,
          {"Eco E 32/6", "4103326", "suedwerk_datenblatt.pdf", "PROPDRUCK", 32, "G 2", 100, 600,
           -10, 110, kOhne, 10, "230"},
          {{1,
            4600,
            {{0, 600},
             {2000, 585},
             {4000, 540},
             {6000, 460},
             {8000, 330},
             {9000, 240},
             {10000, 130}}},
           {2, 1500, {{0, 100}, {1000, 95}, {2000, 80}, {3000, 55}, {4000, 20}}}});

    // Fixed speeds 2900 and 1450 1/min (the lower by the affinity laws).
    nrvPumpenSerie& inline_ = serie(*h, "Inline IL", 0);
    pumpe(inline_,
          {"IL 65/160-2.2/2", "5206516", "suedwerk_datenblatt.pdf", "KENNLINIE", 65, "DN 65", -1,
           -1, -20, 120, 140, 16, "400"},
          {{1,
            2900,
            {{0, 2450},
             {10000, 2430},
             {20000, 2350},
             {30000, 2200},
             {40000, 1950},
             {50000, 1600},
             {60000, 1150}}},
           {2,
            1450,
            {{0, 610},
             {5000, 605},
             {10000, 590},
             {15000, 550},
             {20000, 490},
             {25000, 400},
             {30000, 290}}}});

    nrvPumpenSerie& zirkula = serie(*h, "Zirkula Z", kTrinkwasser);
    pumpe(
        zirkula,
        {"Zirkula Z 15/1.2 B", "6101512", "suedwerk_datenblatt.pdf", "KONSTDRUCK", 15, "Rp 1/2", 20,
         120, 2, 65, 80, 10, "230"},
        {{1, -1, {{0, 120}, {200, 118}, {400, 110}, {600, 95}, {800, 72}, {1000, 42}, {1200, 10}}},
         {2, -1, {{0, 40}, {200, 34}, {400, 22}, {550, 8}}}});
    return h;
}

// A valve maker's small range: a constant-pressure circulator whose data
// sheet is on the web, and a decentral pump for one radiator circuit. The
// file leaves "MMD" empty: the catalogue fills in the library's identifier.
std::unique_ptr<nrvPumpenHersteller> nordquell() {
    auto h = std::make_unique<nrvPumpenHersteller>();
    h->setName("Nordquell Ventiltechnik AG");
    nrvPumpenSerie& therm = serie(*h, "Nordquell Therm", kHeizung);
    pumpe(
        therm,
        {"NT 25/6", "NQ-7725060", "https://www.example.com/nordquell/nt25-6.pdf", "KONSTDRUCK", 25,
         "G 1 1/2", 100, 600, -10, 95, kOhne, 6, "230"},
        {{1,
          4100,
          {{0, 580}, {1000, 570}, {2000, 540}, {3000, 490}, {4000, 410}, {5000, 300}, {5800, 180}}},
         {2, 1300, {{0, 120}, {1000, 110}, {2000, 85}, {3000, 40}}}});
    pumpe(therm,
          {"NT Dezentral 15/1", "NQ-7715010", "nordquell_datenblatt.pdf", "KENNLINIE|DEZENTRAL", 15,
           "G 1", -1, -1, 2, 95, kOhne, 6, "24"},
          {{1, 3200, {{0, 100}, {100, 95}, {200, 80}, {300, 55}, {400, 20}}}});
    return h;
}

}  // namespace

std::vector<SamplePumpFile> buildSamplePumps() {
    std::vector<SamplePumpFile> files;
    files.push_back({"NORDQUELL", "PMP/nordquell.pmp", nordquell()});
    files.push_back({"SUEDWERK", "PMP/suedwerk.pmp", suedwerk()});
    return files;
}

std::vector<WrittenPumpFile> writeSamplePumps(const std::string& catalogRoot) {
    std::vector<WrittenPumpFile> written;
    for (const SamplePumpFile& f : buildSamplePumps()) {
        const std::filesystem::path path =
            std::filesystem::path(catalogRoot) / f.library / f.relativePath;
        std::error_code ec;
        std::filesystem::create_directories(path.parent_path(), ec);  // failures show below
        written.push_back(
            {path.string(), nrvPumpenManager::writeToPath(*f.hersteller, path.string())});
    }
    return written;
}

}  // namespace kavexcli
