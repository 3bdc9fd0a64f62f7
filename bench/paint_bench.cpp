// One paint of the plot widget, offscreen, with a 200-point section against
// the same widget with nothing drawn (background and border only).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "core/calculate_section.h"
#include "output/show_airfoil.h"
#include "design/window_design.h"
#include "ui/airfoil_picture.h"
#include "ui/design_to_qt.h"

namespace {

using namespace sorvane;
using qt::AirfoilPicture;

void PaintOnce(benchmark::State& run, bool withSection)
{
    AirfoilPicture picture;
    picture.Place(qt::DesignRect(ControlFor(MainWindowDesign(), ControlRole::Plot).twips));
    if (withSection) {
        SectionState state;
        if (CalculateSection("2412", "200", ".", state).message)
            return run.SkipWithError("2412 was refused");
        ShowAirfoil(state.X, state.Y, state, picture.Drawing());
    }
    QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : run) {
        picture.render(&image);
        benchmark::ClobberMemory();
    }
}

void BM_PaintPlot200(benchmark::State& run) { PaintOnce(run, true); }
void BM_PaintEmptyBoxBaseline(benchmark::State& run) { PaintOnce(run, false); }
BENCHMARK(BM_PaintPlot200);
BENCHMARK(BM_PaintEmptyBoxBaseline);

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
