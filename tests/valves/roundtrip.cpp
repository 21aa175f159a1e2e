// Whole-family round trips: every valve class, randomly filled, survives
// its node, the text form and the model file unchanged, and so do copies.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/valves/armaturfactory.h"
#include "support/tempdir.h"
#include "support/valves/valvefill.h"
#include "valvetest.h"

using nrvVDIArmaturen::nrvArmatur;
using nrvVDIArmaturen::nrvVDIArmaturenModell;
using valvetest::textOf;

namespace {

constexpr unsigned kSeeds = 12;

std::unique_ptr<nrvArmatur> createValve(const std::string& className) {
    std::unique_ptr<nrvBaseArmaturen::nrvArmaturObject> object =
        nrvBaseArmaturen::createArmaturObject(className);
    auto* valve = dynamic_cast<nrvArmatur*>(object.get());
    if (valve != nullptr) object.release();
    return std::unique_ptr<nrvArmatur>(valve);
}

// Every class the factory knows that is a valve.
std::vector<std::string> valveClassNames() {
    std::vector<std::string> names;
    for (const std::string& name : nrvBaseArmaturen::getArmaturClassNames()) {
        if (createValve(name)) names.push_back(name);
    }
    return names;
}

std::unique_ptr<nrvArmatur> randomValve(const std::string& className, unsigned seed) {
    std::mt19937 rng(seed);
    std::unique_ptr<nrvArmatur> valve = createValve(className);
    if (valve) kavextest::fillValveRandom(*valve, rng);
    return valve;
}

}  // namespace

TEST(ValveFamily, FactoryKnowsNineteenValveClasses) {
    EXPECT_EQ(valveClassNames().size(), 19u);
}

class ValveRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(ValveRoundTrip, RandomValveSurvivesNodeTextFormAndCopying) {
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::unique_ptr<nrvArmatur> original = randomValve(GetParam(), seed);
        ASSERT_TRUE(original);
        ASSERT_EQ(original->desc(), GetParam()) << "class name equals the C++ name";

        CNode node;
        ASSERT_TRUE(original->write(&node));
        const std::string text = textOf(node);
        std::unique_ptr<CNode> parsed = TreeItems::ReadFromString(text);
        ASSERT_TRUE(parsed);

        // A model file names a valve node after its class without
        // "nrvArmatur"; the base class writes "ARM".
        const std::string name = parsed->GetName();
        std::unique_ptr<nrvArmatur> copy =
            createValve(name == "ARM" ? "nrvArmatur" : "nrvArmatur" + name);
        ASSERT_TRUE(copy) << "node name " << name;
        // Reading replaces what the class itself held (the common lists are
        // appended to, so they start empty).
        std::mt19937 other(seed + 1000);
        ASSERT_TRUE(kavextest::fillOwnPart(*copy, other));
        ASSERT_TRUE(copy->read(parsed.get()));
        EXPECT_TRUE(copy->isEqual(*original)) << text;
        EXPECT_TRUE(original->isEqual(*copy));
        CNode again;
        copy->write(&again);
        EXPECT_EQ(textOf(again), text);

        std::unique_ptr<nrvArmatur> clone = original->clone();
        ASSERT_TRUE(clone) << "the class must serve assignFrom";
        EXPECT_EQ(clone->desc(), GetParam());
        EXPECT_TRUE(clone->isEqual(*original));
        // A valve of another seed differs, so isEqual does look at the data;
        // assigning it over the clone makes them equal again.
        const std::unique_ptr<nrvArmatur> otherValve = randomValve(GetParam(), seed + 1000);
        EXPECT_FALSE(clone->isEqual(*otherValve));
        ASSERT_TRUE(clone->assignFrom(*otherValve));
        EXPECT_TRUE(clone->isEqual(*otherValve));
        EXPECT_TRUE(original->isEqual(*copy)) << "the source is unchanged";
    }
}

TEST_P(ValveRoundTrip, ValvesOfDifferentClassesAreNeverEqualOrAssignable) {
    const std::unique_ptr<nrvArmatur> valve = randomValve(GetParam(), 7);
    for (const std::string& otherName : valveClassNames()) {
        if (otherName == GetParam()) continue;
        std::unique_ptr<nrvArmatur> other = createValve(otherName);
        EXPECT_FALSE(valve->isEqual(*other)) << otherName;
        EXPECT_FALSE(other->isEqual(*valve)) << otherName;
        EXPECT_FALSE(other->assignFrom(*valve)) << otherName;
    }
}

INSTANTIATE_TEST_SUITE_P(AllClasses, ValveRoundTrip, ::testing::ValuesIn(valveClassNames()),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------

class ModelRoundTrip : public ::testing::TestWithParam<unsigned> {
protected:
    // Two valves of every class in a random order, with random model data.
    // Version 0, as the import writes it: loading does not evaluate it.
    static nrvVDIArmaturenModell randomModel(unsigned seed) {
        std::mt19937 rng(seed);
        const std::vector<std::string> once = valveClassNames();
        std::vector<std::string> classes = once;
        classes.insert(classes.end(), once.begin(), once.end());
        std::shuffle(classes.begin(), classes.end(), rng);

        nrvVDIArmaturenModell model;
        model.setManufacturerModel(kavextest::randomText(rng), kavextest::randomText(rng));
        model.setNrvArmType(static_cast<nrvBaseArmaturen::en700ArmaturTyp>(rng() % 1800));
        model.setIdx(static_cast<int>(rng() % 100));
        model.setFilename(kavextest::randomText(rng));
        model.setCatID(kavextest::randomText(rng));
        model.setRLDatum(200000 + static_cast<int>(rng() % 30000));
        for (const std::string& name : classes) {
            std::unique_ptr<nrvArmatur> valve = createValve(name);
            kavextest::fillValveRandom(*valve, rng);
            // Through Add, so that the model owns it; then the random data.
            nrvArmatur* added =
                model.Add(static_cast<nrvBaseArmaturen::en700ArmaturTyp>(valve->getTyp()));
            EXPECT_TRUE(added && added->assignFrom(*valve)) << name;
        }
        return model;
    }

    kavextest::TempDir dir;
};

TEST_P(ModelRoundTrip, WholeModelSurvivesTheModelFileAndCopying) {
    const nrvVDIArmaturenModell model = randomModel(GetParam());
    ASSERT_EQ(model.getSize(), 38);
    const std::string path = dir.file("modell.vmf");
    ASSERT_TRUE(model.saveVMFFile(path));

    nrvVDIArmaturenModell loaded;
    ASSERT_TRUE(loaded.loadVMFFile(path));
    EXPECT_TRUE(loaded.isEqual(model));
    ASSERT_EQ(loaded.getSize(), model.getSize());
    for (int i = 0; i < model.getSize(); ++i) {
        EXPECT_TRUE(loaded.getArmaturAt(i)->isEqual(*model.getArmaturAt(i)))
            << "valve " << i << " of class " << model.getArmaturAt(i)->desc();
        EXPECT_EQ(loaded.getArmaturAt(i)->getParent(), &loaded);
    }

    const std::string again = dir.file("wieder.vmf");
    ASSERT_TRUE(loaded.saveVMFFile(again));
    EXPECT_EQ(kavextest::readBytes(again), kavextest::readBytes(path));

    // A copy keeps every valve, as a valve of its own.
    nrvVDIArmaturenModell copy;
    copy = model;
    EXPECT_TRUE(copy.isEqual(model));
    for (int i = 0; i < copy.getSize(); ++i) {
        EXPECT_NE(copy.getArmaturAt(i), model.getArmaturAt(i));
        EXPECT_EQ(copy.getArmaturAt(i)->getParent(), &copy);
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelRoundTrip, ::testing::Values(1u, 2u, 3u, 4u));
