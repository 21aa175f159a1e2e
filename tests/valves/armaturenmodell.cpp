// The catalogue valve model: creating valves by type, access by index, the
// model file and its refusals, copies that leave out unsupported valves and
// the semicolon export.

#include "kavex/valves/armaturenmodell.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "kavex/platform/combobox.h"
#include "kavex/platform/treestore.h"
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

// --- valves by type and index ---------------------------------------------------

TEST(ModelValves, AddCreatesTheClassOfTheTypeOrNothing) {
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{211, 1701}, "nrvArmatur"},
        {{201}, "nrvArmaturTHKV"},
        {{202, 204, 1702}, "nrvArmaturDross"},
        {{203}, "nrvArmaturEAV"},
        {{205, 209}, "nrvArmaturDDR"},
        {{207, 214, 220}, "nrvArmaturDFR"},
        {{208, 210}, "nrvArmaturDDRDFR"},
        {{212}, "nrvArmaturTHKVDFR"},
        {{213}, "nrvArmaturRegelventil"},
        {{215}, "nrvArmaturRSV"},
        {{218}, "nrvArmaturSechsWegeRegelarmatur"},
        {{221}, "nrvArmaturSechsWegeRegelarmaturMitDFR"},
        {{1703}, "nrvArmaturThermoDross"},
        {{1704, 1705}, "nrvArmaturEA"},
        {{1706, 1707}, "nrvArmaturSicherung"},
        {{1708}, "nrvArmaturDruckminderer"},
        {{1709}, "nrvArmaturZaehler"},
        {{1713}, "nrvArmaturVenturi"},
        {{1722}, "nrvArmaturElektroDross"},
        {{0, 1, -201, 206, 216, 217, 219, 222, 1710, 1711, 1712, 1714, 1723}, ""}  // no class
    };
    for (const auto& [types, className] : cases) {
        for (int type : types) {
            SCOPED_TRACE(type);
            nrvVDIArmaturenModell model;
            model.Add(T(211));
            nrvArmatur* valve = model.Add(T(type));
            if (*className == '\0') {
                EXPECT_EQ(valve, nullptr);
                EXPECT_EQ(model.getSize(), 1);
                continue;
            }
            ASSERT_NE(valve, nullptr);
            EXPECT_EQ(valve->desc(), className);
            EXPECT_EQ(valve->getParent(), &model);
            EXPECT_EQ(valve->getTyp(), type);
            EXPECT_EQ(model.getArmaturAt(1), valve);
        }
    }
}

TEST(ModelValves, IndexAtCountGivesNullNegativeThrows) {
    const nrvVDIArmaturenModell m = modelWithSizes({15, 20});
    EXPECT_EQ(m.getArmaturAt(1)->getDimension(), 20);
    EXPECT_EQ(m.getArmaturAt(2), nullptr);
    EXPECT_THROW(m.getArmaturAt(-1), std::invalid_argument);
    EXPECT_EQ(m.getArtikelNrAt(0), "A-15");
    EXPECT_EQ(m.getArtikelNrAt(2), "");
    EXPECT_THROW(m.getArtikelNrAt(-1), std::invalid_argument);

    nrvListComboBox combo;
    combo.addString("alt", 42);
    m.getDimensionList(combo);
    ASSERT_EQ(combo.getCount(), 2);
    EXPECT_EQ(combo.getText(1), "20");
    EXPECT_EQ(combo.getItemData(1), reinterpret_cast<std::intptr_t>(m.getArmaturAt(1)));
}

TEST(ModelValves, SharedExecutionDetailsOrWhyThereAreNone) {
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{}, "Fehler: Dieses Modell enthält keine Ausführungen!"},
        {{"", ""}, "Es sind keine Ausführungsdetails in diesem Modell enthalten."},
        {{"Eck;Messing", "Eck;Messing;Eck"}, "Eck, Messing"},
        {{"Eck", "Eck", "Durchgang"},
         "Das Modell enthält verschiedene Ausführungs-Varianten.\n"
         "Bitte prüfen Sie, ob dies beabsichtigt war."},
    };
    for (const auto& [details, expected] : cases) {
        nrvVDIArmaturenModell m;
        for (const char* d : details)
            m.Add(T(211))->setAusfDetails(d);
        EXPECT_EQ(m.getAusfuehrung(", "), expected);
    }
}

// --- the model file ----------------------------------------------------------------------

class ModelFile : public ::testing::Test {
protected:
    kavextest::TempDir dir;
};

TEST_F(ModelFile, RefusedFilesLeaveTheModelEmpty) {
    const std::pair<const char*, std::string> files[] = {
        {"fremd.vmf", modelText("Model", "[ARM]\nX:A\n[ENDE_ARM]\n")},
        {"kaputt.vmf", "[Modell]\nVER:0\n"},
        {"ohneVER.vmf", "[Modell]\nMON:a\nX:201\n[ENDE_Modell]\n"},
        {"ohneX.vmf", "[Modell]\nVER:0\nMON:a\n[ENDE_Modell]\n"},
        {"fehlt.vmf", ""},  // not written
    };
    for (const auto& [name, text] : files) {
        if (!text.empty()) kavextest::writeBytes(dir.file(name), text);
        nrvVDIArmaturenModell m = modelWithSizes({15});
        m.setManufacturer("alt");
        EXPECT_FALSE(m.loadVMFFile(dir.file(name))) << name;
        EXPECT_EQ(m.getSize(), 0) << name;
        EXPECT_EQ(m.getManufacturer(), "") << name;
    }
    nrvVDIArmaturenModell m;
    EXPECT_FALSE(m.loadVMFFile(""));
    EXPECT_FALSE(m.saveVMFFile(""));
    EXPECT_FALSE(m.read(nullptr));
    EXPECT_FALSE(m.write(nullptr));
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
    EXPECT_EQ(m.getManufacturer(), "Beispiel GmbH");
    ASSERT_EQ(m.getSize(), 2);
    EXPECT_EQ(m.getArmaturAt(0)->desc(), "nrvArmatur");
    EXPECT_EQ(m.getArtikelNrAt(0), "A-1");
    EXPECT_EQ(m.getArmaturAt(1)->desc(), "nrvArmaturDross");
    EXPECT_EQ(m.getArtikelNrAt(1), "E");

    // read adds to the valves already held; loadVMFFile empties first.
    auto root = TreeItems::ReadFromString(modelText("Modell", "[ARM]\nX:neu\n[ENDE_ARM]\n"));
    ASSERT_TRUE(m.read(root.get()));
    ASSERT_EQ(m.getSize(), 3);
    EXPECT_EQ(m.getArtikelNrAt(2), "neu");
}

TEST(ModelCopy, ValvesOfUnsupportedTypesAreLeftOut) {
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

    nrvBaseArmaturen::nrvArmaturenModell plain;
    EXPECT_FALSE(copy.assignFrom(plain));
    EXPECT_EQ(copy.getSize(), 2);
}

// --- the semicolon export --------------------------------------------------------------

TEST_F(ModelFile, ExportAppendsHeaderAndOneLinePerValveOfABodyModelOnly) {
    nrvVDIArmaturenModell m;
    m.setManufacturerModel("Beispiel GmbH", "Serie A");
    m.setNrvArmType(T(201));
    auto* body = static_cast<nrvArmaturTHKV*>(m.Add(T(201)));
    body->setArtikelNr("TK-15");
    body->setDimension(15);
    body->setAusfDetails("Eckform;vernickelt");
    body->setXp(2.0);
    body->getKvKurve().addCurveNode(1.0f, "1", 0.125f);
    body->getKvKurve().addCurveNode(2.5f, "2.5", 0.25f);
    // A setting without numeric value (-9999) is exported by its label.
    body->getKvKurve().addCurveNode(nrvBaseArmaturen::curveNode::NoNumericSetting, "N", 0.5f);

    const std::string path = dir.file("export.txt");
    kavextest::writeBytes(path, "vorher\n");
    ASSERT_TRUE(m.appendDataToFile(path));
    ASSERT_TRUE(m.appendDataToFile(path));
    const std::string block =
        "//Version;Hersteller;Modellbezeichnung;Artikel-Nr.;DN;XP;Ausführung;[Einstellung;kv;]...\n"
        "//Int;String;String;String;Int;Double;String;Einstellung;kv;\n"
        "1;Beispiel GmbH;Serie A;TK-15;15;2.0;Eckform, vernickelt;1;0.125;2.5;0.25;N;0.5;\n";
    EXPECT_EQ(kavextest::readBytes(path), "vorher\n" + block + block);
    ASSERT_TRUE(m.appendDataToFile(dir.file("neu.txt")));
    EXPECT_EQ(kavextest::readBytes(dir.file("neu.txt")), block);

    // Another type, an empty path or a missing folder: refused, file untouched.
    EXPECT_FALSE(m.appendDataToFile(""));
    EXPECT_FALSE(m.appendDataToFile(dir.file("fehlt/export.txt")));
    m.setNrvArmType(T(202));
    EXPECT_FALSE(m.appendDataToFile(path));
    EXPECT_EQ(kavextest::readBytes(path), "vorher\n" + block + block);
}
