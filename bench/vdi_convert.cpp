// Turning catalogue executions into valves: a generated catalogue of 10 000
// executions (sheet 2: throttles, thermostatic valve bodies, fixed
// resistances; sheet 17: manual throttles, pressure reducers), every model
// series taken over as one model the way the catalogue dialog does it
// (accessories collected, FillModel), and the data check of the whole
// catalogue. Each iteration works on a freshly loaded document, so the TGA
// numbers are resolved inside the timed part as on first use.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "kavex/platform/reportlist.h"
#include "kavex/valves/armaturenmodell.h"
#include "kavex/vdi3805/vdicheck.h"
#include "kavex/vdi3805/vdiconvert.h"
#include "kavex/vdi3805/vdidoc.h"
#include "kavex/vdi3805/vdirecords.h"
#include "kavex/vdi3805/vditemplate.h"
#include "vdigen/vdigen.h"

namespace {

constexpr std::size_t kExecutions = 10000;

const std::vector<std::string>& catalogueLines(int sheet) {
    static const auto make = [](int s) {
        nrvVDIGen::Options options;
        options.sheet = s;
        options.executions = kExecutions;
        options.seed = 1;
        return nrvVDIGen::Generate(options).lines;
    };
    static const std::vector<std::string> heating = make(2), water = make(17);
    return sheet == 2 ? heating : water;
}

std::unique_ptr<CVDIDoc> loadCatalogue(int sheet) {
    auto doc = std::make_unique<CVDIDoc>();
    doc->LoadLines("bench.vdi", catalogueLines(sheet), false, sheet);
    return doc;
}

// The executions of each model series, in file order.
std::vector<std::vector<VDIStruct_800*>> executionsBySeries(const CVDIDoc& doc) {
    std::vector<CVDIBase*> series;
    doc.CollectRecords(11000, series);
    std::vector<std::vector<VDIStruct_800*>> out;
    for (CVDIBase* s : series) {
        out.emplace_back();
        for (const auto& child : s->GetChildren())
            if (auto* e = dynamic_cast<VDIStruct_800*>(child.get())) out.back().push_back(e);
    }
    return out;
}

// Every series taken over as one model, with the XP a user would choose (2 K).
void BM_FillModel(benchmark::State& state) {
    CVDITemplate::SetFolder("/nonexistent");
    const int sheet = static_cast<int>(state.range(0));
    std::size_t valves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CReportList::instance().Clear();
        auto doc = loadCatalogue(sheet);
        state.ResumeTiming();
        valves = 0;
        for (const auto& executions : executionsBySeries(*doc)) {
            std::vector<nrvVDIConvert::AccessoryList> accessories;
            for (VDIStruct_800* e : executions)
                accessories.push_back(nrvVDIConvert::CollectAccessories(*e));
            nrvVDIArmaturen::nrvVDIArmaturenModell model;
            nrvVDIConvert::FillModel(model, executions, std::vector<float>(executions.size(), 2.0f),
                                     accessories);
            valves += static_cast<std::size_t>(model.getSize());
        }
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    if (valves != kExecutions) state.SkipWithError("not every execution became a valve");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kExecutions));
    state.counters["valves"] = static_cast<double>(valves);
    state.counters["reports"] = CReportList::instance().Count();
    CReportList::instance().Clear();
}
BENCHMARK(BM_FillModel)->Arg(2)->Arg(17)->Unit(benchmark::kMillisecond);

// The data check over the whole catalogue (conversion kind by kind and the
// report text).
void BM_WriteDataCheck(benchmark::State& state) {
    CVDITemplate::SetFolder("/nonexistent");
    const int sheet = static_cast<int>(state.range(0));
    nrvVDICheck::DataCheckCounts counts;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = loadCatalogue(sheet);
        state.ResumeTiming();
        std::vector<std::string> lines;
        counts = nrvVDICheck::WriteDataCheck(lines, *doc);
        benchmark::DoNotOptimize(lines.data());
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
    if (counts.valid != static_cast<int>(kExecutions))
        state.SkipWithError("not every execution valid");
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kExecutions));
    state.counters["valid"] = counts.valid;
    state.counters["hints"] = counts.hints;
    state.counters["errors"] = counts.errors;
    CReportList::instance().Clear();
}
BENCHMARK(BM_WriteDataCheck)->Arg(2)->Arg(17)->Unit(benchmark::kMillisecond);

}  // namespace
