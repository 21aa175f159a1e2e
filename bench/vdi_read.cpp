// Reading VDI 3805 catalogues: a generated sheet-2 catalogue of 200 000 lines
// (model series of throttles, thermostatic valve bodies and fixed
// resistances with their property, technical-data, setting and execution
// records) in each file layout.
//
// What the reader costs is measured against the plain line reader on the same
// file: BM_LoadVersusReadLines times both in turn and reports the ratio.
// BM_LoadAll loads eight catalogues with one and with two workers, and
// BM_PeakMemory the memory one loaded catalogue takes per megabyte of file.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/vdi3805/vdidata.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vditemplate.h"
#include "vdigen/vdigen.h"

namespace {

using nrvVDIGen::Layout;

constexpr std::size_t kLines = 200000;
constexpr int kFilesForLoadAll = 8;

struct CatalogueFile {
    std::string path;
    Layout layout = Layout::Vdi;
    std::size_t lines = 0;
    std::size_t bytes = 0;
};

CatalogueFile writeCatalogue(const std::string& name, Layout layout, std::size_t lines,
                             std::uint64_t seed) {
    nrvVDIGen::Options options;
    options.layout = layout;
    options.lines = lines;
    options.seed = seed;
    CatalogueFile file;
    file.path =
        (std::filesystem::temp_directory_path() / (name + nrvVDIGen::ExtensionOf(layout))).string();
    file.layout = layout;
    file.lines = lines;  // the generator gives exactly that many
    // Generated in a child process, so that the memory measured here never
    // holds what the generator freed.
    const pid_t child = fork();
    if (child == 0) {
        const bool written =
            nrvVDIGen::WriteCatalogue(nrvVDIGen::Generate(options), layout, file.path);
        _exit(written ? 0 : 1);
    }
    int status = 1;
    if (child < 0 || waitpid(child, &status, 0) != child || status != 0) return {};
    file.bytes = std::filesystem::file_size(file.path);
    return file;
}

// The 200 000-line catalogue of a layout, written once; its lines are not
// kept in memory.
const CatalogueFile& catalogue(Layout layout) {
    static std::map<Layout, CatalogueFile> files;
    auto it = files.find(layout);
    if (it == files.end())
        it = files.emplace(layout, writeCatalogue("kavex-bench-vdi_read", layout, kLines, 1)).first;
    return it->second;
}

Layout layoutArg(const benchmark::State& state) {
    return static_cast<Layout>(state.range(0));
}

void setUp() {
    CVDITemplate::SetFolder("/nonexistent");
    CReportList::instance().Clear();
}

void report(benchmark::State& state, std::size_t lines, std::size_t bytes) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

bool readLines(const CatalogueFile& file, std::vector<std::string>& lines) {
    return nrvStrUtil::readStringlistFromFile(lines, file.path, nrvStrUtil::CodePage1252,
                                              file.layout == Layout::Vdix);
}

// The plain line reader: file → UTF-8 lines.
void BM_ReadLines(benchmark::State& state) {
    const CatalogueFile& file = catalogue(layoutArg(state));
    for (auto _ : state) {
        std::vector<std::string> lines;
        if (!readLines(file, lines)) state.SkipWithError("not read");
        benchmark::DoNotOptimize(lines.data());
    }
    report(state, file.lines, file.bytes);
}
BENCHMARK(BM_ReadLines)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The catalogue reader: lines, header checks and the record tree (the
// document's destruction is not timed).
void BM_Load(benchmark::State& state) {
    setUp();
    const CatalogueFile& file = catalogue(layoutArg(state));
    for (auto _ : state) {
        auto doc = std::make_unique<CVDIDoc>();
        if (!doc->Load(file.path, false, 2, false)) state.SkipWithError("not parsed");
        benchmark::DoNotOptimize(doc->GetChildCount());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    report(state, file.lines, file.bytes);
}
BENCHMARK(BM_Load)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// CPU time of the calling thread: the machine may be busy with other work.
double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Both in turn on the same file, timed by the CPU time of this thread, so
// that the ratio is not skewed by what else the machine does meanwhile.
// Timed: the load; counters: both and the ratio.
void BM_LoadVersusReadLines(benchmark::State& state) {
    setUp();
    const CatalogueFile& file = catalogue(layoutArg(state));
    double readSeconds = 0, loadSeconds = 0;
    for (auto _ : state) {
        const double t0 = threadSeconds();
        {
            std::vector<std::string> lines;
            readLines(file, lines);
            benchmark::DoNotOptimize(lines.data());
        }
        const double t1 = threadSeconds();
        auto doc = std::make_unique<CVDIDoc>();
        doc->Load(file.path, false, 2, false);
        const double t2 = threadSeconds();
        doc.reset();
        readSeconds += t1 - t0;
        loadSeconds += t2 - t1;
        state.SetIterationTime(t2 - t1);
    }
    report(state, file.lines, file.bytes);
    const double n = static_cast<double>(state.iterations());
    state.counters["read_ms"] = readSeconds / n * 1e3;
    state.counters["load_ms"] = loadSeconds / n * 1e3;
    state.counters["ratio"] = loadSeconds / readSeconds;
}
BENCHMARK(BM_LoadVersusReadLines)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Record creation and placement only, from lines already read.
void BM_ParseLines(benchmark::State& state) {
    setUp();
    const CatalogueFile& file = catalogue(Layout::Vdi);
    std::vector<std::string> lines;
    readLines(file, lines);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> copy = lines;
        auto doc = std::make_unique<CVDIDoc>();
        state.ResumeTiming();
        if (!doc->LoadLines("bench.vdi", std::move(copy), false, 2))
            state.SkipWithError("not parsed");
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    report(state, file.lines, file.bytes);
}
BENCHMARK(BM_ParseLines)->Unit(benchmark::kMillisecond);

// Reading fields 1 … 8 of every record, as the catalogue viewer does.
void BM_ReadAllFields(benchmark::State& state) {
    setUp();
    const CatalogueFile& file = catalogue(Layout::Vdi);
    CVDIDoc doc;
    doc.Load(file.path, false, 2, false);
    for (auto _ : state) {
        std::size_t total = 0;
        std::vector<const CVDIBase*> stack{&doc};
        while (!stack.empty()) {
            const CVDIBase* r = stack.back();
            stack.pop_back();
            for (int n = 1; n <= 8; ++n)
                total += r->GetField(n).size();
            for (const auto& c : r->GetChildren())
                stack.push_back(c.get());
        }
        benchmark::DoNotOptimize(total);
    }
    report(state, file.lines, file.bytes);
}
BENCHMARK(BM_ReadAllFields)->Unit(benchmark::kMillisecond);

// User and system CPU time of the whole process.
double processSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Eight catalogues of 25 000 lines each (200 000 together) in one catalogue
// list, loaded by at most range(0) workers.
void BM_LoadAll(benchmark::State& state) {
    setUp();
    static const std::vector<CatalogueFile> files = [] {
        std::vector<CatalogueFile> out;
        for (int i = 0; i < kFilesForLoadAll; ++i)
            out.push_back(writeCatalogue("kavex-bench-loadall-" + std::to_string(i), Layout::Vdi,
                                         kLines / kFilesForLoadAll, 100 + i));
        return out;
    }();
    std::size_t lines = 0, bytes = 0;
    for (const CatalogueFile& f : files)
        lines += f.lines, bytes += f.bytes;
    double cpuSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto data = std::make_unique<CVDIData>();
        data->SetWorkerLimit(static_cast<std::size_t>(state.range(0)));
        for (const CatalogueFile& f : files)
            data->AddFile(2, f.path, {}, {}, {}, false);
        const double cpuBefore = processSeconds();
        state.ResumeTiming();
        if (data->LoadAll(false, 2, 0) != kFilesForLoadAll) state.SkipWithError("not loaded");
        state.PauseTiming();
        cpuSeconds += processSeconds() - cpuBefore;
        data.reset();
        state.ResumeTiming();
    }
    report(state, lines, bytes);
    // CPU time of all workers together: with the machine to itself, real time
    // × workers; on a busy machine the real time grows, this does not.
    state.counters["cpu_ms"] = cpuSeconds / static_cast<double>(state.iterations()) * 1e3;
}
BENCHMARK(BM_LoadAll)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// "VmRSS" / "VmHWM" of this process in kB, 0 when the system does not say.
long statusKB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key + ":") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

// Memory of one loaded 200 000-line catalogue: the peak of the resident set
// while loading and the heap the document keeps (glibc's count of bytes in
// use), each per MiB of file. Run it alone
// (--benchmark_filter=BM_PeakMemory) so that no earlier benchmark's freed
// memory is reused.
void BM_PeakMemory(benchmark::State& state) {
    setUp();
    const CatalogueFile& file = catalogue(Layout::Vdi);
    double peakMB = 0, heldMB = 0;
    for (auto _ : state) {
        const long before = statusKB("VmRSS");
        const std::size_t inUse = mallinfo2().uordblks;
        std::ofstream("/proc/self/clear_refs") << "5";  // restarts the peak (VmHWM)
        auto doc = std::make_unique<CVDIDoc>();
        doc->Load(file.path, false, 2, false);
        peakMB = static_cast<double>(statusKB("VmHWM") - before) / 1024.0;
        // Freed memory stays with the process; the allocator knows what is in use.
        heldMB = static_cast<double>(mallinfo2().uordblks - inUse) / (1024.0 * 1024.0);
        doc.reset();
    }
    const double fileMB = static_cast<double>(file.bytes) / (1024.0 * 1024.0);
    state.counters["file_MiB"] = fileMB;
    state.counters["peak_MiB"] = peakMB;
    state.counters["held_MiB"] = heldMB;
    state.counters["peak_per_file_MiB"] = peakMB / fileMB;
    state.counters["held_per_file_MiB"] = heldMB / fileMB;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["process_maxrss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
