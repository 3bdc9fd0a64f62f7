#include "core/wide_text.h"

#include <gtest/gtest.h>

namespace sorvane {
namespace {

struct Conversion {
    const char* utf8;
    const wchar_t* wide;
};

// The wide literals are the compiler's own encoding: UTF-16 on Windows, UTF-32 elsewhere.
TEST(WideText, ConvertsEveryPlaneBothWays)
{
    for (const Conversion c : {Conversion{"", L""}, Conversion{"NACA 2412", L"NACA 2412"},
                               Conversion{"Dosya \xC3\xBC\xC3\xA7 \xC4\xB1", L"Dosya \u00FC\u00E7 \u0131"},
                               Conversion{"0\xD9\xAB" "12 \xE2\x82\xAC", L"0\u066B12 \u20AC"},
                               Conversion{"x \xF0\x9D\x91\xA5 y", L"x \U0001D465 y"}}) {
        EXPECT_EQ(Widen(c.utf8), c.wide) << c.utf8;
        EXPECT_EQ(Narrow(c.wide), c.utf8) << c.utf8;
    }
}

TEST(WideText, MalformedSequencesBecomeReplacementCharacters)
{
    for (const Conversion c : {Conversion{"a\xC3", L"a\uFFFD"}, Conversion{"\xC0\xAF", L"\uFFFD\uFFFD"},
                               Conversion{"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
                               Conversion{"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
                               Conversion{"\xE2\x82 ok", L"\uFFFD\uFFFD ok"}, Conversion{"\xFF", L"\uFFFD"}})
        EXPECT_EQ(Widen(c.utf8), c.wide) << c.utf8;
    // A surrogate with no partner, as a broken file name may hold.
    EXPECT_EQ(Narrow(std::wstring{L'a', wchar_t(0xD800), L'b'}), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Narrow(std::wstring{wchar_t(0xDC00)}), "\xEF\xBF\xBD");
}

TEST(WideText, PathsReadAsUtf8)
{
    EXPECT_EQ(Utf8(std::filesystem::path(u8"Belgeler/\u00E7izim \U0001D465.txt")),
              "Belgeler/\xC3\xA7izim \xF0\x9D\x91\xA5.txt");
}

}  // namespace
}  // namespace sorvane
