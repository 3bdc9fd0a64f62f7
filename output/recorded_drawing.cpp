#include "output/recorded_drawing.h"

namespace sorvane {
namespace {

constexpr double kTwipsPerPixel = 15;

}  // namespace

void RecordedDrawing::SetOuterPixels(int width, int height)
{
    outerWidth_ = width;
    outerHeight_ = height;
}

double RecordedDrawing::Width() const { return outerWidth_ * kTwipsPerPixel; }

double RecordedDrawing::Height() const { return outerHeight_ * kTwipsPerPixel; }

void RecordedDrawing::Cls()
{
    segments_.clear();
    Changed();
}

void RecordedDrawing::Scale(float x1, float y1, float x2, float y2)
{
    frame_ = {x1, y1, x2, y2};
    Changed();
}

void RecordedDrawing::Line(float x1, float y1, float x2, float y2, Rgb colour)
{
    segments_.push_back({x1, y1, x2, y2, colour});
    Changed();
}

void RecordedDrawing::Changed() const
{
    if (changed_) changed_();
}

bool RecordedDrawing::Paintable() const
{
    return !segments_.empty() && frame_.x2 != frame_.x1 && frame_.y2 != frame_.y1;
}

RecordedDrawing::Point RecordedDrawing::ToPixels(float x, float y, const Inner& inner) const
{
    return {inner.left + (double(x) - frame_.x1) / (double(frame_.x2) - frame_.x1) * inner.width,
            inner.top + (double(y) - frame_.y1) / (double(frame_.y2) - frame_.y1) * inner.height};
}

}  // namespace sorvane
