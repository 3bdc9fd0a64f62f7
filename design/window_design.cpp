#include "design/window_design.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

namespace sorvane {
namespace {

using enum ControlKind;

// The main window's controls in creation order; the frames are plain borders with no title.
constexpr std::array kMainControls{
    ControlSpec{.name = "Frame2", .kind = Frame, .twips = {360, 240, 2175, 1095}, .tabIndex = 9},
    ControlSpec{.name = "Text_N1", .parent = "Frame2", .kind = Edit, .twips = {1560, 720, 495, 285},
                .caption = "51", .accessibleName = "Number of points", .tabIndex = 13,
                .field = TextField::Text_N1},
    // The field is drawn over the label box that overlaps it.
    ControlSpec{.name = "Text_Code", .parent = "Frame2", .kind = Edit, .twips = {600, 240, 615, 285},
                .caption = "0012", .accessibleName = "NACA code", .tabIndex = 10, .onTop = true,
                .field = TextField::Text_Code},
    ControlSpec{.name = "Label5", .parent = "Frame2", .kind = Label, .twips = {120, 720, 1455, 255},
                .caption = "Number of points =", .labels = "Text_N1", .tabIndex = 12},
    ControlSpec{.name = "Label1", .parent = "Frame2", .kind = Label, .twips = {120, 240, 615, 255},
                .caption = "NACA", .labels = "Text_Code", .tabIndex = 11},
    ControlSpec{.name = "Frame1", .kind = Frame, .twips = {3720, 240, 2775, 1455}, .tabIndex = 2},
    ControlSpec{.name = "Text_FCR", .parent = "Frame1", .kind = Edit, .twips = {1800, 600, 735, 285},
                .accessibleName = "Max Camber Loc", .tabIndex = 5, .field = TextField::Text_FCR},
    ControlSpec{.name = "Text_TCR", .parent = "Frame1", .kind = Edit, .twips = {1800, 960, 735, 285},
                .accessibleName = "Thickness Ratio", .tabIndex = 4, .field = TextField::Text_TCR},
    ControlSpec{.name = "Text_CCR", .parent = "Frame1", .kind = Edit, .twips = {1800, 240, 735, 285},
                .accessibleName = "Camber Ratio", .tabIndex = 3, .field = TextField::Text_CCR},
    ControlSpec{.name = "Label2", .parent = "Frame1", .kind = Label, .twips = {240, 600, 1575, 255},
                .caption = "Max Camber Loc =", .labels = "Text_FCR", .tabIndex = 8},
    ControlSpec{.name = "Label3", .parent = "Frame1", .kind = Label, .twips = {240, 960, 1335, 255},
                .caption = "Thickness Ratio =", .labels = "Text_TCR", .tabIndex = 7},
    ControlSpec{.name = "Label4", .parent = "Frame1", .kind = Label, .twips = {240, 240, 1215, 255},
                .caption = "Camber Ratio =", .labels = "Text_CCR", .tabIndex = 6},
    ControlSpec{.name = "Picture_Airfoil", .kind = Picture, .twips = {360, 1920, 6135, 2535},
                .accessibleName = "Airfoil plot", .tabIndex = 1, .role = ControlRole::Plot},
    ControlSpec{.name = "Command1", .kind = Button, .twips = {360, 1440, 2175, 375},
                .caption = "Calculate and Show", .tabIndex = 0, .role = ControlRole::Command},
};

// Inputs, the button, the results, the plot.
constexpr std::array<std::string_view, 4> kMainColumn{"Frame2", "Command1", "Frame1", "Picture_Airfoil"};

constexpr WindowDesign kMainWindow{
    .title = "NACA 4 digit airfoil Coordinate Generator",
    .client = {0, 0, 6930, 4830},
    .controls = kMainControls,
    .menuItem = "About",
    .startingFocus = "Command1",
    .plotBackground = {255, 224, 192},
    .columnOrder = kMainColumn,
};

constexpr Rgb kGreen{0, 128, 0};
constexpr Rgb kBlue{0, 0, 255};

constexpr std::array kAboutLabels{
    AboutLabelSpec{.name = "Label8", .text = "November 2005", .twips = {1320, 1920, 1455, 255}},
    AboutLabelSpec{.name = "Label7", .text = "by the Sorvane developers", .twips = {840, 1680, 2535, 255}},
    AboutLabelSpec{.name = "Label6", .text = "for NACA 4 Digit Series Airfoils", .twips = {600, 1080, 3255, 255},
                   .points = 9.75, .colour = kGreen},
    AboutLabelSpec{.name = "Label5", .text = "sorvane@example.org", .twips = {1200, 2760, 1935, 255},
                   .colour = kBlue},
    AboutLabelSpec{.name = "Label4", .text = "for comments and questions e-mail to",
                   .twips = {480, 2520, 3375, 255}},
    AboutLabelSpec{.name = "Label2", .text = "Coordinate generating program", .twips = {600, 720, 3135, 255},
                   .points = 9.75, .colour = kGreen},
    // The program's name as the window has always shown it.
    AboutLabelSpec{.name = "Label1", .text = "Sorvan", .twips = {1440, 240, 1455, 255}, .points = 12,
                   .title = true, .colour = kGreen},
};

// DejaVu Sans shares Verdana's wide, open letters; Liberation Sans and Noto Sans come after.
constexpr std::array<std::string_view, 4> kAboutFamilies{"Verdana", "DejaVu Sans", "Liberation Sans",
                                                         "Noto Sans"};

// Turkish: the character set the labels were designed with.
constexpr int kTurkishCharacterSet = 162;

constexpr AboutDesign kAboutWindow{
    .title = "About",
    .client = {0, 0, 4275, 3195},
    .background = {255, 255, 192},
    .labels = kAboutLabels,
    .families = kAboutFamilies,
    .characterSet = kTurkishCharacterSet,
};

// WCAG's relative luminance of a colour.
double Luminance(Rgb colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

double Contrast(Rgb a, Rgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool TakesFocus(ControlKind kind) { return kind == Edit || kind == Picture || kind == Button; }

}  // namespace

const WindowDesign& MainWindowDesign() { return kMainWindow; }

const AboutDesign& AboutWindowDesign() { return kAboutWindow; }

// A design without the control is a fault of the program's own tables: it is
// refused where it is first asked for, never read past the table's end.
template <typename Matches>
const ControlSpec& RequiredControl(const WindowDesign& design, Matches matches, std::string_view what,
                                   std::string_view name = {})
{
    const auto found = std::find_if(design.controls.begin(), design.controls.end(), matches);
    if (found == design.controls.end())
        throw std::logic_error("the window \"" + std::string(design.title) + "\" has no " + std::string(what) +
                               std::string(name));
    return *found;
}

const ControlSpec& NamedControl(const WindowDesign& design, std::string_view name)
{
    return RequiredControl(design, [name](const ControlSpec& control) { return control.name == name; }, "control ",
                           name);
}

TwipsRect ClientTwips(const WindowDesign& design, const ControlSpec& control)
{
    TwipsRect rect = control.twips;
    for (std::string_view parent = control.parent; !parent.empty();) {
        const ControlSpec& frame = NamedControl(design, parent);
        rect.left += frame.twips.left;
        rect.top += frame.twips.top;
        parent = frame.parent;
    }
    return rect;
}

const ControlSpec& ControlFor(const WindowDesign& design, ControlRole role)
{
    return RequiredControl(design, [role](const ControlSpec& control) { return control.role == role; },
                           "control of that role");
}

const ControlSpec& FieldControl(const WindowDesign& design, TextField field)
{
    return RequiredControl(design, [field](const ControlSpec& control) { return control.field == field; },
                           "such field");
}

std::vector<const ControlSpec*> TabOrder(const WindowDesign& design)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& control : design.controls)
        if (TakesFocus(control.kind) && control.tabIndex >= 0) order.push_back(&control);
    std::sort(order.begin(), order.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

Rgb ReadableTextOn(Rgb background, Rgb toolkitText)
{
    return Contrast(toolkitText, background) >= 4.5 ? toolkitText : Rgb{0, 0, 0};
}

LinePlace PlaceLine(double boxHeight, double lineHeight, double ascent, double inkTop, double inkBottom)
{
    // Where centring puts the baseline, with the half pixel that rasterising may add.
    const double baseline = (boxHeight - lineHeight) / 2 + ascent;
    if (baseline + inkBottom + 0.5 > boxHeight) return LinePlace::Bottom;
    if (baseline + inkTop - 0.5 < 0) return LinePlace::Top;
    return LinePlace::Centre;
}

LinePlace KeepInkInside(const TextMeasurer& font, std::string_view text, double boxHeight,
                        std::optional<double> underlineBottom)
{
    const InkBox ink = font.Ink(text);
    return PlaceLine(boxHeight, font.LineHeight(), font.Ascent(), ink.top,
                     std::max(ink.bottom, underlineBottom.value_or(ink.bottom)));
}

}  // namespace sorvane
