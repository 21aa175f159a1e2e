#include "kavex/platform/treestore.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
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

// --- encoding -----------------------------------------------------------

struct CodecCase {
    std::string plain;
    std::string encoded;
};

TEST(TreeStoreEncoding, ValuesEscapeOnlyWhatSplitsOrBreaksALine) {
    const std::vector<CodecCase> cases = {
        {"50%", "50%25"},           {"%41", "%2541"},
        {"a:b", "a%3Ab"},           {"x\r\ny", "x%0D%0Ay"},
        {"a;b[c]\\d", "a;b[c]\\d"}, {" \tlead and trail\t ", " \tlead and trail\t "},
        {"ä € ³ °", "ä € ³ °"},     {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TreeItems::EncodeValue(c.plain), c.encoded) << c.plain;
        EXPECT_EQ(TreeItems::Decode(c.encoded), c.plain) << c.encoded;
    }
    EXPECT_EQ(TreeItems::EncodeValue("a;b:c", ';'), "a%3Bb%3Ac");
}

TEST(TreeStoreEncoding, NamesEscapeWhatLooksLikeIndentationOrAMarker) {
    const std::vector<CodecCase> leafCases = {
        {" a", "%20a"},       {"\tb", "%09b"}, {"[x]", "%5Bx]"}, {"a:b", "a%3Ab"},
        {"ENDE_x", "ENDE_x"}, {"a[b", "a[b"},  {"50%", "50%25"},
    };
    for (const auto& c : leafCases)
        EXPECT_EQ(TreeItems::EncodeName(c.plain, false), c.encoded);
    const std::vector<CodecCase> nodeCases = {
        {"ENDE_x", "%45NDE_x"}, {"ENDE_", "%45NDE_"}, {"[x", "[x"},
        {"a:b", "a:b"},         {" n", "%20n"},       {"x\ny", "x%0Ay"},
    };
    for (const auto& c : nodeCases)
        EXPECT_EQ(TreeItems::EncodeName(c.plain, true), c.encoded);
}

TEST(TreeStoreEncoding, OnlyWellFormedSequencesDecode) {
    const std::vector<CodecCase> cases = {
        {"50%", "50%"},  {"%4", "%4"},         {"%zz", "%zz"}, {"AB", "%41%42"},
        {"\xe4", "%e4"}, {"100%A", "100%%41"}, {"%", "%"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TreeItems::Decode(c.encoded), c.plain) << c.encoded;
}

// --- reading ------------------------------------------------------------

TEST(TreeStoreReading, HandWrittenLinesReadAsWritten) {
    auto root = read(
        "\xEF\xBB\xBF\r\n[Info]\r\n\tVDI_2:VDI_2\\beispiel.vdi\r\n  Rabatt:50%\r\n"
        "\t[Sub]  \r\n\t\tLeer:\r\n\t[ENDE_Sub]\r\n\r\n[ENDE_Info]\r\n\n");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "Info");
    ASSERT_TRUE(root->FindLeaf("VDI_2"));
    EXPECT_EQ(root->FindLeaf("VDI_2")->GetValues(), Values{"VDI_2\\beispiel.vdi"});
    EXPECT_EQ(root->FindLeaf("Rabatt")->GetOnlyValue(), "50%");
    ASSERT_TRUE(root->FindChild("Sub"));
    EXPECT_FALSE(root->FindChild("Sub")->FindLeaf("Leer")->InitGetValues());
}

TEST(TreeStoreReading, ClosingNameIsComparedDecoded) {
    auto root = read("[a%41]\n[ENDE_aA]\n");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "aA");
    EXPECT_EQ(write(*root), "[aA]\n[ENDE_aA]\n");
}

TEST(TreeStoreReading, MalformedTextsAreNotTrees) {
    const std::vector<std::string> texts = {
        "",
        "\n \t\n",
        "[A]\n",
        "[A]\n[ENDE_B]\n",
        "X:1\n[A]\n[ENDE_A]\n",
        "[A]\n[ENDE_A]\n[B]\n[ENDE_B]\n",
        "[A]\n[ENDE_A]\nX:1\n",
        "[A]\nno separator\n[ENDE_A]\n",
        "[A\n[ENDE_A]\n",
        "[A]\n[\n[ENDE_A]\n",
        "[ENDE_A]\n",
        "[A]\n[B]\n[ENDE_A]\n[ENDE_B]\n",
        "[A]\n[ENDE_A]\n[ENDE_A]\n",
        "[A]x\n[ENDE_A]\n",
        std::string("\0\x01\xff", 3),
    };
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
    EXPECT_EQ(node->FindLeaf("L")->GetOnlyValue(), "deepest");
    EXPECT_EQ(root->FindLeaf("L", nullptr, true), node->FindLeaf("L"));
    EXPECT_EQ(write(*root), text);

    auto pro = CProNodeBase::ReadFromString(text);
    ASSERT_TRUE(pro);
    std::string proText;
    pro->WriteToString(proText);
    EXPECT_EQ(proText, text);
    EXPECT_EQ(write(*pro->ToNode()), text);
    std::string fromNode;
    CProNodeBase::FromNode(*root)->WriteToString(fromNode);
    EXPECT_EQ(fromNode, text);
    root.reset();  // frees without recursion

    CNode built("N");
    CNode* tip = &built;
    for (int i = 1; i < kDepth; ++i)
        tip = tip->AddChild("N");
    tip->AddLeaf("L", "deepest");
    EXPECT_EQ(write(built), text);
    built.RemoveAll();
    EXPECT_EQ(built.NrOfChildren(), 0);
}

// --- values -------------------------------------------------------------

TEST(TreeStoreValues, GetReturnsTrueWhileFurtherValuesFollow) {
    auto root = read("[M]\nX:201:0:Beispiel GmbH:beispiel.vdi::201601\n[ENDE_M]\n");
    const CLeaf* x = root->FindLeaf("X");
    ASSERT_TRUE(x);
    ASSERT_TRUE(x->InitGetValues());
    int type = -1, index = -1, date = -1;
    std::string maker, file, cat = "unchanged";
    EXPECT_TRUE(x->GetFirstValue(type));
    EXPECT_TRUE(x->GetNextValue(index));
    EXPECT_TRUE(x->GetNextValue(maker));
    EXPECT_TRUE(x->GetNextValue(file));
    EXPECT_TRUE(x->GetNextValue(cat));
    EXPECT_FALSE(x->GetNextValue(date));
    EXPECT_EQ(type, 201);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(maker, "Beispiel GmbH");
    EXPECT_EQ(file, "beispiel.vdi");
    EXPECT_EQ(cat, "");
    EXPECT_EQ(date, 201601);
    // Behind the last value nothing is stored: an older, shorter leaf leaves
    // the caller's defaults.
    int extra = 77;
    EXPECT_FALSE(x->GetNextValue(extra));
    EXPECT_EQ(extra, 77);
    EXPECT_EQ(x->NrOfValues(), 6u);
}

TEST(TreeStoreValues, EmptyLeafHasNoValuesButReadsAsEmpty) {
    CLeaf leaf("E");
    EXPECT_FALSE(leaf.InitGetValues());
    EXPECT_EQ(leaf.NrOfValues(), 0u);
    EXPECT_TRUE(leaf.GetValues().empty());
    std::string text = "old";
    int number = 5;
    EXPECT_FALSE(leaf.GetFirstValue(text));
    EXPECT_FALSE(leaf.GetFirstValue(number));
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
}

struct NumberCase {
    std::string raw;
    int i;
    double d;
    bool b;
};

TEST(TreeStoreValues, NumbersParseLikeTheCRuntime) {
    const std::vector<NumberCase> cases = {
        {"12abc", 12, 12.0, true}, {"  7", 7, 7.0, true},   {"-3.5e2x", -3, -350.0, true},
        {"abc", 0, 0.0, false},    {"", 0, 0.0, false},     {"1%2C5", 1, 1.0, true},
        {"0.0", 0, 0.0, false},    {"0.25", 0, 0.25, true}, {"true", 0, 0.0, true},
        {" TRUE ", 0, 0.0, true},  {"nein", 0, 0.0, false}, {"+4", 4, 4.0, true},
    };
    for (const auto& c : cases) {
        CLeaf leaf("N");
        leaf.SetRawText(c.raw + ":next");
        int i = -1;
        double d = -1;
        float f = -1;
        bool b = !c.b;
        EXPECT_TRUE(leaf.GetFirstValue(i)) << c.raw;
        EXPECT_TRUE(leaf.GetFirstValue(d)) << c.raw;
        EXPECT_TRUE(leaf.GetFirstValue(f)) << c.raw;
        EXPECT_TRUE(leaf.GetFirstValue(b)) << c.raw;
        EXPECT_EQ(i, c.i) << c.raw;
        EXPECT_DOUBLE_EQ(d, c.d) << c.raw;
        EXPECT_FLOAT_EQ(f, static_cast<float>(c.d)) << c.raw;
        EXPECT_EQ(b, c.b) << c.raw;
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

    CLeaf single("S", "a:b%");
    EXPECT_EQ(single.GetOnlyValue(), "a:b%");
    EXPECT_EQ(single.NrOfValues(), 1u);
}

TEST(TreeStoreValues, SeparatorOfSetCallsIsPerThread) {
    CLeaf::InitSetValues(';');
    std::string other;
    std::thread([&] {
        CLeaf leaf("T");
        leaf.SetFirstValue("a");
        leaf.SetNextValue("b");
        other = leaf.GetRawText();
    }).join();
    CLeaf mine("M");
    mine.SetFirstValue("a");
    mine.SetNextValue("b;c");
    CLeaf::ExitSetValues();
    EXPECT_EQ(other, "a:b");
    EXPECT_EQ(mine.GetRawText(), "a;b%3Bc");
    EXPECT_EQ(mine.GetValues(';'), (Values{"a", "b;c"}));
}

TEST(TreeStoreValues, OnlyValueKeepsTheWholeText) {
    auto root = read("[P]\nPDF:C:\\daten\\p.pdf\nX:201:0\nD:2.5e1x\n[ENDE_P]\n");
    EXPECT_EQ(root->FindLeaf("PDF")->GetOnlyValue(';'), "C:\\daten\\p.pdf");
    EXPECT_EQ(root->FindLeaf("PDF")->GetOnlyValue(':'), "C:\\daten\\p.pdf");
    EXPECT_EQ(root->FindLeaf("X")->GetOnlyValueI(), 201);
    EXPECT_DOUBLE_EQ(root->FindLeaf("D")->GetOnlyValueD(), 25.0);
}

TEST(TreeStoreValues, StrLeafValueFollowsPathsAndFallsBack) {
    auto root = read(
        "[Modell]\nMON:Serie A\n[THKV]\n[CK]\nKVW:m3/h::0.25\n[ENDE_CK]\n[ENDE_THKV]\n"
        "[ENDE_Modell]\n");
    ASSERT_TRUE(root);
    struct Case {
        std::string path, leaf;
        int index;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"", "MON", 0, "Serie A"},    {"THKV\\CK", "KVW", 0, "m3/h"}, {"THKV/CK", "KVW", 2, "0.25"},
        {"/THKV//CK/", "KVW", 1, ""}, {"THKV/CK", "KVW", 3, "def"},   {"THKV/CK", "KVW", -1, "def"},
        {"THKV/XX", "KVW", 0, "def"}, {"THKV", "KVW", 0, "def"},      {"", "FEHLT", 0, "def"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(root->GetStrLeafValue(c.path, c.leaf, c.index, ':', "def"), c.expected)
            << c.path << " " << c.leaf << " " << c.index;
    }
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
    static std::vector<std::string> names(const std::vector<CNode*>& nodes) {
        std::vector<std::string> out;
        for (const CNode* n : nodes)
            out.push_back(n->FindLeaf("N")->GetOnlyValue());
        return out;
    }
    std::unique_ptr<CNode> root;
};

TEST_F(TreeStoreNode, FindChildWalksSameNamedChildrenWithAfter) {
    std::vector<CNode*> hits;
    for (CNode* ck = root->FindChild("CK"); ck; ck = root->FindChild("CK", ck))
        hits.push_back(ck);
    EXPECT_EQ(names(hits), (Values{"1", "2", "3"}));

    std::vector<CNode*> deep;
    for (CNode* ck = root->FindChild("CK", nullptr, true); ck;
         ck = root->FindChild("CK", ck, true)) {
        deep.push_back(ck);
    }
    EXPECT_EQ(names(deep), (Values{"1", "deep", "2", "3"}));

    const CNode* foreign = root->FindChild("CK2")->FindChild("CK");
    EXPECT_FALSE(root->FindChild("CK", foreign));
    EXPECT_FALSE(root->FindChild("FEHLT"));
}

TEST_F(TreeStoreNode, FindLeafWalksLeavesInStoredOrder) {
    std::vector<std::string> xs;
    for (CLeaf* x = root->FindLeaf("X"); x; x = root->FindLeaf("X", x)) {
        xs.push_back(x->GetOnlyValue());
    }
    EXPECT_EQ(xs, (Values{"1", "3"}));
    std::vector<std::string> ns;
    for (CLeaf* n = root->FindLeaf("N", nullptr, true); n; n = root->FindLeaf("N", n, true)) {
        ns.push_back(n->GetOnlyValue());
    }
    EXPECT_EQ(ns, (Values{"1", "deep", "2", "3"}));
}

TEST_F(TreeStoreNode, CursorsAndPositionsVisitChildNodesOnly) {
    EXPECT_EQ(root->NrOfChildren(), 4);
    EXPECT_EQ(root->NrOfLeaves(), 3);
    std::vector<std::string> byCursor, byPos;
    for (CNode* c = root->GetFirstChild(); c; c = root->GetNextChild()) {
        byCursor.push_back(c->GetName());
    }
    for (CNode::Pos pos = root->GetFirstChildPos(); pos != CNode::npos;) {
        byPos.push_back(root->GetNextChild(pos)->GetName());
    }
    EXPECT_EQ(byCursor, (Values{"CK", "CK2", "CK", "CK"}));
    EXPECT_EQ(byPos, byCursor);
    EXPECT_FALSE(root->GetNextChild());

    // Removing the current child keeps the walk on the next one.
    CNode* first = root->GetFirstChild();
    CNode* second = root->GetNextChild();
    EXPECT_TRUE(root->RemoveItem(second));
    EXPECT_EQ(root->GetNextChild(), root->FindChild("CK", first));
    EXPECT_EQ(root->NrOfChildren(), 3);

    std::vector<std::string> leaves;
    for (CLeaf* l = root->GetFirstLeaf(); l; l = root->GetNextLeaf())
        leaves.push_back(l->GetName());
    EXPECT_EQ(leaves, (Values{"X", "Y", "X"}));
    CNode::Pos bad = 0;  // item 0 is a leaf
    EXPECT_FALSE(root->GetNextChild(bad));
    EXPECT_EQ(bad, CNode::npos);
}

TEST_F(TreeStoreNode, AdoptingMovesItemsAndRefusesCycles) {
    CNode other("O");
    CNode* ck2 = root->FindChild("CK2");
    EXPECT_EQ(other.AddChild(ck2), ck2);
    EXPECT_EQ(ck2->GetParentNode(), &other);
    EXPECT_FALSE(root->FindChild("CK2"));
    EXPECT_EQ(root->NrOfChildren(), 3);

    CLeaf* y = root->FindLeaf("Y");
    EXPECT_EQ(other.AddLeaf(y), y);
    EXPECT_FALSE(root->FindLeaf("Y"));

    CNode* inner = ck2->FindChild("CK");
    EXPECT_FALSE(inner->AddChild(&other));  // an ancestor
    EXPECT_FALSE(inner->AddChild(inner));
    EXPECT_FALSE(other.AddChild(static_cast<CNode*>(nullptr)));
    EXPECT_FALSE(other.AddLeaf(static_cast<CLeaf*>(nullptr)));
    EXPECT_FALSE(other.RemoveItem(root->FindChild("CK")));
    EXPECT_EQ(write(other), "[O]\n[CK2]\n[CK]\nN:deep\n[ENDE_CK]\n[ENDE_CK2]\nY:2\n[ENDE_O]\n");

    auto loose = std::make_unique<CNode>("L");
    loose->AddLeaf(new CLeaf("A", "1"));
    other.AddChild(std::move(loose));
    EXPECT_EQ(other.GetStrLeafValue("L", "A"), "1");
}

TEST(TreeStoreNodeBuild, AddLeafFormsStoreOneValue) {
    CNode node("N");
    node.AddLeaf("I", 42);
    node.AddLeaf("D", 1.5);
    node.AddLeaf("T", "a:b");
    node.AddLeaf("E", static_cast<const char*>(nullptr));
    EXPECT_EQ(write(node), "[N]\nI:42\nD:1.500000\nT:a%3Ab\nE:\n[ENDE_N]\n");
}

// --- writing ------------------------------------------------------------

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
    CLeaf* raw = node.AddLeaf("r", "");
    raw->SetRawText("a\nb\r");
    ASSERT_TRUE(node.WriteToString(text));
    auto back = read(text);
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
    auto back = TreeItems::ReadFromFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->FindLeaf("MON")->GetOnlyValue(), "Größe € 3");

    EXPECT_FALSE(node.WriteToFile(dir.file("fehlt/m.vmf")));
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("fehlt.vmf")));
}

TEST(TreeStoreFiles, FilesThatAreNotUtf8AreCodePage1252) {
    kavextest::TempDir dir;
    const std::string path = dir.file("alt.info");
    kavextest::writeBytes(path, "[Info]\r\nName:M\xFCller \x80 \xB3\r\n[ENDE_Info]\r\n");
    auto root = TreeItems::ReadFromFile(path);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->FindLeaf("Name")->GetOnlyValue(), "Müller € ³");
}

TEST(TreeStoreFiles, ReadIntoPointerReplacesOnRequest) {
    kavextest::TempDir dir;
    const std::string good = dir.file("a.txt");
    kavextest::writeBytes(good, "[A]\n[ENDE_A]\n");
    CNode* root = new CNode("old");
    ASSERT_TRUE(TreeItems::ReadFromFile(good, root, true));
    EXPECT_EQ(root->GetName(), "A");
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("none"), root, true));
    EXPECT_EQ(root, nullptr);

    CNode kept("kept");
    CNode* other = &kept;
    EXPECT_FALSE(TreeItems::ReadFromFile(dir.file("none"), other, false));
    EXPECT_EQ(other, &kept);
}

// --- project nodes ------------------------------------------------------

TEST(TreeStoreProNode, AttributesAndChildrenKeepTheirOrder) {
    CProNodeBase node("GlobalArmatures");
    node.AddAttr("Vor", "a:b");
    CProNodeBase* first = node.AddChild("Armature");
    first->AddAttr("Header", "Armature;2;1;7;4446;;0;");
    node.AddAttr("Mitte", 7);
    node.AddChild("Armature")->AddAttr("Header", "zwei");
    node.AddAttr("LastArmaturesId", 2.5);

    std::string text;
    ASSERT_TRUE(node.WriteToString(text));
    EXPECT_EQ(text,
              "[GlobalArmatures]\nVor:a%3Ab\n[Armature]\nHeader:Armature;2;1;7;4446;;0;\n"
              "[ENDE_Armature]\nMitte:7\n[Armature]\nHeader:zwei\n[ENDE_Armature]\n"
              "LastArmaturesId:2.500000\n[ENDE_GlobalArmatures]\n");
    EXPECT_EQ(node.GetAttr("Vor"), "a:b");
    EXPECT_TRUE(node.HasAttr("Mitte"));
    EXPECT_FALSE(node.HasAttr("Armature"));
    EXPECT_EQ(node.GetAttr("fehlt"), "");
    CProNodeBase* found = nullptr;
    EXPECT_TRUE(node.findChild("Armature", found));
    EXPECT_EQ(found, first);
    EXPECT_FALSE(node.findChild("Header", found));
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(node.Children().size(), 2u);
    EXPECT_FALSE(node.AddChild(std::unique_ptr<CProNodeBase>()));

    auto asNode = node.ToNode();
    EXPECT_EQ(write(*asNode), text);
    std::string again;
    CProNodeBase::FromNode(*asNode)->WriteToString(again);
    EXPECT_EQ(again, text);
}

}  // namespace
