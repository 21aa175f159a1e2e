// The valve services as the pipe-network calculation calls them for every
// component: the setting for a required kv, the best global valve for a kv,
// and the pressure loss at the valve's setting. The container holds 50
// thermostatic-valve series of four to six sizes, eight settings each.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "kavex/curves/einstellungkurve.h"
#include "kavex/services/armaturcontainer.h"
#include "kavex/valves/armaturthkv.h"

using namespace nrvBaseArmaturen;

namespace {

constexpr int kModels = 50;
const int kSizes[] = {10, 15, 20, 25, 32, 40};
const float kKv[] = {0.049f, 0.09f, 0.15f, 0.265f, 0.33f, 0.47f, 0.59f, 0.67f};

VDIArmaturenModell series(int n) {
    VDIArmaturenModell record;
    record.typ = enHzTHKV;
    record.global = 1;
    record.getModell().setManufacturerModel("Rheintal Armaturen GmbH", "TV " + std::to_string(n));
    const float scale = 0.5f + 0.05f * float(n);
    for (int s = n % 3; s < 6; ++s) {
        auto* valve =
            static_cast<nrvVDIArmaturen::nrvArmaturTHKV*>(record.getModell().Add(en700THKV));
        valve->setTyp(en700THKV);
        valve->setDimension(kSizes[s]);
        valve->setKvs(0.86 * scale * (1 + s));
        CEinstellungKurve curve;
        for (int i = 8; i >= 1; --i)
            curve.addCurveNode(float(i), std::to_string(i), kKv[i - 1] * scale * float(1 + s));
        valve->addKvKurve(curve);
    }
    return record;
}

struct Fixture {
    RnArmaturContainer container;
    std::vector<ARMATUR> components;  // one reference per component
    std::vector<double> kv;           // required kv per component

    Fixture() {
        for (int n = 0; n < kModels; ++n) {
            VDIArmaturenModell record = series(n);
            container.append(record);
        }
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> model(1, kModels), size(0, 5), setting(0, 7);
        std::uniform_real_distribution<double> required(0.02, 4.0);
        for (int i = 0; i < 1024; ++i) {
            components.push_back(ARMATUR{model(rng), kSizes[size(rng)], "", setting(rng)});
            kv.push_back(required(rng));
        }
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

void BM_findEinstellung(benchmark::State& state) {
    const Fixture& f = fixture();
    std::vector<const nrvVDIArmaturen::nrvArmatur*> valves;
    for (const ARMATUR& arm : f.components)
        valves.push_back(f.container.getArmatur(arm, -1));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RnArmaturContainer::findEinstellung(valves[i], f.kv[i] / 4, state.range(0) != 0));
        i = (i + 1) % valves.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_findEinstellung)->Arg(0)->Arg(1);

// The best valve of all 50 global series for a component (always-best).
void BM_findGlobalVariablenWiderstand(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        ARMATUR arm = f.components[i];
        benchmark::DoNotOptimize(f.container.findGlobalVariablenWiderstand(
            f.kv[i], enHzTHKV, arm, state.range(0) != 0, false, ""));
        i = (i + 1) % f.components.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_findGlobalVariablenWiderstand)->ArgName("alwaysBest")->Arg(1)->Arg(0);

// Pressure loss of a component at its setting: resolve the valve, read kv.
void BM_druckverlust(benchmark::State& state) {
    const Fixture& f = fixture();
    std::size_t i = 0;
    for (auto _ : state) {
        double kv = 0.0;
        f.container.getKvIst(f.components[i], kv);
        benchmark::DoNotOptimize(RnArmaturContainer::_dpWert(0.1, kv, 998.0));
        i = (i + 1) % f.components.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_druckverlust);

}  // namespace
