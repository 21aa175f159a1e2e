// The class factory of the valve domain: the classes it knows from the start,
// names it refuses, and classes of higher layers registered later.

#include "kavex/valves/armaturfactory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "kavex/platform/treestore.h"
#include "kavex/valves/armatur.h"
#include "kavex/valves/armaturenmodell.h"

namespace {

using nrvVDIArmaturen::nrvArmatur;

// Stands for a valve class of a higher layer (the user valve).
class nrvArmaturSpaeter : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturSpaeter)
};
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturSpaeter, nrvArmatur)

class nrvArmaturAnders : public nrvArmatur {
    KAVEX_DECLARE_DYNCREATE(nrvArmaturAnders)
};
KAVEX_IMPLEMENT_DYNCREATE(nrvArmaturAnders, nrvArmatur)

}  // namespace

using nrvBaseArmaturen::createArmaturObject;

TEST(ArmaturFactory, KnowsTheCatalogueClassesTheAccessoryAndTheModelByExactName) {
    const std::vector<std::string> names = nrvBaseArmaturen::getArmaturClassNames();
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    for (const char* name : {"nrvArmatur", "nrvArmaturZubehoer", "nrvVDIArmaturenModell",
                             "nrvArmaturDDRDFR", "nrvArmaturVenturi"}) {
        std::unique_ptr<nrvBaseArmaturen::nrvArmaturObject> object = createArmaturObject(name);
        ASSERT_TRUE(object) << name;
        EXPECT_EQ(object->desc(), name);
    }
    for (const char* name : {"", "ARM", "nrvArmaturX", "nrvarmatur", "CKurve", "nrvUserArmatur",
                             "nrvArmaturenModell"}) {
        EXPECT_FALSE(createArmaturObject(name)) << name;
    }
}

TEST(ArmaturFactory, HigherLayersRegisterTheirClassesLater) {
    // The factory fills itself first; the registration comes after.
    EXPECT_FALSE(nrvBaseArmaturen::getArmaturClassNames().empty());
    EXPECT_FALSE(createArmaturObject("nrvArmaturSpaeter"));
    nrvBaseArmaturen::registerArmaturClass(std::make_unique<nrvArmaturSpaeter>());
    nrvBaseArmaturen::registerArmaturClass(nullptr);
    std::unique_ptr<nrvBaseArmaturen::nrvArmaturObject> object =
        createArmaturObject("nrvArmaturSpaeter");
    ASSERT_TRUE(object);
    EXPECT_EQ(object->desc(), "nrvArmaturSpaeter");

    // A model file can now hold such a valve.
    auto root = TreeItems::ReadFromString(
        "[Modell]\nVER:0\nX:211\n[Spaeter]\nX:S-1\n[ENDE_Spaeter]\n[ENDE_Modell]\n");
    nrvVDIArmaturen::nrvVDIArmaturenModell model;
    ASSERT_TRUE(model.read(root.get()));
    ASSERT_EQ(model.getSize(), 1);
    EXPECT_EQ(model.getArmaturAt(0)->desc(), "nrvArmaturSpaeter");
}

TEST(ArmaturFactory, RegistrationWhileOtherThreadsCreate) {
    std::atomic<bool> stop{false};
    std::atomic<int> created{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 3; ++i) {
        readers.emplace_back([&] {
            while (!stop) {
                if (createArmaturObject("nrvArmaturDross")) ++created;
            }
        });
    }
    nrvBaseArmaturen::registerArmaturClass(std::make_unique<nrvArmaturAnders>());
    while (created < 100)
        std::this_thread::yield();
    stop = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_TRUE(createArmaturObject("nrvArmaturAnders"));
}
