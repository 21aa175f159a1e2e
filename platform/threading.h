#pragma once
// Parallel jobs and the module's one critical section.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>

#include "kavex/platform/export.h"

namespace nrvThreading {

// The module-wide critical section: guards job counters, document arrays
// during release and the report collector while loading.
KAVEX_API std::mutex& criticalSection();

// Starts min(hardware threads, workers) threads (at least one) that each run
// `job` until it returns false; returns when all have finished. Jobs take their
// items themselves, under criticalSection(). With workers == 0 nothing runs.
// Returns the number of threads that ran.
KAVEX_API std::size_t doParallelJobs(std::size_t workers, const std::function<bool()>& job);

// Convenience: runs `work(i)` for every i in [0, count), taking items from the
// end of the list under the critical section, on min(hardware, count) threads.
KAVEX_API std::size_t forEachParallel(std::size_t count, const std::function<void(std::size_t)>& work);

// The waits of callers that need a busy list: poll every interval, at most
// maxPolls times (100 ms × 200 in the product; tests shorten the interval).
KAVEX_API std::chrono::milliseconds pollInterval();
KAVEX_API int maxPolls();
KAVEX_API void setPollInterval(std::chrono::milliseconds interval);
// Waits while `busy` is set; false when it was still set after maxPolls() polls.
KAVEX_API bool waitWhileBusy(const std::atomic<bool>& busy);

}  // namespace nrvThreading
