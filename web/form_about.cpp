#include "web/form_about.h"

#include <algorithm>

#include "design/window_design.h"
#include "web/canvas_text_measurer.h"

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

// A font with a tall line, centred in a low box, puts ink (an underline, a
// descender) outside it: such a label's line goes to the box's bottom (or top).
void KeepInkInside(val label, const AboutLabelSpec& entry, double boxHeight)
{
    CanvasTextMeasurer measurer(label);
    InkBox ink = measurer.Ink(entry.text);
    if (entry.title) ink.bottom = std::max(ink.bottom, kUnderlineDepth * CanvasTextMeasurer::CssSize(measurer.DesktopFont()));
    const char* align = "center";
    switch (PlaceLine(boxHeight, measurer.LineHeight(), measurer.Ascent(), ink.top, ink.bottom)) {
    case LinePlace::Bottom: align = "end"; break;
    case LinePlace::Top: align = "start"; break;
    case LinePlace::Centre: break;
    }
    label["style"].set("alignItems", val(align));
}

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
        window_["style"].set("left", CssPixels(beside.left + beside.width + 16));
        window_["style"].set("top", CssPixels(beside.top));
        window_.call<void>("show");
    }
    // Brought forward, above the main window, with the focus on it.
    parent_.call<void>("append", window_);
    window_.call<void>("focus");
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
    client["style"].set("width", CssPixels(size.width));
    client["style"].set("height", CssPixels(size.height));
    client["style"].set("backgroundColor", CssColour(design.background));
    client["style"].set("fontFamily", Families(design));
    // The page's text colour under a dark scheme is light: unreadable on the yellow.
    const Rgb text = ReadableTextOn(design.background, ParseCssColour(ComputedText(client, "color")));

    for (const AboutLabelSpec& entry : design.labels) {
        // Named by window and design name: the main window has labels of the same names.
        val label = AddElement(client, "span", "Form_About_" + std::string(entry.name));
        label.set("className", val(entry.title ? "label title" : "label"));
        label.set("textContent", val(std::string(entry.text)));
        const PixelRect at = ToPixels(entry.twips, pixelsPerTwip);
        Place(label, at);
        label["style"].set("fontSize", std::to_string(entry.points) + "pt");
        label["style"].set("color", CssColour(entry.colour.value_or(text)));
        KeepInkInside(label, entry, at.height);
    }
}

}  // namespace sorvane::web
