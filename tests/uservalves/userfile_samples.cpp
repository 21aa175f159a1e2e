// The bundled user valve files under samples/uservalves: one manufacturer in
// file version 1 and one in version 2, built below. The checked-in files must
// read back to exactly these manufacturers and be what writing them gives,
// byte for byte. With KAVEX_WRITE_SAMPLES=1 the files are (re)written first.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "kavex/platform/numbers.h"
#include "kavex/uservalves/userdoc.h"
#include "kavex/uservalves/userfile.h"
#include "kavex/uservalves/userfile_modell.h"
#include "kavex/uservalves/userfile_save.h"
#include "support/tempdir.h"

// The cases name only the members they set; the others keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace nrvUserArmaturen;

namespace {

// Values as entered have few decimals; rounding keeps them what the file holds.
double r3(double v) {
    return std::round(v * 1000.0) / 1000.0;
}

// Pressure loss in Pa of a flow in m³/h through kv: (Q / kv)² bar.
double dp(double q, double kv) {
    return std::round((q / kv) * (q / kv) * 100000.0 * 10.0) / 10.0;
}

// Pressure loss over flow through kv, at the given flows in m³/h.
UserKurve dpKurve(double kv, std::initializer_list<double> fluesse) {
    UserKurve k{.interpolierbar = true};
    for (double q : fluesse)
        k.punkte.push_back({q, dp(q, kv), 0.0, ""});
    return k;
}

// The same measured at the given pressure losses in Pa (flows to 1 l/h).
UserKurve dpKurveBeiDruecken(double kv, std::initializer_list<double> druecke) {
    UserKurve k{.interpolierbar = true};
    for (double p : druecke) {
        const double q = r3(kv * std::sqrt(p / 100000.0));
        k.punkte.push_back({q, dp(q, kv), 0.0, ""});
    }
    return k;
}

UserKurve kvKurve(std::initializer_list<std::pair<double, double>> werte, double faktor,
                  const char* einheit = "") {
    UserKurve k{.interpolierbar = true};
    for (auto [x, kv] : werte)
        k.punkte.push_back({x, r3(kv * faktor), 0.0, nrvNumbers::formatG(x) + einheit});
    return k;
}

UserModellreihe ruecklaufverschraubung() {
    UserModellreihe r{.bezeichnung = "Rücklaufverschraubung RV 2",
                      .armaturenTyp = nrvBaseArmaturen::enHzRLV,
                      .mitKlappenstellungen = true};
    const double kvStufe[] = {0.12, 0.25, 0.45, 0.75, 1.10};
    const struct {
        int dn;
        double f;
    } groessen[] = {{10, 0.8}, {15, 1.0}, {20, 1.4}};
    for (const auto& g : groessen) {
        UserNennweite w{.bezeichnung = UserNennweite::bezeichnungDN(g.dn),
                        .kvs = r3(1.1 * g.f),
                        .artikelNr = "RV2-" + std::to_string(g.dn)};
        for (int s = 1; s <= 5; ++s) {
            w.klappenstellungen.push_back(
                {std::to_string(s), "Umdr.", true, 1.0,
                 dpKurveBeiDruecken(kvStufe[s - 1] * g.f, {1000, 5000, 10000, 20000})});
        }
        r.nennweiten.push_back(w);
    }
    return r;
}

using Werte = std::initializer_list<std::pair<double, double>>;

// A series with one kv curve per size: size factor f scales the kvs and the curve.
UserModellreihe kvReihe(const char* bez, int typ, const std::string& art, double kvs,
                        Werte groessen, Werte werte, const char* einheit = "") {
    UserModellreihe r{.bezeichnung = bez, .armaturenTyp = typ};
    for (auto [dn, f] : groessen) {
        r.nennweiten.push_back({.bezeichnung = UserNennweite::bezeichnungDN(int(dn)),
                                .kvs = r3(kvs * f),
                                .artikelNr = art + std::to_string(int(dn)),
                                .kurve = kvKurve(werte, f, einheit)});
    }
    return r;
}

UserModellreihe durchflussregler() {
    UserModellreihe r =
        kvReihe("Durchflussregler DF 4", nrvBaseArmaturen::enHzDFR, "DF4-", 0.9,
                {{15, 1.0}, {20, 1.7}}, {{1, 0.1}, {2, 0.2}, {3, 0.35}, {4, 0.5}, {5, 0.7}});
    // Effective pressure the regulator needs at each setting, in Pa.
    const double wirk[] = {15000, 16000, 18000, 21000, 25000};
    for (UserNennweite& w : r.nennweiten) {
        for (std::size_t i = 0; i < w.kurve.punkte.size(); ++i)
            w.kurve.punkte[i].dpWirk = wirk[i];
        w.kurve.interpolierbar = false;
    }
    return r;
}

UserModellreihe rueckflussverhinderer() {
    UserModellreihe r{.bezeichnung = "Rückflussverhinderer RF 20",
                      .armaturenTyp = nrvBaseArmaturen::enTwRueckflussverhinderer};
    for (auto [dn, kv] : {std::pair{15, 3.2}, {20, 5.8}, {25, 9.1}}) {
        // The first point is the opening flow of a few litres per hour.
        r.nennweiten.push_back({.bezeichnung = UserNennweite::bezeichnungDN(dn),
                                .kvs = kv,
                                .artikelNr = "RF20-" + std::to_string(dn),
                                .kurve = dpKurve(kv, {0.0008, 0.5, 1.0, 2.0, 3.0})});
    }
    return r;
}

UserModellreihe jalousieklappe() {
    UserModellreihe r{.bezeichnung = "Jalousieklappe JK 2",
                      .armaturenTyp = nrvBaseArmaturen::enKanalRegelorgan,
                      .rechteckig = true,
                      .mitKlappenstellungen = true};
    for (auto [a, b] : {std::pair{300, 200}, {400, 300}}) {
        const double flaeche = a * b / 60000.0;  // 1 for 300 × 200
        UserNennweite w{.bezeichnung = UserNennweite::bezeichnungRechteck(a, b),
                        .artikelNr = "JK2-" + std::to_string(a) + "x" + std::to_string(b)};
        for (auto [winkel, zeta] : {std::pair{0, 0.3}, {30, 2.5}, {60, 18.0}}) {
            UserKurve k{.interpolierbar = true};
            for (double v : {500.0, 1000.0, 2000.0}) {
                const double q = r3(v * flaeche);
                const double w_ms = q / 3600.0 / (a * b / 1e6);
                k.punkte.push_back({q, std::round(zeta * 0.6 * w_ms * w_ms * 10) / 10, 0.0, ""});
            }
            w.klappenstellungen.push_back({std::to_string(winkel) + "°", "°", true, 30.0, k});
        }
        r.nennweiten.push_back(w);
    }
    // A size whose positions are not measured yet.
    r.nennweiten.push_back(
        {.bezeichnung = UserNennweite::bezeichnungRechteck(500, 300), .artikelNr = "JK2-500x300"});
    return r;
}

std::vector<UserHersteller> beispielHersteller() {
    return {UserHersteller{
                .name = "Rheintal Armaturen GmbH",
                .version = 1,
                .modellreihen = {ruecklaufverschraubung(),
                                 kvReihe("Strangregulierventil SR 1",
                                         nrvBaseArmaturen::enHzStrangDrossel, "SR1-", 2.5,
                                         {{15, 1.0}, {20, 1.8}, {25, 2.9}},
                                         {{0.5, 0.15}, {1, 0.42}, {2, 1.05}, {3, 1.78}, {4, 2.5}}),
                                 kvReihe("Zirkulationsregulierventil ZV 3",
                                         nrvBaseArmaturen::enTwStrangSTAT, "ZV3-", 1.6,
                                         {{15, 1.0}, {20, 1.6}},
                                         {{1, 0.08}, {2, 0.3}, {3, 0.75}, {4, 1.6}})}},
            UserHersteller{
                .name = "Südwerk Pumpen & Regeltechnik KG",
                .version = 2,
                .modellreihen = {
                    kvReihe("Thermostatisches Zirkulationsventil TZ 55",
                            nrvBaseArmaturen::enTwStrangTHST, "TZ55-", 0.9, {{15, 1.0}, {20, 1.5}},
                            {{45, 0.9}, {50, 0.6}, {55, 0.3}, {60, 0.12}, {65, 0.02}}, " °C"),
                    durchflussregler(), rueckflussverhinderer(), jalousieklappe()}}};
}

std::string sampleOrdner() {
    return kavextest::samplesDir() + "/uservalves";
}

}  // namespace

TEST(UserArmSamples, CheckedInFilesAreWhatTheCodeWrites) {
    const char* neu = std::getenv("KAVEX_WRITE_SAMPLES");
    const auto hersteller = beispielHersteller();
    if (neu != nullptr && std::string(neu) == "1") {
        std::filesystem::create_directories(sampleOrdner());
        for (const UserHersteller& h : hersteller)
            ASSERT_TRUE(schreibeUserArmDatei(h, userArmPfad(sampleOrdner(), h.name)));
    }
    kavextest::TempDir dir;
    for (const UserHersteller& h : hersteller) {
        const std::string pfad = userArmPfad(sampleOrdner(), h.name);
        SCOPED_TRACE(pfad);
        UserHersteller gelesen;
        ASSERT_TRUE(leseUserArmDatei(pfad, gelesen)) << "KAVEX_SAMPLES names the samples folder";
        EXPECT_TRUE(gelesen.inhaltGleich(h));
        const std::string geschrieben = userArmPfad(dir.path().string(), h.name);
        ASSERT_TRUE(schreibeUserArmDatei(h, geschrieben));
        EXPECT_EQ(kavextest::readBytes(geschrieben), kavextest::readBytes(pfad));
    }
}

TEST(UserArmSamples, LoadAsDocumentsAndBecomeModels) {
    CUserData docs;
    ASSERT_EQ(docs.loadAll(sampleOrdner()), 2);
    const auto hersteller = ladeUserHersteller(docs);
    ASSERT_EQ(hersteller.size(), 2u);
    EXPECT_EQ(hersteller[0].version, 1);
    EXPECT_EQ(hersteller[1].version, 2);
    const auto reihen = findeModellreihen(*docs.getAt(1)->getRoot(), nrvBaseArmaturen::enHzDFR, 2);
    ASSERT_EQ(reihen.size(), 1u);
    nrvUserArmaturenModell m;
    erzeugeUserArmaturenModell(*docs.getAt(1)->getRoot(), *reihen[0], m);
    ASSERT_EQ(m.getSize(), 2);
    EXPECT_EQ(m.getManufacturer(), "Südwerk Pumpen & Regeltechnik KG");
    ASSERT_EQ(m.getUserArmaturAt(0)->kurven().size(), 2u);
    EXPECT_FLOAT_EQ(m.getUserArmaturAt(0)->kurven()[1].getLastNode().y, 25000.0f);
}
