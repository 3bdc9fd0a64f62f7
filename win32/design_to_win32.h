#pragma once

#include "output/rgb.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace sorvane::win32
