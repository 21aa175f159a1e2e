// The common data of a catalogue valve: its leaves in a model file, reading
// older or damaged nodes, execution details, texts and copying.

#include "kavex/valves/armatur.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturenmodell.h"

using nrvVDIArmaturen::nrvArmAnschluss;
using nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvArmaturZubehoer;
using nrvVDIArmaturen::nrvVDIArmaturenModell;

namespace {

nrvArmatur sampleValve() {
    nrvArmatur v;
    v.setVersion(2);
    v.setArtikelNr("21 15 00:1");
    v.setGruppe(201);
    v.setTyp(211);
    v.setAusfIndex(3);
    v.setDimension(15);
    v.setMaxTemperatur(120.0);
    v.setMaxBetriebsdruck(10.0);
    v.setMaxDiffdruck(0.5);
    v.setKvs(1.75);
    v.setDATANORMNr("DN-4711");
    v.setStLBNr("StLB 1");
    v.setEANNr("4001234567890");
    v.setDimSystem("Zoll");
    v.setZeta(4.5);
    v.setSchliessdruck_hPa(20.0);
    v.setTGANummer("TGA-9");
    v.setEinbaulage(2);
    v.setUseKvs(true);
    v.addAusfDetail("Durchgang");
    v.addAusfDetail("Messing vernickelt");
    v.addAnschluss({"IG 1/2", 0, "Eingang"});
    v.addAnschluss({"AG 3/4", 1, "Ausgang"});
    nrvArmaturZubehoer& z = v.addZubehoer();
    z.artikelNrText = "Z-100";
    z.name = "Handrad";
    z.artikelNr = 7;
    z.typNr = 410;
    z.index = 2;
    z.anzahl = 1.5f;
    z.wert1 = 0;
    z.optional = 1;
    z.nichtF = 1;
    z.text1 = "";
    return v;
}

std::vector<std::string> valuesOf(const CNode& node, const char* leaf) {
    const CLeaf* l = node.FindLeaf(leaf);
    return l ? l->GetValues(':') : std::vector<std::string>{"<missing>"};
}

std::unique_ptr<CNode> parse(const char* text) {
    auto root = TreeItems::ReadFromString(text);
    EXPECT_TRUE(root) << text;
    return root;
}

}  // namespace

// ---------------------------------------------------------------------------

class ValveLeaves : public ::testing::Test {};

TEST_F(ValveLeaves, WritesTheCommonLeavesInStoredOrder) {
    CNode node;
    ASSERT_TRUE(sampleValve().write(&node));
    EXPECT_EQ(node.GetName(), "ARM");
    EXPECT_EQ(valuesOf(node, "VER"), std::vector<std::string>{"2"});
    const std::vector<std::string> x = {
        "21 15 00:1", "201",      "211",       "3",       "15",     "120.000000",
        "10.000000",  "0.500000", "1.750000",  "DN-4711", "StLB 1", "4001234567890",
        "Zoll",       "4.500000", "20.000000", "TGA-9",   "2",      "1"};
    EXPECT_EQ(valuesOf(node, "X"), x);
    EXPECT_EQ(node.FindLeaf("AD")->GetOnlyValue(), "Durchgang;Messing vernickelt");
    EXPECT_EQ(valuesOf(node, "ANS"),
              (std::vector<std::string>{"IG 1/2", "0", "Eingang", "AG 3/4", "1", "Ausgang"}));
    EXPECT_EQ(valuesOf(node, "Zubehoer"),
              (std::vector<std::string>{"Z-100", "Handrad", "7", "410", "2", "1.500000", "0", "1",
                                        "1", ""}));
    // Leaf order: VER, X, AD, ANS, then the accessories.
    std::vector<std::string> names;
    for (const auto& item : node.Items())
        names.push_back(item->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"VER", "X", "AD", "ANS", "Zubehoer"}));
}

TEST_F(ValveLeaves, ValveWithoutConnectionsWritesAnEmptyList) {
    CNode node("Eigen");
    ASSERT_TRUE(nrvArmatur().write(&node));
    EXPECT_EQ(node.GetName(), "Eigen") << "a named node keeps its name";
    ASSERT_NE(node.FindLeaf("ANS"), nullptr);
    EXPECT_TRUE(valuesOf(node, "ANS").empty());
    EXPECT_EQ(node.FindLeaf("Zubehoer"), nullptr);
}

TEST_F(ValveLeaves, NullNodeIsRefused) {
    EXPECT_FALSE(nrvArmatur().write(nullptr));
    nrvArmatur v;
    EXPECT_FALSE(v.read(nullptr));
}

TEST_F(ValveLeaves, WrittenValveReadsBackEqual) {
    const nrvArmatur original = sampleValve();
    CNode node;
    original.write(&node);
    nrvArmatur copy;
    ASSERT_TRUE(copy.read(&node));
    EXPECT_TRUE(copy.isEqual(original));
    ASSERT_EQ(copy.getZubehoer().size(), 1u);
    EXPECT_EQ(copy.getZubehoer()[0].getParent(), &copy);
}

// ---------------------------------------------------------------------------

class ValveReading : public ::testing::Test {};

TEST_F(ValveReading, NodeWithoutXIsRefused) {
    auto root = parse("[ARM]\nVER:1\nAD:Durchgang\n[ENDE_ARM]\n");
    nrvArmatur v;
    EXPECT_FALSE(v.read(root.get()));
}

TEST_F(ValveReading, MissingOptionalLeavesLeaveTheDefaults) {
    auto root = parse("[ARM]\nX:A1:201:211:0:20\n[ENDE_ARM]\n");
    nrvArmatur v;
    ASSERT_TRUE(v.read(root.get()));
    EXPECT_EQ(v.getVersion(), 0);
    EXPECT_EQ(v.getArtikelNr(), "A1");
    EXPECT_EQ(v.getDimension(), 20);
    // Fields behind the short "X" keep their defaults.
    EXPECT_DOUBLE_EQ(v.getMaxTemperatur(), nrvArmatur::NoTemperature);
    EXPECT_EQ(v.getDimSystem(), "DN");
    EXPECT_EQ(v.getEinbaulage(), 1);
    EXPECT_EQ(v.getAusfDetails(), "");
    EXPECT_EQ(v.getSizeAnschlussKeys(), 0);
}

TEST_F(ValveReading, ConnectionsAreReadInCompleteTriples) {
    struct Case {
        const char* ans;
        std::vector<nrvArmAnschluss> expected;
    };
    const Case cases[] = {
        {"ANS:", {}},
        {"ANS:IG:0", {}},
        {"ANS:IG:0:Eingang", {{"IG", 0, "Eingang"}}},
        {"ANS:IG:0:Eingang:AG:1", {{"IG", 0, "Eingang"}}},
        {"ANS:IG:0:Eingang:AG:-1:", {{"IG", 0, "Eingang"}, {"AG", -1, ""}}},
    };
    for (const Case& c : cases) {
        const std::string text = std::string("[ARM]\nX:A\nAD:x\n") + c.ans + "\n[ENDE_ARM]\n";
        auto root = parse(text.c_str());
        nrvArmatur v;
        ASSERT_TRUE(v.read(root.get())) << c.ans;
        EXPECT_EQ(v.getAnschluss(), c.expected) << c.ans;
    }
}

TEST_F(ValveReading, DetailsAndConnectionsAreTakenOnlyBehindX) {
    // An "AD" before "X" belongs to no valve part this reader knows; the
    // connections are searched behind the details.
    auto root = parse("[ARM]\nAD:alt\nANS:K0:0:vorn\nX:A\nAD:neu\nANS:K1:1:hinten\n[ENDE_ARM]\n");
    nrvArmatur v;
    ASSERT_TRUE(v.read(root.get()));
    EXPECT_EQ(v.getAusfDetails(), "neu");
    EXPECT_EQ(v.getAnschluss(), (std::vector<nrvArmAnschluss>{{"K1", 1, "hinten"}}));
}

TEST_F(ValveReading, ConnectionsWithoutDetailsAreFoundFromTheStart) {
    auto root = parse("[ARM]\nANS:K0:0:vorn\nX:A\n[ENDE_ARM]\n");
    nrvArmatur v;
    ASSERT_TRUE(v.read(root.get()));
    EXPECT_EQ(v.getAnschluss(), (std::vector<nrvArmAnschluss>{{"K0", 0, "vorn"}}));
}

TEST_F(ValveReading, OnlyLeavesNamedExactlyZubehoerAreAccessories) {
    auto root = parse(
        "[ARM]\nX:A\nZubehoer:Z1:Kappe:1:2:3:2.000000:0:0:1:\nZubehoerAlt:Z2:x:1:2:3:1:0:0:0:\n"
        "Zubehoer:Z3:Griff:4:5:6:1.000000:9:1:0:frei\n[ENDE_ARM]\n");
    nrvArmatur v;
    ASSERT_TRUE(v.read(root.get()));
    ASSERT_EQ(v.getZubehoer().size(), 2u);
    EXPECT_EQ(v.getZubehoer()[0].artikelNrText, "Z1");
    EXPECT_EQ(v.getZubehoer()[1].name, "Griff");
    EXPECT_EQ(v.getZubehoer()[1].wert1, 9);
    EXPECT_EQ(v.getZubehoer()[1].text1, "frei");
}

TEST_F(ValveReading, AccessoryRefusesALeafOfAnotherName) {
    CLeaf leaf("Zubehoer2", "Z:Name:1:2:3:1.0:0:0:0:");
    nrvArmaturZubehoer entry;
    EXPECT_FALSE(entry.read(&leaf));
    EXPECT_EQ(entry, nrvArmaturZubehoer());
    EXPECT_FALSE(entry.read(static_cast<CLeaf*>(nullptr)));
}

TEST_F(ValveReading, ReadingAddsAccessoriesAndConnections) {
    // read does not clear: a second read of the same node appends again.
    auto root = parse("[ARM]\nX:A\nANS:K:0:d\nZubehoer:Z:n:1:1:1:1:0:0:0:\n[ENDE_ARM]\n");
    nrvArmatur v;
    v.read(root.get());
    v.read(root.get());
    EXPECT_EQ(v.getSizeAnschlussKeys(), 2);
    EXPECT_EQ(v.getZubehoer().size(), 2u);
}

// ---------------------------------------------------------------------------

class ValveDefaults : public ::testing::Test {};

TEST_F(ValveDefaults, NewValveReportsNoTemperatureAndDN) {
    const nrvArmatur v;
    EXPECT_DOUBLE_EQ(v.getMaxTemperatur(), -273.15);
    EXPECT_EQ(v.getDimSystem(), "DN");
    EXPECT_EQ(v.getEinbaulage(), 1);
    EXPECT_FALSE(v.useKvs());
    EXPECT_DOUBLE_EQ(v.getKvmin(), -1.0);
    EXPECT_DOUBLE_EQ(v.getKvmax(), -1.0);
    EXPECT_FALSE(v.hasFilledCurveData());
    EXPECT_EQ(v.desc(), "nrvArmatur");
}

// ---------------------------------------------------------------------------

class ExecutionDetails : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ExecutionDetails, RepeatsOfTheFirstDetailAreDropped) {
    nrvArmatur v;
    v.setAusfDetails(GetParam().first);
    EXPECT_EQ(v.getAusfuehrung(", "), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(Cases, ExecutionDetails,
                         ::testing::Values(std::pair{"", ""}, std::pair{"A", "A"},
                                           std::pair{"A;B;A;C", "A, B, C"},
                                           std::pair{"A;B;B", "A, B, B"},
                                           std::pair{"A;B;;C", "A, B"}, std::pair{"A;A;A", "A"},
                                           std::pair{";B", ", B"}));

TEST(ExecutionDetailList, DetailsAreJoinedWithSemicolons) {
    nrvArmatur v;
    v.addAusfDetail("Eckform");
    v.addAusfDetail("");
    v.addAusfDetail("Messing");
    EXPECT_EQ(v.getAusfDetails(), "Eckform;;Messing");
    EXPECT_EQ(v.getAusfuehrung(" / "), "Eckform");
    v.clearAusfuehrung();
    EXPECT_EQ(v.getAusfuehrung(", "), "");
}

// ---------------------------------------------------------------------------

class ValveTexts : public ::testing::Test {};

TEST_F(ValveTexts, ModelTextsComeFromACatalogueParentOnly) {
    nrvVDIArmaturenModell model;
    model.setManufacturerModel("Beispiel GmbH", "Serie A");
    model.setCatID("K-1");
    model.setFilename("beispiel.vdi");
    nrvArmatur v;
    v.setParent(&model);
    EXPECT_EQ(v.getManufacturer(), "Beispiel GmbH");
    EXPECT_EQ(v.getModelType(), "Serie A");
    EXPECT_EQ(v.getNrvCatID(), "K-1");
    EXPECT_EQ(v.getVDIFilename(), "beispiel.vdi");

    nrvBaseArmaturen::nrvArmaturenModell otherModel;
    otherModel.setManufacturerModel("Eigene", "Selbst");
    for (nrvBaseArmaturen::nrvArmaturObject* parent :
         {static_cast<nrvBaseArmaturen::nrvArmaturObject*>(&otherModel),
          static_cast<nrvBaseArmaturen::nrvArmaturObject*>(nullptr)}) {
        v.setParent(parent);
        EXPECT_EQ(v.getManufacturer(), "");
        EXPECT_EQ(v.getModelType(), "");
        EXPECT_EQ(v.getNrvCatID(), "");
        EXPECT_EQ(v.getVDIFilename(), "");
    }
}

TEST_F(ValveTexts, ErrorAndHintNameModelSizeArticleAndExecution) {
    nrvVDIArmaturenModell model;
    model.setModel("Serie A");
    nrvArmatur v = sampleValve();
    v.setParent(&model);
    EXPECT_EQ(v.getFehlerText(),
              "Fehler in den VDI-Daten der Armatur 'Serie A', DN 15, Art.-Nr. '21 15 00:1', "
              "Ausführung 'Durchgang, Messing vernickelt'");
    EXPECT_EQ(v.getHinweisText(),
              "Hinweis zu den VDI-Daten der Armatur 'Serie A', DN 15, Art.-Nr. '21 15 00:1', "
              "Ausführung 'Durchgang, Messing vernickelt'");
}

// ---------------------------------------------------------------------------

class ValveCopy : public ::testing::Test {};

TEST_F(ValveCopy, AssignmentCopiesEverythingButParentAndOwnCurve) {
    nrvVDIArmaturenModell model;
    nrvArmatur source = sampleValve();
    source.setParent(&model);
    source.getKurve().addCurveNode(1.0f, "1", 0.5f);
    nrvArmatur target;
    target.addZubehoer().name = "alt";
    target = source;
    EXPECT_TRUE(target.isEqual(source));
    EXPECT_EQ(target.getParent(), nullptr);
    EXPECT_TRUE(target.getKurve().bIsEmpty());
    ASSERT_EQ(target.getZubehoer().size(), 1u);
    EXPECT_EQ(target.getZubehoer()[0].getParent(), &target);

    const nrvArmatur constructed(source);
    EXPECT_TRUE(constructed.isEqual(source));
    EXPECT_EQ(constructed.getZubehoer()[0].getParent(), &constructed);
}

TEST_F(ValveCopy, CloneAndAssignFromServeTheBaseClass) {
    const nrvArmatur source = sampleValve();
    std::unique_ptr<nrvArmatur> copy = source.clone();
    ASSERT_TRUE(copy);
    EXPECT_TRUE(copy->isEqual(source));
    nrvArmatur other;
    EXPECT_TRUE(other.assignFrom(source));
    EXPECT_TRUE(other.isEqual(source));
}

TEST_F(ValveCopy, IsEqualNoticesEachField) {
    const nrvArmatur base = sampleValve();
    const std::vector<std::function<void(nrvArmatur&)>> changes = {
        [](nrvArmatur& v) { v.setVersion(3); },
        [](nrvArmatur& v) { v.setArtikelNr("x"); },
        [](nrvArmatur& v) { v.setKvs(1.5); },
        [](nrvArmatur& v) { v.setDimSystem("DN"); },
        [](nrvArmatur& v) { v.setUseKvs(false); },
        [](nrvArmatur& v) { v.addAusfDetail("x"); },
        [](nrvArmatur& v) {
            v.addAnschluss({"K", -1, ""});
        },
        [](nrvArmatur& v) { v.addZubehoer(); },
        [](nrvArmatur& v) { v.setEinbaulage(1); },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        nrvArmatur changed = base;
        changes[i](changed);
        EXPECT_FALSE(changed.isEqual(base)) << "change " << i;
    }
}

TEST_F(ValveCopy, DestroyAllResetsIdentityAndLimitsOnly) {
    nrvArmatur v = sampleValve();
    v.destroyAll();
    EXPECT_EQ(v.getArtikelNr(), "");
    EXPECT_EQ(v.getTGANummer(), "");
    EXPECT_EQ(v.getDimension(), 0);
    EXPECT_EQ(v.getGruppe(), 0);
    EXPECT_EQ(v.getTyp(), 0);
    EXPECT_EQ(v.getAusfIndex(), 0);
    EXPECT_DOUBLE_EQ(v.getMaxTemperatur(), -273.15);
    EXPECT_DOUBLE_EQ(v.getMaxBetriebsdruck(), 0.0);
    EXPECT_DOUBLE_EQ(v.getMaxDiffdruck(), 0.0);
    EXPECT_DOUBLE_EQ(v.getKvs(), 0.0);
    EXPECT_FALSE(v.useKvs());
    EXPECT_TRUE(v.getZubehoer().empty());
    // Everything else stays.
    EXPECT_EQ(v.getVersion(), 2);
    EXPECT_EQ(v.getDATANORMNr(), "DN-4711");
    EXPECT_EQ(v.getDimSystem(), "Zoll");
    EXPECT_DOUBLE_EQ(v.getZeta(), 4.5);
    EXPECT_EQ(v.getEinbaulage(), 2);
    EXPECT_EQ(v.getAusfDetails(), "Durchgang;Messing vernickelt");
    EXPECT_EQ(v.getSizeAnschlussKeys(), 2);
}

// ---------------------------------------------------------------------------

class ValveLists : public ::testing::Test {};

TEST_F(ValveLists, ConnectionKeyIndexOutsideTheListThrows) {
    const nrvArmatur v = sampleValve();
    EXPECT_EQ(v.getAnschlussKeyAt(1), "AG 3/4");
    EXPECT_EQ(v.getUpperBoundAnschlussKeys(), 1);
    EXPECT_THROW(v.getAnschlussKeyAt(-1), std::invalid_argument);
    EXPECT_THROW(v.getAnschlussKeyAt(2), std::invalid_argument);
    EXPECT_EQ(nrvArmatur().getUpperBoundAnschlussKeys(), -1);
}

TEST_F(ValveLists, AccessoriesAreCopiedAndOwnedByTheValve) {
    nrvArmatur v = sampleValve();
    nrvArmaturZubehoer entry;
    entry.name = "Fühler";
    EXPECT_EQ(v.addZubehoer(entry), 1);
    EXPECT_EQ(v.getZubehoer()[1].getParent(), &v);
    v.appendZubehoer(nullptr);
    EXPECT_EQ(v.getZubehoer().size(), 2u);
    v.appendZubehoer(&v);  // its own list, doubled
    ASSERT_EQ(v.getZubehoer().size(), 4u);
    EXPECT_EQ(v.getZubehoer()[3].name, "Fühler");
    v.removeZubehoer();
    EXPECT_TRUE(v.getZubehoer().empty());
}
