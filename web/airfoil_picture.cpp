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
      paint_([this] { Paint(); }, report),
      forcedColours_(Window().call<val>("matchMedia", val("(forced-colors: active)"))),
      // Painted at once: the browser reports the size after its layout and before it paints.
      devicePixelsChanged_([this](val entries) {
          deviceWidth_ = entries[0]["devicePixelContentBoxSize"][0]["inlineSize"].as<int>();
          deviceHeight_ = entries[0]["devicePixelContentBoxSize"][0]["blockSize"].as<int>();
          Paint();
      }, report)
{
    drawing_.OnChange([this] { Repaint(); });
    const val entry = val::global("ResizeObserverEntry")["prototype"];
    if (entry.call<bool>("hasOwnProperty", val("devicePixelContentBoxSize"))) {
        val options = val::object();
        options.set("box", val("device-pixel-content-box"));
        sizeObserver_ = val::global("ResizeObserver").new_(devicePixelsChanged_.Function());
        sizeObserver_.call<void>("observe", canvas_, options);
    }
    themeWatches_.emplace_back(forcedColours_, "change", [this](val) { Repaint(); }, report);
    themeWatches_.emplace_back(Window().call<val>("matchMedia", val("(prefers-color-scheme: dark)")), "change",
                               [this](val) { Repaint(); }, report);
}

AirfoilPicture::~AirfoilPicture()
{
    if (!sizeObserver_.isUndefined()) sizeObserver_.call<void>("disconnect");
}

std::optional<ContrastColours> AirfoilPicture::Theme()
{
    if (!forcedColours_["matches"].as<bool>()) return std::nullopt;
    // The canvas keeps the colours it is given (the stylesheet says so), so it can tell the theme's own.
    const auto colour = [this](const char* name) {
        canvas_["style"].set("color", val(name));
        return ParseCssColour(ComputedStyle(canvas_).Text("color"));
    };
    const ContrastColours theme{colour("Canvas"), colour("CanvasText"), colour("GrayText"), colour("Highlight")};
    canvas_["style"].set("color", val(""));
    return theme;
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
    // The screen's own size where the browser told it and it still holds, within a pixel's rounding (a density
    // changed since, or only emulated, leaves it behind); otherwise the box's at the density.
    const auto pixels = [density](long device, double css) {
        return std::abs(device - css * density) < 1 ? device : std::max(1L, std::lround(css * density));
    };
    canvas_.set("width", pixels(deviceWidth_, canvas_["clientWidth"].as<double>()));
    canvas_.set("height", pixels(deviceHeight_, canvas_["clientHeight"].as<double>()));

    const std::optional<ContrastColours> theme = Theme();
    const auto colour = [&](Rgb designed) {
        return CssColour(PlotColour(designed, background_, theme));
    };
    val context = canvas_.call<val>("getContext", val("2d"));
    context.set("fillStyle", colour(background_));
    context.call<void>("fillRect", 0, 0, canvas_["width"], canvas_["height"]);
    if (!drawing_.Paintable()) return;

    const RecordedDrawing::Inner inner{0, 0, canvas_["width"].as<double>(), canvas_["height"].as<double>()};
    // The desktop's one-pixel pen, at the screen's density.
    const double pen = std::max(1.0, std::round(density));
    context.set("lineWidth", pen);
    // The chord and the leading edge's line lie on the screen's pixels, as the desktop draws them: an odd pen
    // centred on a pixel, an even one between two. The outline keeps the browser's smoothing.
    const auto onPixels = [offset = std::fmod(pen, 2) / 2](double at) { return std::round(at - offset) + offset; };
    // One path a colour, handed over as SVG path text: a call into the page
    // for each segment would cost more than the whole calculation.
    const std::vector<RecordedDrawing::Segment>& segments = drawing_.Segments();
    for (std::size_t first = 0; first < segments.size();) {
        std::string path;
        std::size_t next = first;
        for (; next < segments.size() && segments[next].colour == segments[first].colour; ++next) {
            auto from = drawing_.ToPixels(segments[next].x1, segments[next].y1, inner);
            auto to = drawing_.ToPixels(segments[next].x2, segments[next].y2, inner);
            if (segments[next].colour == kReferenceGrey && from.y == to.y) from.y = to.y = onPixels(from.y);
            if (segments[next].colour == kReferenceGrey && from.x == to.x) from.x = to.x = onPixels(from.x);
            path += PathStep('M', from) + PathStep('L', to);
        }
        context.set("strokeStyle", colour(segments[first].colour));
        context.call<void>("stroke", val::global("Path2D").new_(path));
        first = next;
    }
}

void AirfoilPicture::Describe(const std::string& text) { description_.set("textContent", val(text)); }

}  // namespace sorvane::web
