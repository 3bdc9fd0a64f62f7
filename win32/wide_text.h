#pragma once

#include <string>
#include <string_view>

namespace sorvane::win32 {

// The API takes UTF-16; the command and the design speak UTF-8.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace sorvane::win32
