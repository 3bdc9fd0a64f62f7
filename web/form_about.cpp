#include "web/form_about.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

#include "design/window_design.h"
#include "web/canvas_text_measurer.h"
#include "web/window_markup.h"

namespace sorvane::web {
namespace {

// Where the underline lies below the baseline, as a share of the font's size:
// a canvas measures no underline, and browsers draw it about there.
constexpr double kUnderlineDepth = 0.2;

std::string Families(const AboutDesign& design)
{
    std::string families;
    for (const std::string_view family : design.families) families += "\"" + std::string(family) + "\", ";
    return families + "sans-serif";
}

void KeepInkInside(val label, const AboutLabelSpec& entry, double boxHeight)
{
    const CanvasTextMeasurer measurer(label);
    std::optional<double> underline;
    if (entry.title) underline = kUnderlineDepth * CanvasTextMeasurer::CssSize(measurer.DesktopFont());
    // Centre, top, bottom: as LinePlace counts them.
    constexpr const char* kAlign[] = {"center", "start", "end"};
    const LinePlace place = sorvane::KeepInkInside(measurer, entry.text, boxHeight, underline);
    label["style"].set("alignItems", val(kAlign[int(place)]));
}

// The room the screen shows, in CSS pixels of the page.
struct Visible {
    double left, top, width, height;
};

Visible VisibleArea()
{
    const val root = Document()["documentElement"];
    return {Window()["scrollX"].as<double>(), Window()["scrollY"].as<double>(), root["clientWidth"].as<double>(),
            root["clientHeight"].as<double>()};
}

// wanted, kept inside [low, high]; at low where that range is empty (a window larger than the screen).
double Clamped(double wanted, double low, double high) { return std::max(low, std::min(wanted, high)); }

}  // namespace

Form_About::Form_About(val parent, Reporter report) : parent_(std::move(parent)), report_(std::move(report)) {}

bool Form_About::Open() const { return !window_.isUndefined() && window_["open"].as<bool>(); }

void Form_About::Show(val entry, const PixelRect& beside)
{
    entry_ = std::move(entry);
    if (!Open()) {
        // Closed, it keeps nothing: it comes back exactly as designed, and
        // the closed one goes with its listeners.
        listeners_.clear();
        if (!window_.isUndefined()) window_.call<void>("remove");
        Create();
        // Shown where it cannot widen the page, then moved to its place.
        window_["style"].set("left", CssPixels(Window()["scrollX"].as<double>()));
        window_["style"].set("top", CssPixels(beside.top));
        window_.call<void>("show");
        PlaceOnScreen(beside);
    }
    // Brought forward, above the main window, with the focus on it.
    parent_.call<void>("append", window_);
    window_.call<void>("focus");
}

// Beside the main window where the screen has room; otherwise as near as it can be, inside what the screen shows.
void Form_About::PlaceOnScreen(const PixelRect& beside)
{
    const Visible screen = VisibleArea();
    const double width = window_["offsetWidth"].as<double>();
    const double height = window_["offsetHeight"].as<double>();
    // Beside the main window, as far from it as two windows' margins on the page.
    const double left = Clamped(beside.left + beside.width + 2 * kPageMargin, screen.left + kPageMargin,
                                screen.left + screen.width - width - kPageMargin);
    const double top = Clamped(beside.top, screen.top + kPageMargin, screen.top + screen.height - height - kPageMargin);
    window_["style"].set("left", CssPixels(left));
    window_["style"].set("top", CssPixels(top));
}

void Form_About::Create()
{
    const AboutDesign& design = AboutWindowDesign();
    window_ = AddElement(parent_, "dialog", "Form_About");
    window_.call<void>("setAttribute", val("aria-labelledby"), val("Form_About_Caption"));
    window_.set("tabIndex", -1);
    val bar = AddElement(window_, "div");
    bar.set("className", val("caption"));
    val caption = AddElement(bar, "span", "Form_About_Caption");
    caption.set("textContent", val(std::string(design.title)));
    val close = AddElement(bar, "button", "Form_About_Close");
    close.set("type", val("button"));
    // val(const char*) reads Latin-1; a std::string goes over as UTF-8.
    close.set("textContent", val(std::string("\u00d7")));
    close.call<void>("setAttribute", val("aria-label"), val("Close"));
    listeners_.emplace_back(close, "click", [this](val) { window_.call<void>("close"); }, report_);
    // A modeless dialog has no Escape of its own.
    listeners_.emplace_back(window_, "keydown", [this](val event) {
        if (event["key"].as<std::string>() != "Escape") return;
        event.call<void>("preventDefault");
        window_.call<void>("close");
    }, report_);
    listeners_.emplace_back(window_, "close", [this](val) {
        if (!entry_.isUndefined()) entry_.call<void>("focus");
    }, report_);

    val client = AddElement(window_, "div");
    client.set("className", val("client"));
    const double pixelsPerTwip = PixelsPerTwip(kDesignDpi);
    const PixelRect size = ToPixels(design.client, pixelsPerTwip);
    // A finger needs a phone's text size, which the designed boxes cannot
    // hold; a screen narrower than the design cannot show it whole.
    const bool flowing = CoarsePointer() || size.width + 2 * kPageMargin > VisibleArea().width;
    if (flowing) {
        window_["classList"].call<void>("add", val("flowing"));
    } else {
        client["style"].set("width", CssPixels(size.width));
        client["style"].set("height", CssPixels(size.height));
    }
    client["style"].set("backgroundColor", CssColour(design.background));
    client["style"].set("fontFamily", Families(design));
    // The page's text colour under a dark scheme is light: unreadable on the yellow.
    const Rgb text = ReadableTextOn(design.background, ParseCssColour(ComputedStyle(client).Text("color")));

    // The design's smallest text, which a flowing window shows at a phone's size.
    double smallest = std::numeric_limits<double>::infinity();
    for (const AboutLabelSpec& entry : design.labels) smallest = std::min(smallest, entry.points);
    for (const AboutLabelSpec& entry : design.labels) {
        // Named by window and design name: the main window has labels of the same names.
        val label = AddElement(client, "span", "Form_About_" + std::string(entry.name));
        label.set("className", val(entry.title ? "label title" : "label"));
        label.set("textContent", val(std::string(entry.text)));
        label["style"].set("color", CssColour(entry.colour.value_or(text)));
        if (flowing) {
            // The design's sizes in proportion, its smallest a phone's own text size or the person's larger one.
            char size[64];
            std::snprintf(size, sizeof size, "calc(var(--finger-text) * %.4f)", entry.points / smallest);
            label["style"].set("fontSize", val(std::string(size)));
            // Read from the top down, as the design lays them out, whatever the order they are made in.
            label["style"].set("order", entry.twips.top);
            continue;
        }
        const PixelRect at = ToPixels(entry.twips, pixelsPerTwip);
        Place(label, at);
        label["style"].set("fontSize", std::to_string(entry.points) + "pt");
        KeepInkInside(label, entry, at.height);
    }
}

}  // namespace sorvane::web
