#pragma once

#include <cmath>

namespace sorvane {

// A position and size in twips (1/1440 inch), from the parent's top-left corner.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

constexpr double kTwipsPerInch = 1440;
// The density the design was drawn at: 15 twips to a pixel.
constexpr double kDesignDpi = 96;

constexpr double PixelsPerTwip(double dpi, double factor = 1) { return dpi / kTwipsPerInch * factor; }

// Each edge is rounded, not each size, so that neighbours that touch in the
// design touch on screen at every density.
inline int PixelEdge(double twips, double pixelsPerTwip)
{
    return static_cast<int>(std::lround(twips * pixelsPerTwip));
}

// Across and down may have pixels per twip of their own: rows may grow more than widths.
inline PixelRect ToPixels(const TwipsRect& twips, double across, double down)
{
    const int left = PixelEdge(twips.left, across);
    const int top = PixelEdge(twips.top, down);
    return {left, top, PixelEdge(twips.left + twips.width, across) - left,
            PixelEdge(twips.top + twips.height, down) - top};
}

inline PixelRect ToPixels(const TwipsRect& twips, double pixelsPerTwip)
{
    return ToPixels(twips, pixelsPerTwip, pixelsPerTwip);
}

}  // namespace sorvane
