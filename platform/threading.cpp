#include "kavex/platform/threading.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace nrvThreading {

namespace {
std::atomic<long long> g_pollMillis{100};
constexpr int kMaxPolls = 200;
}  // namespace

std::mutex& criticalSection() {
    static std::mutex section;
    return section;
}

std::size_t doParallelJobs(std::size_t workers, const std::function<bool()>& job) {
    if (workers == 0 || !job) return 0;
    std::size_t hardware = std::max(1u, std::thread::hardware_concurrency());
    std::size_t count = std::min(hardware, workers);
    auto loop = [&job] {
        while (job()) {
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(count);
    for (std::size_t i = 0; i < count; ++i) threads.emplace_back(loop);
    for (auto& t : threads) t.join();
    return count;
}

std::size_t forEachParallel(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::size_t remaining = count;
    auto job = [&]() -> bool {
        std::size_t item = 0;
        {
            std::lock_guard<std::mutex> lock(criticalSection());
            if (remaining == 0) return false;
            item = --remaining;
        }
        work(item);
        return true;
    };
    return doParallelJobs(count, job);
}

std::chrono::milliseconds pollInterval() { return std::chrono::milliseconds(g_pollMillis.load()); }

int maxPolls() { return kMaxPolls; }

void setPollInterval(std::chrono::milliseconds interval) { g_pollMillis = interval.count(); }

bool waitWhileBusy(const std::atomic<bool>& busy) {
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        if (!busy.load()) return true;
        std::this_thread::sleep_for(pollInterval());
    }
    return !busy.load();
}

}  // namespace nrvThreading
