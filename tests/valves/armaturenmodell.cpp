// The catalogue valve model: creating valves by type, access by index, the
// model file and its refusals, deep copies and the semicolon export.

#include "kavex/valves/armaturenmodell.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/combobox.h"
#include "kavex/platform/treestore.h"
#include "kavex/valves/armaturdross.h"
#include "kavex/valves/armaturthkv.h"
#include "support/tempdir.h"

using namespace nrvVDIArmaturen;
using nrvBaseArmaturen::en700ArmaturTyp;

namespace {

en700ArmaturTyp T(int value) {
    return static_cast<en700ArmaturTyp>(value);
}

// A model file written by hand, in the text form of the tree store.
std::string modelText(const std::string& rootName, const std::string& body) {
    return "[" + rootName +
           "]\nVER:0\nMON:Serie A\nX:201:4:Beispiel GmbH:beispiel.vdi:K-1:201601\n" + body +
           "[ENDE_" + rootName + "]\n";
}

nrvVDIArmaturenModell modelWithSizes(std::initializer_list<int> sizes) {
    nrvVDIArmaturenModell m;
    m.setNrvArmType(T(211));
    for (int dn : sizes) {
        nrvArmatur* v = m.Add(T(211));
        v->setTyp(211);
        v->setDimension(dn);
        v->setArtikelNr("A-" + std::to_string(dn));
    }
    return m;
}

}  // namespace

// ---------------------------------------------------------------------------

struct AddCase {
    int type;
    const char* className;  // empty: no class
};

class ModelAdd : public ::testing::TestWithParam<AddCase> {};

TEST_P(ModelAdd, CreatesTheClassOfTheTypeOrNothing) {
    nrvVDIArmaturenModell model;
    model.Add(T(211));
    nrvArmatur* valve = model.Add(T(GetParam().type));
    const std::string expected = GetParam().className;
    if (expected.empty()) {
        EXPECT_EQ(valve, nullptr);
        EXPECT_EQ(model.getSize(), 1);
        return;
    }
    ASSERT_NE(valve, nullptr);
    EXPECT_EQ(valve->desc(), expected);
    EXPECT_EQ(valve->getParent(), &model);
    EXPECT_EQ(model.getSize(), 2);
    EXPECT_EQ(model.getArmaturAt(1), valve);
}

INSTANTIATE_TEST_SUITE_P(
    Types, ModelAdd,
    ::testing::Values(
        AddCase{201, "nrvArmaturTHKV"}, AddCase{202, "nrvArmaturDross"},
        AddCase{203, "nrvArmaturEAV"}, AddCase{204, "nrvArmaturDross"},
        AddCase{205, "nrvArmaturDDR"}, AddCase{207, "nrvArmaturDFR"},
        AddCase{208, "nrvArmaturDDRDFR"}, AddCase{209, "nrvArmaturDDR"},
        AddCase{210, "nrvArmaturDDRDFR"}, AddCase{211, "nrvArmatur"},
        AddCase{212, "nrvArmaturTHKVDFR"}, AddCase{213, "nrvArmaturRegelventil"},
        AddCase{214, "nrvArmaturDFR"}, AddCase{215, "nrvArmaturRSV"},
        AddCase{218, "nrvArmaturSechsWegeRegelarmatur"}, AddCase{220, "nrvArmaturDFR"},
        AddCase{221, "nrvArmaturSechsWegeRegelarmaturMitDFR"}, AddCase{1701, "nrvArmatur"},
        AddCase{1702, "nrvArmaturDross"}, AddCase{1703, "nrvArmaturThermoDross"},
        AddCase{1704, "nrvArmaturEA"}, AddCase{1705, "nrvArmaturEA"},
        AddCase{1706, "nrvArmaturSicherung"}, AddCase{1707, "nrvArmaturSicherung"},
        AddCase{1708, "nrvArmaturDruckminderer"}, AddCase{1709, "nrvArmaturZaehler"},
        AddCase{1713, "nrvArmaturVenturi"}, AddCase{1722, "nrvArmaturElektroDross"}, AddCase{0, ""},
        AddCase{206, ""}, AddCase{216, ""}, AddCase{217, ""}, AddCase{219, ""}, AddCase{1710, ""},
        AddCase{1711, ""}, AddCase{1712, ""}, AddCase{1714, ""}, AddCase{1, ""}, AddCase{222, ""},
        AddCase{1723, ""}, AddCase{-201, ""}));

// ---------------------------------------------------------------------------

class ModelAccess : public ::testing::Test {};

TEST_F(ModelAccess, IndexAtCountGivesNullNegativeThrows) {
    const nrvVDIArmaturenModell m = modelWithSizes({15, 20});
    EXPECT_EQ(m.getArmaturAt(1)->getDimension(), 20);
    EXPECT_EQ(m.getArmaturAt(2), nullptr);
    EXPECT_THROW(m.getArmaturAt(-1), std::invalid_argument);
    EXPECT_EQ(m.getArtikelNrAt(0), "A-15");
    EXPECT_EQ(m.getArtikelNrAt(2), "");
    EXPECT_THROW(m.getArtikelNrAt(-1), std::invalid_argument);
    const std::vector<nrvArmatur*> all = m.getArmaturen();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0], m.getArmaturAt(0));
}

TEST_F(ModelAccess, DimensionListReplacesTheEntries) {
    const nrvVDIArmaturenModell m = modelWithSizes({10, 15, 100});
    nrvListComboBox combo;
    combo.addString("alt", 42);
    m.getDimensionList(combo);
    ASSERT_EQ(combo.getCount(), 3);
    EXPECT_EQ(combo.getText(0), "10");
    EXPECT_EQ(combo.getText(2), "100");
    EXPECT_EQ(combo.getItemData(1), reinterpret_cast<std::intptr_t>(m.getArmaturAt(1)));
}

TEST_F(ModelAccess, DestroyAllKeepsOnlyTheType) {
    nrvVDIArmaturenModell m = modelWithSizes({15});
    m.setVersion(3);
    m.setManufacturerModel("Beispiel GmbH", "Serie A");
    m.setFilename("f.vdi");
    m.setCatID("K");
    m.setIdx(4);
    m.setRLDatum(201601);
    m.destroyAll();
    EXPECT_EQ(m.getSize(), 0);
    EXPECT_EQ(m.getVersion(), 0);
    EXPECT_EQ(m.getManufacturer(), "");
    EXPECT_EQ(m.getModelType(), "");
    EXPECT_EQ(m.getFilename(), "");
    EXPECT_EQ(m.getNrvCatID(), "");
    EXPECT_EQ(m.getIdx(), 0);
    EXPECT_EQ(m.getRLDatum(), 0);
    EXPECT_EQ(m.getNrvArmType(), 211);
}

TEST_F(ModelAccess, TypeTextUsesTheHeatingSheet) {
    nrvVDIArmaturenModell m;
    m.setNrvArmType(T(4));
    EXPECT_EQ(m.getNrvArmTypeStr(), "Manuelles Strangregulierventil");
    m.setNrvArmType(T(1709));
    EXPECT_EQ(m.getNrvArmTypeStr(), "Zähleinrichtungen");
}

// ---------------------------------------------------------------------------

struct SharedDetailsCase {
    std::vector<const char*> details;  // one detail text per valve
    const char* expected;
};

class ModelExecution : public ::testing::TestWithParam<SharedDetailsCase> {};

TEST_P(ModelExecution, ReportsTheSharedDetails) {
    nrvVDIArmaturenModell m;
    for (const char* d : GetParam().details)
        m.Add(T(211))->setAusfDetails(d);
    EXPECT_EQ(m.getAusfuehrung(", "), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelExecution,
    ::testing::Values(SharedDetailsCase{{}, "Fehler: Dieses Modell enthält keine Ausführungen!"},
                      SharedDetailsCase{
                          {"", ""}, "Es sind keine Ausführungsdetails in diesem Modell enthalten."},
                      SharedDetailsCase{{"Eck;Messing", "Eck;Messing;Eck"}, "Eck, Messing"},
                      SharedDetailsCase{{"Eck", "Eck", "Durchgang"},
                                        "Das Modell enthält verschiedene Ausführungs-Varianten.\n"
                                        "Bitte prüfen Sie, ob dies beabsichtigt war."}));

// ---------------------------------------------------------------------------

class ModelFile : public ::testing::Test {
protected:
    kavextest::TempDir dir;
};

TEST_F(ModelFile, WritesModelLeavesAndOneChildPerValve) {
    nrvVDIArmaturenModell m;
    m.setVersion(1);
    m.setManufacturerModel("Beispiel GmbH", "Serie A");
    m.setNrvArmType(T(201));
    m.setIdx(4);
    m.setFilename("VDI_2\\beispiel.vdi");
    m.setCatID("K:1");
    m.setRLDatum(201601);
    m.Add(T(201));
    m.Add(T(211));
    m.Add(T(1703));
    CNode root;
    ASSERT_TRUE(m.write(&root));
    EXPECT_EQ(root.GetName(), "Modell");
    EXPECT_EQ(root.FindLeaf("VER")->GetOnlyValue(), "1");
    EXPECT_EQ(root.FindLeaf("MON")->GetOnlyValue(), "Serie A");
    EXPECT_EQ(root.FindLeaf("X")->GetValues(':'),
              (std::vector<std::string>{"201", "4", "Beispiel GmbH", "VDI_2\\beispiel.vdi", "K:1",
                                        "201601"}));
    std::vector<std::string> children;
    CNode::Pos pos = root.GetFirstChildPos();
    while (CNode* child = root.GetNextChild(pos))
        children.push_back(child->GetName());
    EXPECT_EQ(children, (std::vector<std::string>{"THKV", "ARM", "ThermoDross"}));
    EXPECT_FALSE(m.write(nullptr));
}

TEST_F(ModelFile, RootOfAnotherNameIsRefusedAndTheModelStaysEmpty) {
    const std::string path = dir.file("fremd.vmf");
    kavextest::writeBytes(path, modelText("Model", "[ARM]\nX:A\n[ENDE_ARM]\n"));
    nrvVDIArmaturenModell m = modelWithSizes({15});
    m.setManufacturer("alt");
    EXPECT_FALSE(m.loadVMFFile(path));
    EXPECT_EQ(m.getSize(), 0);
    EXPECT_EQ(m.getManufacturer(), "");
}

TEST_F(ModelFile, MissingOrUnreadableFilesAreRefused) {
    nrvVDIArmaturenModell m;
    EXPECT_FALSE(m.loadVMFFile(""));
    EXPECT_FALSE(m.loadVMFFile(dir.file("fehlt.vmf")));
    kavextest::writeBytes(dir.file("kaputt.vmf"), "[Modell]\nVER:0\n");
    EXPECT_FALSE(m.loadVMFFile(dir.file("kaputt.vmf")));
    EXPECT_FALSE(m.saveVMFFile(""));
}

TEST_F(ModelFile, ModelLeavesVERAndXAreRequired) {
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"[Modell]\nMON:a\nX:201\n[ENDE_Modell]\n", false},
        {"[Modell]\nVER:0\nMON:a\n[ENDE_Modell]\n", false},
        {"[Modell]\nVER:7\nX:201\n[ENDE_Modell]\n", true},
    };
    for (const Case& c : cases) {
        auto root = TreeItems::ReadFromString(c.text);
        ASSERT_TRUE(root);
        nrvVDIArmaturenModell m;
        EXPECT_EQ(m.read(root.get()), c.ok) << c.text;
    }
    nrvVDIArmaturenModell m;
    EXPECT_FALSE(m.read(nullptr));
}

TEST_F(ModelFile, ChildrenBecomeValvesByClassNameOrAreLeftOut) {
    const std::string path = dir.file("kinder.vmf");
    kavextest::writeBytes(path, modelText("Modell",
                                          "[ARM]\nX:A-1:201:211:0:15\n[ENDE_ARM]\n"
                                          "[Unbekannt]\nX:B\n[ENDE_Unbekannt]\n"
                                          "[Zubehoer]\nX:C\n[ENDE_Zubehoer]\n"
                                          "[Dross]\nX:D\n[ENDE_Dross]\n"  // no "Y": does not read
                                          "[ARM]\nVER:1\n[ENDE_ARM]\n"    // no "X"
                                          "[Dross]\nX:E:202:202:0:20\nY:0:0:0:\n"
                                          "KVE_F::1\nKVE_S::1\nKVW::0.5\n[ENDE_Dross]\n"));
    nrvVDIArmaturenModell m;
    ASSERT_TRUE(m.loadVMFFile(path));
    EXPECT_EQ(m.getModelType(), "Serie A");
    EXPECT_EQ(m.getManufacturer(), "Beispiel GmbH");
    EXPECT_EQ(m.getNrvArmType(), 201);
    EXPECT_EQ(m.getIdx(), 4);
    EXPECT_EQ(m.getFilename(), "beispiel.vdi");
    EXPECT_EQ(m.getNrvCatID(), "K-1");
    EXPECT_EQ(m.getRLDatum(), 201601);
    ASSERT_EQ(m.getSize(), 2);
    EXPECT_EQ(m.getArmaturAt(0)->desc(), "nrvArmatur");
    EXPECT_EQ(m.getArmaturAt(0)->getArtikelNr(), "A-1");
    EXPECT_EQ(m.getArmaturAt(0)->getParent(), &m);
    EXPECT_EQ(m.getArmaturAt(1)->desc(), "nrvArmaturDross");
    EXPECT_EQ(m.getArmaturAt(1)->getArtikelNr(), "E");
}

TEST_F(ModelFile, ReadAddsToTheValvesAlreadyHeld) {
    auto root = TreeItems::ReadFromString(modelText("Modell", "[ARM]\nX:neu\n[ENDE_ARM]\n"));
    nrvVDIArmaturenModell m = modelWithSizes({15});
    ASSERT_TRUE(m.read(root.get()));
    ASSERT_EQ(m.getSize(), 2);
    EXPECT_EQ(m.getArtikelNrAt(0), "A-15");
    EXPECT_EQ(m.getArtikelNrAt(1), "neu");
}

// ---------------------------------------------------------------------------

class ModelCopy : public ::testing::Test {};

TEST_F(ModelCopy, ValvesOfUnsupportedTypesAreLeftOut) {
    auto root = TreeItems::ReadFromString(
        modelText("Modell",
                  "[ARM]\nX:eins:201:211:0:15\n[ENDE_ARM]\n"
                  "[ARM]\nX:ueberstroem:201:206:0:15\n[ENDE_ARM]\n"  // a type without class
                  "[ARM]\nX:falsch:201:202:0:15\n[ENDE_ARM]\n"       // its type makes another class
                  "[ARM]\nX:zwei:1701:1701:0:20\n[ENDE_ARM]\n"));
    nrvVDIArmaturenModell source;
    ASSERT_TRUE(source.read(root.get()));
    ASSERT_EQ(source.getSize(), 4);

    nrvVDIArmaturenModell copy = modelWithSizes({99});
    copy = source;
    ASSERT_EQ(copy.getSize(), 2);
    EXPECT_EQ(copy.getArtikelNrAt(0), "eins");
    EXPECT_EQ(copy.getArtikelNrAt(1), "zwei");
    EXPECT_EQ(copy.getArmaturAt(0)->getParent(), &copy);
    EXPECT_EQ(copy.getManufacturer(), "Beispiel GmbH");
    EXPECT_EQ(copy.getNrvCatID(), "K-1");
    EXPECT_EQ(copy.getRLDatum(), 201601);
    EXPECT_EQ(copy.getIdx(), 4);
    EXPECT_EQ(copy.getFilename(), "beispiel.vdi");
    EXPECT_EQ(copy.getNrvArmType(), 201);
}

TEST_F(ModelCopy, CopiesAreDeepAndOfTheSameClass) {
    nrvVDIArmaturenModell source;
    source.setModel("Serie A");
    auto* dross = static_cast<nrvArmaturDross*>(source.Add(T(202)));
    dross->setTyp(202);
    dross->getKurve().addCurveNode(1.0f, "1", 0.25f);
    dross->setDpmax(200.0f);

    const nrvVDIArmaturenModell copy(source);
    ASSERT_EQ(copy.getSize(), 1);
    EXPECT_NE(copy.getArmaturAt(0), source.getArmaturAt(0));
    EXPECT_TRUE(copy.getArmaturAt(0)->isEqual(*dross));
    dross->getKurve().addCurveNode(2.0f, "2", 0.5f);
    EXPECT_EQ(copy.getArmaturAt(0)->getKurve().getSize(), 1);

    nrvBaseArmaturen::nrvArmaturenModell plain;
    nrvVDIArmaturenModell target;
    EXPECT_FALSE(target.assignFrom(plain));
    EXPECT_TRUE(target.assignFrom(source));
    EXPECT_EQ(target.getModelType(), "Serie A");
}

// ---------------------------------------------------------------------------

class ModelExport : public ::testing::Test {
protected:
    static constexpr const char* kHeader =
        "//Version;Hersteller;Modellbezeichnung;Artikel-Nr.;DN;XP;Ausführung;[Einstellung;kv;]...\n"
        "//Int;String;String;String;Int;Double;String;Einstellung;kv;\n";

    static nrvVDIArmaturenModell bodyModel() {
        nrvVDIArmaturenModell m;
        m.setManufacturerModel("Beispiel GmbH", "Serie A");
        m.setNrvArmType(T(201));
        auto* body = static_cast<nrvArmaturTHKV*>(m.Add(T(201)));
        body->setTyp(201);
        body->setArtikelNr("TK-15");
        body->setDimension(15);
        body->addAusfDetail("Eckform");
        body->addAusfDetail("vernickelt");
        body->setXp(2.0);
        body->getKvKurve().addCurveNode(1.0f, "1", 0.125f);
        body->getKvKurve().addCurveNode(2.5f, "2.5", 0.25f);
        body->getKvKurve().addCurveNode(nrvBaseArmaturen::curveNode::NoNumericSetting, "N", 0.5f);
        return m;
    }

    kavextest::TempDir dir;
};

TEST_F(ModelExport, WritesHeaderAndOneLinePerValveAppending) {
    const std::string path = dir.file("export.txt");
    kavextest::writeBytes(path, "vorher\n");
    const nrvVDIArmaturenModell m = bodyModel();
    ASSERT_TRUE(m.appendDataToFile(path));
    const std::string line =
        "1;Beispiel GmbH;Serie A;TK-15;15;2.0;Eckform, vernickelt;1;0.125;2.5;0.25;N;0.5;\n";
    EXPECT_EQ(kavextest::readBytes(path), "vorher\n" + std::string(kHeader) + line);
    ASSERT_TRUE(m.appendDataToFile(path));
    EXPECT_EQ(kavextest::readBytes(path),
              "vorher\n" + std::string(kHeader) + line + std::string(kHeader) + line);
}

TEST_F(ModelExport, CreatesAMissingFile) {
    const std::string path = dir.file("neu.txt");
    ASSERT_TRUE(bodyModel().appendDataToFile(path));
    EXPECT_EQ(kavextest::readBytes(path).rfind(kHeader, 0), 0u);
}

TEST_F(ModelExport, OtherTypesAndBadPathsAreRefusedAndTheFileIsUntouched) {
    const std::string path = dir.file("export.txt");
    kavextest::writeBytes(path, "vorher\n");
    nrvVDIArmaturenModell m = bodyModel();
    m.setNrvArmType(T(202));
    EXPECT_FALSE(m.appendDataToFile(path));
    EXPECT_EQ(kavextest::readBytes(path), "vorher\n");
    EXPECT_FALSE(bodyModel().appendDataToFile(""));
    EXPECT_FALSE(bodyModel().appendDataToFile(dir.file("fehlt/export.txt")));
}
