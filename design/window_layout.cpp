#include "design/window_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace sorvane {
namespace {

// Every text the window must show whole, with its room at this density: each caption beside the field it names
// (cut short where the field begins), the button's caption, and the numbers the fields show.
std::vector<TextRoom> TextRooms(const WindowDesign& design, double pixelsPerTwip, const TextInsets& insets)
{
    const auto pixels = [&](const ControlSpec& control) {
        return ToPixels(ClientTwips(design, control), pixelsPerTwip);
    };
    std::vector<TextRoom> rooms;
    for (const ControlSpec& control : design.controls) {
        if (control.kind != ControlKind::Label) continue;
        const PixelRect label = pixels(control), field = pixels(NamedControl(design, control.labels));
        rooms.push_back({std::string(control.caption), double(std::min(label.width, field.left - label.left)),
                         double(label.height)});
    }
    const ControlSpec& button = ControlFor(design, ControlRole::Command);
    const PixelRect buttonBox = pixels(button);
    rooms.push_back({std::string(button.caption), double(buttonBox.width), double(buttonBox.height),
                     insets.buttonAcross, insets.buttonDown});
    // Every field has the same height, and shows digits, signs and separators: the code field stands for them all.
    const PixelRect fieldBox = pixels(FieldControl(design, TextField::Text_Code));
    rooms.push_back({"0123456789-.,", 0, double(fieldBox.height), 0, insets.fieldDown});
    return rooms;
}

// How far the design may grow before the window, its client area with the
// frame round it, no longer fits the room the screen gives it; no limit where
// that room is unknown.
double LargestFactor(const WindowDesign& design, double pixelsPerTwip, PixelSize screen, PixelSize frame)
{
    if (screen.width <= 0 || screen.height <= 0) return std::numeric_limits<double>::infinity();
    const PixelRect client = ToPixels(design.client, pixelsPerTwip);
    return std::min(double(screen.width - frame.width) / client.width,
                    double(screen.height - frame.height) / client.height);
}

// The plot keeps the design's proportion whatever the rows do: its section is
// scaled once for both directions, and so is drawn the same at every size.
int PlotHeight(const ControlSpec& plot, int width)
{
    return static_cast<int>(std::lround(double(width) * plot.twips.height / plot.twips.width));
}

// A part of the window at its place, and the controls of its frame, which
// keep their places in it (each edge rounded from the client area's corner,
// as the frame's own) and move with it.
void PlacePart(const WindowDesign& design, PlacedWindow& layout, const ControlSpec& part, const PixelRect& rect)
{
    layout.controls.push_back({&part, rect});
    const PixelRect designed = ToPixels(part.twips, layout.across, layout.down);
    for (const ControlSpec& control : design.controls) {
        if (control.parent != part.name) continue;
        PixelRect at = ToPixels(ClientTwips(design, control), layout.across, layout.down);
        at.left += rect.left - designed.left;
        at.top += rect.top - designed.top;
        layout.controls.push_back({&control, at});
    }
}

// The window's own parts where the design has them; the plot in proportion
// where asked, and always where the rows grow more than the widths.
void PlaceInPlace(const WindowDesign& design, PlacedWindow& layout, bool plotInProportion)
{
    const bool proportioned = plotInProportion || layout.arrangement != Arrangement::Designed;
    int bottom = 0, designBottom = 0;
    for (const ControlSpec& control : design.controls) {
        if (!control.parent.empty()) continue;
        PixelRect rect = ToPixels(control.twips, layout.across, layout.down);
        if (control.role == ControlRole::Plot && proportioned) rect.height = PlotHeight(control, rect.width);
        PlacePart(design, layout, control, rect);
        bottom = std::max(bottom, rect.top + rect.height);
        designBottom = std::max(designBottom, control.twips.top + control.twips.height);
    }
    layout.client = {PixelEdge(design.client.width, layout.across), PixelEdge(design.client.height, layout.down)};
    // The margin below the lowest control as designed, below the plot as it now is.
    if (proportioned) layout.client.height = bottom + PixelEdge(design.client.height - designBottom, layout.down);
}

// The window's own parts one under another: the design's top margin above them and half that between them;
// on both sides the screen's margin, not the design's (a phone's width is for the plot), or less where the
// screen is narrow, down to a few pixels.
void PlaceInColumn(const WindowDesign& design, PlacedWindow& layout, double room, double sideMargin)
{
    const double across = layout.across, down = layout.down;
    const TwipsRect corner =
        design.columnOrder.empty() ? TwipsRect{} : NamedControl(design, design.columnOrder.front()).twips;
    const int top = PixelEdge(corner.top, down);
    const int gap = PixelEdge(corner.top / 2.0, down);

    int widest = 0;
    for (const std::string_view name : design.columnOrder)
        if (const ControlSpec& control = NamedControl(design, name); control.role != ControlRole::Plot)
            widest = std::max(widest, PixelEdge(control.twips.width, across));
    const int spare =
        std::isfinite(room) ? static_cast<int>(std::floor((room - widest) / 2)) : std::numeric_limits<int>::max();
    const int margin = std::max(kNarrowestColumnMargin, std::min(static_cast<int>(std::lround(sideMargin)), spare));
    const int width = std::max(widest + 2 * margin, std::isfinite(room) ? static_cast<int>(std::floor(room)) : 0);

    int y = top;
    for (const std::string_view name : design.columnOrder) {
        const ControlSpec& control = NamedControl(design, name);
        PixelRect rect{margin, y, PixelEdge(control.twips.width, across), PixelEdge(control.twips.height, down)};
        if (control.role == ControlRole::Plot) {
            rect.width = width - 2 * margin;
            rect.height = PlotHeight(control, rect.width);
        }
        PlacePart(design, layout, control, rect);
        y += rect.height + gap;
    }
    layout.client = {width, y - gap + top};
}

}  // namespace

TwipLengths TargetLengths(const WindowDesign& design, double target)
{
    int narrowest = std::numeric_limits<int>::max(), lowest = narrowest;
    for (const ControlSpec* control : TabOrder(design)) {
        narrowest = std::min(narrowest, control->twips.width);
        lowest = std::min(lowest, control->twips.height);
    }
    const auto length = [&](int twips) {
        return twips > 0 && twips < std::numeric_limits<int>::max() ? target / twips : 0.0;
    };
    return {length(narrowest), length(lowest)};
}

PlacedWindow PlaceControls(const WindowDesign& design, Arrangement arrangement, double across, double down,
                           const WindowRoom& room)
{
    PlacedWindow layout{{}, arrangement, across, down, {}, {}};
    if (arrangement == Arrangement::Column) PlaceInColumn(design, layout, room.width, room.columnMargin);
    else PlaceInPlace(design, layout, room.plotInProportion);
    if (layout.controls.size() != design.controls.size())
        throw std::logic_error("the window \"" + std::string(design.title) + "\" leaves out a control");
    return layout;
}

PlacedWindow LayOutWindow(const WindowDesign& design, TextMeasurer& measurer, const WindowRoom& room)
{
    const LayoutFit fit = FitLayout(measurer, TextRooms(design, room.pixelsPerTwip, room.insets),
                                    LargestFactor(design, room.pixelsPerTwip, room.screen, room.frame));
    const double text = room.pixelsPerTwip * fit.factor;
    const TwipLengths targets = TargetLengths(design, room.target);
    const double across = std::max(text, targets.across), down = std::max(text, targets.down);
    const double uniform = std::max(across, down);
    // A pixel of slack: the room is measured in whole pixels, the design in rounded ones.
    const auto fits = [&](double factor) { return PixelEdge(design.client.width, factor) <= room.width + 0.5; };
    const bool designed = fits(uniform);
    const Arrangement arrangement =
        designed ? Arrangement::Designed : fits(across) ? Arrangement::TallerRows : Arrangement::Column;
    PlacedWindow layout =
        PlaceControls(design, arrangement, designed ? uniform : across, designed ? uniform : down, room);
    layout.fit = fit;
    return layout;
}

const PlacedControl& PlacedWindow::At(std::string_view name) const
{
    for (const PlacedControl& placed : controls)
        if (placed.control->name == name) return placed;
    throw std::logic_error("the window has no control " + std::string(name));
}

PixelRect PlacedWindow::InParent(const PlacedControl& placed) const
{
    return placed.control->parent.empty() ? placed.rect : ToPixels(placed.control->twips, across, down);
}

}  // namespace sorvane
