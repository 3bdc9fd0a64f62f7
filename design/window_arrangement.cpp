#include "design/window_arrangement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sorvane {
namespace {

// The pixels per twip that make the smallest of the focusable controls' sizes as large as the target.
template <typename Size>
double TargetFactor(const WindowDesign& design, double target, Size size)
{
    int smallest = std::numeric_limits<int>::max();
    for (const ControlSpec* control : TabOrder(design)) smallest = std::min(smallest, size(control->twips));
    return smallest > 0 && smallest != std::numeric_limits<int>::max() ? target / smallest : 0;
}

// The least room left of the parts, and right of them, in a column.
constexpr int kNarrowestMargin = 4;

int Edge(double twips, double pixelsPerTwip) { return static_cast<int>(std::lround(twips * pixelsPerTwip)); }

PixelRect Grown(const TwipsRect& twips, double across, double down)
{
    const int left = Edge(twips.left, across);
    const int top = Edge(twips.top, down);
    return {left, top, Edge(twips.left + twips.width, across) - left, Edge(twips.top + twips.height, down) - top};
}

// The plot keeps the design's proportion whatever the rows do: its section is
// scaled once for both directions, and so is drawn the same at every size.
int PlotHeight(const ControlSpec& plot, int width)
{
    return static_cast<int>(std::lround(double(width) * plot.twips.height / plot.twips.width));
}

WindowLayout InPlace(const WindowDesign& design, Arrangement arrangement, double across, double down)
{
    WindowLayout layout{arrangement, across, down, {}, {}};
    int bottom = 0, designBottom = 0;
    for (const ControlSpec& control : design.controls) {
        if (!control.parent.empty()) continue;
        PixelRect rect = Grown(control.twips, across, down);
        if (control.role == ControlRole::Plot) rect.height = PlotHeight(control, rect.width);
        layout.parts.push_back({control.name, rect});
        bottom = std::max(bottom, rect.top + rect.height);
        designBottom = std::max(designBottom, control.twips.top + control.twips.height);
    }
    // The margins below the lowest control and right of the rightmost, as designed.
    layout.client = {Edge(design.client.width, across), bottom + Edge(design.client.height - designBottom, down)};
    return layout;
}

}  // namespace

double TargetAcross(const WindowDesign& design, double target)
{
    return TargetFactor(design, target, [](const TwipsRect& twips) { return twips.width; });
}

double TargetDown(const WindowDesign& design, double target)
{
    return TargetFactor(design, target, [](const TwipsRect& twips) { return twips.height; });
}

WindowLayout ColumnLayout(const WindowDesign& design, double across, double down, double room)
{
    WindowLayout layout{Arrangement::Column, across, down, {}, {}};
    // The design's margins round its first part: its top one above, half that
    // between parts, and its left one on both sides, or less where the screen
    // is narrow, down to a few pixels.
    const ControlSpec* first = design.columnOrder.empty() ? nullptr : FindControl(design, design.columnOrder.front());
    const TwipsRect corner = first ? first->twips : TwipsRect{};
    const int top = Edge(corner.top, down);
    const int gap = Edge(corner.top / 2.0, down);

    int widest = 0;
    for (const std::string_view name : design.columnOrder)
        if (const ControlSpec* control = FindControl(design, name); control && control->role != ControlRole::Plot)
            widest = std::max(widest, Edge(control->twips.width, across));
    const int spare = std::isfinite(room) ? static_cast<int>(std::floor((room - widest) / 2)) : 0;
    const int margin = std::max(kNarrowestMargin, std::min(Edge(corner.left, across), spare));
    const int width = std::max(widest + 2 * margin, std::isfinite(room) ? static_cast<int>(std::floor(room)) : 0);

    int y = top;
    for (const std::string_view name : design.columnOrder) {
        const ControlSpec* control = FindControl(design, name);
        if (!control) continue;
        PixelRect rect{margin, y, Edge(control->twips.width, across), Edge(control->twips.height, down)};
        if (control->role == ControlRole::Plot) {
            rect.width = width - 2 * margin;
            rect.height = PlotHeight(*control, rect.width);
        }
        layout.parts.push_back({control->name, rect});
        y += rect.height + gap;
    }
    layout.client = {width, y - gap + top};
    return layout;
}

WindowLayout ArrangeWindow(const WindowDesign& design, double textFactor, double target, double room)
{
    const double across = std::max(textFactor, TargetAcross(design, target));
    const double down = std::max(textFactor, TargetDown(design, target));
    const double uniform = std::max(across, down);
    // A pixel of slack: the room is measured in whole pixels, the design in rounded ones.
    const auto fits = [&](double factor) { return Edge(design.client.width, factor) <= room + 0.5; };
    if (fits(uniform)) return InPlace(design, Arrangement::Designed, uniform, uniform);
    if (fits(across)) return InPlace(design, Arrangement::TallerRows, across, down);
    return ColumnLayout(design, across, down, room);
}

}  // namespace sorvane
