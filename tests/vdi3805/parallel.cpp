// The catalogue list on several threads: parallel loading takes every
// document exactly once, failed ones are dropped, releasing runs in parallel
// and keeps the list busy for those who want to change it meanwhile.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "kavex/platform/catalog.h"
#include "kavex/platform/threading.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdirecords.h"
#include "vdifixtures.h"

namespace {

class ParallelLoading : public vditest::VdiTest {
protected:
    static constexpr int kGood = 30;
    static constexpr int kBroken = 10;
    static constexpr int kOtherSheet = 4;

    // Good, broken (no header) and sheet-17 files interleaved.
    void SetUp() override {
        VdiTest::SetUp();
        for (int i = 0; i < kGood + kBroken + kOtherSheet; ++i) {
            const std::string name = "k" + std::to_string(100 + i) + ".vdi";
            std::string text = vditest::sheet2Catalogue();
            if (i % 4 == 1 && i / 4 < kBroken)
                text = "100;1;ohne Kopf\r\n" + text;
            else if (i % 4 == 3 && i / 4 < kOtherSheet)
                text.replace(0, 6, "010;17;");
            kavextest::writeBytes(dir.file(name), text);
            ASSERT_TRUE(data.AddFile(2, dir.file(name), "ID", "", "", false));
        }
    }

    CVDIData data;
};

TEST_F(ParallelLoading, EveryDocumentIsLoadedOnceAndTheFailedOnesAreDropped) {
    const int total = kGood + kBroken + kOtherSheet;
    EXPECT_EQ(data.LoadAll(true, 2, 0), total);
    // One refusal per broken file: none was read twice; the other sheet is
    // skipped without a word.
    EXPECT_EQ(CReportList::instance().CountErrors(), kBroken);
    EXPECT_EQ(data.LoadAll(true, 2, 0), total);
    EXPECT_EQ(CReportList::instance().CountErrors(), kBroken);

    data.DropFailed();
    ASSERT_EQ(static_cast<int>(data.GetCount()), kGood);
    std::string previous;
    for (std::size_t i = 0; i < data.GetCount(); ++i) {
        const CVDIDoc& doc = data.GetDoc(i);
        EXPECT_TRUE(doc.IsParsed());
        EXPECT_EQ(doc.GetSheet(), 2);
        EXPECT_LT(previous, doc.GetPath()) << "order kept";
        previous = doc.GetPath();
    }
}

TEST_F(ParallelLoading, FindFilesWaitsForARunningRelease) {
    nrvThreading::setPollInterval(std::chrono::milliseconds(1));
    data.LoadAll(false, 2, 0);
    std::atomic<bool> released{false};
    std::thread release([&] {
        data.ReleaseAll();
        released = true;
    });
    while (!data.IsBusy() && !released)
        std::this_thread::yield();
    nrvCatalogManager noLibraries;
    EXPECT_EQ(data.FindFiles(0, false, &noLibraries), 0);
    release.join();
    EXPECT_FALSE(data.IsBusy());
    EXPECT_EQ(data.CountLoaded(), 0);
    nrvThreading::setPollInterval(std::chrono::milliseconds(100));
}

TEST_F(ParallelLoading, ExecutionsResolveTheirTgaNumberOnceForAllThreads) {
    data.LoadAll(true, 2, 0);
    CReportList::instance().Clear();  // the broken files' refusals
    auto* execution = dynamic_cast<VDIStruct_800*>(data.GetDoc(0).FindRecord(80000));
    ASSERT_NE(execution, nullptr);
    std::atomic<int> wrong{0};
    nrvThreading::forEachParallel(16, [&](std::size_t) {
        std::vector<CVDIBase*> refs;
        execution->GetReferences(0, refs);  // 160;1 and 200;1; no 760;500
        if (refs.size() != 2) ++wrong;
    });
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(CReportList::instance().Count(), 1) << "the missing 760 is reported once";
}

}  // namespace
