// Parallel jobs, the critical section and the busy-list wait.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "kavex/platform/threading.h"

namespace {

using namespace std::chrono_literals;

TEST(ParallelJobs, EveryItemOnceOnNoMoreWorkersThanItemsOrCores) {
    const std::size_t hardware = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t count : {0u, 1u, 2u, 7u, 500u}) {
        std::vector<std::atomic<int>> seen(count);
        const std::size_t threads =
            nrvThreading::forEachParallel(count, [&](std::size_t i) { ++seen[i]; });
        for (std::size_t i = 0; i < count; ++i)
            EXPECT_EQ(seen[i].load(), 1) << i;
        EXPECT_EQ(threads, std::min(count, hardware));
    }
    EXPECT_EQ(nrvThreading::doParallelJobs(1, [] { return false; }), 1u);
    EXPECT_EQ(nrvThreading::doParallelJobs(1000, [] { return false; }), hardware);
    EXPECT_EQ(nrvThreading::doParallelJobs(0, [] { return false; }), 0u);

    int counter = 0;  // guarded by the module's critical section
    nrvThreading::forEachParallel(1000, [&](std::size_t) {
        std::lock_guard<std::mutex> lock(nrvThreading::criticalSection());
        ++counter;
    });
    EXPECT_EQ(counter, 1000);
}

TEST(BusyWait, ReturnsWhenIdleAndGivesUpAfterTwoHundredPolls) {
    nrvThreading::setPollInterval(1ms);
    std::atomic<bool> busy{false};
    EXPECT_TRUE(nrvThreading::waitWhileBusy(busy));

    busy = true;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(nrvThreading::waitWhileBusy(busy));
    EXPECT_EQ(nrvThreading::maxPolls(), 200);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 200ms);  // 200 polls of 1 ms

    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        busy = false;
    });
    EXPECT_TRUE(nrvThreading::waitWhileBusy(busy));
    worker.join();
    nrvThreading::setPollInterval(100ms);
}

}  // namespace
