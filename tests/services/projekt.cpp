// The container's global records in the host's project: written to a project
// node, the node to text, the text back to a node and into an empty
// container, with models holding valves of every catalogue valve class.

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "kavex/platform/treestore.h"
#include "kavex/services/armaturcontainer.h"
#include "support/valves/valvefill.h"

using namespace nrvBaseArmaturen;

namespace {

constexpr std::string_view kKey = "Armature";

// A record whose model holds two random valves of the class of `type`.
VDIArmaturenModell randomRecord(int type, std::mt19937& rng, int global = 1) {
    VDIArmaturenModell record;
    record.global = global;
    record.getModell().setManufacturerModel("Rheintal Armaturen GmbH", std::to_string(type));
    record.getModell().setNrvArmType(static_cast<en700ArmaturTyp>(type));
    for (int i = 0; i < 2; ++i) {
        auto* valve = record.getModell().Add(static_cast<en700ArmaturTyp>(type));
        kavextest::fillValveRandom(*valve, rng);
    }
    return record;
}

std::string textOf(const CProNodeBase& node) {
    std::string text;
    EXPECT_TRUE(node.WriteToString(text));
    return text;
}

void expectSameGlobals(const RnArmaturContainer& a, const RnArmaturContainer& b) {
    ASSERT_EQ(a.getCountGlobal(), b.getCountGlobal());
    for (int i = 0; i < a.getCountGlobal(); ++i) {
        const VDIArmaturenModell &x = *a.getAtGlobal(i), &y = *b.getAtGlobal(i);
        SCOPED_TRACE(x.bezeichnung);
        EXPECT_EQ(x.recordLine(kKey), y.recordLine(kKey));  // every field of the line
        EXPECT_TRUE(x.getModell().isEqual(y.getModell()));
    }
}

}  // namespace

TEST(Projekt, RoundTripThroughTheProjectText) {
    const char* designations[] = {"",      "Bad: 50% Zulauf", "Küche %3A äöüß",
                                  "a:b:c", "[ENDE_Armature]", " führend und folgend "};
    const char* classes[] = {"", "Heizkörper", "Fußboden: EG"};
    std::mt19937 rng(20240611);
    RnArmaturContainer source;
    std::set<std::string> classNames;
    int n = 0;
    for (int type = 201; type <= 1722; ++type) {
        const std::string name = getArmaturClassNameForType(type);
        if (name.empty() || !classNames.insert(name).second) continue;
        VDIArmaturenModell record = randomRecord(type, rng, n % 4 == 3 ? 0 : 1);
        record.modellId = n % 3 == 0 ? 0 : 3 * n + 1;
        record.typ = static_cast<enArmaturenTyp>(4445 + n % 16);
        record.intA = n;
        record.bezeichnung = designations[n % std::size(designations)];
        record.klasse = classes[n % std::size(classes)];
        source.append(record);
        ++n;
    }
    ASSERT_EQ(n, 19);  // every catalogue valve class
    ASSERT_EQ(source.getCountLocal(), 4);

    const std::unique_ptr<CProNodeBase> node = source.writeArmaturesToProNode(kKey);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetAttr("LastArmaturesId"), std::to_string(source.getLastUsedModellID()));
    const std::string text = textOf(*node);
    const std::unique_ptr<CProNodeBase> parsed = CProNodeBase::ReadFromString(text);
    RnArmaturContainer target;
    VDIArmaturenModell stale = randomRecord(201, rng, 0);
    target.append(stale);
    ASSERT_TRUE(target.readArmaturesFromProNode(parsed.get(), kKey));
    EXPECT_EQ(target.getCountLocal(), 0);  // local records travel with their components
    expectSameGlobals(source, target);

    int largest = 0;
    for (int i = 0; i < target.getCountGlobal(); ++i)
        largest = std::max(largest, target.getAtGlobal(i)->modellId);
    EXPECT_EQ(target.getLastUsedModellID(), largest);
    VDIArmaturenModell next = randomRecord(202, rng, 0);
    target.append(next);
    EXPECT_EQ(next.modellId, largest + 1);

    // Written again the text is the same; the plain-tree route reads the same.
    target.setLastUsedModellID(source.getLastUsedModellID());
    EXPECT_EQ(textOf(*target.writeArmaturesToProNode(kKey)), text);
    RnArmaturContainer viaTree;
    ASSERT_TRUE(viaTree.readArmaturesFromNode(source.writeArmaturesToNode(kKey).get(), kKey));
    expectSameGlobals(source, viaTree);
}

TEST(Projekt, SectionsAndDamagedRecords) {
    const std::string body = "Armature;2;1;7;4446;a:b%;0;\n[Modell]\n[ENDE_Modell]";
    const std::string wrapped = RnArmaturContainer::wrapSection("Armature", body);
    EXPECT_EQ(wrapped,
              "[Armature]\r\nHeader:Armature;2;1;7;4446;a%3Ab%25;0;\n[Modell]\n[ENDE_Modell]\r\n"
              "[ENDE_Armature]");
    std::string lf = wrapped;
    std::erase(lf, '\r');
    for (const std::string& text : {wrapped, lf})
        EXPECT_EQ(RnArmaturContainer::unwrapSection(text), body);
    EXPECT_EQ(RnArmaturContainer::unwrapSection("[HzRLV]\n\tHeader:x\n[ENDE_HzRLV]"), "x");
    for (const char* unchanged : {"[Other]\nHeader:x\n[ENDE_Other]", "[Armature]\nHeader:x",
                                  "[Armature]\nx\n[ENDE_Armature]"})
        EXPECT_EQ(RnArmaturContainer::unwrapSection(unchanged), unchanged);

    // Records 3 and 9, and one whose model does not read: it is left out.
    std::mt19937 rng(7);
    RnArmaturContainer source;
    for (int id : {3, 9}) {
        VDIArmaturenModell r = randomRecord(201, rng);
        r.modellId = id;
        source.append(r);
    }
    auto node = source.writeArmaturesToProNode(kKey);
    node->AddChild(CProNodeBase::ReadFromString(
        RnArmaturContainer::wrapSection("Armature", "Armature;2;1;12;4446;;0;\n[Modell]")));
    RnArmaturContainer other;
    ASSERT_TRUE(other.readArmaturesFromProNode(node.get(), "Fremd"));
    EXPECT_EQ(other.getCountTotal(), 0);
    ASSERT_TRUE(other.readArmaturesFromProNode(node.get(), kKey));
    EXPECT_EQ(other.getCountGlobal(), 2);
    VDIArmaturenModell fresh;
    other.append(fresh);
    EXPECT_EQ(fresh.modellId, 10);

    // Nothing global: no node. No node: an empty container and false.
    EXPECT_EQ(RnArmaturContainer().writeArmaturesToProNode(kKey), nullptr);
    EXPECT_FALSE(other.readArmaturesFromProNode(nullptr, kKey));
    EXPECT_EQ(other.getCountTotal(), 0);
    other.append(fresh);
    const CProNodeBase empty("GlobalArmatures");
    EXPECT_TRUE(other.readArmaturesFromProNode(&empty, kKey));
    EXPECT_EQ(other.getCountTotal() + other.getLastUsedModellID(), 0);
}
