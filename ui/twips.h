#pragma once

#include <QRect>
#include <cmath>

namespace sorvane {

// Layout sizes are kept in twips; 15 twips make one device-independent pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

// A design rectangle in twips, in pixels once the whole layout has grown by the factor.
inline QRect GrownTwipsRect(const QRect& twips, double factor)
{
    const auto grown = [factor](int length) {
        return static_cast<int>(std::lround(length * factor / kTwipsPerPixel));
    };
    return QRect(grown(twips.x()), grown(twips.y()), grown(twips.width()), grown(twips.height()));
}

}  // namespace sorvane
