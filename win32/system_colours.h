#pragma once

#include <optional>

#include "output/show_airfoil.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// The shared design's colours as GDI takes them, and the system's as the design's.
inline COLORREF ToColorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

inline Rgb SystemColour(int index)
{
    const COLORREF colour = GetSysColor(index);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The system's contrast theme's own colours where the person chose one (SPI_GETHIGHCONTRAST), none otherwise.
inline std::optional<ContrastColours> HighContrast()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(HIGHCONTRASTW);
    if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) ||
        (contrast.dwFlags & HCF_HIGHCONTRASTON) == 0)
        return std::nullopt;
    return ContrastColours{SystemColour(COLOR_WINDOW), SystemColour(COLOR_WINDOWTEXT), SystemColour(COLOR_GRAYTEXT),
                           SystemColour(COLOR_HIGHLIGHT)};
}

}  // namespace sorvane::win32
