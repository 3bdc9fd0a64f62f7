#include "core/section_geometry.h"

#include <cmath>

namespace sorvane {

double ThicknessHalfWidth(double t, double x)
{
    // Whole powers as products: a call to pow for each costs more than the rest together.
    const double x2 = x * x;
    const double bracket = 0.2969 * std::pow(x, 0.5) - 0.126 * x - 0.3516 * x2
                           + 0.2843 * x2 * x - 0.1015 * x2 * x2;
    return 5 * t * bracket;
}

double CamberHeight(double m, double p, double x)
{
    if (m == 0) return 0;
    if (x <= p) return (1 * m) / (p * p) * (2 * p * x - x * x);
    return (1 * m) / ((1 - p) * (1 - p)) * ((1 - 2 * p) + 2 * p * x - x * x);
}

void FillSectionPoints(double pi, double m, double p, double t, double numPoints,
                       CoordArray& X, CoordArray& Y)
{
    // Also refuses NaN, which fails every comparison.
    if (!(numPoints <= kArrayCells - 1)) return;

    const double halfCount = (numPoints - 1) / 2;
    // A single point has no spacing to divide: its one station is the trailing edge.
    const double step = halfCount == 0 ? 0 : pi / halfCount;
    const double lastStation = halfCount + 1;

    for (int i = 1; i <= lastStation; ++i) {
        const double x = (std::cos((i - 1) * step) + 1) * 0.5;
        const double yt = ThicknessHalfWidth(t, x);
        const double yc = CamberHeight(m, p, x);

        X[i] = x;
        Y[i] = yc - yt;

        // Halves go to the even neighbour: nearbyint in the default rounding mode.
        const double mirror = std::nearbyint((numPoints + 1) - i);
        if (mirror < 1 || mirror > kArrayCells - 1) continue;
        const auto j = static_cast<int>(mirror);
        X[j] = x;
        Y[j] = yc + yt;
    }
}

}  // namespace sorvane
