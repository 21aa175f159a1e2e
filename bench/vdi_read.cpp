// Reading VDI 3805 catalogues: a generated sheet-2 catalogue of several
// megabytes (model series with property, technical-data, curve and execution
// records, as manufacturers write them), loaded from the file and parsed from
// lines already read.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/platform/strutil.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vditemplate.h"

namespace {

std::string numbered(const char* fmt, int a, int b = 0) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

// One model series: 20 property records, 8 nominal sizes with 12 curve
// points each, 16 executions with their article records.
void appendSeries(std::vector<std::string>& lines, int series) {
    lines.push_back(numbered("110;%d;1;Serie NQ-%d;Thermostatventil-Unterteil mit Voreinstellung",
                             series, series));
    for (int p = 1; p <= 5; ++p) {
        lines.push_back(numbered("200;%d;1;%d;0;Eckform mit Voreinstellung", p, p));
        lines.push_back(numbered("200.01;%d;901;1;f;p", p));
        lines.push_back(numbered("250;%d;Bauform %d", p, p));
        lines.push_back(numbered("260;%d;Garnitur %d", p, p));
    }
    for (int dn = 1; dn <= 8; ++dn) {
        lines.push_back(numbered(
            "700;%d;4;%d;10;EN10226;1;21.3;0;2;0.86;120;10;1;6;1;6;1;1;Nordquell", dn, 10 + dn));
        for (int point = 1; point <= 12; ++point)
            lines.push_back(numbered("710.01;%d;%d.5;0.1234;2", point, point));
    }
    for (int e = 1; e <= 16; ++e) {
        lines.push_back(numbered(
            "800;%d;001%03d001001001001001001000000000000000000000001000;NQ-Ventil Ausführung %d;"
            "NQ-4711;24.90;1;10",
            e, series));
        lines.push_back(numbered("810;%d;A;2;NQ-%d;4012345000017;0.32;0.2", e, e));
    }
}

const std::vector<std::string>& catalogueLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> out{
            "010;2;201601;Nordquell Ventiltechnik AG;Am Quellberg 4;www.nordquell.example;"
            "Benchmark;20240115;1.0;DE;EUR;1;20240101;20251231;Vertrieb;3;7",
            "100;1;Heizkörperarmaturen für Zweirohrheizungen"};
        for (int series = 1; series <= 600; ++series)
            appendSeries(out, series);
        for (int a = 1; a <= 500; ++a) {
            out.push_back(
                numbered("900;%d;1;Zubehör %d;x;1;Z-1;9.90;1;1;Thermostatkopf;4012;0.1", a, a));
            out.push_back(numbered("920;%d;%d;1", a, a));
        }
        return out;
    }();
    return lines;
}

std::size_t byteCount() {
    std::size_t bytes = 0;
    for (const std::string& line : catalogueLines())
        bytes += line.size() + 2;
    return bytes;
}

const std::string& catalogueFile() {
    static const std::string path = [] {
        const std::string p =
            (std::filesystem::temp_directory_path() / "kavex-bench-vdi_read.vdi").string();
        nrvStrUtil::writeStringlistToFile(catalogueLines(), p);
        return p;
    }();
    return path;
}

void report(benchmark::State& state) {
    const auto lines = static_cast<std::int64_t>(catalogueLines().size());
    state.SetItemsProcessed(state.iterations() * lines);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(byteCount()));
    state.counters["lines"] = static_cast<double>(lines);
}

// Reading the file (1252 → UTF-8, line splitting), checking and parsing.
void BM_LoadCatalogueFile(benchmark::State& state) {
    CVDITemplate::SetFolder("/nonexistent");
    const std::string& path = catalogueFile();
    for (auto _ : state) {
        CVDIDoc doc;
        if (!doc.Load(path, true, 2, false)) state.SkipWithError("not parsed");
        benchmark::DoNotOptimize(doc.GetChildCount());
    }
    report(state);
    CReportList::instance().Clear();
}
BENCHMARK(BM_LoadCatalogueFile)->Unit(benchmark::kMillisecond);

// Parsing lines already read: record creation and placement only.
void BM_ParseCatalogueLines(benchmark::State& state) {
    CVDITemplate::SetFolder("/nonexistent");
    for (auto _ : state) {
        std::vector<std::string> lines = catalogueLines();
        CVDIDoc doc;
        if (!doc.LoadLines("bench.vdi", std::move(lines), true, 2))
            state.SkipWithError("not parsed");
        benchmark::DoNotOptimize(doc.GetChildCount());
    }
    report(state);
}
BENCHMARK(BM_ParseCatalogueLines)->Unit(benchmark::kMillisecond);

// Reading every field of every record, as the catalogue viewer does.
void BM_ReadAllFields(benchmark::State& state) {
    CVDITemplate::SetFolder("/nonexistent");
    CVDIDoc doc;
    doc.LoadLines("bench.vdi", catalogueLines(), false, 2);
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
    report(state);
}
BENCHMARK(BM_ReadAllFields)->Unit(benchmark::kMillisecond);

}  // namespace
