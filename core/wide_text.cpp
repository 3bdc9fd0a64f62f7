#include "core/wide_text.h"

#include <type_traits>

namespace sorvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kUtf16 = sizeof(wchar_t) == 2;

bool Continues(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point that starts at text[at], and how many bytes it takes; a
// malformed or overlong sequence, or a surrogate, takes one byte and reads as U+FFFD.
char32_t NextCodePoint(std::string_view text, std::size_t at, std::size_t& length)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    if (lead < 0x80) return lead;
    int more = 0;
    char32_t point = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) { more = 1; point = lead & 0x1F; least = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { more = 2; point = lead & 0x0F; least = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { more = 3; point = lead & 0x07; least = 0x10000; }
    else return kReplacement;
    if (at + more >= text.size()) return kReplacement;
    for (int i = 1; i <= more; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if (!Continues(next)) return kReplacement;
        point = point << 6 | (next & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return kReplacement;
    length = std::size_t(more) + 1;
    return point;
}

void AppendUtf8(std::string& out, char32_t point)
{
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | point >> 6);
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | point >> 12);
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | point >> 18);
        out += char(0x80 | (point >> 12 & 0x3F));
        out += char(0x80 | (point >> 6 & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
}

bool HighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool LowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A path's own characters: wide on Windows, bytes elsewhere.
template <typename Characters>
std::string FromNative(const Characters& native)
{
    if constexpr (std::is_same_v<typename Characters::value_type, wchar_t>) return Narrow(native);
    else return std::string(native);
}

}  // namespace

std::wstring Widen(std::string_view utf8)
{
    std::wstring wide;
    wide.reserve(utf8.size());
    for (std::size_t at = 0, length = 0; at < utf8.size(); at += length) {
        const char32_t point = NextCodePoint(utf8, at, length);
        if (kUtf16 && point >= 0x10000) {
            wide += wchar_t(0xD800 + ((point - 0x10000) >> 10));
            wide += wchar_t(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            wide += wchar_t(point);
        }
    }
    return wide;
}

std::string Narrow(std::wstring_view wide)
{
    std::string utf8;
    utf8.reserve(wide.size());
    for (std::size_t at = 0; at < wide.size(); ++at) {
        auto point = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(wide[at]));
        if (kUtf16 && HighSurrogate(point) && at + 1 < wide.size() && LowSurrogate(char32_t(wide[at + 1]))) {
            point = 0x10000 + ((point - 0xD800) << 10) + (char32_t(wide[at + 1]) - 0xDC00);
            ++at;
        } else if (HighSurrogate(point) || LowSurrogate(point) || point > 0x10FFFF) {
            point = kReplacement;
        }
        AppendUtf8(utf8, point);
    }
    return utf8;
}

std::string Utf8(const std::filesystem::path& path) { return FromNative(path.native()); }

}  // namespace sorvane
