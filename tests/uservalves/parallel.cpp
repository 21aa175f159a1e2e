// Loading the user valve directory on parallel jobs: every document exactly
// once, on every worker, sorted afterwards; reports from the loading threads;
// a second load or a release waits on the busy flag and gives up with -1.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <future>
#include <map>
#include <set>
#include <thread>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/threading.h"
#include "kavex/uservalves/userdoc.h"
#include "support/tempdir.h"

namespace {

using namespace std::chrono_literals;

// Records which thread loaded which file. A load waits until every expected
// worker has started one (so each is seen to take part) and while the gate
// is closed (so a test can keep a load running).
struct LoadLog {
    std::mutex mutex;
    std::condition_variable changed;
    std::map<std::string, int> loads;
    std::set<std::thread::id> threads;
    std::size_t workers = 1;
    bool open = true;

    void enter(const std::string& path) {
        std::unique_lock lock(mutex);
        ++loads[path];
        threads.insert(std::this_thread::get_id());
        changed.notify_all();
        changed.wait_for(lock, 20s, [this] { return open && threads.size() >= workers; });
    }
    void setOpen(bool value) {
        std::lock_guard lock(mutex);
        open = value;
        changed.notify_all();
    }
};

struct LoggingDoc : CUserDoc {
    LoggingDoc(std::string path, LoadLog& log) : CUserDoc(std::move(path)), log(log) {}
    bool load(const std::string& path) override {
        log.enter(path);
        return CUserDoc::load(path);
    }
    LoadLog& log;
};

struct LoggingList : CUserData {
    explicit LoggingList(LoadLog& log) : log(log) {}
    std::unique_ptr<CUserDoc> createDocument(const std::string& path) override {
        return std::make_unique<LoggingDoc>(path, log);
    }
    LoadLog& log;
};

// Files 000..count-1 with manufacturers in a scrambled order.
void writeUserFiles(const kavextest::TempDir& dir, int count) {
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%03d.userarm", i);
        kavextest::writeBytes(dir.file(name), "[KURVEN]\nHERST:Hersteller " +
                                                  std::to_string((i * 7919) % count) +
                                                  "\n[ENDE_KURVEN]\n");
    }
}

std::size_t expectedWorkers(std::size_t items) {
    return std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), items);
}

class ParallelLoading : public ::testing::Test {
protected:
    void SetUp() override {
        CReportList::instance().Clear();
        nrvThreading::setPollInterval(1ms);
    }
    void TearDown() override { nrvThreading::setPollInterval(100ms); }
    kavextest::TempDir dir;
    LoadLog log;
};

}  // namespace

TEST_F(ParallelLoading, EveryDocumentOnceOnEveryWorkerThenSorted) {
    constexpr int kFiles = 300;
    constexpr int kEmpty = 6;
    writeUserFiles(dir, kFiles);
    for (int i = 0; i < kEmpty; ++i)
        kavextest::writeBytes(dir.file("zz" + std::to_string(i) + ".userarm"), "");
    log.workers = expectedWorkers(kFiles + kEmpty);

    LoggingList list(log);
    EXPECT_EQ(list.loadAll(dir.path().string()), kFiles);
    EXPECT_EQ(log.loads.size(), static_cast<std::size_t>(kFiles + kEmpty));
    EXPECT_TRUE(std::all_of(log.loads.begin(), log.loads.end(),
                            [](const auto& entry) { return entry.second == 1; }));
    EXPECT_EQ(log.threads.size(), log.workers);
    EXPECT_EQ(CReportList::instance().Count(), kEmpty);

    std::vector<std::string> manufacturers;
    for (const auto& doc : list.getDocuments()) {
        std::string herst;
        if (doc->getManufacturer(herst)) manufacturers.push_back(herst);
    }
    ASSERT_EQ(manufacturers.size(), static_cast<std::size_t>(kFiles));
    EXPECT_TRUE(std::is_sorted(manufacturers.begin(), manufacturers.end()));

    EXPECT_EQ(list.loadAll(dir.path().string()), kFiles);  // nothing loaded twice
    EXPECT_EQ(log.loads.begin()->second, 1);
}

TEST_F(ParallelLoading, SecondLoadWaitsThenGivesUpOrProceeds) {
    writeUserFiles(dir, 4);
    log.workers = expectedWorkers(4);
    log.setOpen(false);
    LoggingList list(log);
    auto first = std::async(std::launch::async, [&] { return list.loadAll(dir.path().string()); });
    {
        std::unique_lock lock(log.mutex);
        ASSERT_TRUE(log.changed.wait_for(lock, 20s, [&] { return !log.loads.empty(); }));
    }

    EXPECT_EQ(list.loadAll(dir.path().string()), -1);  // 200 polls of 1 ms
    EXPECT_EQ(list.finishLoading(), -1);
    EXPECT_FALSE(list.releaseAll());

    auto second = std::async(std::launch::async, [&] { return list.loadAll(dir.path().string()); });
    std::this_thread::sleep_for(20ms);
    log.setOpen(true);
    EXPECT_EQ(first.get(), 4);
    EXPECT_EQ(second.get(), 4);
    EXPECT_FALSE(list.isBusy());
}
