#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "command/text_field.h"
#include "design/layout_fit.h"
#include "design/twips.h"
#include "output/rgb.h"

namespace sorvane {

enum class ControlKind { Frame, Label, Edit, Picture, Button };

// What the window does with a control beyond showing it: the button runs the
// Calculate command, the drawing box shows the plot.
enum class ControlRole { None, Command, Plot };

// One control of a window's design, as the window creates it.
struct ControlSpec {
    std::string_view name{};
    std::string_view parent{};  // empty: the window's client area
    ControlKind kind{};
    TwipsRect twips{};  // from the parent's corner
    std::string_view caption{};  // a label's or button's text, a field's first text
    std::string_view accessibleName{};  // what a screen reader announces; empty: none of its own
    std::string_view labels{};  // a label: the field it is the caption of
    int tabIndex = -1;  // place in the keyboard's round
    bool onTop = false;  // drawn over the controls it overlaps
    std::optional<TextField> field{};  // a text field: which one the command reads or writes
    ControlRole role = ControlRole::None;
};

struct WindowDesign {
    std::string_view title;
    TwipsRect client;  // the client area below the menu bar
    std::span<const ControlSpec> controls;  // in creation order
    std::string_view menuItem;  // the menu bar's one entry
    std::string_view startingFocus;
    Rgb plotBackground;
    // The window's own parts (its frames, the button, the plot) in the order a
    // person uses them, for a screen too narrow for the design: one under another.
    std::span<const std::string_view> columnOrder;
};

const WindowDesign& MainWindowDesign();

// A control by its name; std::logic_error says which the design lacks.
const ControlSpec& NamedControl(const WindowDesign& design, std::string_view name);

// The control with this role, and the field the command reads or writes;
// every window design has each, and std::logic_error says which one lacks it.
const ControlSpec& ControlFor(const WindowDesign& design, ControlRole role);
const ControlSpec& FieldControl(const WindowDesign& design, TextField field);

// Where a control lies from the client area's corner, frames' offsets added.
TwipsRect ClientTwips(const WindowDesign& design, const ControlSpec& control);

// The controls that take the keyboard focus, in the order Tab walks them.
std::vector<const ControlSpec*> TabOrder(const WindowDesign& design);

// One label of the About window. Colour: empty for the toolkit's text colour.
struct AboutLabelSpec {
    std::string_view name{};
    std::string_view text{};
    TwipsRect twips{};
    double points = 8.25;
    bool title = false;  // bold and underlined
    std::optional<Rgb> colour{};
};

struct AboutDesign {
    std::string_view title;
    TwipsRect client;
    Rgb background;
    std::span<const AboutLabelSpec> labels;  // in creation order
    // Verdana first; the families that come nearest where it is missing.
    std::span<const std::string_view> families;
    int characterSet;
};

const AboutDesign& AboutWindowDesign();

// The toolkit's text colour where it can be read on a fixed background (WCAG AA: a contrast of 4.5 to 1);
// otherwise, as under a dark or high-contrast theme's light text, black.
Rgb ReadableTextOn(Rgb background, Rgb toolkitText);

// Where a single line of text goes in a box so that its ink stays inside:
// centred as labels centre it, unless a tall line would push its ink (an
// underline, a descender) past the box's bottom or top.
enum class LinePlace { Centre, Top, Bottom };
// Heights in pixels; ink from the baseline, downwards positive.
LinePlace PlaceLine(double boxHeight, double lineHeight, double ascent, double inkTop, double inkBottom);
// The same for a label's text as the measurer's font draws it, and its
// underline where it has one: how far below the baseline that reaches.
LinePlace KeepInkInside(const TextMeasurer& font, std::string_view text, double boxHeight,
                        std::optional<double> underlineBottom = std::nullopt);

}  // namespace sorvane
