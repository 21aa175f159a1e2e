#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "support/tempdir.h"

namespace {

using Values = std::vector<std::string>;

// Item by item: names, kinds, order, stored texts and decoded values.
::testing::AssertionResult sameTree(const CNode& a, const CNode& b) {
    std::vector<std::pair<const CNode*, const CNode*>> work{{&a, &b}};
    while (!work.empty()) {
        auto [x, y] = work.back();
        work.pop_back();
        if (x->GetName() != y->GetName()) {
            return ::testing::AssertionFailure()
                   << "node '" << x->GetName() << "' vs '" << y->GetName() << "'";
        }
        if (x->Items().size() != y->Items().size()) {
            return ::testing::AssertionFailure() << "item count in '" << x->GetName() << "'";
        }
        for (std::size_t i = 0; i < x->Items().size(); ++i) {
            const CTreeItem& p = *x->Items()[i];
            const CTreeItem& q = *y->Items()[i];
            if (p.IsNode() != q.IsNode() || p.GetName() != q.GetName()) {
                return ::testing::AssertionFailure()
                       << "item " << i << " '" << p.GetName() << "' vs '" << q.GetName() << "'";
            }
            if (p.IsNode()) {
                work.emplace_back(static_cast<const CNode*>(&p), static_cast<const CNode*>(&q));
                continue;
            }
            const auto& l = static_cast<const CLeaf&>(p);
            const auto& m = static_cast<const CLeaf&>(q);
            if (l.GetRawText() != m.GetRawText() || l.GetValues() != m.GetValues()) {
                return ::testing::AssertionFailure()
                       << "leaf '" << l.GetName() << "': '" << l.GetRawText() << "' vs '"
                       << m.GetRawText() << "'";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::string textOf(const CNode& node, bool bom = false, bool indent = false, int level = 0) {
    std::string text;
    EXPECT_TRUE(node.WriteToString(text, bom, indent, true, level));
    return text;
}

// --- randomized trees ---------------------------------------------------

class RandomTrees {
public:
    explicit RandomTrees(unsigned seed) : m_rng(seed) {}

    std::unique_ptr<CNode> make() {
        auto root = std::make_unique<CNode>(name());
        std::vector<CNode*> open{root.get()};
        const int items = pick(0, 40);
        for (int i = 0; i < items && !open.empty(); ++i) {
            CNode* at = open[static_cast<std::size_t>(pick(0, static_cast<int>(open.size()) - 1))];
            const int kind = pick(0, 9);
            if (kind < 3) {
                open.push_back(at->AddChild(name()));
            } else {
                addLeaf(*at);
            }
        }
        if (pick(0, 3) == 0) {  // a long chain
            CNode* tip = open.back();
            for (int d = pick(50, 400); d > 0; --d)
                tip = tip->AddChild(name());
            addLeaf(*tip);
        }
        return root;
    }

    int failures = 0;  // values that did not survive encoding into the leaf

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    std::string piece() {
        static const std::vector<std::string> pieces = {
            "a",   "Z",   "0",     "7",     ":",  ";",  "[",        "]",    "%",
            "%41", "%zz", "\\",    " ",     "\t", "\r", "\n",       "\r\n", "ä",
            "€",   "³",   "°",     "ENDE_", "-",  ".",  "[ENDE_x]", "=",    "\xEF\xBB\xBF",
            "/",   "%0A", "KVE_F",
        };
        return pieces[static_cast<std::size_t>(pick(0, static_cast<int>(pieces.size()) - 1))];
    }

    std::string text(int maxPieces) {
        std::string s;
        for (int n = pick(0, maxPieces); n > 0; --n)
            s += piece();
        return s;
    }

    std::string name() {
        switch (pick(0, 7)) {
            case 0:
                return "ENDE_" + text(2);
            case 1:
                return "[" + text(2);
            case 2:
                return " " + text(2);
            default:
                return text(4);
        }
    }

    void addLeaf(CNode& node) {
        std::string leafName = name();
        Values expected;
        CLeaf* leaf = nullptr;
        switch (pick(0, 4)) {
            case 0:
                expected = {text(6)};
                leaf = node.AddLeaf(leafName, std::string_view(expected[0]));
                break;
            case 1:
                leaf = node.AddLeaf(leafName, pick(-100000, 100000));
                expected = {leaf->GetOnlyValue()};
                break;
            case 2:
                leaf = node.AddLeaf(leafName, pick(-100000, 100000) / 7.0);
                expected = {leaf->GetOnlyValue()};
                break;
            case 3:
                leaf = node.AddLeaf(leafName, static_cast<const char*>(nullptr));
                break;
            default: {
                leaf = node.AddLeaf(leafName, static_cast<const char*>(nullptr));
                CLeaf::InitSetValues(':');
                for (int n = pick(1, 8); n > 0; --n) {
                    expected.push_back(text(4));
                    if (expected.size() == 1) {
                        leaf->SetFirstValue(expected.back());
                    } else {
                        leaf->SetNextValue(expected.back());
                    }
                }
                CLeaf::ExitSetValues();
            }
        }
        // One empty value and no value are the same leaf.
        if (expected == Values{""}) expected.clear();
        if (leaf->GetValues() != expected) ++failures;
    }

    std::mt19937 m_rng;
};

TEST(TreeStoreRoundTrip, RandomTreesSurviveEveryWriteForm) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomTrees gen(seed);
        auto tree = gen.make();
        ASSERT_EQ(gen.failures, 0);

        const std::string text = textOf(*tree);
        auto back = TreeItems::ReadFromString(text);
        ASSERT_TRUE(back) << text;
        ASSERT_TRUE(sameTree(*tree, *back));
        EXPECT_EQ(textOf(*back), text);

        // Indented with a byte-order mark, and with CRLF line ends.
        auto indented = TreeItems::ReadFromString(textOf(*tree, true, true, 2));
        ASSERT_TRUE(indented);
        EXPECT_TRUE(sameTree(*tree, *indented));
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        auto fromCrlf = TreeItems::ReadFromString(crlf);
        ASSERT_TRUE(fromCrlf);
        EXPECT_TRUE(sameTree(*tree, *fromCrlf));

        // The project node writes the same text form.
        auto pro = CProNodeBase::ReadFromString(text);
        ASSERT_TRUE(pro);
        std::string proText;
        ASSERT_TRUE(pro->WriteToString(proText));
        EXPECT_EQ(proText, text);
        EXPECT_TRUE(sameTree(*tree, *pro->ToNode()));
    }
}

// --- realistic files ----------------------------------------------------

void setValues(CLeaf* leaf, std::initializer_list<std::string_view> values) {
    CLeaf::InitSetValues(':');
    bool first = true;
    for (std::string_view v : values) {
        if (first)
            leaf->SetFirstValue(v);
        else
            leaf->SetNextValue(v);
        first = false;
    }
    CLeaf::ExitSetValues();
}

std::unique_ptr<CNode> modelTree() {
    auto root = std::make_unique<CNode>();
    root->SetName("Modell");
    root->AddLeaf("VER", 0);
    root->AddLeaf("MON", "Serie A: Thermostat");
    CLeaf* x = root->AddLeaf("X", static_cast<const char*>(nullptr));
    CLeaf::InitSetValues(':');
    x->SetFirstValue(201);
    x->SetNextValue(0);
    x->SetNextValue("Beispiel GmbH");
    x->SetNextValue("beispiel.vdi");
    x->SetNextValue("");
    x->SetNextValue(201601);
    CLeaf::ExitSetValues();
    CNode* valve = root->AddChild("THKV");
    valve->AddLeaf("VER", 1);
    setValues(valve->AddLeaf("X", ""),
              {"4711-015", "201", "201", "1", "15", "120.000000", "10.000000", "0.600000",
               "0.890000", "", "", "4012345678901", "DN", "0.000000", "0.000000", "", "1", "0"});
    valve->AddLeaf("AD", "Eckform;vernickelt;50% Glykol");
    setValues(valve->AddLeaf("ANS", ""), {"RP 1/2", "0", "Eingang", "R 1/2", "1", "Ausgang"});
    setValues(valve->AddLeaf("Zubehoer", ""),
              {"Z-1", "Kappe", "3", "201", "1", "1.000000", "0", "1", "0", ""});
    valve->AddLeaf("Y", "");
    CNode* ck = valve->AddChild("CK");
    setValues(ck->AddLeaf("XP", ""), {"2.000000", "0.000000", "0.000000", "0.000000", "N"});
    ck->AddLeaf("KVE_F", "")->SetRawText("-:1.000000:2.000000");
    ck->AddLeaf("KVE_S", "")->SetRawText("-:1:2");
    ck->AddLeaf("KVW", "")->SetRawText("m³/h:0.120000:0.250000");
    return root;
}

constexpr std::string_view kModelFile =
    "[Modell]\n"
    "\tVER:0\n"
    "\tMON:Serie A%3A Thermostat\n"
    "\tX:201:0:Beispiel GmbH:beispiel.vdi::201601\n"
    "\t[THKV]\n"
    "\t\tVER:1\n"
    "\t\tX:4711-015:201:201:1:15:120.000000:10.000000:0.600000:0.890000:::4012345678901:DN:"
    "0.000000:0.000000::1:0\n"
    "\t\tAD:Eckform;vernickelt;50%25 Glykol\n"
    "\t\tANS:RP 1/2:0:Eingang:R 1/2:1:Ausgang\n"
    "\t\tZubehoer:Z-1:Kappe:3:201:1:1.000000:0:1:0:\n"
    "\t\tY:\n"
    "\t\t[CK]\n"
    "\t\t\tXP:2.000000:0.000000:0.000000:0.000000:N\n"
    "\t\t\tKVE_F:-:1.000000:2.000000\n"
    "\t\t\tKVE_S:-:1:2\n"
    "\t\t\tKVW:m³/h:0.120000:0.250000\n"
    "\t\t[ENDE_CK]\n"
    "\t[ENDE_THKV]\n"
    "[ENDE_Modell]\n";

TEST(TreeStoreRealistic, ModelFileRoundTripsThroughAFile) {
    kavextest::TempDir dir;
    const std::string path = dir.file("modell.vmf");
    auto model = modelTree();
    ASSERT_TRUE(model->WriteToFile(path, false, true, true, 0, ':'));
    EXPECT_EQ(kavextest::readBytes(path), kModelFile);

    auto back = TreeItems::ReadFromFile(path, false);
    ASSERT_TRUE(back);
    EXPECT_TRUE(sameTree(*model, *back));
    EXPECT_EQ(back->FindLeaf("MON")->GetOnlyValue(), "Serie A: Thermostat");
    EXPECT_EQ(back->GetStrLeafValue("THKV/CK", "KVW", 0), "m³/h");
    EXPECT_EQ(back->FindChild("THKV")->FindLeaf("AD")->GetOnlyValue(),
              "Eckform;vernickelt;50% Glykol");
    const std::string again = dir.file("again.vmf");
    ASSERT_TRUE(back->WriteToFile(again, false, true, true, 0, ':'));
    EXPECT_EQ(kavextest::readBytes(again), kModelFile);
}

TEST(TreeStoreRealistic, PumpFileRoundTrips) {
    CNode root("PUMPEN");
    root.AddLeaf("VERSION", "1");
    root.AddLeaf("COMMENT", "Hersteller-Pumpendaten mit Kennlinien, technischen Daten");
    root.AddLeaf("HERSTELLER", "Pumpen AG");
    root.AddLeaf("MMD", "");
    CNode* serie = root.AddChild("SERIE");
    serie->AddLeaf("BEZ", "Umwälzer E");
    serie->AddLeaf("EB", 3);
    CNode* pumpe = serie->AddChild("PUMPE");
    pumpe->AddLeaf("BEZ", "E 25/1-6");
    pumpe->AddLeaf("ART", "4100001");
    pumpe->AddLeaf("BMP", "e25.bmp");
    pumpe->AddLeaf("PDF", "C:\\Daten\\e25.pdf");
    pumpe->AddLeaf("REG", "DPV");
    pumpe->AddLeaf("DN", 25);
    pumpe->AddLeaf("DNBEZ", "Rp 1");
    setValues(pumpe->AddLeaf("DPZUL", ""), {"10.000000", "600.000000"});
    setValues(pumpe->AddLeaf("TZUL", ""), {"-10.000000", "110.000000", "120.000000"});
    setValues(pumpe->AddLeaf("DAT", ""), {"10.000000", "230 V"});
    CNode* linie = pumpe->AddChild("LINIE");
    setValues(linie->AddLeaf("DAT", ""), {"1", "0.000000", "0.000000", "2800"});
    linie->AddLeaf("VOL", "0;1500;3000;");
    linie->AddLeaf("DPP", "500;400;0;");

    std::string text;
    ASSERT_TRUE(root.WriteToString(text, false, false, true, 0, ':'));
    EXPECT_NE(text.find("\nPDF:C%3A\\Daten\\e25.pdf\n"), std::string::npos);
    EXPECT_NE(text.find("\nVOL:0;1500;3000;\n"), std::string::npos);
    auto back = TreeItems::ReadFromString(text);
    ASSERT_TRUE(back);
    EXPECT_TRUE(sameTree(root, *back));
    const CNode* p = back->FindChild("SERIE")->FindChild("PUMPE");
    EXPECT_EQ(p->FindLeaf("PDF")->GetOnlyValue(';'), "C:\\Daten\\e25.pdf");
    EXPECT_EQ(p->FindLeaf("TZUL")->GetValues(), (Values{"-10.000000", "110.000000", "120.000000"}));
    std::string again;
    ASSERT_TRUE(back->WriteToString(again, false, false, true, 0, ':'));
    EXPECT_EQ(again, text);
}

TEST(TreeStoreRealistic, UserValveFileRoundTrips) {
    CNode root("KURVEN");
    root.AddLeaf("VERSION", 2);
    root.AddLeaf("HERST", "Müller & Söhne");
    CNode* reihe = root.AddChild("MODELLREIHE");
    reihe->AddLeaf("BEZ", "Eigene Reihe [alt]");
    reihe->AddLeaf("GEW", "HT");
    reihe->AddLeaf("ETYP", 4446);
    for (int dn : {15, 20}) {
        CNode* nw = reihe->AddChild("NENNWEITE");
        nw->AddLeaf("REC", 0);
        nw->AddLeaf("DN", "DN " + std::to_string(dn));
        nw->AddLeaf("KVS", 1.25);
        nw->AddLeaf("ART", "");
        CNode* ks = nw->AddChild("KLAPPENSTELLUNG");
        ks->AddLeaf("REG", "1/2");
        ks->AddLeaf("EINH", "°");
        ks->AddLeaf("INTP", 1);
        ks->AddLeaf("STP", 0.5);
        for (CNode* owner : {ks, nw}) {
            CNode* k = owner->AddChild("KURVE");
            k->AddLeaf("INTP", 0);
            k->AddLeaf("X", "0.00050000;1.000000;");
            k->AddLeaf("Y", "2.000000;150.000000;");
            k->AddLeaf("EINST", "");
            k->AddLeaf("DPWIRK", "0.000000;0.000000;");
        }
    }
    kavextest::TempDir dir;
    const std::string path = dir.file("Müller & Söhne.userarm");
    ASSERT_TRUE(root.WriteToFile(path, false, false, false, 0, ':'));
    const std::string written = kavextest::readBytes(path);
    auto back = TreeItems::ReadFromFile(path);
    ASSERT_TRUE(back);
    EXPECT_TRUE(sameTree(root, *back));
    const CNode* second = back->FindChild("MODELLREIHE")->FindChild("NENNWEITE");
    second = back->FindChild("MODELLREIHE")->FindChild("NENNWEITE", second);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->GetStrLeafValue("", "DN"), "DN 20");
    EXPECT_EQ(second->GetStrLeafValue("KLAPPENSTELLUNG\\KURVE", "Y"), "2.000000;150.000000;");
    ASSERT_TRUE(back->WriteToFile(path, false, false, false, 0, ':'));
    EXPECT_EQ(kavextest::readBytes(path), written);
}

TEST(TreeStoreRealistic, ProjectSectionRoundTripsThroughProjectNodes) {
    std::string model;
    ASSERT_TRUE(modelTree()->WriteToString(model, false, false, true, 0, ':'));
    while (!model.empty() && model.back() == '\n')
        model.pop_back();
    const std::string section = "[Armature]\r\nHeader:Armature;2;1;7;4446;Heizkörper: EG;0;\n" +
                                model + "\r\n[ENDE_Armature]";

    CProNodeBase global("GlobalArmatures");
    for (int i = 0; i < 2; ++i) {
        auto parsed = CProNodeBase::ReadFromString(section);
        ASSERT_TRUE(parsed);
        global.AddChild(std::move(parsed));
    }
    global.AddAttr("LastArmaturesId", 7);

    std::string first;
    ASSERT_TRUE(global.WriteToString(first));
    auto reread = CProNodeBase::ReadFromString(first);
    ASSERT_TRUE(reread);
    std::string second;
    ASSERT_TRUE(reread->WriteToString(second));
    EXPECT_EQ(second, first);

    CProNodeBase* armature = nullptr;
    ASSERT_TRUE(reread->findChild("Armature", armature));
    EXPECT_EQ(armature->GetAttr("Header"), "Armature;2;1;7;4446;Heizkörper: EG;0;");
    std::string sectionText;
    armature->WriteToString(sectionText);
    EXPECT_EQ(sectionText, "[Armature]\nHeader:Armature;2;1;7;4446;Heizkörper: EG;0;\n" + model +
                               "\n[ENDE_Armature]\n");
    // The model inside keeps its leaves of several values.
    CProNodeBase* modell = nullptr;
    ASSERT_TRUE(armature->findChild("Modell", modell));
    EXPECT_TRUE(sameTree(*modelTree(), *modell->ToNode()));
}

}  // namespace
