#pragma once

#include "core/section_state.h"

namespace sorvane {

// Half-width of the NACA 4-digit thickness distribution (open trailing edge)
// at chord station x for thickness ratio t.
[[nodiscard]] double ThicknessHalfWidth(double t, double x);

// Height of the NACA 4-digit mean camber line at chord station x for camber
// ratio m with its maximum at p.
[[nodiscard]] double CamberHeight(double m, double p, double x);

// Fills X and Y with numPoints points on cosine spacing: from the lower
// trailing edge at index 1 round the leading edge to the upper trailing edge at
// index numPoints. Writes nothing for counts below 1, and never an index
// outside 1 to 200.
void FillSectionPoints(double pi, double m, double p, double t, double numPoints,
                       CoordArray& X, CoordArray& Y);

}  // namespace sorvane
