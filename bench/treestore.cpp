// Throughput of the tree-store text reader and writer on a catalogue of model
// files (about 4 MB): many "Modell" nodes, each with valves whose kv curves
// hold a few dozen points.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "kavex/platform/treestore.h"

namespace {

void addCurve(CNode& ck, int points) {
    CLeaf::InitSetValues(':');
    CLeaf* xs = ck.AddLeaf("KVE_F", static_cast<const char*>(nullptr));
    CLeaf* labels = ck.AddLeaf("KVE_S", static_cast<const char*>(nullptr));
    CLeaf* ys = ck.AddLeaf("KVW", static_cast<const char*>(nullptr));
    xs->SetFirstValue("-");
    labels->SetFirstValue("-");
    ys->SetFirstValue("m³/h");
    for (int p = 0; p < points; ++p) {
        xs->SetNextValue(p * 0.5);
        labels->SetNextValue(std::to_string(p));
        ys->SetNextValue(0.05 + p * 0.037);
    }
    CLeaf::ExitSetValues();
}

std::unique_ptr<CNode> catalogue(std::size_t targetBytes) {
    auto root = std::make_unique<CNode>("Katalog");
    std::string text;
    for (int m = 0;; ++m) {
        CNode* model = root->AddChild("Modell");
        model->AddLeaf("VER", 0);
        model->AddLeaf("MON", "Serie " + std::to_string(m) + ": Thermostatventil");
        model->AddLeaf("X", "")->SetRawText("201:" + std::to_string(m) +
                                            ":Beispiel GmbH:beispiel.vdi::201601");
        for (int dn : {10, 15, 20, 25, 32}) {
            CNode* valve = model->AddChild("THKV");
            valve->AddLeaf("VER", 1);
            valve->AddLeaf("X", "")->SetRawText("4711-" + std::to_string(dn) +
                                                ":201:201:1:" + std::to_string(dn) +
                                                ":120.000000:10.000000:0.600000:0.890000:::"
                                                "4012345678901:DN:0.000000:0.000000::1:0");
            valve->AddLeaf("AD", "Eckform;vernickelt;Voreinstellung");
            valve->AddLeaf("ANS", "")->SetRawText("RP 1/2:0:Eingang:R 1/2:1:Ausgang");
            CNode* ck = valve->AddChild("CK");
            ck->AddLeaf("XP", "")->SetRawText("2.000000:0.000000:0.000000:0.000000:N");
            addCurve(*ck, 24);
        }
        if (m % 16 == 15) {
            root->WriteToString(text, false, true);
            if (text.size() >= targetBytes) return root;
        }
    }
}

const std::string& sampleText() {
    static const std::string text = [] {
        std::string t;
        catalogue(4u << 20)->WriteToString(t, false, true);
        return t;
    }();
    return text;
}

void BM_TreeStoreParse(benchmark::State& state) {
    const std::string& text = sampleText();
    for (auto _ : state) {
        auto root = TreeItems::ReadFromString(text);
        benchmark::DoNotOptimize(root.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TreeStoreParse)->Unit(benchmark::kMillisecond);

void BM_TreeStoreWrite(benchmark::State& state) {
    const bool indent = state.range(0) != 0;
    auto root = TreeItems::ReadFromString(sampleText());
    std::string text;
    for (auto _ : state) {
        root->WriteToString(text, false, indent);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.SetLabel(indent ? "indented" : "plain");
}
BENCHMARK(BM_TreeStoreWrite)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_TreeStoreProNodeParse(benchmark::State& state) {
    const std::string& text = sampleText();
    for (auto _ : state) {
        auto root = CProNodeBase::ReadFromString(text);
        benchmark::DoNotOptimize(root.get());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_TreeStoreProNodeParse)->Unit(benchmark::kMillisecond);

// Walking a model's valves and reading every curve value, as the model
// reader does after parsing.
void BM_TreeStoreReadValues(benchmark::State& state) {
    auto root = TreeItems::ReadFromString(sampleText());
    for (auto _ : state) {
        double sum = 0;
        for (CNode* model = root->FindChild("Modell"); model;
             model = root->FindChild("Modell", model)) {
            for (CNode* valve = model->GetFirstChild(); valve; valve = model->GetNextChild()) {
                const CLeaf* kv = valve->FindChild("CK")->FindLeaf("KVW");
                double y = 0;
                std::string unit;
                if (kv->GetFirstValue(unit)) {
                    while (kv->GetNextValue(y))
                        sum += y;
                    sum += y;
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_TreeStoreReadValues)->Unit(benchmark::kMillisecond);

}  // namespace
