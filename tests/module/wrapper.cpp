// The wrapper and the module frame: start-up, feature switches, unit settings
// handed over by the host, objects created by class name, the slot order the
// host calls through, and the user valve list behind the wrapper.

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstring>
#include <future>
#include <sstream>

#include "kavex/module/kavexmodule.h"
#include "kavex/module/wrapper.h"
#include "kavex/platform/threading.h"
#include "kavex/platform/translation.h"
#include "kavex/platform/units.h"
#include "kavex/uservalves/userdoc.h"
#include "support/tempdir.h"

namespace {

using namespace std::chrono_literals;

// A wrapper of its own, so the process-wide one keeps no test state.
struct LocalWrapper {
    nrvModule::CSiblingLoader loader{"/nonexistent/libkavex.so"};
    CUserData list;
    KavexWrapper w{loader, list};
};

TEST(ModuleStart, SetsTheNumericLocaleAndRegistersTheTranslationModule) {
    kavexExit();
    if (std::setlocale(LC_NUMERIC, "C.UTF-8") == nullptr) GTEST_SKIP() << "no C.UTF-8 locale";
    ASSERT_TRUE(kavexInit());
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(theKavexApp().translationModule(),
              &CTranslationManager::GetInstance().DefaultModule());
    kavexExit();
    EXPECT_FALSE(theKavexApp().isStarted());
    getKavexInstance();  // a host that never started the module gets it started
    EXPECT_TRUE(theKavexApp().isStarted());
}

TEST(Features, SwitchAlgebra) {
    struct Case {
        FeatureFlags before, on, off, after;
    } cases[] = {
        {0, 1, 1, 0},  // a bit in both arguments ends up off
        {5, 0, 0, 5}, {0, 9, 0, 9}, {15, 0, 2, 13}, {4, 2, 4, 2}, {1, 0xFFFFFFFFu, 0xFFFFFFF0u, 15},
    };
    for (const Case& c : cases) {
        LocalWrapper local;
        local.w.enableFeatures(c.before, 0);
        local.w.enableFeatures(c.on, c.off);
        EXPECT_EQ(local.w.getFeatures(), c.after) << c.before << " +" << c.on << " -" << c.off;
        EXPECT_EQ(local.w.isFeatureEnabled(kFeatureCheckButton | kFeatureConversionBox),
                  (c.after & 9) != 0);
    }
}

TEST(UnitSettings, NullEntriesKeepTheStoredOnes) {
    LocalWrapper local;
    nrvUnitSetting flow, kv, kv2, head;
    unitSettingsContainer first, second, out;
    first[unitSettingsContainer::Volumenstrom] = &flow;
    first[unitSettingsContainer::KvWert] = &kv;
    second[unitSettingsContainer::KvWert] = &kv2;
    second[unitSettingsContainer::Foerderhoehe] = &head;
    local.w.getUnitSetting(first);
    local.w.getUnitSetting(second);
    local.w.getUnitSetting(unitSettingsContainer{});  // all null: nothing changes
    out[3] = &flow;                                   // overwritten with the stored null
    local.w.getUnitSettingContainer(out);
    const nrvUnitSetting* expected[10] = {&flow,   &kv2,    nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, &head};
    for (int i = 0; i < unitSettingsContainer::Count; ++i)
        EXPECT_EQ(out[i], expected[i]) << i;
    EXPECT_THROW(out[10], std::invalid_argument);
    EXPECT_THROW(local.w.getUnitSettingAt(-1), std::invalid_argument);
}

TEST(ClassFactory, CreatesEveryRegisteredClassAndNullForUnknownNames) {
    std::istringstream expected(
        "nrvArmatur nrvUserArmatur nrvArmaturZubehoer nrvArmaturTHKV nrvArmaturDDR "
        "nrvArmaturTHKVDFR nrvArmaturDFR nrvArmaturDDRDFR nrvArmaturDross nrvArmaturThermoDross "
        "nrvArmaturElektroDross nrvArmaturEAV nrvArmaturSicherung nrvArmaturEA "
        "nrvArmaturDruckminderer nrvVDIArmaturenModell nrvArmaturZaehler nrvArmaturVenturi "
        "nrvArmaturSechsWegeRegelarmatur nrvArmaturSechsWegeRegelarmaturMitDFR "
        "nrvArmaturRegelventil nrvArmaturRSV");
    KavexWrapper& w = getKavexInstance();
    const std::vector<std::string> names = theKavexApp().classFactory().ClassNames();
    for (std::string name; expected >> name;)
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
    for (const std::string& name : names) {
        std::unique_ptr<CObject> a = w.createObjectByClassName(name);
        ASSERT_NE(a, nullptr) << name;
        EXPECT_EQ(a->GetRuntimeClass()->m_lpszClassName, name);
        EXPECT_NE(a, w.createObjectByClassName(name));
    }
    for (const char* wrong : {"nrvArmaturDdr", "nrvArmaturDDR ", "", "CObject", "VDIStruct_100"})
        EXPECT_EQ(w.createObjectByClassName(wrong), nullptr) << '"' << wrong << '"';
}

// The host calls the entry points by their place in the virtual table (a
// pointer to a virtual member holds 1 + the byte offset of its slot).
template <class M>
std::ptrdiff_t slotOf(M member) {
    std::uintptr_t rep[2];
    static_assert(sizeof member == sizeof rep);
    std::memcpy(rep, &member, sizeof rep);
    return static_cast<std::ptrdiff_t>((rep[0] - 1) / sizeof(void*));
}

TEST(Wrapper, EntryPointsKeepTheirSlots) {
    using W = KavexWrapper;
    const std::ptrdiff_t slots[] = {
        slotOf(&W::showCatalogueDialog),     slotOf(&W::showValveInfoDialog),
        slotOf(&W::showCatalogueDataViewer), slotOf(&W::chooseValveForComponent),
        slotOf(&W::loadUserValveFiles),      slotOf(&W::getUserValveList),
        slotOf(&W::finishCatalogueLoading),  slotOf(&W::finishUserValveLoading),
        slotOf(&W::createObjectByClassName), slotOf(&W::importCatalogueFiles),
        slotOf(&W::showPumpSelection),       slotOf(&W::showCatalogueDataTest)};
    for (std::ptrdiff_t i = 0; i < std::ssize(slots); ++i)
        EXPECT_EQ(slots[i], i);
}

TEST(UserValves, LoadsTheSampleFolder) {
    KavexWrapper& w = getKavexInstance();
    const std::string folder = kavextest::samplesDir() + "/uservalves";
    EXPECT_EQ(w.loadUserValveFiles(folder), 2);
    EXPECT_EQ(w.loadUserValveFiles(folder), 2);  // nothing listed twice
    EXPECT_EQ(w.getUserValveList().size(), 2u);
    EXPECT_EQ(w.finishUserValveLoading(), 2);
    EXPECT_EQ(w.finishCatalogueLoading(), 0);
}

// A user valve list whose documents wait at a gate while loading.
struct GatedList : CUserData {
    std::promise<void> entered, open;
    std::shared_future<void> opened = open.get_future().share();
    struct Doc : CUserDoc {
        Doc(std::string path, GatedList& list) : CUserDoc(std::move(path)), list(list) {}
        bool load(const std::string& path) override {
            list.entered.set_value();
            list.opened.wait();
            return CUserDoc::load(path);
        }
        GatedList& list;
    };
    std::unique_ptr<CUserDoc> createDocument(const std::string& path) override {
        return std::make_unique<Doc>(path, *this);
    }
};

TEST(UserValves, BusyListGivesUpAfterTheWait) {
    nrvThreading::setPollInterval(1ms);
    kavextest::TempDir dir;
    kavextest::writeBytes(dir.file("a.userarm"), "[KURVEN]\nHERST:Nordwerk\n[ENDE_KURVEN]\n");
    GatedList list;
    nrvModule::CSiblingLoader loader(dir.file("libkavex.so"));
    KavexWrapper w(loader, list);

    auto first = std::async(std::launch::async, [&] { return w.loadUserValveFiles(dir.path()); });
    list.entered.get_future().wait();
    EXPECT_EQ(w.loadUserValveFiles(dir.path()), -1);  // after 200 polls
    EXPECT_EQ(w.finishUserValveLoading(), -1);
    list.open.set_value();
    EXPECT_EQ(first.get(), 1);
    EXPECT_EQ(w.loadUserValveFiles(dir.path()), 1);
    nrvThreading::setPollInterval(100ms);
}

}  // namespace
