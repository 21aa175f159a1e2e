// Pump files: curve lists, reading and merging, curve order, writing, the
// catalogue over the libraries, assignment from a pump.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>

#include "kavex/platform/catalog.h"
#include "kavex/platform/treestore.h"
#include "pumps/fixtures.h"
#include "support/fakeui.h"
#include "support/tempdir.h"

using namespace pumpentest;

namespace {

constexpr double kLh = nrvPumpenKennlinie::LiterProStundeZuKubikmeterProSekunde;

std::string kopf(const std::string& hersteller = "Pumpen AG", const std::string& mmd = "PAG") {
    return "[PUMPEN]\nVERSION:1\nHERSTELLER:" + hersteller + "\nMMD:" + mmd + "\n";
}

std::string linie(int nr, const std::string& vol, const std::string& dpp) {
    return "[LINIE]\nDAT:" + std::to_string(nr) + ":0:0:2800\nVOL:" + vol + "\nDPP:" + dpp +
           "\n[ENDE_LINIE]\n";
}

// A pump file of one series with one pump whose curves start at the given
// heads (mbar).
std::string dateiMitKoepfen(const std::string& reg, const std::vector<int>& koepfe) {
    std::string text = kopf() + "[SERIE]\nBEZ:S\n[PUMPE]\nBEZ:P\nREG:" + reg + "\n";
    for (std::size_t i = 0; i < koepfe.size(); ++i)
        text += linie(static_cast<int>(i + 1), "0;1000;", std::to_string(koepfe[i]) + ";0;");
    return text + "[ENDE_PUMPE]\n[ENDE_SERIE]\n[ENDE_PUMPEN]\n";
}

const nrvPumpe& erstePumpe(const nrvPumpenManager& m) {
    return *m.getHersteller().at(0)->getSerien().at(0)->getPumpen().at(0);
}

}  // namespace

TEST(PumpenKennlinieText, ListsOfLitresPerHourAndMbar) {
    nrvPumpenKennlinie k;
    ASSERT_TRUE(k.readFromString("0;1500;3000;", "500;400;0;"));
    EXPECT_EQ(punkteVon(k.getKennlinie()),
              (Punkte{{0, 50000}, {1500 * kLh, 40000}, {3000 * kLh, 0}}));
    std::string vol, dpp;
    k.writeToString(vol, dpp);
    EXPECT_EQ(vol, "0;1500;3000;");
    EXPECT_EQ(dpp, "500;400;0;");

    // clang-format off
    struct Fall { const char* vol; const char* dpp; std::size_t punkte; };
    const Fall faelle[] = {
        {"0;1000;2000;", "300;200;", 3},     // missing heads count as 0
        {"0;", "0;", 0},                     // (0, 0) ends at once
        {"100;-5;0;300;", "0;10;0;50;", 2},  // the third pair (0, 0) ends the list
        {"abc;200", "1x;", 2},               // unreadable 0, leading number read
        {"", "", 0},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        nrvPumpenKennlinie l;
        EXPECT_EQ(l.readFromString(f.vol, f.dpp), f.punkte > 0) << f.vol;
        EXPECT_EQ(l.getKennlinie().getSize(), f.punkte) << f.vol;
    }
    double v = -1, d = -1;
    EXPECT_TRUE(nrvPumpenKennlinie::getWertePaarEx(2, "0;1500;3000;", "500;400;0;", v, d));
    EXPECT_EQ(v, 3000.0);
    EXPECT_EQ(d, 0.0);
    EXPECT_FALSE(nrvPumpenKennlinie::getWertePaarEx(3, "0;1500;3000;", "500;400;0;", v, d));
}

TEST(PumpenDatei, CurvesAreOrderedForTheirRolesWhenRead) {
    // clang-format off
    struct Fall { const char* reg; std::vector<int> koepfe; std::vector<int> ordnung; };
    const Fall faelle[] = {
        {"KENNLINIE", {300, 200, 100}, {100, 200, 300}},
        {"KENNLINIE", {100, 300, 200}, {100, 200, 300}},
        {"kennlinie|dezentral", {200, 100}, {100, 200}},
        {"KONSTDRUCK", {200, 400}, {400, 200}},
        {"PROPDRUCK", {200, 400}, {400, 200}},
        {"KONSTDRUCK", {100, 200, 300}, {100, 200, 300}},
        {"KONSTPROPDRUCK", {100, 200, 300}, {100, 300, 200}},
        {"KONSTPROPDRUCK", {100, 200, 300, 400}, {200, 100, 400, 300}},
        {"UNBEKANNT", {100, 200}, {100, 200}},
    };
    // clang-format on
    for (const Fall& f : faelle) {
        nrvPumpenManager m;
        ASSERT_NE(m.read("", dateiMitKoepfen(f.reg, f.koepfe)), nullptr);
        std::vector<int> ist;
        for (const auto& k : erstePumpe(m).getKennlinien())
            ist.push_back(static_cast<int>(std::lround(k->getMinForderHoehe() / 100.0)));
        EXPECT_EQ(ist, f.ordnung) << f.reg;
    }
    // Equal heads keep their place when the file is written and read again.
    nrvPumpenManager erst, zweit;
    erst.read("", dateiMitKoepfen("KENNLINIE", {100, 100, 200}));
    zweit.read("", erst.write(true));
    EXPECT_EQ(zweit.write(true), erst.write(true));
}

TEST(PumpenDatei, ReadingTwiceMergesManufacturerAndSeriesAndDoublesThePumps) {
    nrvPumpenManager m;
    const std::string text = dateiMitKoepfen("KENNLINIE", {300, 100});
    nrvPumpenHersteller* erst = m.read("", text);
    ASSERT_NE(erst, nullptr);
    // A later file of the same manufacturer overwrites the series' areas.
    const std::string zweite = kopf("Pumpen AG", "ANDERS") +
                               "[SERIE]\nBEZ:S\nEB:6\n[PUMPE]\nREG:KONSTDRUCK\n[ENDE_PUMPE]\n"
                               "[ENDE_SERIE]\n[ENDE_PUMPEN]\n";
    EXPECT_EQ(m.read("", text), erst);
    EXPECT_EQ(m.read("", zweite), erst);
    ASSERT_EQ(m.getHersteller().size(), 1u);
    ASSERT_EQ(erst->getSerien().size(), 1u);
    EXPECT_EQ(erst->getSerien()[0]->getPumpen().size(), 3u);
    EXPECT_EQ(erst->getSerien()[0]->getEinsatzBereich(), 6u);
    EXPECT_EQ(erst->getID(), "PAG");  // the first file's identifier stays
}

TEST(PumpenDatei, WrittenTextReadsBackToTheSameCatalogue) {
    const std::string text =
        kopf("Ölpumpen: Nord & Süd", "") +
        "[SERIE]\nBEZ:Reihe 1\nEB:-1\n"
        "[PUMPE]\nBEZ:R 25/7\nART:12:34\nBMP:r25.png\nPDF:C:\\Daten\\r25.pdf\nREG:PROPDRUCK\n"
        "DN:25\nDNBEZ:G 1 1/2\nDPZUL:12.5:700\nTZUL:-10:110:130\nDAT:10:230 V\n" +
        linie(2, "0;1234.5678;3333.3333;", "123.456;100;0.0001;") +
        linie(1, "0;0.5;4000;", "700.25;690;1;") +
        "[ENDE_PUMPE]\n[PUMPE]\nBEZ:leer\nREG:\n[ENDE_PUMPE]\n[ENDE_SERIE]\n"
        "[SERIE]\nBEZ:\n[ENDE_SERIE]\n[ENDE_PUMPEN]\n";
    // The writer puts out every field it keeps ("%g" for points, "%f" for
    // the other numbers), so equal texts mean the same catalogue within
    // that precision.
    nrvPumpenManager erst, zweit;
    ASSERT_NE(erst.read("", text), nullptr);
    const std::string geschrieben = erst.write(true);
    const nrvPumpenHersteller* b = zweit.read("", geschrieben);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(zweit.write(true), geschrieben);
    EXPECT_NE(geschrieben.find("VOL:0;1234.57;3333.33;\nDPP:123.456;100;0.0001;"),
              std::string::npos);
    const nrvPumpe& p = *b->getSerien()[0]->getPumpen()[0];
    EXPECT_EQ(p.getDatenblatt(), "C:\\Daten\\r25.pdf");
    EXPECT_EQ(p.getArticleNumber(), "12:34");
    EXPECT_EQ(p.getSpannung(), "230 V");
    EXPECT_EQ(p.getTempKurzzeitig(), 130.0);
    EXPECT_EQ(b->getName(), "Ölpumpen: Nord & Süd");
    EXPECT_EQ(b->getSerien()[0]->getEinsatzBereich(), 0xFFFFFFFFu);
    EXPECT_EQ(b->getSerien()[0]->getPumpen()[1]->getRegelungTyp(), enRegeltypUnbekannt);
    EXPECT_EQ(nrvPumpenManager().write(true), "");
}

TEST(PumpenDatei, InputThatIsNoPumpFileChangesNothing) {
    const char* faelle[] = {
        "[FALSCH]\nVERSION:1\nHERSTELLER:X\nMMD:\n[ENDE_FALSCH]\n",
        "[pumpen]\nVERSION:1\nHERSTELLER:X\nMMD:\n[ENDE_pumpen]\n",
        "[PUMPEN]\nHERSTELLER:X\nMMD:\n[ENDE_PUMPEN]\n",
        "[PUMPEN]\nVERSION:1\nMMD:\n[ENDE_PUMPEN]\n",
        "[PUMPEN]\nVERSION:1\nHERSTELLER:X\n[ENDE_PUMPEN]\n",
        "[PUMPEN]\nVERSION:1\nHERSTELLER:X\nMMD:\n[SERIE]\n[ENDE_PUMPEN]\n",
        "",
    };
    nrvPumpenManager m;
    ASSERT_NE(m.read("", dateiMitKoepfen("KENNLINIE", {100})), nullptr);
    const std::string vorher = m.write(true);
    for (const char* text : faelle) {
        EXPECT_EQ(m.read("", text), nullptr) << text;
        EXPECT_EQ(m.write(true), vorher);
    }
    kavextest::TempDir dir;
    EXPECT_EQ(m.read(dir.file("fehlt.pmp")), nullptr);
    EXPECT_EQ(m.read(dir.path().string()), nullptr);
    EXPECT_EQ(m.getHersteller().size(), 1u);
    // An empty "VERSION" is enough.
    EXPECT_NE(m.read("", "[PUMPEN]\nVERSION:\nHERSTELLER:Y\nMMD:\n[ENDE_PUMPEN]\n"), nullptr);
}

TEST(PumpenDatei, MissingLeavesKeepInitialValuesAndIncompleteNodesAreSkipped) {
    const std::string text = kopf() +
                             "[SERIE]\n[PUMPE]\nREG:KENNLINIE\n[ENDE_PUMPE]\n[ENDE_SERIE]\n"
                             "[SERIE]\nBEZ:S\n[PUMPE]\nBEZ:ohne REG\n[ENDE_PUMPE]\n"
                             "[PUMPE]\nREG:KENNLINIE\nDPZUL:5\n"
                             "[LINIE]\nDAT:1\nVOL:0;10;\n[ENDE_LINIE]\n"
                             "[LINIE]\nDAT:1\nVOL:0;10;\nDPP:5;0;\nFAK:a;b;;c\n[ENDE_LINIE]\n"
                             "[LINIE]\nDAT:2\nVOL:0;10;\nDPP:4;0;\nPKT:1;2.5\n[ENDE_LINIE]\n"
                             "[LINIE]\nDAT:3\nVOL:0;10;\nDPP:3;0;\n[ENDE_LINIE]\n"
                             "[ENDE_PUMPE]\n[ENDE_SERIE]\n[ENDE_PUMPEN]\n";
    nrvPumpenManager m;
    nrvPumpenHersteller* h = m.read("", text);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(h->getSerien().size(), 1u);  // a series without "BEZ" is skipped
    ASSERT_EQ(h->getSerien()[0]->getPumpen().size(), 1u);
    const nrvPumpe& p = *h->getSerien()[0]->getPumpen()[0];
    EXPECT_EQ(p.getDN(), -1);
    EXPECT_EQ(p.getDruckZulMin(), 5.0);
    EXPECT_EQ(p.getDruckZulMax(), -1.0);
    EXPECT_EQ(p.getTempMin(), nrvPumpe::KeineTemperatur);
    EXPECT_EQ(p.getPN(), -1.0);
    EXPECT_EQ(h->getSerien()[0]->getEinsatzBereich(), 0u);
    // Three curves (the one without "DPP" is skipped), lowest first.
    ASSERT_EQ(p.getAnzKennlinien(), 3);
    const nrvPumpenKennlinie& ohnePkt = *p.getStatischeKennlinie(2);
    EXPECT_EQ(ohnePkt.getFaktoren(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ohnePkt.getHilfswerte(), (std::array<double, 4>{0, 0, 0, 0}));
    EXPECT_EQ(ohnePkt.getDrehzahl(), -1);
    EXPECT_EQ(p.getStatischeKennlinie(1)->getHilfswerte(), (std::array<double, 4>{1, 2.5, 0, 0}));
    EXPECT_EQ(p.getStatischeKennlinie(0)->getHilfswerte(), (std::array<double, 4>{-1, -1, -1, -1}));
}

TEST(PumpenKatalog, FirstPumpAndAssignmentFromAPump) {
    nrvPumpenManager m;
    m.read("", kopf("Ohne Serien", "") + "[ENDE_PUMPEN]\n");
    ASSERT_NE(m.read("", dateiMitKoepfen("KONSTDRUCK", {200, 400})), nullptr);
    EXPECT_EQ(m.hasPumpe(), nullptr);  // the first manufacturer has no series

    nrvPumpe* quelle = m.getHersteller()[1]->getSerien()[0]->getPumpen()[0].get();
    m.getHersteller()[1]->setPfad("/daten/pumpen.pmp");
    m.getHersteller()[1]->getSerien()[0]->setEinsatzBereich(4);
    quelle->setArticleNumber("A-1");
    // The pump belongs to the catalogue it replaces.
    m = quelle;
    ASSERT_EQ(m.getHersteller().size(), 1u);
    const nrvPumpenHersteller& h = *m.getHersteller()[0];
    EXPECT_EQ(h.getName(), "Pumpen AG");
    EXPECT_EQ(h.getID(), "PAG");
    EXPECT_EQ(h.getPfad(), "/daten/pumpen.pmp");
    EXPECT_EQ(h.getSerien()[0]->getName(), "S");
    EXPECT_EQ(h.getSerien()[0]->getEinsatzBereich(), 4u);
    nrvPumpe* kopie = m.hasPumpe();
    ASSERT_NE(kopie, nullptr);
    EXPECT_EQ(kopie->getArticleNumber(), "A-1");
    EXPECT_EQ(kopie->getStatischeKennlinie(0)->getMinForderHoehe(), 40000.0);
    EXPECT_EQ(kopie->getStatischeKennlinie(1)->getKennlinienNr(), 1);

    Katalog ohneKurven;
    m = &ohneKurven.pumpe(1, {});
    EXPECT_TRUE(m.getHersteller().empty());
    ASSERT_NE(m.read("", dateiMitKoepfen("KENNLINIE", {100})), nullptr);
    m = nullptr;
    EXPECT_TRUE(m.getHersteller().empty());
}

TEST(PumpenKatalog, SaveDialogWritesTheFileOfEachManufacturer) {
    kavextest::ScopedFakeUi ui;
    kavextest::TempDir dir;
    nrvPumpenManager m;
    m.read("", dateiMitKoepfen("KENNLINIE", {100}));
    m.read("", kopf("Zweite GmbH", "Z") + "[ENDE_PUMPEN]\n");
    ui->files = {dir.file("eins.PMP"), ""};  // the second dialog is cancelled
    EXPECT_EQ(m.write(false), "");
    ASSERT_EQ(ui->count("save"), 2u);
    EXPECT_EQ(ui->shown[0].text, "PMP Dateien (*.PMP)|*.PMP|");
    const auto gelesen = TreeItems::ReadFromFile(dir.file("eins.PMP"));
    ASSERT_NE(gelesen, nullptr);
    std::string text;
    gelesen->WriteToString(text);
    EXPECT_EQ(text, m.writeToFile(m.getHersteller()[0].get(), true));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // A folder in the way: the write fails and leaves it alone.
    EXPECT_FALSE(nrvPumpenManager::writeToPath(*m.getHersteller()[0], dir.path().string()));
}

TEST(PumpenKatalog, ReadsThePumpFilesTheLibrariesList) {
    kavextest::ScopedFakeUi ui;
    kavextest::TempDir dir;
    // Libraries: pumps with an empty "MMD", a missing file, no pump entry.
    auto bibliothek = [&](const std::string& id, const std::string& eintrag) {
        kavextest::writeBytes(dir.file(id + "/desktop.info"),
                              "[Katalog]\nID:" + id + "\nNAME:" + id + "\nContent:PUMPEN\n" +
                                  eintrag + "[ENDE_Katalog]\n");
    };
    bibliothek("AAA", "PUMPEN:PMP\\aaa.pmp\n");
    kavextest::writeBytes(dir.file("AAA/PMP/aaa.pmp"), dateiMitKoepfen("KENNLINIE", {100}));
    bibliothek("BBB", "PUMPEN:PMP\\fehlt.pmp\n");
    bibliothek("CCC", "");
    ASSERT_TRUE(nrvCatalogManager::getInstance().init(dir.path().string()));

    nrvPumpenManager m;
    m.read("", kopf("Vorher", "") + "[ENDE_PUMPEN]\n");
    m.readAllPumpData("PUMPEN");
    ASSERT_EQ(m.getHersteller().size(), 1u);
    EXPECT_EQ(m.getHersteller()[0]->getName(), "Pumpen AG");
    EXPECT_EQ(m.getHersteller()[0]->getID(), "PAG");
    EXPECT_EQ(ui->maxWaitDepth, 1);
    EXPECT_EQ(ui->waitDepth, 0);

    // The bundled samples: an empty "MMD" takes the library's identifier.
    ASSERT_TRUE(nrvCatalogManager::getInstance().init(kavextest::samplesDir() + "/catalogs"));
    m.readAllPumpData("PUMPEN");
    ASSERT_EQ(m.getHersteller().size(), 2u);
    EXPECT_EQ(m.getHersteller()[0]->getID(), "NORDQUELL");
    EXPECT_EQ(m.getHersteller()[1]->getSerien().size(), 3u);
    m.readAllPumpData("ANDERES");
    EXPECT_TRUE(m.getHersteller().empty());
}
