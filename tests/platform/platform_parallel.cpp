// Shared platform services used from several threads at once: the catalogue
// manager while it rescans, the object factory on its first use.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "kavex/platform/catalog.h"
#include "kavex/platform/runtimeclass.h"
#include "support/tempdir.h"

namespace {

class Cat : public CObject {
    KAVEX_DECLARE_DYNCREATE(Cat)
};
KAVEX_IMPLEMENT_DYNCREATE(Cat, CObject)

TEST(PlatformParallel, CatalogueListsStayUsableWhileAnotherThreadRescans) {
    kavextest::TempDir dir;
    for (const std::string id : {"A", "B", "C"})
        kavextest::writeBytes(
            dir.file(id + "/desktop.info"),
            "[Katalog]\n\tID:" + id + "\n\tContent:VDI_2\n\tVDI_2:VDI_2\\x.vdi\n[ENDE_Katalog]\n");
    nrvCatalogManager mgr;
    ASSERT_TRUE(mgr.init(dir.path().string()));
    std::thread rescanning([&] {
        for (int i = 0; i < 30; ++i)
            mgr.rescan();
    });
    std::size_t files = 0;
    for (int i = 0; i < 30; ++i)
        for (const auto& lib : mgr.getCatalogList("VDI_2"))
            files += mgr.getContentFilePathNames(*lib, "VDI_2").size();
    rescanning.join();
    EXPECT_EQ(files, 90u);
}

TEST(PlatformParallel, ObjectFactoryFillsOnceOnConcurrentFirstUse) {
    std::atomic<int> fills{0}, made{0};
    CObjectFactory factory([&](CObjectFactory& f) {
        ++fills;
        f.Register(std::make_unique<Cat>());
    });
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i)
        threads.emplace_back([&] { made += factory.Create("Cat") ? 1 : 0; });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(fills.load(), 1);
    EXPECT_EQ(made.load(), 8);
}

}  // namespace
