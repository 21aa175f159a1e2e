// Trees written to text and read back are the same trees: randomized trees and
// a realistic model file and project section.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "support/tempdir.h"

namespace {

using Values = std::vector<std::string>;

// Item by item: names, kinds, order and stored texts, each length-prefixed so
// that no name or text can pass for another.
std::string dump(const CNode& node) {
    auto field = [](const std::string& s) { return std::to_string(s.size()) + ":" + s; };
    std::string out = "[" + field(node.GetName());
    for (const auto& item : node.Items()) {
        out += item->IsNode() ? dump(static_cast<const CNode&>(*item))
                              : field(item->GetName()) + "=" +
                                    field(static_cast<const CLeaf&>(*item).GetRawText());
    }
    return out + "]";
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
        for (int i = pick(0, 40); i > 0; --i) {
            CNode* at = open[std::size_t(pick(0, int(open.size()) - 1))];
            if (pick(0, 9) < 3)
                open.push_back(at->AddChild(name()));
            else
                addLeaf(*at);
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

    std::string text(int maxPieces) {
        static const char* const pieces[] = {
            "a",   "Z",     "0", "7",  ":",  ";",  "[",    "]",     "%",        "%41",
            "%zz", "\\",    " ", "\t", "\r", "\n", "\r\n", "ä",     "€",        "³",
            "°",   "ENDE_", "-", ".",  "=",  "/",  "%0A",  "KVE_F", "[ENDE_x]", "\xEF\xBB\xBF"};
        std::string s;
        for (int n = pick(0, maxPieces); n > 0; --n)
            s += pieces[pick(0, int(std::size(pieces)) - 1)];
        return s;
    }

    // Names that look like a closing line, an opening line or indentation.
    std::string name() {
        static const char* const starts[] = {"ENDE_", "[", " "};
        const int kind = pick(0, 7);
        return kind < 3 ? starts[kind] + text(2) : text(4);
    }

    void addLeaf(CNode& node) {
        const std::string leafName = name();
        Values expected;
        CLeaf* leaf = nullptr;
        const int kind = pick(0, 3);
        if (kind == 0) {
            expected = {text(6)};
            leaf = node.AddLeaf(leafName, std::string_view(expected[0]));
        } else if (kind == 1) {  // numbers, formatted by the leaf
            leaf = pick(0, 1) ? node.AddLeaf(leafName, pick(-100000, 100000))
                              : node.AddLeaf(leafName, pick(-100000, 100000) / 7.0);
        } else {
            leaf = node.AddLeaf(leafName, static_cast<const char*>(nullptr));  // empty
            CLeaf::InitSetValues(':');
            for (int n = kind == 2 ? 0 : pick(1, 8); n > 0; --n) {
                expected.push_back(text(4));
                if (expected.size() == 1)
                    leaf->SetFirstValue(expected.back());
                else
                    leaf->SetNextValue(expected.back());
            }
            CLeaf::ExitSetValues();
        }
        if (expected == Values{""}) expected.clear();  // one empty value is no value
        if (kind != 1 && leaf->GetValues() != expected) ++failures;
    }

    std::mt19937 m_rng;
};

TEST(TreeStoreRoundTrip, RandomTreesSurviveEveryWriteForm) {
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomTrees gen(seed);
        auto tree = gen.make();
        ASSERT_EQ(gen.failures, 0);

        // Plain, indented with a byte-order mark, and with CRLF line ends.
        const std::string text = textOf(*tree);
        std::string crlf;
        for (char c : text)
            crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        for (const std::string& form : {text, textOf(*tree, true, true, 2), crlf}) {
            auto back = TreeItems::ReadFromString(form);
            ASSERT_TRUE(back) << form;
            ASSERT_EQ(dump(*back), dump(*tree));
            EXPECT_EQ(textOf(*back), text);
        }

        // The project node writes the same text form.
        auto pro = CProNodeBase::ReadFromString(text);
        ASSERT_TRUE(pro);
        std::string proText;
        ASSERT_TRUE(pro->WriteToString(proText));
        EXPECT_EQ(proText, text);
        EXPECT_EQ(dump(*pro->ToNode()), dump(*tree));
    }
}

// --- realistic files ----------------------------------------------------

constexpr std::string_view kModelFile =
    "[Modell]\n\tVER:0\n\tMON:Serie A%3A Thermostat\n\tX:201:0:Beispiel GmbH:beispiel.vdi::201601\n"
    "\t[THKV]\n\t\tVER:1\n"
    "\t\tX:4711-015:201:201:1:15:120.000000:10.000000:0.600000:0.890000:::4012345678901:DN:"
    "0.000000:0.000000::1:0\n"
    "\t\tAD:Eckform;vernickelt;50%25 Glykol\n\t\tANS:RP 1/2:0:Eingang:R 1/2:1:Ausgang\n"
    "\t\tZubehoer:Z-1:Kappe:3:201:1:1.000000:0:1:0:\n\t\tY:\n"
    "\t\t[CK]\n\t\t\tXP:2.000000:0.000000:0.000000:0.000000:N\n\t\t\tKVE_F:-:1.000000:2.000000\n"
    "\t\t\tKVE_S:-:1:2\n\t\t\tKVW:m³/h:0.120000:0.250000\n\t\t[ENDE_CK]\n"
    "\t[ENDE_THKV]\n[ENDE_Modell]\n";

TEST(TreeStoreRealistic, ModelFileRoundTripsThroughAFile) {
    kavextest::TempDir dir;
    const std::string path = dir.file("Müller & Söhne.vmf");
    kavextest::writeBytes(path, std::string(kModelFile));
    auto tree = TreeItems::ReadFromFile(path);
    ASSERT_TRUE(tree);
    ASSERT_TRUE(tree->WriteToFile(path, false, true, false, 0, ':'));
    EXPECT_EQ(kavextest::readBytes(path), kModelFile);
    // UTF-8 without a byte-order mark stays UTF-8, not code page 1252.
    EXPECT_EQ(tree->GetStrLeafValue("THKV/CK", "KVW", 0), "m³/h");
}

TEST(TreeStoreRealistic, ProjectSectionRoundTripsThroughProjectNodes) {
    auto modelTree = TreeItems::ReadFromString(kModelFile);
    ASSERT_TRUE(modelTree);
    std::string model;
    ASSERT_TRUE(modelTree->WriteToString(model, false, false, false));
    const std::string section = "[Armature]\r\nHeader:Armature;2;1;7;4446;Heizkörper: EG;0;\n" +
                                model + "\r\n[ENDE_Armature]";

    CProNodeBase global("GlobalArmatures");
    for (int i = 0; i < 2; ++i) {
        auto parsed = CProNodeBase::ReadFromString(section);
        ASSERT_TRUE(parsed);
        global.AddChild(std::move(parsed));
    }
    global.AddAttr("LastArmaturesId", 7);
    global.AddAttr("Anteil", 0.5);
    std::string first, second, sectionText;
    ASSERT_TRUE(global.WriteToString(first));
    auto reread = CProNodeBase::ReadFromString(first);
    ASSERT_TRUE(reread && reread->WriteToString(second));
    EXPECT_EQ(second, first);

    CProNodeBase* armature = nullptr;
    EXPECT_FALSE(reread->findChild("LastArmaturesId", armature));
    EXPECT_EQ(armature, nullptr);
    ASSERT_TRUE(reread->findChild("Armature", armature));
    EXPECT_EQ(armature, reread->Children().front());
    EXPECT_EQ(reread->Children().size(), 2u);
    EXPECT_EQ(reread->GetAttr("LastArmaturesId") + "|" + reread->GetAttr("Anteil") + "|" +
                  reread->GetAttr("fehlt"),
              "7|0.500000|");
    EXPECT_TRUE(reread->HasAttr("LastArmaturesId") && !reread->HasAttr("Armature"));
    EXPECT_FALSE(global.AddChild(std::unique_ptr<CProNodeBase>()));
    EXPECT_EQ(armature->GetAttr("Header"), "Armature;2;1;7;4446;Heizkörper: EG;0;");
    armature->WriteToString(sectionText);
    EXPECT_EQ(sectionText, "[Armature]\nHeader:Armature;2;1;7;4446;Heizkörper: EG;0;\n" + model +
                               "\n[ENDE_Armature]\n");
    // The model inside keeps its leaves of several values.
    CProNodeBase* modell = nullptr;
    ASSERT_TRUE(armature->findChild("Modell", modell));
    EXPECT_EQ(dump(*modell->ToNode()), dump(*modelTree));
}

}  // namespace
