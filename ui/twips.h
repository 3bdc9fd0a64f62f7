#pragma once

#include <QRect>

namespace sorvane {

// Layout sizes are kept in twips; 15 twips make one device-independent pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int Pixels(int twips) { return twips / kTwipsPerPixel; }

inline QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Pixels(left), Pixels(top), Pixels(width), Pixels(height));
}

}  // namespace sorvane
