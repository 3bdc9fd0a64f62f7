#pragma once

#include <functional>
#include <vector>

#include "output/drawing_box.h"

namespace sorvane {

// A drawing box that keeps what was drawn since the last Cls, so that a window
// can paint it whenever the box is uncovered. It knows no toolkit: the window
// that shows it tells it the box's size, is told of every change, and maps the
// segments to pixels when it paints.
class RecordedDrawing : public DrawingBox {
public:
    struct Segment {
        float x1, y1, x2, y2;  // in user coordinates
        Rgb colour;
    };
    // The user coordinates of the inner edges, as Scale last set them.
    struct Frame {
        float x1 = 0, y1 = 0, x2 = 1, y2 = 1;
    };
    struct Point {
        double x, y;
    };
    // The inside of the box's border, in pixels.
    struct Inner {
        double left, top, width, height;
    };

    // The box's outer size in pixels; Width and Height give it in twips at the
    // design's 15 to a pixel, so that the plot looks the same at every size.
    void SetOuterPixels(int width, int height);
    // Called after each Cls, Scale and Line: the window repaints.
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    double Width() const override;
    double Height() const override;
    void Cls() override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Rgb colour) override;

    const std::vector<Segment>& Segments() const { return segments_; }
    const Frame& UserFrame() const { return frame_; }
    // Whether there is anything to paint: segments, and a frame that maps them somewhere.
    bool Paintable() const;
    // Where a point in user coordinates lies in the box.
    Point ToPixels(float x, float y, const Inner& inner) const;

private:
    void Changed() const;

    int outerWidth_ = 0;
    int outerHeight_ = 0;
    Frame frame_;
    std::vector<Segment> segments_;
    std::function<void()> changed_;
};

}  // namespace sorvane
