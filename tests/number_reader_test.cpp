#include "core/number_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace sorvane {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
    std::string text;
    double expected;
};

class LeadingNumber : public ::testing::TestWithParam<Case> {};

TEST_P(LeadingNumber, ReadsTheLeadingNumberOnly)
{
    const Case& c = GetParam();
    const double value = ReadLeadingNumber(c.text);
    EXPECT_FALSE(std::isnan(value));
    EXPECT_EQ(value, c.expected) << "text: \"" << c.text.substr(0, 40) << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumber,
    ::testing::Values(
        Case{"51abc", 51}, Case{"", 0}, Case{"abc", 0}, Case{"12.5", 12.5},
        Case{" \t-3.5e2x", -350}, Case{"+7", 7}, Case{".5", 0.5}, Case{"5.", 5},
        Case{"1e", 1}, Case{"1e+", 1}, Case{"12e-", 12}, Case{"1.2.3", 1.2},
        Case{"2E3", 2000}, Case{"2.5e-1", 0.25}, Case{"0012", 12}, Case{"-0.5", -0.5},
        Case{".", 0}, Case{"-", 0}, Case{"+.e5", 0}, Case{"- 5", 0}, Case{"\n5", 0},
        Case{"5 6", 5}, Case{"1,5", 1},
        // No NaN, infinity or hexadecimal spelled out in the text.
        Case{"nan", 0}, Case{"NaN", 0}, Case{"inf", 0}, Case{"-infinity", 0},
        Case{"0x10", 0}, Case{"0x1A", 0},
        // Beyond the range of a double.
        Case{"1e400", kInf}, Case{"-1e400", -kInf}, Case{"1e-400", 0},
        Case{"0.0001e310", 1e306}, Case{"1e99999999999999999999", kInf},
        Case{"0.000001e-99999999999999999999", 0},
        Case{"12345678901234567890123", 12345678901234567890123.0},
        // Megabyte-sized inputs stay linear and exact.
        Case{std::string(100000, '7'), kInf},
        Case{"0." + std::string(99998, '0') + "5", 0},
        Case{"5" + std::string(99999, ' '), 5},
        Case{std::string(99999, ' ') + "5", 5},
        Case{"3." + std::string(1'000'000, '0'), 3}));

}  // namespace
}  // namespace sorvane
