#include "core/section_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sorvane {
namespace {

const double kPi = 4 * std::atan(1.0);
constexpr double k10Decimals = 0.5e-10;

struct Section {
    CoordArray X;
    CoordArray Y;
};

Section Fill(double m, double p, double t, double count)
{
    Section s;
    FillSectionPoints(kPi, m, p, t, count, s.X, s.Y);
    return s;
}

int WrittenCells(const Section& s)
{
    int n = 0;
    for (int i = 0; i < kArrayCells; ++i) n += s.X[i].has_value();
    return n;
}

struct Point {
    int index;
    double x, y;
};

struct PointsCase {
    const char* name;
    double m, p, t, count;
    std::vector<Point> points;
};

class PublishedPoints : public ::testing::TestWithParam<PointsCase> {};

TEST_P(PublishedPoints, MatchToTenDecimals)
{
    const PointsCase& c = GetParam();
    const Section s = Fill(c.m, c.p, c.t, c.count);
    for (const Point& pt : c.points) {
        ASSERT_TRUE(s.X[pt.index] && s.Y[pt.index]) << "index " << pt.index;
        EXPECT_NEAR(*s.X[pt.index], pt.x, k10Decimals) << "x at " << pt.index;
        EXPECT_NEAR(*s.Y[pt.index], pt.y, k10Decimals) << "y at " << pt.index;
    }
    EXPECT_EQ(WrittenCells(s), static_cast<int>(c.count));
    EXPECT_FALSE(s.X[0].has_value());
}

const double kYt1 = 0.0105 * 0.12;

INSTANTIATE_TEST_SUITE_P(
    Sections, PublishedPoints,
    ::testing::Values(
        PointsCase{"n0012_51", 0, 0, 0.12, 51,
                   {{1, 1, -0.00126}, {2, 0.9960573507, -0.0018118463},
                    {13, 0.5313952598, -0.0508543387}, {26, 0, 0},
                    {39, 0.5313952598, 0.0508543387}, {50, 0.9960573507, 0.0018118463},
                    {51, 1, 0.00126}}},
        PointsCase{"n2412_51", 0.02, 0.4, 0.12, 51,
                   {{1, 1, -0.00126}, {13, 0.5313952598, -0.0318134895}, {26, 0, 0},
                    {39, 0.5313952598, 0.0698951879}, {51, 1, 0.00126}}},
        PointsCase{"n0012_50", 0, 0, 0.12, 50,
                   {{25, 0.0010273036, -0.0056317814}, {26, 0.0010273036, 0.0056317814},
                    {50, 1, 0.00126}}},
        PointsCase{"three", 0, 0, 0.12, 3, {{1, 1, -kYt1}, {2, 0, 0}, {3, 1, kYt1}}},
        PointsCase{"two", 0, 0, 0.12, 2, {{1, 1, -kYt1}, {2, 1, kYt1}}},
        // One point: its only station is the trailing edge, upper side written last.
        PointsCase{"one", 0, 0, 0.12, 1, {{1, 1, kYt1}}},
        PointsCase{"n0012_200", 0, 0, 0.12, 200, {{1, 1, -0.00126}, {200, 1, 0.00126}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SectionGeometry, EvenCountsNeverReachTheLeadingEdge)
{
    const Section s = Fill(0, 0, 0.12, 50);
    for (int i = 1; i <= 50; ++i) EXPECT_GT(*s.X[i], 0) << i;
}

TEST(SectionGeometry, CountsBelowOneWriteNothing)
{
    for (const double count : {0.0, -7.0, 0.5, 0.999, -0.5, -1e300}) {
        EXPECT_EQ(WrittenCells(Fill(0.02, 0.4, 0.12, count)), 0) << count;
    }
}

TEST(SectionGeometry, StationAtTheCamberPositionUsesTheFrontFormula)
{
    const double front = 0.02 / (0.4 * 0.4) * (2 * 0.4 * 0.4 - 0.4 * 0.4);
    EXPECT_DOUBLE_EQ(CamberHeight(0.02, 0.4, 0.4), front);
    EXPECT_DOUBLE_EQ(CamberHeight(0.02, 0.4, 1.0), 0.0);
    EXPECT_NEAR(ThicknessHalfWidth(0.12, 1.0), 0.0105 * 0.12, 1e-15);
}

}  // namespace
}  // namespace sorvane
