// The user valve container: lists and ids, values of user valves, the project
// sections of its records and the comparison with the user valve files.

#include <gtest/gtest.h>

#include <tuple>

#include "kavex/platform/treestore.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/uservalves/userdoc.h"
#include "kavex/uservalves/userfile.h"
#include "kavex/uservalves/userfile_modell.h"
#include "services/userfixtures.h"
#include "support/tempdir.h"

using namespace usertest;
using namespace nrvBaseArmaturen;

namespace {

constexpr std::string_view kKey = "Armature";

// --- lists and ids ------------------------------------------------------------------

TEST(UserContainerLists, NumbersAppendedRecordsAndTakesOverEqualOnes) {
    RnUserArmaturContainer c;
    UserArmaturenModell a = kvRecord(enHzStrangDrossel, "A", {{15, 1}});
    UserArmaturenModell b = kvRecord(enHzStrangDrossel, "B", {{15, 1}});
    EXPECT_EQ(c.append(a), 0);
    EXPECT_EQ(c.append(b), 1);
    EXPECT_EQ(b.modellId, 2);

    // The same series again, its points in another order: the stored record
    // takes it over and the caller gets the stored id.
    UserArmaturenModell again = kvRecord(enHzStrangDrossel, "A", {{15, 1}});
    again.getArm().getUserArmaturAt(0)->removeAllKurven();
    again.getArm().getUserArmaturAt(0)->addKurve(kurve({{1, 0.1f}, {3, 0.5f}, {2, 0.25f}, {4, 1}}),
                                                 1);
    EXPECT_EQ(c.append(again), 1);
    EXPECT_EQ(again.modellId, 1);
    EXPECT_EQ(c.getUserCountGlobal(), 2);
    // Stored curves are sorted from the largest x.
    EXPECT_EQ(c.getAtUserGlobal(0)->getArm().getUserArmaturAt(0)->getKurve().getFirstNode().x, 4);

    UserArmaturenModell local = kvRecord(enHzStrangDrossel, "L", {{15, 1}}, 0);
    local.modellId = 9;
    EXPECT_EQ(c.append(local), 0);
    EXPECT_EQ(c.getLastUsedModellID(), 9);
    UserArmaturenModell next = kvRecord(enHzStrangDrossel, "N", {{15, 1}});
    c.append(next);
    EXPECT_EQ(next.modellId, 10);
    EXPECT_EQ(&c.getArmaturenModell(ref(9, 15)), c.getAtUserLokal(0));
    EXPECT_TRUE(c.getArmaturenModell(ref(4, 15)).bIsEmpty());
}

TEST(UserContainerLists, RemoveAllOfOneTradeKeepsTheOthers) {
    RnUserArmaturContainer c;
    const std::tuple<enArmaturenTyp, int, int> records[] = {{enHzStrangDrossel, 1, 3},
                                                            {enTwDruckminderer, 1, 8},
                                                            {enHzDFR, 0, 5},
                                                            {enTwRohrtrenner, 0, 12},
                                                            {enKanalRegelorgan, 1, 7}};
    for (const auto& [typ, global, id] : records) {
        UserArmaturenModell r = kvRecord(typ, "M" + std::to_string(id), {{15, 1}}, global);
        r.modellId = id;
        c.append(r);
    }
    c.removeAll("PW");
    EXPECT_EQ(c.getUserCountTotal(), 3);
    EXPECT_EQ(c.getLastUsedModellID(), 7);
    c.removeAll("VE");
    EXPECT_EQ(c.getLastUsedModellID(), 5);
    EXPECT_EQ(c.getCountOf(enHzDFR, true), 1);
    c.removeAll();
    EXPECT_EQ(c.getUserCountTotal(), 0);
    EXPECT_EQ(c.getLastUsedModellID(), 0);
}

// --- values ---------------------------------------------------------------------------

TEST(UserContainerValues, SizeTexts) {
    const std::tuple<std::string, int, int> cases[] = {
        {"20x30", 20, 30}, {"300x200", 200, 300}, {"", 0, 0},    {"DN 15", 0, 0},
        {"20×30", 20, 30}, {"40/40", 40, 40},     {"x30", 0, 30}};
    for (const auto& [text, first, second] : cases)
        EXPECT_EQ(RnUserArmaturContainer::getValuesFromDimString(text), std::pair(first, second))
            << text;
}

TEST(UserContainerValues, TradeAbbreviations) {
    const std::pair<double, const char*> cases[] = {
        {4444, "HT"},         {4461, "HT"}, {4461 + 5e-11, "HT"}, {4461 + 1e-9, ""},
        {4443, ""},           {5555, "PW"}, {5574, "PW"},         {5575, ""},
        {6666 - 5e-11, "VE"}, {6676, "VE"}, {6677, ""},           {-1, ""}};
    for (const auto& [typ, abbreviation] : cases)
        EXPECT_EQ(RnUserArmaturContainer::getGewerkeKrzlFromTyp(typ), abbreviation) << typ;
}

TEST(UserContainerValues, KvAtASettingAndOfAFlowRegulator) {
    RnUserArmaturContainer c;
    UserArmaturenModell r = record(enHzDFR, 1, "Regler");
    addValve(r, 15, {{{5, 0.8f}, {1, 0.1f}}});                            // one curve
    addValve(r, 20, {{{5, 1.6f}, {3, 0.9f}}, {{5, 10000}, {3, 12000}}});  // two curves
    addValve(r, 25, {{{5, 2.0f}}}).setKvs(3.5);
    c.append(r);
    const int id = r.modellId;
    nrvUserArmatur& dn25 = *c.getAtUserGlobal(0)->getArm().getUserArmaturAt(2);
    // dn, setting, kvs flag of DN 25, then the kv at the setting and the kv
    // the regulator needs for 1.2 m³/h (false: -1).
    const double v = 1.2;
    const std::tuple<int, int, int, double, double> cases[] = {
        {15, 0, 0, 0.8, 0.0},  // no effective pressure: kv 0, still an answer
        {15, 5, 0, 0.1, 0.0},  // beyond the points: the last one
        {20, 0, 0, 1.6, nrvFormeln::_kvWert(v, 10000, 1000)},
        {20, 1, 0, 0.9, nrvFormeln::_kvWert(v, 12000, 1000)},
        {20, -1, 0, -1, -1},
        {40, 0, 0, 2.0, 0.0},
        {25, 7, 1, 3.5, 3.5}};
    for (const auto& [dn, setting, useKvs, kvIst, kvDFR] : cases) {
        SCOPED_TRACE(testing::Message() << dn << "/" << setting);
        dn25.setUseKvs(useKvs);
        double kv = -1;
        EXPECT_EQ(c.getKvIst(ref(id, dn, setting), kv), kvIst >= 0);
        EXPECT_NEAR(kv, std::max(kvIst, 0.0), 1e-6);
        EXPECT_EQ(c.getKvMaxDFR(ref(id, dn, setting), v, 1000, kv), kvDFR >= 0);
        EXPECT_NEAR(kv, std::max(kvDFR, 0.0), 1e-9);
    }
    double kv = -1;
    EXPECT_FALSE(c.getKvIst(ref(id + 1, 15, 0), kv));
}

TEST(UserContainerValues, PressureLossFromTheCurves) {
    RnUserArmaturContainer c;
    UserArmaturenModell r = record(enKanalRegelorgan, 1, "Klappe");
    // Pressure loss over flow per damper position; the second curve is read
    // at its nearest point, the others by interpolation.
    nrvUserArmatur& v = addValve(r, 15, {});
    v.addKurve(kurve({{1, 10}, {2, 40}}), 1);
    v.addKurve(kurve({{1, 30}, {2, 120}}), 0);
    v.addKurve(kurve({{3, 300}, {2.5f, 200}}), 1);
    c.append(r);
    const ARMATUR arm = ref(r.modellId, 15);
    const std::tuple<double, bool, double> cases[] = {
        {1.5, true, 25},     // first curve, interpolated
        {4.0, true, 0},      // beyond the first curve
        {1.5, false, 0},     // the first curve covers it: no position answers
        {2.75, false, 120},  // the third covers it too, but the second's nearest point is lower
        {0.5, false, 30}};
    for (const auto& [value, firstOnly, expected] : cases)
        EXPECT_NEAR(c.getDruckverlustFromVolumenstrom(arm, value, firstOnly), expected, 1e-4)
            << value << " " << firstOnly;
    EXPECT_EQ(c.getDruckverlustFromKv(ref(r.modellId + 5, 15), 1.5, true), 0.0);
}

// --- project ----------------------------------------------------------------------------

TEST(UserContainerProject, GlobalRecordsTravelThroughTheProjectAndLocalOnesThroughTheHost) {
    RnUserArmaturContainer c;
    UserArmaturenModell g1 = kvRecord(enHzStrangDrossel, "Drossel: D1", {{15, 1}, {20, 2}});
    g1.klasse = "Heizkörper";
    g1.bezeichnung = "Vorlauf 50%";
    UserArmaturenModell g2 = kvRecord(enTwDruckminderer, "DM", {{25, 1}});
    g2.modellId = 6;
    g2.intA = 2;
    g2.intB = 4;
    UserArmaturenModell l = kvRecord(enHzStrangDrossel, "Lokal", {{15, 3}}, 0);
    c.append(g1);
    c.append(g2);
    c.append(l);

    // Global records: node, text, node, fresh container.
    const std::unique_ptr<CProNodeBase> node = c.writeArmaturesToProNode(kKey);
    ASSERT_TRUE(node);
    std::string text;
    ASSERT_TRUE(node->WriteToString(text));
    RnUserArmaturContainer back;
    ASSERT_TRUE(back.readArmaturesFromProNode(CProNodeBase::ReadFromString(text).get(), kKey));
    ASSERT_EQ(back.getUserCountGlobal(), 2);
    EXPECT_EQ(back.getUserCountLocal(), 0);
    EXPECT_EQ(back.getLastUsedModellID(), 6);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(c.getAtUserGlobal(i)->recordLine(kKey),
                  back.getAtUserGlobal(i)->recordLine(kKey));
        EXPECT_TRUE(c.getAtUserGlobal(i)->getArm().isEqual(back.getAtUserGlobal(i)->getArm()));
    }

    // A local record: the host keeps its text with the component.
    std::string localText;
    ASSERT_TRUE(c.getAtUserLokal(0)->writeToString(localText, kKey));
    UserArmaturenModell localBack;
    ASSERT_TRUE(localBack.readFromString(localText, kKey));
    EXPECT_EQ(back.append(localBack), 0);
    EXPECT_EQ(back.getAtUserLokal(0)->modellId, l.modellId);

    // The plain-tree form reads the same; catalogue records in the same node
    // are left to the catalogue container, which in turn skips user records.
    std::unique_ptr<CNode> tree = c.writeArmaturesToNode(kKey);
    VDIArmaturenModell catalogue;
    catalogue.global = 1;
    catalogue.getModell().setManufacturerModel("Rheintal Armaturen GmbH", "TV 30");
    ASSERT_TRUE(catalogue.writeToString(text, kKey));
    tree->AddChild(
        CProNodeBase::ReadFromString(RnArmaturContainer::wrapSection(kKey, text))->ToNode());
    RnUserArmaturContainer users;
    ASSERT_TRUE(users.readArmaturesFromNode(tree.get(), kKey));
    EXPECT_EQ(users.getUserCountGlobal(), 2);
    RnArmaturContainer catalogueContainer;
    ASSERT_TRUE(catalogueContainer.readArmaturesFromNode(tree.get(), kKey));
    EXPECT_EQ(catalogueContainer.getCountGlobal(), 1);

    c.removeAll();
    EXPECT_EQ(c.writeArmaturesToProNode(kKey), nullptr);
    EXPECT_FALSE(users.readArmaturesFromProNode(nullptr, kKey));
    EXPECT_EQ(users.getUserCountTotal(), 0);
}

// --- user valve files ----------------------------------------------------------------------

UserHersteller sampleFile() {
    UserHersteller h;
    h.name = "Beispiel GmbH";
    UserModellreihe klappe;
    klappe.bezeichnung = "Klappe K1";
    klappe.armaturenTyp = enKanalRegelorgan;
    klappe.rechteckig = true;
    klappe.mitKlappenstellungen = true;
    UserNennweite size{UserNennweite::bezeichnungRechteck(300, 200), 0.0, "K1-300", {}, {}};
    size.klappenstellungen.push_back(
        {"0°", "°", true, 45, {true, {{0.5, 20, 0, "a"}, {1.0, 80, 0, "b"}}}});
    size.klappenstellungen.push_back(
        {"45°", "°", true, 45, {false, {{0.5, 60, 0, ""}, {1.0, 240, 0, ""}}}});
    klappe.nennweiten.push_back(size);
    // A size whose positions are not entered yet, with a curve of its own.
    klappe.nennweiten.push_back({UserNennweite::bezeichnungRechteck(400, 200),
                                 0.0,
                                 "K1-400",
                                 {},
                                 {true, {{0.5, 10, 0, ""}, {1.0, 40, 0, ""}}}});
    UserModellreihe regler;
    regler.bezeichnung = "Regler R2";
    regler.armaturenTyp = enHzDFR;
    UserNennweite dn15{UserNennweite::bezeichnungDN(15), 1.5, "R2-15", {}, {}};
    dn15.kurve = {true, {{1, 0.1, 20000, "1"}, {5, 0.8, 20000, "5"}, {3, 0.4, 21000.5, "3"}}};
    regler.nennweiten.push_back(dn15);
    h.modellreihen = {klappe, regler};
    return h;
}

// The series of the file as project records (global), as the catalogue
// dialog takes them over.
void takeOver(RnUserArmaturContainer& c, const UserHersteller& h) {
    for (const UserModellreihe& reihe : h.modellreihen) {
        UserArmaturenModell r;
        r.global = 1;
        r.typ = static_cast<enArmaturenTyp>(reihe.armaturenTyp);
        erzeugeUserArmaturenModell(h, reihe, r.getArm());
        c.append(r);
    }
}

nrvUserArmatur& valveOf(RnUserArmaturContainer& c, int record) {
    return *c.getAtUserGlobal(record)->getArm().getUserArmaturAt(0);
}

// Moves point `point` of curve `curve` of a stored valve to y, in place: the
// valve's own list is not const, only its accessor.
void moveY(nrvUserArmatur& v, int curve, int point, float y) {
    auto& curves = const_cast<std::vector<CKurve>&>(v.kurven());
    auto node = curves[curve][point];
    node.y = y;
    curves[curve].setCurveNodeAt(point, node);
}

TEST(UserContainerFiles, ComparesTheProjectModelsWithTheFile) {
    using Change = void (*)(RnUserArmaturContainer&);
    const std::tuple<const char*, Change, bool> cases[] = {
        {"as taken over", [](RnUserArmaturContainer&) {}, true},
        {"position curve", [](RnUserArmaturContainer& c) { moveY(valveOf(c, 0), 1, 0, 241); },
         false},
        {"effective pressure", [](RnUserArmaturContainer& c) { moveY(valveOf(c, 1), 1, 1, 21500); },
         false},
        {"position missing",
         [](RnUserArmaturContainer& c) {
             const CKurve first = valveOf(c, 0).getKurve();
             valveOf(c, 0).removeAllKurven();
             valveOf(c, 0).addKurve(first, 1, "0°", 1);
         },
         false},
        {"size renamed",
         [](RnUserArmaturContainer& c) { valveOf(c, 0).setDimensionsString("200x300"); }, false},
        {"manufacturer in other case, curve changed",
         [](RnUserArmaturContainer& c) {
             c.getAtUserGlobal(1)->getArm().setManufacturer("BEISPIEL GMBH");
             moveY(valveOf(c, 1), 0, 0, 0.9f);
         },
         false},
        {"series not in the file",
         [](RnUserArmaturContainer& c) {
             c.getAtUserGlobal(1)->getArm().setModel("Regler R9");
             moveY(valveOf(c, 1), 0, 0, 0.9f);
         },
         true}};
    kavextest::TempDir dir;
    const std::string path = dir.file("Beispiel GmbH.userarm");
    ASSERT_TRUE(schreibeUserArmDatei(sampleFile(), path));
    CUserDoc doc;
    ASSERT_TRUE(doc.load(path));
    for (const auto& [what, change, equal] : cases) {
        RnUserArmaturContainer c;
        takeOver(c, sampleFile());
        change(c);
        EXPECT_EQ(c.compareContainerWithFile(&doc), equal) << what;
    }
}

TEST(UserContainerFiles, NamesTheChangedFilesOfADirectory) {
    kavextest::TempDir dir;
    UserHersteller other = sampleFile();
    other.name = "Anders AG";
    ASSERT_TRUE(schreibeUserArmDatei(sampleFile(), dir.file("Beispiel GmbH.userarm")));
    ASSERT_TRUE(schreibeUserArmDatei(other, dir.file("Anders AG.userarm")));
    RnUserArmaturContainer c;
    takeOver(c, sampleFile());
    takeOver(c, other);
    EXPECT_TRUE(c.compareContainerWithFiles(dir.path().string()).empty());

    moveY(*c.getAtUserGlobal(3)->getArm().getUserArmaturAt(0), 0, 1, 0.2f);
    EXPECT_EQ(c.compareContainerWithFiles(dir.path().string()),
              std::vector<std::string>{dir.file("Anders AG.userarm")});

    CUserDoc empty;
    EXPECT_TRUE(c.compareContainerWithFile(nullptr));
    EXPECT_TRUE(c.compareContainerWithFile(&empty));
    CUserData::instance().releaseAll();
}

}  // namespace
