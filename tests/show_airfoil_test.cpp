#include "output/show_airfoil.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/calculate_section.h"
#include "fakes.h"

namespace sorvane {
namespace {

using testing::RecordingBox;

RecordingBox Plot(const std::string& code, const std::string& count)
{
    SectionState state;
    EXPECT_FALSE(CalculateSection(code, count, ".", state).message) << code << " " << count;
    RecordingBox box;
    ShowAirfoil(state.X, state.Y, state, box);
    return box;
}

TEST(ShowAirfoil, SymmetricSectionScalesByWidthAndIsCentred)
{
    const RecordingBox box = Plot("0012", "51");
    ASSERT_GE(box.calls.size(), 2u);
    EXPECT_EQ(box.calls[0], "Cls");
    EXPECT_EQ(box.calls[1], "Scale");
    ASSERT_EQ(box.Segments().size(), 52u);

    const float s = 11656.5f;
    EXPECT_FLOAT_EQ(box.UserFrame().x1, -6135 / s);
    EXPECT_FLOAT_EQ(box.UserFrame().y1, -2535 / s);
    EXPECT_FLOAT_EQ(box.UserFrame().x2, 6135 / s);
    EXPECT_FLOAT_EQ(box.UserFrame().y2, 2535 / s);
    EXPECT_NEAR(box.UserFrame().x2, 0.5263, 1e-4);
    EXPECT_NEAR(box.UserFrame().y2, 0.2175, 1e-4);

    const auto& chord = box.Segments()[0];
    EXPECT_EQ(chord.colour, kReferenceGrey);
    EXPECT_FLOAT_EQ(chord.x1, -0.5f);
    EXPECT_FLOAT_EQ(chord.x2, 0.5f);
    EXPECT_FLOAT_EQ(chord.y1, 0.0f);
    EXPECT_FLOAT_EQ(chord.y2, 0.0f);

    const auto& leadingEdge = box.Segments()[1];
    EXPECT_EQ(leadingEdge.colour, kReferenceGrey);
    EXPECT_FLOAT_EQ(leadingEdge.x1, -0.5f);
    EXPECT_FLOAT_EQ(leadingEdge.x2, -0.5f);
    EXPECT_FLOAT_EQ(leadingEdge.y1, box.UserFrame().y1);
    EXPECT_FLOAT_EQ(leadingEdge.y2, box.UserFrame().y2);

    // The outline runs from the lower trailing edge (y up is negative user y) round to the upper.
    EXPECT_FLOAT_EQ(box.Segments()[2].x1, 0.5f);
    EXPECT_NEAR(box.Segments()[2].y1, 0.00126, 1e-7);
    EXPECT_NEAR(box.Segments().back().y2, -0.00126, 1e-7);
    for (std::size_t i = 2; i < box.Segments().size(); ++i) {
        EXPECT_EQ(box.Segments()[i].colour, kOutlineRed);
        if (i > 2) {
            EXPECT_EQ(box.Segments()[i].x1, box.Segments()[i - 1].x2);
            EXPECT_EQ(box.Segments()[i].y1, box.Segments()[i - 1].y2);
        }
    }
}

TEST(ShowAirfoil, ThickSectionInAShortBoxScalesByHeight)
{
    const RecordingBox box = Plot("9999", "51");
    float ymin = 0, ymax = 0;
    for (std::size_t i = 2; i < box.Segments().size(); ++i) {
        ymin = std::min({ymin, box.Segments()[i].y1, box.Segments()[i].y2});
        ymax = std::max({ymax, box.Segments()[i].y1, box.Segments()[i].y2});
    }
    EXPECT_NEAR((ymax - ymin) / (box.UserFrame().y2 - box.UserFrame().y1), 0.95, 1e-6);
    EXPECT_NEAR(ymax, -ymin, 1e-6);
    EXPECT_LT(1 / (box.UserFrame().x2 - box.UserFrame().x1), 0.95);
}

TEST(ShowAirfoil, FlatSectionLiesOnTheChordLine)
{
    const RecordingBox box = Plot("0.5", "51");
    EXPECT_FLOAT_EQ(box.UserFrame().x2, 1 / 1.9f);
    ASSERT_EQ(box.Segments().size(), 52u);
    for (const auto& s : box.Segments()) {
        if (s.colour != kOutlineRed) continue;
        EXPECT_EQ(s.y1, 0.0f);
        EXPECT_EQ(s.y2, 0.0f);
    }
}

TEST(ShowAirfoil, ThreePointsGiveTwoOpenSegments)
{
    const RecordingBox box = Plot("0012", "3");
    ASSERT_EQ(box.Segments().size(), 4u);
    const float yt = 0.0105f * 0.12f;
    EXPECT_FLOAT_EQ(box.Segments()[2].x1, 0.5f);
    EXPECT_FLOAT_EQ(box.Segments()[2].y1, yt);
    EXPECT_FLOAT_EQ(box.Segments()[2].x2, -0.5f);
    EXPECT_FLOAT_EQ(box.Segments()[3].x2, 0.5f);
    EXPECT_FLOAT_EQ(box.Segments()[3].y2, -yt);
}

TEST(ShowAirfoil, DegenerateSpansStayFinite)
{
    for (const char* count : {"2", "1", "0", "-3", "0.5"}) {
        const RecordingBox box = Plot("0012", count);
        EXPECT_EQ(box.clears, 1) << count;
        EXPECT_TRUE(box.AllFinite()) << count;
        EXPECT_GT(box.UserFrame().y2, 0) << count;
        EXPECT_EQ(box.Segments().size(), std::string(count) == "2" ? 3u : 2u) << count;
    }
    // A fresh state with nothing written, and a box of no size.
    SectionState empty;
    RecordingBox box;
    ShowAirfoil(empty.X, empty.Y, empty, box);
    EXPECT_TRUE(box.AllFinite());
    RecordingBox collapsed(0, 0);
    ShowAirfoil(empty.X, empty.Y, empty, collapsed);
    EXPECT_EQ(collapsed.clears, 1);
    EXPECT_TRUE(collapsed.Segments().empty());
}

// Under a contrast theme each of the plot's colours takes the theme's for what it is for; else the design's own.
TEST(PlotColour, TheDesignsOwnOrTheThemesForWhatItIsFor)
{
    const Rgb peach{255, 224, 192};
    const ContrastColours theme{{0, 0, 0}, {255, 255, 255}, {0, 255, 0}, {0, 255, 255}};
    for (const auto& [designed, themed] : {std::pair{peach, theme.background}, {kReferenceGrey, theme.reference},
                                           {kOutlineRed, theme.outline}})
        EXPECT_EQ((std::pair{PlotColour(designed, peach, std::nullopt), PlotColour(designed, peach, theme)}),
                  (std::pair{designed, themed})) << designed.red;
}

}  // namespace
}  // namespace sorvane
