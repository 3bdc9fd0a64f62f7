#pragma once

#include "output/rgb.h"

namespace sorvane {

// The drawing box the plot draws into. Width and Height are the box's outer
// size in twips; coordinates are single precision, as the box takes them.
class DrawingBox {
public:
    virtual ~DrawingBox() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // Clears the box to its background colour.
    virtual void Cls() = 0;
    // Maps the inner edges: left to x1, top to y1, right to x2, bottom to y2.
    virtual void Scale(float x1, float y1, float x2, float y2) = 0;
    virtual void Line(float x1, float y1, float x2, float y2, Rgb colour) = 0;
};

}  // namespace sorvane
