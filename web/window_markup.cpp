#include "web/window_markup.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "design/window_design.h"
#include "design/window_layout.h"

namespace sorvane::web {
namespace {

constexpr const char* kPlaceholder = "<!-- The main window, written here from its design. -->";

std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string Attribute(std::string_view name, std::string_view value)
{
    return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

// The controls in the order the focus walks them: the page's order is the
// keyboard's and the screen reader's, with no positive tabindex.
std::vector<const ControlSpec*> PageOrder(const WindowDesign& design)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& control : design.controls) order.push_back(&control);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

std::string Element(const ControlSpec& entry, const std::string& inside)
{
    // The browser gives the starting focus itself, at the first frame: no script waits on its layout.
    const std::string id =
        Attribute("id", entry.name) + (entry.name == MainWindowDesign().startingFocus ? " autofocus" : "");
    const std::string top = entry.onTop ? " on-top" : "";
    switch (entry.kind) {
    case ControlKind::Frame: return "<div" + id + " class=\"frame\" role=\"group\">\n" + inside + "</div>\n";
    // A caption is the field's label: a click on it goes to the field, as on any page.
    case ControlKind::Label:
        return "<label" + id + " class=\"label\"" + Attribute("for", entry.labels) + ">" + Escaped(entry.caption) +
               "</label>\n";
    // An ordinary single-line field with no length limit, and no form: Enter runs nothing.
    // Named as the desktop names it, over its caption's text.
    // A field the command reads asks a phone for its number keyboard; any text can still be typed or pasted.
    case ControlKind::Edit:
        return "<input" + id + " class=\"field" + top + "\" type=\"text\"" + Attribute("value", entry.caption) +
               (entry.field && IsInput(*entry.field) ? " inputmode=\"decimal\"" : "") +
               " autocomplete=\"off\" spellcheck=\"false\"" + Attribute("aria-label", entry.accessibleName) + ">\n";
    case ControlKind::Picture:
        return "<canvas" + id + " class=\"picture\" tabindex=\"0\" role=\"img\"" +
               Attribute("aria-label", entry.accessibleName) +
               Attribute("aria-describedby", std::string(entry.name) + kDescriptionSuffix) + "></canvas>\n";
    case ControlKind::Button:
        return "<button" + id + " class=\"command\" type=\"button\">" + Escaped(entry.caption) + "</button>\n";
    }
    return "";
}

// Across and down have a length a twip each: rows may grow more than widths.
enum class Axis { Across, Down };

// A frame's controls are placed from its outer corner, as on the desktop; the page's from inside its border.
std::string Twips(int twips, Axis axis, bool inFrame = false)
{
    return std::string(axis == Axis::Across ? "calc(var(--twip-x) * " : "calc(var(--twip-y) * ") +
           std::to_string(twips) + (inFrame ? " - var(--frame-border))" : ")");
}

// Lengths in a media query are in the browser's default text size, 16 px unless the person set another.
constexpr double kDefaultPixels = 16;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// What the page adds round the window: its margins and the window's border.
constexpr double kAroundWindow = 2 * (kPageMargin + kWindowBorder);

// A twip as the stylesheet has it before the fit: the share of a text size.
const std::string kTextTwip = "calc(1em / " + Number(kTextPerTwip) + ")";

// How wide a screen must be, in em, for the design grown for this text to fit
// it whole, with a twip at least this many pixels across.
std::string FitsWithin(const WindowDesign& design, double textEm, double leastTwip)
{
    const double twip = std::max(textEm / kTextPerTwip, leastTwip / kDefaultPixels);
    return Number(design.client.width * twip + kAroundWindow / kDefaultPixels) + "em";
}

// Where the program will put the window on a narrow screen, for the stylesheet
// to show it there first: the column's places, a twip a pixel, as lengths of
// --twip-x and --twip-y; the margins and the plot's width from the screen's.
std::string ColumnRules(const WindowDesign& design)
{
    const PlacedWindow column = PlaceControls(design, Arrangement::Column, 1, 1);
    const PlacedControl& plot = column.At(ControlFor(design, ControlRole::Plot).name);
    int widest = 0;
    const std::string before = "#" + std::string(kWindowId) + ":not([data-arrangement]) ";
    std::string rules = "@media (max-width: " + FitsWithin(design, kMouseTextRem, 0) +
                        "), (pointer: coarse) and (max-width: " +
                        FitsWithin(design, kFingerTextRem, TargetLengths(design, kFingerTarget).across) + ") {\n";
    rules += "#" + std::string(kWindowId) + ":not([data-arrangement]) { display: block; }\n";
    for (const std::string_view name : design.columnOrder) {
        const PlacedControl& part = column.At(name);
        if (&part != &plot) widest = std::max(widest, part.rect.width);
        rules += before + "#" + std::string(name) + " { left: var(--margin); top: calc(var(--twip-y) * " +
                 std::to_string(part.rect.top) + ");";
        if (&part == &plot)
            rules += " width: calc(100% - 2 * var(--margin)); height: auto; aspect-ratio: " +
                     std::to_string(plot.control->twips.width) + " / " +
                     std::to_string(plot.control->twips.height) + ";";
        rules += " }\n";
    }
    rules += before + "#" + std::string(kClientId) + " { width: auto; --margin: clamp(" +
             Number(kNarrowestColumnMargin) + "px, calc((100% - var(--twip-x) * " + std::to_string(widest) +
             ") / 2), var(--column-margin)); height: calc(var(--twip-y) * " +
             std::to_string(column.client.height - plot.rect.height) + " + (100vw - " + Number(kAroundWindow) +
             "px - 2 * var(--column-margin)) * " +
             Number(double(plot.control->twips.height) / plot.control->twips.width) + "); }\n}\n";
    return rules;
}

std::string PageProperties()
{
    return ":root { --control-text: " + Number(kMouseTextRem) + "rem; --finger-text: max(" + Number(kFingerTextRem) +
           "rem, " + Number(kPhoneTextPixels) + "px)" +
           "; --page-margin: " + Number(kPageMargin) + "px; --window-border: " + Number(kWindowBorder) +
           "px; --frame-border: " + Number(kFrameBorder) + "px; --finger-target: " + Number(kFingerTarget) +
           "px; --column-margin: " + Number(kColumnMargin) + "px; }\n";
}

}  // namespace

std::string MainWindowMarkup()
{
    const WindowDesign& design = MainWindowDesign();
    const std::vector<const ControlSpec*> order = PageOrder(design);
    // Each frame where its place in the order is, holding its own controls.
    std::string body;
    for (const ControlSpec* entry : order) {
        if (!entry->parent.empty()) continue;
        if (entry->kind != ControlKind::Frame) {
            body += Element(*entry, "");
            continue;
        }
        std::string inside;
        for (const ControlSpec* child : order)
            if (child->parent == entry->name) inside += Element(*child, "");
        body += Element(*entry, inside);
    }
    const std::string plot(ControlFor(design, ControlRole::Plot).name);
    return "<main" + Attribute("id", kWindowId) + " aria-labelledby=\"Form_Sorvane_Title\">\n"
           "<h1 id=\"Form_Sorvane_Title\" class=\"titlebar\">" + Escaped(design.title) + "</h1>\n"
           "<div id=\"Form_Sorvane_Menu\" class=\"menubar\" role=\"menubar\"><button" + Attribute("id", kMenuItemId) +
           " type=\"button\" role=\"menuitem\">" + Escaped(design.menuItem) + "</button></div>\n"
           "<div" + Attribute("id", kClientId) + " class=\"client\">\n" + body + "</div>\n"
           "<span" + Attribute("id", plot + kDescriptionSuffix) + " hidden></span>\n"
           "<span" + Attribute("id", kTextSizeId) + " class=\"text-size\" aria-hidden=\"true\"></span>\n"
           "</main>";
}

std::string MainWindowRules()
{
    const WindowDesign& design = MainWindowDesign();
    const PlacedWindow placed = PlaceControls(design, Arrangement::Designed, 1, 1);
    std::string rules = "\n/* Where each control of the main window lies. */\n" + PageProperties();
    rules += "#" + std::string(kClientId) + " { --twip-x: " + kTextTwip + "; --twip-y: var(--twip-x); width: " +
             Twips(placed.client.width, Axis::Across) + "; height: " + Twips(placed.client.height, Axis::Down) +
             "; }\n";
    for (const PlacedControl& control : placed.controls) {
        const ControlSpec& entry = *control.control;
        const PixelRect at = placed.InParent(control);
        const bool inFrame = !entry.parent.empty();
        rules += "#" + std::string(entry.name) + " { left: " + Twips(at.left, Axis::Across, inFrame) +
                 "; top: " + Twips(at.top, Axis::Down, inFrame) + "; width: " + Twips(at.width, Axis::Across) +
                 "; height: " + Twips(at.height, Axis::Down) + ";";
        if (entry.kind == ControlKind::Label) rules += " line-height: " + Twips(at.height, Axis::Down) + ";";
        if (entry.kind == ControlKind::Picture) {
            const Rgb& colour = design.plotBackground;
            rules += " background-color: rgb(" + std::to_string(colour.red) + ", " + std::to_string(colour.green) +
                     ", " + std::to_string(colour.blue) + ");";
        }
        rules += " }\n";
    }
    // Under a finger the targets are larger: rows grow more than widths.
    const ControlSpec& plot = ControlFor(design, ControlRole::Plot);
    const TwipLengths finger = TargetLengths(design, kFingerTarget);
    rules += "@media (pointer: coarse) {\n#" + std::string(kWindowId) + " #" + std::string(kClientId) +
             " { --twip-x: max(" + kTextTwip + ", " + Number(finger.across) + "px); --twip-y: max(" +
             kTextTwip + ", " + Number(finger.down) + "px); }\n" +
             // The rows grow more than the widths: the plot keeps the design's proportion all the same.
             "#" + std::string(kWindowId) + " #" + std::string(plot.name) + " { height: auto; aspect-ratio: " +
             std::to_string(plot.twips.width) + " / " + std::to_string(plot.twips.height) + "; }\n}\n";
    return rules + ColumnRules(design);
}

std::string StylesheetWithWindow(const std::string& rules)
{
    const std::string whole = rules + MainWindowRules();
    // Comments out; each run of white space one space, and none where CSS needs none:
    // after an opening brace, a semicolon, a comma or a colon, and round a closing brace.
    std::string kept;
    bool space = false;
    for (std::size_t at = 0; at < whole.size(); ++at) {
        if (whole.compare(at, 2, "/*") == 0) {
            const std::size_t close = whole.find("*/", at + 2);
            if (close == std::string::npos) break;
            at = close + 1;
            space = true;
            continue;
        }
        const char c = whole[at];
        if (c == ' ' || c == '\n' || c == '\t' || c == '\r') {
            space = true;
            continue;
        }
        const bool tight = !kept.empty() && std::string_view("{};,:").find(kept.back()) != std::string_view::npos;
        if (space && !tight && c != '{' && c != '}' && c != ';' && c != ',' && !kept.empty()) kept += ' ';
        space = false;
        kept += c;
    }
    return kept;
}

std::string WithWindow(const std::string& page)
{
    const std::size_t at = page.find(kPlaceholder);
    if (at == std::string::npos) return page;
    std::string written =
        page.substr(0, at) + MainWindowMarkup() + page.substr(at + std::string_view(kPlaceholder).size());
    // The tab shows the window's title from the first paint; no script writes it.
    const std::size_t open = written.find("<title>");
    const std::size_t close = written.find("</title>");
    if (open != std::string::npos && close != std::string::npos && open < close)
        written.replace(open + 7, close - open - 7, Escaped(MainWindowDesign().title));
    return written;
}

}  // namespace sorvane::web
