// The common data of a catalogue valve: its leaves in a model file, reading
// older or damaged nodes, execution details, texts and copying.

#include "kavex/valves/armatur.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturenmodell.h"
#include "valvetest.h"

using nrvVDIArmaturen::nrvArmAnschluss;
using nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvArmaturZubehoer;
using nrvVDIArmaturen::nrvVDIArmaturenModell;
using valvetest::textOf;

namespace {

std::string node(const std::string& body) {
    return "[ARM]\n" + body + "[ENDE_ARM]\n";
}

// A valve read from a node written by hand.
nrvArmatur readValve(const std::string& body, bool expectOk = true) {
    auto root = TreeItems::ReadFromString(node(body));
    nrvArmatur v;
    EXPECT_EQ(root && v.read(root.get()), expectOk) << body;
    return v;
}

// Every common leaf, in the order a valve writes them.
const std::string kSample =
    "VER:2\n"
    "X:21 15 00%3A1:201:211:3:15:120.000000:10.000000:0.500000:1.750000:DN-4711:StLB 1:"
    "4001234567890:Zoll:4.500000:20.000000:TGA-9:2:1\n"
    "AD:Durchgang;Messing vernickelt\n"
    "ANS:IG 1/2:0:Eingang:AG 3/4:1:Ausgang\n"
    "Zubehoer:Z-100:Handrad:7:410:2:1.500000:0:1:1:\n";

}  // namespace

// --- the node ----------------------------------------------------------------

TEST(ValveNode, ReadsAndWritesTheCommonLeavesInStoredOrder) {
    const nrvArmatur v = readValve(kSample);
    EXPECT_EQ(v.getArtikelNr(), "21 15 00:1");
    EXPECT_EQ(v.getTyp(), 211);
    EXPECT_DOUBLE_EQ(v.getKvs(), 1.75);
    EXPECT_DOUBLE_EQ(v.getSchliessdruck_hPa(), 20.0);
    EXPECT_EQ(v.getEinbaulage(), 2);
    EXPECT_TRUE(v.useKvs());
    EXPECT_EQ(v.getAnschluss()[1], (nrvArmAnschluss{"AG 3/4", 1, "Ausgang"}));
    ASSERT_EQ(v.getZubehoer().size(), 1u);
    EXPECT_EQ(v.getZubehoer()[0].anzahl, 1.5f);
    CNode written;
    ASSERT_TRUE(v.write(&written));
    EXPECT_EQ(textOf(written), textOf(*TreeItems::ReadFromString(node(kSample))));

    // A valve without connections writes an empty "ANS"; a named node keeps its name.
    CNode own("Eigen");
    ASSERT_TRUE(nrvArmatur().write(&own));
    EXPECT_EQ(own.GetName(), "Eigen");
    ASSERT_NE(own.FindLeaf("ANS"), nullptr);
    EXPECT_TRUE(own.FindLeaf("ANS")->GetValues(':').empty());
    EXPECT_FALSE(nrvArmatur().write(nullptr));
}

TEST(ValveNode, MissingXIsRefusedAShortXKeepsTheDefaultsBehindIt) {
    readValve("VER:1\nAD:Durchgang\n", false);
    EXPECT_FALSE(nrvArmatur().read(nullptr));

    const nrvArmatur v = readValve("X:A1:201:211:0:20\n");
    EXPECT_EQ(v.getArtikelNr(), "A1");
    EXPECT_EQ(v.getDimension(), 20);
    EXPECT_DOUBLE_EQ(v.getMaxTemperatur(), nrvArmatur::NoTemperature);
    EXPECT_EQ(v.getDimSystem(), "DN");
    EXPECT_EQ(v.getEinbaulage(), 1);
}

TEST(ValveNode, DetailsBehindXAndConnectionsInCompleteTriplesBehindThem) {
    const struct {
        const char* body;
        const char* details;
        std::vector<nrvArmAnschluss> connections;
    } cases[] = {
        {"X:A\nAD:x\nANS:\n", "x", {}},
        {"X:A\nAD:x\nANS:IG:0\n", "x", {}},
        {"X:A\nAD:x\nANS:IG:0:Eingang:AG:1\n", "x", {{"IG", 0, "Eingang"}}},
        {"X:A\nAD:x\nANS:IG:0:Eingang:AG:-1:\n", "x", {{"IG", 0, "Eingang"}, {"AG", -1, ""}}},
        // "AD" before "X" belongs to no part this reader knows; "ANS" is
        // searched behind "AD", from the start when there is no "AD".
        {"AD:alt\nANS:K0:0:vorn\nX:A\nAD:neu\nANS:K1:1:hinten\n", "neu", {{"K1", 1, "hinten"}}},
        {"ANS:K0:0:vorn\nX:A\n", "", {{"K0", 0, "vorn"}}},
    };
    for (const auto& c : cases) {
        const nrvArmatur v = readValve(c.body);
        EXPECT_EQ(v.getAusfDetails(), c.details) << c.body;
        EXPECT_EQ(v.getAnschluss(), c.connections) << c.body;
    }
}

TEST(ValveNode, OnlyLeavesNamedExactlyZubehoerAreAccessoriesAndReadingAppends) {
    const std::string body =
        "X:A\nANS:K:0:d\nZubehoer:Z1:Kappe:1:2:3:2.000000:0:0:1:\n"
        "ZubehoerAlt:Z2:x:1:2:3:1:0:0:0:\nZubehoer:Z3:Griff:4:5:6:1.000000:9:1:0:frei\n";
    nrvArmatur v = readValve(body);
    ASSERT_EQ(v.getZubehoer().size(), 2u);
    EXPECT_EQ(v.getZubehoer()[0].artikelNrText, "Z1");
    EXPECT_EQ(v.getZubehoer()[1].name, "Griff");
    EXPECT_EQ(v.getZubehoer()[1].wert1, 9);
    EXPECT_EQ(v.getZubehoer()[1].text1, "frei");
    EXPECT_EQ(v.getZubehoer()[1].getParent(), &v);

    CLeaf leaf("Zubehoer2", "Z:Name:1:2:3:1.0:0:0:0:");
    nrvArmaturZubehoer entry;
    EXPECT_FALSE(entry.read(&leaf));
    EXPECT_EQ(entry, nrvArmaturZubehoer());

    // A second read adds to the lists instead of replacing them.
    v.read(TreeItems::ReadFromString(node(body)).get());
    EXPECT_EQ(v.getSizeAnschlussKeys(), 2);
    EXPECT_EQ(v.getZubehoer().size(), 4u);
}

// --- execution details and texts -------------------------------------------------

TEST(ValveTexts, ExecutionDropsRepeatsOfTheFirstDetailAndStopsAtAnEmptyOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},           {"A", "A"},     {"A;B;A;C", "A, B, C"}, {"A;B;B", "A, B, B"},
        {"A;B;;C", "A, B"}, {"A;A;A", "A"}, {";B", ", B"},
    };
    for (const auto& [details, expected] : cases) {
        nrvArmatur v;
        v.setAusfDetails(details);
        EXPECT_EQ(v.getAusfuehrung(", "), expected) << details;
    }
    nrvArmatur v;
    v.addAusfDetail("Eckform");
    v.addAusfDetail("");
    v.addAusfDetail("Messing");
    EXPECT_EQ(v.getAusfDetails(), "Eckform;;Messing");
    EXPECT_EQ(v.getAusfuehrung(" / "), "Eckform");
}

TEST(ValveTexts, ModelTextsComeFromACatalogueParentOnly) {
    nrvVDIArmaturenModell model;
    model.setManufacturerModel("Beispiel GmbH", "Serie A");
    model.setCatID("K-1");
    model.setFilename("beispiel.vdi");
    nrvArmatur v = readValve(kSample);
    v.setParent(&model);
    EXPECT_EQ(v.getManufacturer(), "Beispiel GmbH");
    EXPECT_EQ(v.getModelType(), "Serie A");
    EXPECT_EQ(v.getNrvCatID(), "K-1");
    EXPECT_EQ(v.getVDIFilename(), "beispiel.vdi");
    const std::string about =
        " der Armatur 'Serie A', DN 15, Art.-Nr. '21 15 00:1', "
        "Ausführung 'Durchgang, Messing vernickelt'";
    EXPECT_EQ(v.getFehlerText(), "Fehler in den VDI-Daten" + about);
    EXPECT_EQ(v.getHinweisText(), "Hinweis zu den VDI-Daten" + about);

    nrvBaseArmaturen::nrvArmaturenModell otherModel;
    otherModel.setManufacturerModel("Eigene", "Selbst");
    for (nrvBaseArmaturen::nrvArmaturObject* parent :
         {static_cast<nrvBaseArmaturen::nrvArmaturObject*>(&otherModel),
          static_cast<nrvBaseArmaturen::nrvArmaturObject*>(nullptr)}) {
        v.setParent(parent);
        EXPECT_EQ(v.getManufacturer() + v.getModelType() + v.getNrvCatID() + v.getVDIFilename(),
                  "");
    }
}

// --- copies and lists ----------------------------------------------------------------

TEST(ValveCopy, AssignmentCopiesEverythingButParentAndOwnCurve) {
    nrvVDIArmaturenModell model;
    nrvArmatur source = readValve(kSample);
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
    EXPECT_EQ(constructed.getZubehoer()[0].getParent(), &constructed);
}

TEST(ValveCopy, IsEqualNoticesEachKindOfField) {
    const nrvArmatur base = readValve(kSample);
    const std::pair<std::string, std::string> changes[] = {
        {"VER:2", "VER:3"},
        {"X:21 15 00", "X:21 15 01"},
        {"1.750000", "1.500000"},
        {"Zoll", "DN"},
        {"TGA-9:2:1", "TGA-9:2:0"},
        {"TGA-9:2", "TGA-9:1"},
        {"vernickelt", "vernickelt;x"},
        {":Ausgang", ":Ausgang:K:-1:"},
        {"Handrad", "Griff"},
    };
    for (const auto& [from, to] : changes) {
        std::string text = kSample;
        text.replace(text.find(from), from.size(), to);
        EXPECT_FALSE(readValve(text).isEqual(base)) << to;
    }
}

TEST(ValveLists, ConnectionIndexOutsideThrowsAccessoriesAreOwned) {
    nrvArmatur v = readValve(kSample);
    EXPECT_EQ(v.getAnschlussKeyAt(1), "AG 3/4");
    EXPECT_EQ(v.getUpperBoundAnschlussKeys(), 1);
    EXPECT_THROW(v.getAnschlussKeyAt(-1), std::invalid_argument);
    EXPECT_THROW(v.getAnschlussKeyAt(2), std::invalid_argument);
    EXPECT_EQ(nrvArmatur().getUpperBoundAnschlussKeys(), -1);

    nrvArmaturZubehoer entry;
    entry.name = "Fühler";
    EXPECT_EQ(v.addZubehoer(entry), 1);
    EXPECT_EQ(v.getZubehoer()[1].getParent(), &v);
    v.appendZubehoer(nullptr);
    v.appendZubehoer(&v);  // its own list, doubled
    ASSERT_EQ(v.getZubehoer().size(), 4u);
    EXPECT_EQ(v.getZubehoer()[3].name, "Fühler");
}
