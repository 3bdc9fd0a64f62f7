#include "design/layout_fit.h"

#include <algorithm>
#include <cmath>

namespace sorvane {
namespace {

constexpr double kSmallestPoints = 7.5;
constexpr double kPointStep = 0.25;
// Squeezed further than this, letters read worse than a larger window.
constexpr int kNarrowestStretch = 85;
// A caption ends a pixel before whatever would hide it.
constexpr double kSpare = 1;
// Grown positions are rounded to whole pixels, which may take a pixel off a room.
constexpr double kRounding = 1;

struct TextExtent {
    InkBox ink;
    double advance = 0;
};

double TextEnd(const TextExtent& extent) { return std::max(extent.advance, extent.ink.right); }

// The lowest box that keeps the text's ink whole when its line is centred in
// it, as labels and fields centre it, with the half pixel that rasterising may
// add at either edge.
double InkHeight(const TextMeasurer& metrics, const InkBox& ink)
{
    const double line = metrics.LineHeight();
    const double ascent = metrics.Ascent();
    return std::max(line - 2 * (ascent + ink.top), 2 * (ascent + ink.bottom) - line) + 1;
}

// The factor a room must grow by to hold what it needs: at most 1 when the
// design holds it as it is (no rounding then: the design is in whole pixels).
double GrowthFor(double needed, double designed)
{
    const double factor = needed / designed;
    return factor <= 1 ? factor : (needed + kRounding) / designed;
}

struct Growth {
    double across = 0;
    double down = 0;
};

// Whether the text plainly fits the design as it is: its advance and the last
// glyph's overhang end a pixel before the room, and its whole line fits the box.
// Cheap, since measuring ink loads every glyph; where it cannot tell, the ink decides.
bool PlainlyFits(const TextMeasurer& metrics, const TextRoom& room)
{
    const bool across = room.width <= 0
                        || metrics.Advance(room.text) + metrics.Overhang(room.text) + kSpare + room.fixedWidth
                               <= room.width;
    return across && metrics.LineHeight() + 1 + room.fixedHeight <= room.height;
}

Growth NeededGrowth(const TextMeasurer& metrics, const std::vector<TextRoom>& texts)
{
    Growth growth;
    for (const TextRoom& room : texts) {
        if (PlainlyFits(metrics, room)) continue;
        const TextExtent extent{metrics.Ink(room.text), metrics.Advance(room.text)};
        if (room.width > 0)
            growth.across =
                std::max(growth.across, GrowthFor(TextEnd(extent) + kSpare + room.fixedWidth, room.width));
        growth.down =
            std::max(growth.down, GrowthFor(InkHeight(metrics, extent.ink) + room.fixedHeight, room.height));
    }
    return growth;
}

// At the font's size: the widest stretch, down to the narrowest allowed, at which the texts need no more growth
// across than down (or than none at all), and the factor that then holds them.
LayoutFit FitAtSize(TextMeasurer& measurer, FontChoice font, const std::vector<TextRoom>& texts)
{
    // A desktop font that is narrow already is never widened.
    int stretch = std::min(font.stretch, 100);
    const int narrowest = std::min(kNarrowestStretch, stretch);
    // A family's condensed face can stand in for a stretch, so widths do not scale exactly: measure after each step.
    for (int tries = 0;; ++tries) {
        font.stretch = stretch;
        measurer.Use(font);
        const Growth growth = NeededGrowth(measurer, texts);
        const double least = std::max(1.0, growth.down);
        if (growth.across <= least || stretch == narrowest || tries == 8)
            return {font, std::max(least, growth.across)};
        const int proportional = static_cast<int>(std::floor(stretch * least / growth.across));
        stretch = std::max(narrowest, std::min(stretch - 1, proportional));
    }
}

}  // namespace

LayoutFit FitLayout(TextMeasurer& measurer, const std::vector<TextRoom>& texts, double largestFactor)
{
    const FontChoice desktop = measurer.DesktopFont();
    LayoutFit fit = FitAtSize(measurer, desktop, texts);
    if (fit.factor <= largestFactor) return fit;

    // The screen is the limit: the largest size, in quarter points, that fits it.
    const double smallest = std::min(desktop.points, kSmallestPoints);
    const auto sized = [&](int steps) {
        return FitAtSize(measurer, {smallest + steps * kPointStep, desktop.stretch}, texts);
    };
    int fits = 0;
    int tooLarge = static_cast<int>(std::ceil((desktop.points - smallest) / kPointStep));
    fit = sized(fits);
    if (fit.factor > largestFactor) {
        // Not even the smallest text fits: the window keeps to the screen all the same.
        fit.factor = largestFactor;
        return fit;
    }
    while (tooLarge - fits > 1) {
        const int middle = (fits + tooLarge) / 2;
        const LayoutFit tried = sized(middle);
        if (tried.factor <= largestFactor) {
            fits = middle;
            fit = tried;
        } else {
            tooLarge = middle;
        }
    }
    return fit;
}

}  // namespace sorvane
