#include "output/show_airfoil.h"

#include <cmath>

namespace sorvane {
namespace {

struct Extents {
    double xmin, xmax, ymin, ymax;
};

// Only whole indices from 1 up to the count, and never past the arrays.
int LastIndex(double numPoints, int limit)
{
    if (!(numPoints >= 1)) return 0;
    return numPoints >= limit ? limit : static_cast<int>(numPoints);
}

Extents FindExtents(const CoordArray& X, const CoordArray& Y, int count)
{
    Extents e{CellValue(X[1]), CellValue(X[1]), CellValue(Y[1]), CellValue(Y[1])};
    for (int i = 1; i <= count; ++i) {
        const double x = CellValue(X[i]);
        const double y = CellValue(Y[i]);
        if (x < e.xmin) e.xmin = x;
        if (x > e.xmax) e.xmax = x;
        if (y < e.ymin) e.ymin = y;
        if (y > e.ymax) e.ymax = y;
    }
    return e;
}

}  // namespace

void ShowAirfoil(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                 DrawingBox& box)
{
    const int count = LastIndex(CellValue(state.NumPoints), kArrayCells - 1);
    const Extents e = FindExtents(X, Y, count);

    const double dx = std::abs(e.xmin - e.xmax);
    double dy = std::abs(e.ymin - e.ymax);
    // A flat section still gets a finite vertical scale.
    if (dy == 0) dy = 0.00001;

    const double w = box.Width();
    const double h = box.Height();

    // Box units per chord length; with no horizontal span the height alone decides.
    const double rx = w / dx;
    const double ry = h / dy;
    double s = (dx == 0 || ry < rx) ? ry : rx;
    s = 1.9 * s;

    const double xc = (e.xmax + e.xmin) / 2;
    const double yc = (e.ymax + e.ymin) / 2;

    box.Cls();
    if (!(s > 0) || !std::isfinite(s)) return;  // a box of no size has nothing to draw on

    const auto f = [](double v) { return static_cast<float>(v); };
    box.Scale(f(-w / s), f(-h / s), f(w / s), f(h / s));
    box.Line(f(e.xmin - xc), f(yc), f(e.xmax - xc), f(yc), kReferenceGrey);
    box.Line(f(e.xmin - xc), f(-h / s), f(e.xmin - xc), f(h / s), kReferenceGrey);
    for (int i = 1; i <= count - 1; ++i) {
        box.Line(f(CellValue(X[i]) - xc), f(yc - CellValue(Y[i])),
                 f(CellValue(X[i + 1]) - xc), f(yc - CellValue(Y[i + 1])), kOutlineRed);
    }
}

Rgb PlotColour(Rgb designed, Rgb designedBackground, const std::optional<ContrastColours>& theme)
{
    if (!theme) return designed;
    if (designed == designedBackground) return theme->background;
    return designed == kReferenceGrey ? theme->reference : theme->outline;
}

}  // namespace sorvane
