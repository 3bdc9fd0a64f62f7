#include <benchmark/benchmark.h>

#include <cmath>

#include "core/calculate_section.h"
#include "core/section_geometry.h"

namespace {

using namespace sorvane;

void BM_FillSectionPoints200(benchmark::State& run)
{
    const double pi = 4 * std::atan(1.0);
    CoordArray X, Y;
    for (auto _ : run) {
        FillSectionPoints(pi, 0.02, 0.4, 0.12, 200, X, Y);
        benchmark::DoNotOptimize(X);
        benchmark::DoNotOptimize(Y);
    }
}
BENCHMARK(BM_FillSectionPoints200);

void BM_CalculateSection200(benchmark::State& run)
{
    SectionState state;
    for (auto _ : run) {
        auto outcome = CalculateSection("2412", "200", ".", state);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(BM_CalculateSection200);

// A baseline in the same run: 100 cosines and square roots, the least any
// 200-point section needs.
void BM_Baseline100CosSqrt(benchmark::State& run)
{
    double sink = 0;
    for (auto _ : run) {
        for (int i = 0; i < 100; ++i) {
            const double x = (std::cos(i * 0.0315) + 1) * 0.5;
            benchmark::DoNotOptimize(sink += std::sqrt(x));
        }
    }
}
BENCHMARK(BM_Baseline100CosSqrt);

}  // namespace

BENCHMARK_MAIN();
