#pragma once

#include "design/twips.h"
#include "output/drawing_box.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// The shared design's colours and rectangles as the Windows API takes them.
inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

inline RECT ToRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
}

}  // namespace sorvane::win32
