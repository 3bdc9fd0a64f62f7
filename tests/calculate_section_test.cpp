#include "core/calculate_section.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace sorvane {
namespace {

struct RatioCase {
    std::string code;
    std::string fcr, ccr, tcr;
};

class Ratios : public ::testing::TestWithParam<RatioCase> {};

TEST_P(Ratios, ShowTheCodesShape)
{
    const RatioCase& c = GetParam();
    SectionState state;
    const CalculateOutcome outcome = CalculateSection(c.code, "51", ".", state);
    ASSERT_FALSE(outcome.message) << *outcome.message;
    ASSERT_TRUE(outcome.ratios);
    EXPECT_EQ(outcome.ratios->Text_FCR, c.fcr);
    EXPECT_EQ(outcome.ratios->Text_CCR, c.ccr);
    EXPECT_EQ(outcome.ratios->Text_TCR, c.tcr);
    EXPECT_TRUE(outcome.sectionFilled);
}

INSTANTIATE_TEST_SUITE_P(Codes, Ratios,
                         ::testing::Values(RatioCase{"0012", "0", "0", "0.12"},
                                           RatioCase{"2412", "0.4", "0.02", "0.12"},
                                           RatioCase{"9999", "0.9", "0.09", "0.99"},
                                           RatioCase{"0412", "0.4", "0", "0.12"},
                                           RatioCase{"0001", "0", "0", "0.01"},
                                           RatioCase{"12.7", "0", "0", "0.12"},
                                           RatioCase{"0.5", "0", "0", "0"},
                                           RatioCase{"6307abc", "0.3", "0.06", "0.07"}));

TEST(RatioText, UsesTheCallersSeparator)
{
    EXPECT_EQ(RatioText(0.12, ","), "0,12");
    EXPECT_EQ(RatioText(0.4, ","), "0,4");
    EXPECT_EQ(RatioText(0, ","), "0");
    EXPECT_EQ(RatioText(0.02, "."), "0.02");
    EXPECT_EQ(RatioText(0.07, "\u066B"), "0\u066B07");
    EXPECT_EQ(RatioText(0.994, "."), "0.99");
    EXPECT_EQ(RatioText(0.996, "."), "1");
}

struct Rejection {
    std::string code, count;
    std::string message;
};

class Rejected : public ::testing::TestWithParam<Rejection> {};

TEST_P(Rejected, StopsWithItsMessage)
{
    const Rejection& c = GetParam();
    SectionState state;
    const CalculateOutcome outcome = CalculateSection(c.code, c.count, ".", state);
    ASSERT_TRUE(outcome.message);
    EXPECT_EQ(*outcome.message, c.message);
    EXPECT_FALSE(outcome.sectionFilled);
    for (int i = 0; i < kArrayCells; ++i) EXPECT_FALSE(state.X[i] || state.Y[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, Rejected,
    ::testing::Values(Rejection{"0000", "51", kCodeOutOfRange},
                      Rejection{"abc", "51", kCodeOutOfRange},
                      Rejection{"-5", "51", kCodeOutOfRange},
                      Rejection{"10000", "51", kCodeOutOfRange},
                      Rejection{"", "51", kCodeOutOfRange},
                      Rejection{"9999.5", "51", kCodeOutOfRange},
                      Rejection{"1e400", "51", kCodeOutOfRange},
                      Rejection{"nan", "51", kCodeOutOfRange},
                      Rejection{"2012", "51", kCamberWithoutPosition},
                      Rejection{"9099", "51", kCamberWithoutPosition},
                      Rejection{"0012", "201", kTooManyPoints},
                      Rejection{"0012", "200.4", kTooManyPoints},
                      Rejection{"0012", "1e400", kTooManyPoints},
                      Rejection{"0012", "50.5", kPointsNotWhole},
                      Rejection{"0012", "1.5", kPointsNotWhole},
                      Rejection{"0012", "-1e400", kPointsNotWhole}));

// Which fields each stop leaves written, starting from a state of an earlier run.
TEST(CalculateSection, StopsLeaveTheFieldsWrittenSoFar)
{
    SectionState before;
    ASSERT_TRUE(CalculateSection("4415", "31", ".", before).sectionFilled);

    {
        SectionState s = before;
        const auto outcome = CalculateSection("10000", "51", ".", s);
        EXPECT_FALSE(outcome.ratios);
        EXPECT_EQ(s.Code, 10000);
        EXPECT_EQ(s.CamberDigit, before.CamberDigit);
        EXPECT_EQ(s.PositionDigit, before.PositionDigit);
        EXPECT_EQ(s.ThicknessDigits, before.ThicknessDigits);
        EXPECT_EQ(s.NumPoints, before.NumPoints);
    }
    {
        SectionState s = before;
        const auto outcome = CalculateSection("2012", "51", ".", s);
        EXPECT_FALSE(outcome.ratios);
        EXPECT_EQ(s.Code, 2012);
        EXPECT_EQ(s.CamberDigit, 2);
        EXPECT_EQ(s.PositionDigit, 0);
        EXPECT_EQ(s.ThicknessDigits, before.ThicknessDigits);
        EXPECT_EQ(s.NumPoints, before.NumPoints);
    }
    for (const char* count : {"201", "50.5"}) {
        SectionState s = before;
        const auto outcome = CalculateSection("2412", count, ".", s);
        ASSERT_TRUE(outcome.ratios);
        EXPECT_EQ(outcome.ratios->Text_CCR, "0.02");
        EXPECT_EQ(s.ThicknessDigits, 12);
        EXPECT_EQ(s.NumPoints, std::stod(count));
        EXPECT_EQ(s.X, before.X);
        EXPECT_EQ(s.Y, before.Y);
    }
}

// A fractional count above 1 would leave holes among its indices: it is
// refused before a cell is written, whatever section came before.
TEST(CalculateSection, FractionalCountsAboveOneLeaveThePreviousSectionWhole)
{
    SectionState previous;
    ASSERT_TRUE(CalculateSection("2412", "101", ".", previous).sectionFilled);
    for (const char* count : {"1.5", "50.5", "100.25", "199.9"}) {
        SectionState s = previous;
        const auto outcome = CalculateSection("0012", count, ".", s);
        EXPECT_EQ(outcome.message, kPointsNotWhole) << count;
        EXPECT_FALSE(outcome.sectionFilled) << count;
        EXPECT_EQ(s.X, previous.X) << count;
        EXPECT_EQ(s.Y, previous.Y) << count;
    }
}

TEST(CalculateSection, CountsBelowOneAreAcceptedAndWriteNoCell)
{
    for (const char* count : {"0", "abc", "", "-7", "0.5", "-2.5"}) {
        SectionState s;
        const auto outcome = CalculateSection("0012", count, ".", s);
        EXPECT_FALSE(outcome.message) << count;
        EXPECT_TRUE(outcome.sectionFilled) << count;
        for (int i = 0; i < kArrayCells; ++i) EXPECT_FALSE(s.X[i]) << count << " " << i;
    }
}

// Every code text from 0 to 10000 with every whole count from -2 to 205 and a
// few fractional ones: no crash, every written cell finite and in its place.
TEST(CalculateSection, SweepOfAllCodesAndCounts)
{
    std::vector<std::string> counts;
    for (int n = -2; n <= 205; ++n) counts.push_back(std::to_string(n));
    for (const char* fraction : {"0.5", "0.999", "1.0", "1.5", "2.5", "50.5", "199.9", "200.0"})
        counts.emplace_back(fraction);

    long accepted = 0;
    for (int code = 0; code <= 10000; ++code) {
        const std::string codeText = std::to_string(code);
        for (const std::string& count : counts) {
            SectionState s;
            const CalculateOutcome outcome = CalculateSection(codeText, count, ".", s);
            if (!outcome.sectionFilled) continue;
            ++accepted;
            const double n = *s.NumPoints;
            const bool symmetric = *s.CamberDigit == 0 && n != 1;
            for (int i = 0; i < kArrayCells; ++i) {
                const bool expected = i >= 1 && i <= n;
                ASSERT_EQ(s.X[i].has_value(), expected) << codeText << " " << count << " " << i;
                ASSERT_EQ(s.Y[i].has_value(), expected) << codeText << " " << count << " " << i;
                if (!expected) continue;
                ASSERT_TRUE(std::isfinite(*s.X[i]) && std::isfinite(*s.Y[i]));
                ASSERT_GE(*s.X[i], 0.0);
                ASSERT_LE(*s.X[i], 1.0);
                if (symmetric) {
                    ASSERT_EQ(*s.Y[i], -*s.Y[static_cast<int>(n) + 1 - i]);
                }
            }
        }
    }
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace sorvane
