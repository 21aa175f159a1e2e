// Lookups on kv curves of typical (10 points) and long (100 points) catalogue
// size, as the setting determination does them for every component.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "kavex/curves/kurve.h"

using nrvBaseArmaturen::CKurve;

namespace {

// A falling kv-over-setting curve: setting 0 most open.
CKurve kvCurve(int points) {
    CKurve k;
    for (int i = 0; i < points; ++i) {
        k.addCurveNode(float(i) * 0.5f, std::to_string(i), 4.0f / (1.0f + float(i)));
    }
    return k;
}

// Queries spread over the curve's range, with a few beyond both ends.
std::vector<float> queries(const CKurve& k, bool onY) {
    const float lo = onY ? k.getLastNode().y : k.getFirstNode().x;
    const float hi = onY ? k.getFirstNode().y : k.getLastNode().x;
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> dist(lo - 0.05f * (hi - lo), hi + 0.05f * (hi - lo));
    std::vector<float> q(1024);
    for (float& v : q)
        v = dist(rng);
    return q;
}

void BM_getYInterpol(benchmark::State& state) {
    const CKurve k = kvCurve(int(state.range(0)));
    const std::vector<float> q = queries(k, false);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(k.getYInterpol(q[i++ & 1023]));
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_getYNearest(benchmark::State& state) {
    const CKurve k = kvCurve(int(state.range(0)));
    const std::vector<float> q = queries(k, false);
    const auto mode = static_cast<CKurve::enNearest>(state.range(1));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(k.getYNearest(q[i++ & 1023], mode));
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_getYInterpol)->Arg(10)->Arg(100);
BENCHMARK(BM_getYNearest)->ArgsProduct({{10, 100}, {CKurve::closest, CKurve::higher}});
