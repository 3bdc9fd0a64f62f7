#include "web/airfoil_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace sorvane::web {
namespace {

std::string PathStep(char command, const RecordedDrawing::Point& point)
{
    char step[64];
    std::snprintf(step, sizeof step, "%c%.2f %.2f", command, point.x, point.y);
    return step;
}

}  // namespace

AirfoilPicture::AirfoilPicture(val canvas, val description, Rgb background, const Reporter& report)
    : canvas_(std::move(canvas)), description_(std::move(description)), background_(background),
      paint_([this] { Paint(); }, report)
{
    drawing_.OnChange([this] { Repaint(); });
}

void AirfoilPicture::Resized()
{
    Resized(canvas_["offsetWidth"].as<int>(), canvas_["offsetHeight"].as<int>());
}

void AirfoilPicture::Resized(int width, int height)
{
    drawing_.SetOuterPixels(width, height);
    Repaint();
}

// The backing store has a device pixel for each pixel of the screen, so lines stay sharp at any zoom.
void AirfoilPicture::Paint()
{
    const double density = Window()["devicePixelRatio"].as<double>();
    const double width = canvas_["clientWidth"].as<double>();
    const double height = canvas_["clientHeight"].as<double>();
    canvas_.set("width", std::max(1L, std::lround(width * density)));
    canvas_.set("height", std::max(1L, std::lround(height * density)));

    val context = canvas_.call<val>("getContext", val("2d"));
    context.set("fillStyle", CssColour(background_));
    context.call<void>("fillRect", 0, 0, canvas_["width"], canvas_["height"]);
    if (!drawing_.Paintable()) return;

    const RecordedDrawing::Inner inner{0, 0, canvas_["width"].as<double>(), canvas_["height"].as<double>()};
    // The desktop's one-pixel pen, at the screen's density.
    context.set("lineWidth", std::max(1.0, std::round(density)));
    // One path a colour, handed over as SVG path text: a call into the page
    // for each segment would cost more than the whole calculation.
    const std::vector<RecordedDrawing::Segment>& segments = drawing_.Segments();
    for (std::size_t first = 0; first < segments.size();) {
        std::string path;
        std::size_t next = first;
        for (; next < segments.size() && segments[next].colour == segments[first].colour; ++next) {
            const auto from = drawing_.ToPixels(segments[next].x1, segments[next].y1, inner);
            const auto to = drawing_.ToPixels(segments[next].x2, segments[next].y2, inner);
            path += PathStep('M', from) + PathStep('L', to);
        }
        context.set("strokeStyle", CssColour(segments[first].colour));
        context.call<void>("stroke", val::global("Path2D").new_(path));
        first = next;
    }
}

void AirfoilPicture::Describe(const std::string& text) { description_.set("textContent", val(text)); }

}  // namespace sorvane::web
