#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "command/calculate_and_show.h"
#include "core/calculate_section.h"
#include "core/section_geometry.h"
#include "fakes.h"
#include "output/write_coords.h"

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

// Clicks of "Calculate and Show" for 2412 at 200 points into a temporary
// folder; each click is handed the form, the state and the file.
template <typename Click>
void RunClicks(benchmark::State& run, Click click)
{
    testing::TempFolder folder;
    SectionState state;
    testing::FakeForm form("2412", "200");
    const auto file = folder / kCoordFileName;
    for (auto _ : run) {
        form.box.calls.clear();
        if (!click(form, state, file)) return run.SkipWithError("the click failed");
    }
}

// The whole command as a click runs it: fields, file (temporary file, sync,
// rename, folder sync) and the plot into a recording box.
void BM_CalculateAndShow200(benchmark::State& run)
{
    RunClicks(run, [](testing::FakeForm& form, SectionState& state, const auto& file) {
        CalculateAndShow(form, state, file);
        return form.messages.empty();
    });
}
BENCHMARK(BM_CalculateAndShow200);

// The same click with the file left to the system's cache: what the syncs cost.
void BM_CalculateAndShow200WithoutSync(benchmark::State& run)
{
    RunClicks(run, [](testing::FakeForm& form, SectionState& state, const auto& file) {
        CalculateAndShow(form, state, file, SyncToDisk::No);
        return form.messages.empty();
    });
}
BENCHMARK(BM_CalculateAndShow200WithoutSync);

// Its baseline: the same text written straight over the file, no temporary file.
void BM_BaselinePlainFileWrite(benchmark::State& run)
{
    testing::TempFolder folder;
    SectionState state;
    if (CalculateSection("2412", "200", ".", state).message)
        return run.SkipWithError("2412 was refused");
    const std::string text = CoordsText(state.X, state.Y, state);
    const std::string file = (folder / kCoordFileName).string();
    for (auto _ : run) {
        std::FILE* stream = std::fopen(file.c_str(), "w");
        std::fwrite(text.data(), 1, text.size(), stream);
        std::fclose(stream);
    }
}
BENCHMARK(BM_BaselinePlainFileWrite);

}  // namespace

BENCHMARK_MAIN();
