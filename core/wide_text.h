#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sorvane {

// The program speaks UTF-8; the Windows API and Windows paths speak UTF-16, in
// wchar_t. Where wchar_t holds a whole code point (Linux), it holds UTF-32.
// A malformed sequence becomes U+FFFD, as the system's own conversions do.
[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view wide);

// A path as UTF-8, for messages: Windows paths converted, POSIX ones as their bytes are.
[[nodiscard]] std::string Utf8(const std::filesystem::path& path);

}  // namespace sorvane
