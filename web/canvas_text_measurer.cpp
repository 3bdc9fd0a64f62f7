#include "web/canvas_text_measurer.h"

#include <algorithm>

namespace sorvane::web {
namespace {

// CSS pixels are 1/96 inch, points 1/72.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

CanvasTextMeasurer::CanvasTextMeasurer(val styledElement)
    : context_(Document().call<val>("createElement", val("canvas")).call<val>("getContext", val("2d")))
{
    const ComputedStyle style(styledElement);
    family_ = style.Text("font-family");
    desktop_ = {style.Pixels("font-size") / kPixelsPerPoint, 100};
    Use(desktop_);
}

double CanvasTextMeasurer::CssSize(const FontChoice& font) { return font.points * kPixelsPerPoint; }

FontChoice CanvasTextMeasurer::DesktopFont() const { return desktop_; }

void CanvasTextMeasurer::Use(const FontChoice& font)
{
    const std::string css = CssPixels(CssSize(font)) + " " + family_;
    if (css == font_) return;
    font_ = css;
    context_.set("font", font_);
    // The font's own ascent and descent: the line a label or field centres.
    const val metrics = Measure("Mg");
    ascent_ = metrics["fontBoundingBoxAscent"].as<double>();
    descent_ = metrics["fontBoundingBoxDescent"].as<double>();
}

val CanvasTextMeasurer::Measure(std::string_view text) const
{
    const std::string key = font_ + '\n' + std::string(text);
    for (const auto& [known, metrics] : measured_)
        if (known == key) return metrics;
    measured_.emplace_back(key, context_.call<val>("measureText", val(std::string(text))));
    return measured_.back().second;
}

double CanvasTextMeasurer::LineHeight() const { return ascent_ + descent_; }

double CanvasTextMeasurer::Ascent() const { return ascent_; }

double CanvasTextMeasurer::Advance(std::string_view text) const { return Measure(text)["width"].as<double>(); }

double CanvasTextMeasurer::Overhang(std::string_view text) const
{
    const val metrics = Measure(text);
    return std::max(0.0, metrics["actualBoundingBoxRight"].as<double>() - metrics["width"].as<double>());
}

InkBox CanvasTextMeasurer::Ink(std::string_view text) const
{
    const val metrics = Measure(text);
    return {-metrics["actualBoundingBoxLeft"].as<double>(), -metrics["actualBoundingBoxAscent"].as<double>(),
            metrics["actualBoundingBoxRight"].as<double>(), metrics["actualBoundingBoxDescent"].as<double>()};
}

}  // namespace sorvane::web
