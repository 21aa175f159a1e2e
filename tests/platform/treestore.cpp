// The keyed tree store: encoding, reading, values, nodes, files, project nodes.
#include "kavex/platform/treestore.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "support/tempdir.h"

namespace {

using Values = std::vector<std::string>;

std::unique_ptr<CNode> read(std::string_view text) {
    return TreeItems::ReadFromString(text);
}

std::string write(const CNode& node) {
    std::string text;
    EXPECT_TRUE(node.WriteToString(text));
    return text;
}

TEST(TreeStoreEncoding, OnlyWhatSplitsBreaksOrLooksLikeAMarkerIsEscaped) {
    // kind (value, leaf name, node name), plain, encoded
    // clang-format off
    const std::tuple<int, std::string, std::string> cases[] = {
        {0, "50%", "50%25"}, {0, "a:b", "a%3Ab"}, {0, "x\r\ny", "x%0D%0Ay"}, {0, "", ""},
        {0, "a;b[c]\\d ä €", "a;b[c]\\d ä €"}, {1, " a", "%20a"}, {1, "[x]", "%5Bx]"},
        {1, "ENDE_x", "ENDE_x"}, {2, "ENDE_x", "%45NDE_x"}, {2, "\tn:[x", "%09n:[x"}};
    // clang-format on
    for (const auto& [kind, plain, encoded] : cases) {
        EXPECT_EQ(
            kind == 0 ? TreeItems::EncodeValue(plain) : TreeItems::EncodeName(plain, kind == 2),
            encoded);
        EXPECT_EQ(TreeItems::Decode(encoded), plain) << encoded;
    }
    EXPECT_EQ(TreeItems::EncodeValue("a;b:c", ';'), "a%3Bb%3Ac");
    // Only well-formed sequences decode: a hand-written '%' stays.
    for (const char* kept : {"50%", "%4", "%zz", "%"})
        EXPECT_EQ(TreeItems::Decode(kept), kept);
    EXPECT_EQ(TreeItems::Decode("100%%41%e4"), "100%A\xe4");
}

// --- reading ------------------------------------------------------------

TEST(TreeStoreReading, HandWrittenLinesReadAsWritten) {
    auto root = read(
        "\xEF\xBB\xBF\r\n[Info]\r\n\tVDI_2:VDI_2\\beispiel.vdi\r\n  Rabatt:50%\r\n"
        "\t[Sub]  \r\n\t\tLeer:\r\n\t[ENDE_Sub]\r\n\r\n[ENDE_Info]\r\n\n");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "Info");
    EXPECT_EQ(root->FindLeaf("VDI_2")->GetValues(), Values{"VDI_2\\beispiel.vdi"});
    EXPECT_EQ(root->FindLeaf("Rabatt")->GetOnlyValue(), "50%");
    ASSERT_TRUE(root->FindChild("Sub"));
    EXPECT_FALSE(root->FindChild("Sub")->FindLeaf("Leer")->InitGetValues());
    // The closing name is compared decoded.
    auto encoded = read("[a%41]\n[ENDE_aA]\n");
    ASSERT_TRUE(encoded);
    EXPECT_EQ(write(*encoded), "[aA]\n[ENDE_aA]\n");
}

TEST(TreeStoreReading, MalformedTextsAreNotTrees) {
    using namespace std::string_view_literals;
    // clang-format off
    const std::string_view texts[] = {
        "", "\n \t\n", "[A]\n", "[A]\n[ENDE_B]\n", "X:1\n[A]\n[ENDE_A]\n", "[A]\n[ENDE_A]\nX:1\n",
        "[A]\n[ENDE_A]\n[B]\n[ENDE_B]\n", "[A]\nno separator\n[ENDE_A]\n", "[A\n[ENDE_A]\n",
        "[A]\n[\n[ENDE_A]\n", "[ENDE_A]\n", "[A]\n[B]\n[ENDE_A]\n[ENDE_B]\n", "[A]\n[ENDE_A]\n[ENDE_A]\n",
        "[A]x\n[ENDE_A]\n", "\0\x01\xff"sv};
    // clang-format on
    for (const auto& text : texts) {
        EXPECT_FALSE(read(text)) << text;
        EXPECT_FALSE(CProNodeBase::ReadFromString(text)) << text;
    }
}

TEST(TreeStoreReading, HundredThousandLevelsReadWriteAndFree) {
    constexpr int kDepth = 100000;
    std::string text;
    for (int i = 0; i < kDepth; ++i)
        text += "[N]\n";
    text += "L:deepest\n";
    for (int i = 0; i < kDepth; ++i)
        text += "[ENDE_N]\n";

    auto root = read(text);
    ASSERT_TRUE(root);
    const CNode* node = root.get();
    int depth = 1;
    while (const CNode* child = node->GetFirstChild())
        node = child, ++depth;
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(root->FindLeaf("L", nullptr, true)->GetOnlyValue(), "deepest");
    EXPECT_EQ(write(*root), text);

    auto pro = CProNodeBase::ReadFromString(text);
    ASSERT_TRUE(pro);
    std::string proText, fromNode;
    pro->WriteToString(proText);
    CProNodeBase::FromNode(*root)->WriteToString(fromNode);
    EXPECT_EQ(proText, text);
    EXPECT_EQ(fromNode, text);
    EXPECT_EQ(write(*pro->ToNode()), text);
    root->RemoveAll();  // frees without recursion, as the destructors do
    EXPECT_EQ(root->NrOfChildren(), 0);
}

// --- values -------------------------------------------------------------

TEST(TreeStoreValues, GetReturnsTrueWhileFurtherValuesFollow) {
    auto root = read("[M]\nX:201:0:Beispiel GmbH:beispiel.vdi::201601\n[ENDE_M]\n");
    const CLeaf* x = root->FindLeaf("X");
    ASSERT_TRUE(x->InitGetValues());
    int type = -1, index = -1, date = -1, extra = 77;
    std::string maker, file, cat = "unchanged";
    EXPECT_TRUE(x->GetFirstValue(type) && x->GetNextValue(index) && x->GetNextValue(maker) &&
                x->GetNextValue(file) && x->GetNextValue(cat));
    EXPECT_FALSE(x->GetNextValue(date));
    EXPECT_EQ(std::tie(type, index, maker, file, cat, date),
              std::make_tuple(201, 0, "Beispiel GmbH", "beispiel.vdi", "", 201601));
    // Behind the last value nothing is stored: an older, shorter leaf leaves
    // the caller's defaults.
    EXPECT_FALSE(x->GetNextValue(extra));
    EXPECT_EQ(extra, 77);
    EXPECT_EQ(x->NrOfValues(), 6u);

    // An empty leaf has no values, but its first value reads as empty.
    CLeaf empty("E");
    std::string text = "old";
    int number = 5;
    EXPECT_FALSE(empty.InitGetValues() || empty.GetFirstValue(text) || empty.GetFirstValue(number));
    EXPECT_EQ(text + std::to_string(number) + std::to_string(empty.NrOfValues()), "00");
}

TEST(TreeStoreValues, NumbersParseLikeTheCRuntime) {
    // raw text -> int, double, bool
    const std::tuple<std::string, int, double, bool> cases[] = {
        {"12abc", 12, 12.0, true}, {"-3.5e2x", -3, -350.0, true}, {"abc", 0, 0.0, false},
        {"", 0, 0.0, false},       {"1%2C5", 1, 1.0, true},       {"0.25", 0, 0.25, true},
        {" TRUE ", 0, 0.0, true},  {"nein", 0, 0.0, false}};
    for (const auto& [raw, i, d, b] : cases) {
        CLeaf leaf("N");
        leaf.SetRawText(raw + ":next");
        int gotI = -1;
        double gotD = -1;
        float gotF = -1;
        bool gotB = !b;
        EXPECT_TRUE(leaf.GetFirstValue(gotI) && leaf.GetFirstValue(gotD) &&
                    leaf.GetFirstValue(gotF) && leaf.GetFirstValue(gotB))
            << raw;
        EXPECT_EQ(std::tie(gotI, gotD, gotF, gotB), std::make_tuple(i, d, float(d), b)) << raw;
    }
}

TEST(TreeStoreValues, SetValuesEncodeEachValueAndFormatNumbers) {
    CLeaf leaf("X");
    CLeaf::InitSetValues(':');
    leaf.SetFirstValue(201);
    leaf.SetNextValue(1.5);
    leaf.SetNextValue("C:\\x 50%");
    leaf.SetNextValue("");
    leaf.SetNextValue(static_cast<const char*>(nullptr));
    CLeaf::ExitSetValues();
    EXPECT_EQ(leaf.GetRawText(), "201:1.500000:C%3A\\x 50%25::");
    EXPECT_EQ(leaf.GetValues(), (Values{"201", "1.500000", "C:\\x 50%", "", ""}));

    CNode node("N");
    node.AddLeaf("I", 42);
    node.AddLeaf("D", 1.5);
    EXPECT_EQ(node.AddLeaf("T", "a:b%")->NrOfValues(), 1u);
    node.AddLeaf("E", static_cast<const char*>(nullptr));
    EXPECT_EQ(write(node), "[N]\nI:42\nD:1.500000\nT:a%3Ab%25\nE:\n[ENDE_N]\n");

    // The separator of the Set calls is per thread.
    CLeaf::InitSetValues(';');
    std::thread([&] {
        leaf.SetFirstValue("a");
        leaf.SetNextValue("b");
    }).join();
    EXPECT_EQ(leaf.GetRawText(), "a:b");
    leaf.SetNextValue("c;d");
    CLeaf::ExitSetValues();
    EXPECT_EQ(leaf.GetRawText(), "a:b;c%3Bd");
    EXPECT_EQ(leaf.GetValues(';'), (Values{"a:b", "c;d"}));
}

TEST(TreeStoreValues, OnlyValueAndPathsToLeaves) {
    auto root = read(
        "[Modell]\nPDF:C:\\daten\\p.pdf\nX:201:0\nD:2.5e1x\n[THKV]\n[CK]\nKVW:m3/h::0.25\n"
        "[ENDE_CK]\n[ENDE_THKV]\n[ENDE_Modell]\n");
    ASSERT_TRUE(root);
    // The whole text, whatever the separator: a hand-written path stays whole.
    EXPECT_EQ(root->FindLeaf("PDF")->GetOnlyValue(':'), "C:\\daten\\p.pdf");
    EXPECT_EQ(root->FindLeaf("X")->GetOnlyValueI(), 201);
    EXPECT_DOUBLE_EQ(root->FindLeaf("D")->GetOnlyValueD(), 25.0);
    // path, leaf, value index -> value or the default
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"", "PDF", 0, "C"},          {"THKV\\CK", "KVW", 0, "m3/h"}, {"THKV/CK", "KVW", 2, "0.25"},
        {"/THKV//CK/", "KVW", 1, ""}, {"THKV/CK", "KVW", 3, "def"},   {"THKV/CK", "KVW", -1, "def"},
        {"THKV/XX", "KVW", 0, "def"}, {"THKV", "KVW", 0, "def"},      {"", "FEHLT", 0, "def"}};
    for (auto [path, leaf, index, expected] : cases)
        EXPECT_EQ(root->GetStrLeafValue(path, leaf, index, ':', "def"), expected)
            << path << " " << leaf << " " << index;
    EXPECT_EQ(root->GetStrLeafValue("", "FEHLT"), "");
}

// --- nodes --------------------------------------------------------------

class TreeStoreNode : public ::testing::Test {
protected:
    void SetUp() override {
        root = read(
            "[V]\nX:1\n[CK]\nN:1\n[ENDE_CK]\nY:2\n[CK2]\n[CK]\nN:deep\n[ENDE_CK]\n[ENDE_CK2]\n"
            "[CK]\nN:2\n[ENDE_CK]\nX:3\n[CK]\nN:3\n[ENDE_CK]\n[ENDE_V]\n");
        ASSERT_TRUE(root);
    }
    // The "N" values of the child nodes named CK, found one behind the other.
    std::string walkCK(bool recursive) const {
        std::string out;
        for (CNode* ck = root->FindChild("CK", nullptr, recursive); ck;
             ck = root->FindChild("CK", ck, recursive))
            out += ck->FindLeaf("N")->GetOnlyValue() + " ";
        return out;
    }
    std::unique_ptr<CNode> root;
};

TEST_F(TreeStoreNode, FindCursorsAndPositionsWalkInStoredOrder) {
    EXPECT_EQ(walkCK(false), "1 2 3 ");
    EXPECT_EQ(walkCK(true), "1 deep 2 3 ");
    EXPECT_FALSE(root->FindChild("CK", root->FindChild("CK2")->FindChild("CK")));  // not ours
    EXPECT_FALSE(root->FindChild("FEHLT"));
    std::string xs, ns, byCursor, byPos, leaves;
    for (CLeaf* x = root->FindLeaf("X"); x; x = root->FindLeaf("X", x))
        xs += x->GetOnlyValue();
    for (CLeaf* n = root->FindLeaf("N", nullptr, true); n; n = root->FindLeaf("N", n, true))
        ns += n->GetOnlyValue() + " ";
    EXPECT_EQ(xs + "|" + ns, "13|1 deep 2 3 ");

    // Cursors and positions visit child nodes only.
    EXPECT_EQ(std::make_pair(root->NrOfChildren(), root->NrOfLeaves()), std::make_pair(4, 3));
    for (CNode* c = root->GetFirstChild(); c; c = root->GetNextChild())
        byCursor += c->GetName() + " ";
    for (CNode::Pos pos = root->GetFirstChildPos(); pos != CNode::npos;)
        byPos += root->GetNextChild(pos)->GetName() + " ";
    EXPECT_EQ(byCursor, "CK CK2 CK CK ");
    EXPECT_EQ(byPos, byCursor);
    EXPECT_FALSE(root->GetNextChild());
    CNode::Pos bad = 0;  // item 0 is a leaf
    EXPECT_FALSE(root->GetNextChild(bad));
    EXPECT_EQ(bad, CNode::npos);

    // Removing the current child keeps the walk on the next one.
    CNode* first = root->GetFirstChild();
    EXPECT_TRUE(root->RemoveItem(root->GetNextChild()));
    EXPECT_EQ(root->GetNextChild(), root->FindChild("CK", first));
    for (CLeaf* l = root->GetFirstLeaf(); l; l = root->GetNextLeaf())
        leaves += l->GetName();
    EXPECT_EQ(leaves, "XYX");
}

TEST_F(TreeStoreNode, AdoptingMovesItemsAndRefusesCycles) {
    CNode other("O");
    CNode* ck2 = root->FindChild("CK2");
    EXPECT_EQ(other.AddChild(ck2), ck2);
    EXPECT_EQ(ck2->GetParentNode(), &other);
    EXPECT_FALSE(root->FindChild("CK2"));
    CLeaf* y = root->FindLeaf("Y");
    EXPECT_EQ(other.AddLeaf(y), y);
    EXPECT_FALSE(root->FindLeaf("Y"));

    CNode* inner = ck2->FindChild("CK");
    EXPECT_FALSE(inner->AddChild(&other));  // an ancestor
    EXPECT_FALSE(inner->AddChild(inner));
    EXPECT_FALSE(other.AddChild(static_cast<CNode*>(nullptr)));
    EXPECT_FALSE(other.AddLeaf(static_cast<CLeaf*>(nullptr)));
    EXPECT_FALSE(other.RemoveItem(root->FindChild("CK")));
    other.AddChild(std::make_unique<CNode>("L"))->AddLeaf("A", 1);
    EXPECT_EQ(
        write(other),
        "[O]\n[CK2]\n[CK]\nN:deep\n[ENDE_CK]\n[ENDE_CK2]\nY:2\n[L]\nA:1\n[ENDE_L]\n[ENDE_O]\n");
    EXPECT_EQ(write(*root),
              "[V]\nX:1\n[CK]\nN:1\n[ENDE_CK]\n[CK]\nN:2\n[ENDE_CK]\nX:3\n[CK]\nN:3\n"
              "[ENDE_CK]\n[ENDE_V]\n");
}

// --- writing and files --------------------------------------------------

TEST(TreeStoreWriting, OptionsShapeTheText) {
    CNode node("A");
    node.AddChild("B")->AddLeaf("x", "1");
    std::string text;
    ASSERT_TRUE(node.WriteToString(text, false, true, true, 1));
    EXPECT_EQ(text, "\t[A]\n\t\t[B]\n\t\t\tx:1\n\t\t[ENDE_B]\n\t[ENDE_A]\n");
    ASSERT_TRUE(node.WriteToString(text, true, false, false, 3));
    EXPECT_EQ(text, "\xEF\xBB\xBF[A]\n[B]\nx:1\n[ENDE_B]\n[ENDE_A]");
    EXPECT_FALSE(node.WriteToString(text, false, false, true, 0, ';'));
    EXPECT_EQ(text, "\xEF\xBB\xBF[A]\n[B]\nx:1\n[ENDE_B]\n[ENDE_A]");  // untouched

    // A stored text with a line break cannot break the line.
    node.AddLeaf("r", "")->SetRawText("a\nb\r");
    auto back = read(write(node));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->FindLeaf("r")->GetOnlyValue(), "a\nb\r");
}

TEST(TreeStoreFiles, WriteAndReadFiles) {
    kavextest::TempDir dir;
    CNode node("Modell");
    node.AddLeaf("MON", "Größe € 3");
    const std::string path = dir.file("m.vmf");
    ASSERT_TRUE(node.WriteToFile(path, true));
    EXPECT_EQ(kavextest::readBytes(path), "\xEF\xBB\xBF[Modell]\n\tMON:Größe € 3\n[ENDE_Modell]\n");
    EXPECT_FALSE(node.WriteToFile(dir.file("fehlt/m.vmf")));
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("fehlt.vmf")));

    // A file that is not UTF-8 is code page 1252.
    kavextest::writeBytes(path, "[Info]\r\nName:M\xFCller \x80 \xB3\r\n[ENDE_Info]\r\n");
    auto root = TreeItems::ReadFromFile(path);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->FindLeaf("Name")->GetOnlyValue(), "Müller € ³");

    // Reading into a pointer replaces the caller's root on request.
    CNode* replaced = new CNode("old");
    ASSERT_TRUE(TreeItems::ReadFromFile(path, replaced, true));
    EXPECT_EQ(replaced->GetName(), "Info");
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("none"), replaced, true));
    EXPECT_EQ(replaced, nullptr);
    CNode kept("kept");
    CNode* other = &kept;
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("none"), other, false));
    EXPECT_EQ(other, &kept);
}

}  // namespace
