#include <gtest/gtest.h>

#include "core/calculate_section.h"

namespace sorvane {
namespace {

// NACA 0012 ordinates in percent of chord, as published in NACA Report 824
// (Abbott, von Doenhoff and Stivers, 1945), reprinted in Abbott and von Doenhoff,
// "Theory of Wing Sections", appendix I. Typed in from the table, not computed.
struct Ordinate {
    double xPercent;
    double yPercent;
};
constexpr Ordinate kNaca0012[] = {
    {5.0, 3.555},  {7.5, 4.200},  {10, 4.683}, {15, 5.345}, {20, 5.737},
    {25, 5.941},   {30, 6.002},   {40, 5.803}, {50, 5.294}, {60, 4.563},
    {70, 3.664},   {80, 2.623},   {90, 1.448}, {95, 0.807}, {100, 0.126},
};

// The upper surface at x, by straight lines between neighbouring points.
double UpperSurfaceAt(const SectionState& s, int count, double x)
{
    const int leadingEdge = (count + 1) / 2;
    for (int i = leadingEdge; i < count; ++i) {
        const double x0 = *s.X[i], x1 = *s.X[i + 1];
        if (x >= x0 && x <= x1) {
            const double y0 = *s.Y[i], y1 = *s.Y[i + 1];
            return x1 == x0 ? y1 : y0 + (y1 - y0) * (x - x0) / (x1 - x0);
        }
    }
    ADD_FAILURE() << "x = " << x << " is not on the upper surface";
    return 0;
}

TEST(PublishedOrdinates, Naca0012MatchesReport824)
{
    SectionState s;
    const CalculateOutcome outcome = CalculateSection("0012", "199", ".", s);
    ASSERT_TRUE(outcome.sectionFilled);
    for (const Ordinate& o : kNaca0012) {
        EXPECT_NEAR(UpperSurfaceAt(s, 199, o.xPercent / 100), o.yPercent / 100, 1e-4)
            << "x = " << o.xPercent << " %";
    }
}

}  // namespace
}  // namespace sorvane
