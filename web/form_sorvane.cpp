#include "web/form_sorvane.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "command/calculate_and_show.h"
#include "design/window_design.h"
#include "output/write_coords.h"
#include "web/canvas_text_measurer.h"

namespace sorvane::web {
namespace {

const char* Tag(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Frame: return "div";
    // A caption is the field's label: a click on it goes to the field, as on any page.
    case ControlKind::Label: return "label";
    case ControlKind::Edit: return "input";
    case ControlKind::Picture: return "canvas";
    case ControlKind::Button: return "button";
    }
    return "div";
}

const char* ClassName(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Frame: return "frame";
    case ControlKind::Label: return "label";
    case ControlKind::Edit: return "field";
    case ControlKind::Picture: return "picture";
    case ControlKind::Button: return "command";
    }
    return "";
}

void SetUp(val element, const ControlSpec& entry)
{
    element.set("className", val(ClassName(entry.kind)));
    const std::string caption(entry.caption);
    switch (entry.kind) {
    case ControlKind::Frame: element.call<void>("setAttribute", val("role"), val("group")); break;
    case ControlKind::Label:
        element.set("textContent", val(caption));
        element.set("htmlFor", val(std::string(entry.labels)));
        break;
    case ControlKind::Edit:
        // An ordinary single-line field with no length limit, and no form: Enter runs nothing.
        element.set("type", val("text"));
        element.set("value", val(caption));
        element.set("autocomplete", val("off"));
        element.set("spellcheck", false);
        // Named as the desktop names it, over its caption's text.
        element.call<void>("setAttribute", val("aria-label"), val(std::string(entry.accessibleName)));
        break;
    case ControlKind::Picture:
        element.call<void>("setAttribute", val("aria-label"), val(std::string(entry.accessibleName)));
        break;
    case ControlKind::Button:
        element.set("type", val("button"));
        element.set("textContent", val(caption));
        break;
    }
    if (entry.onTop) element["style"].set("zIndex", 1);
}

// The controls in the order the focus walks them, each after its frame: the
// page's order is the keyboard's and the screen reader's.
std::vector<const ControlSpec*> PageOrder(const WindowDesign& design)
{
    std::vector<const ControlSpec*> order;
    for (const ControlSpec& control : design.controls) order.push_back(&control);
    std::stable_sort(order.begin(), order.end(),
                     [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

double Across(val element, const char* side1, const char* side2)
{
    return ComputedPixels(element, side1) + ComputedPixels(element, side2);
}

}  // namespace

Form_Sorvane::Form_Sorvane(val parent)
    : window_(AddElement(parent, "main", "Form_Sorvane")), messages_(parent), about_(parent),
      file_([this](const std::string& message) { ShowMessage(message); }), refit_([this] { LayOut(); })
{
    const WindowDesign& design = MainWindowDesign();
    Document().set("title", val(std::string(design.title)));
    // The window's title bar is the page's one heading.
    val title = AddElement(window_, "h1", "Form_Sorvane_Title");
    title.set("className", val("titlebar"));
    title.set("textContent", val(std::string(design.title)));
    window_.call<void>("setAttribute", val("aria-labelledby"), val("Form_Sorvane_Title"));

    val menuBar = AddElement(window_, "div", "Form_Sorvane_Menu");
    menuBar.set("className", val("menubar"));
    menuBar.call<void>("setAttribute", val("role"), val("menubar"));
    val mnAbout = AddElement(menuBar, "button", "Mn_About");
    mnAbout.set("type", val("button"));
    mnAbout.call<void>("setAttribute", val("role"), val("menuitem"));
    mnAbout.set("textContent", val(std::string(design.menuItem)));

    client_ = AddElement(window_, "div", "Form_Sorvane_Client");
    client_.set("className", val("client"));
    // The plot's description, read out with it; not shown.
    val description = AddElement(window_, "span", "Picture_Airfoil_Description");
    description.set("hidden", true);

    std::map<std::string_view, val> byName;
    for (const ControlSpec* entry : PageOrder(design)) {
        const auto parentElement = byName.find(entry->parent);
        val element = AddElement(parentElement == byName.end() ? client_ : parentElement->second,
                                 Tag(entry->kind), entry->name);
        SetUp(element, *entry);
        byName.emplace(entry->name, element);
        placed_.emplace_back(element, entry);
        if (entry->field) fields_.emplace(*entry->field, element);
    }
    const ControlSpec& plot = ControlFor(design, ControlRole::Plot);
    picture_ = std::make_unique<AirfoilPicture>(byName.at(plot.name), description, design.plotBackground);
    command1_ = byName.at(ControlFor(design, ControlRole::Command).name);

    mnAbout_ = mnAbout;

    LayOut();
    OnFailure([this](const std::string& message) { ShowMessage(message); });
    Listen(command1_, "click", [this](val) { CalculateAndShow(); });
    Listen(mnAbout, "click", [this](val) { ShowAboutWindow(); });
    // Zoom changes the screen's density and may change the text's size; a
    // window dragged to another monitor changes the density alone, and the
    // browser's settings the text's size alone. One refit a frame for all.
    Listen(Window(), "resize", [this](val) { refit_.Request(); });
    WatchDensity();
    val textSize = AddElement(window_, "span", "Form_Sorvane_TextSize");
    textSize.set("className", val("text-size"));
    textSize.call<void>("setAttribute", val("aria-hidden"), val("true"));
    val::global("ResizeObserver").new_(Callback([this](val) { refit_.Request(); })).call<void>("observe", textSize);
    byName.at(design.startingFocus).call<void>("focus");
}

// A query that stops matching when the density changes, asked anew each time.
void Form_Sorvane::WatchDensity()
{
    char query[64];
    std::snprintf(query, sizeof query, "(resolution: %.17gdppx)", Window()["devicePixelRatio"].as<double>());
    Listen(Window().call<val>("matchMedia", val(std::string(query))), "change", [this](val) {
        refit_.Request();
        WatchDensity();
    }, ListenOnce::Yes);
}

// The controls keep the person's text size, and the design grows to hold it.
// The page scrolls where the window outgrows it: no screen limit shrinks the text.
void Form_Sorvane::LayOut()
{
    const WindowDesign& design = MainWindowDesign();
    const double designScale = PixelsPerTwip(kDesignDpi);
    client_["style"].set("fontSize", val(""));
    const val field = fields_.at(TextField::Text_Code);
    const TextInsets insets{
        Across(command1_, "padding-left", "padding-right") + Across(command1_, "border-left-width", "border-right-width"),
        Across(command1_, "padding-top", "padding-bottom") + Across(command1_, "border-top-width", "border-bottom-width"),
        Across(field, "padding-top", "padding-bottom") + Across(field, "border-top-width", "border-bottom-width"),
    };
    CanvasTextMeasurer measurer(client_);
    const LayoutFit fit = FitLayout(measurer, TextRooms(design, designScale, insets),
                                    std::numeric_limits<double>::infinity());

    client_["style"].set("fontSize", CssPixels(CanvasTextMeasurer::CssSize(fit.font)));
    const double scale = PixelsPerTwip(kDesignDpi, fit.factor);
    for (const auto& [element, entry] : placed_) {
        PixelRect at = ToPixels(entry->twips, scale);
        // A frame's children are placed from its outer corner, as on the desktop; the page's from inside its border.
        if (!entry->parent.empty()) {
            const val frame = element["parentElement"];
            at.left -= static_cast<int>(ComputedPixels(frame, "border-left-width"));
            at.top -= static_cast<int>(ComputedPixels(frame, "border-top-width"));
        }
        if (entry->kind == ControlKind::Picture) {
            picture_->Place(at);
        } else {
            Place(element, at);
            if (entry->kind == ControlKind::Label) element["style"].set("lineHeight", CssPixels(at.height));
        }
    }
    const PixelRect client = ToPixels(design.client, scale);
    client_["style"].set("width", CssPixels(client.width));
    client_["style"].set("height", CssPixels(client.height));
}

void Form_Sorvane::CalculateAndShow() { sorvane::CalculateAndShow(*this, file_, SharedSectionState()); }

void Form_Sorvane::ShowAboutWindow()
{
    const val box = window_.call<val>("getBoundingClientRect");
    const val scroll = Window();
    about_.Show(mnAbout_, {static_cast<int>(box["left"].as<double>() + scroll["scrollX"].as<double>()),
                 static_cast<int>(box["top"].as<double>() + scroll["scrollY"].as<double>()),
                 static_cast<int>(box["width"].as<double>()), static_cast<int>(box["height"].as<double>())});
}

std::string Form_Sorvane::Text(TextField field) const { return fields_.at(field)["value"].as<std::string>(); }

void Form_Sorvane::SetText(TextField field, const std::string& text) { fields_.at(field).set("value", val(text)); }

void Form_Sorvane::ShowMessage(const std::string& message) { messages_.Show(message); }

// The browser's language decides, as the desktop's locale does there; in its
// own digits too (Arabic's is not between a 1 and a 5 that read as such).
std::string Form_Sorvane::DecimalSeparator() const
{
    const val parts = val::global("Intl")["NumberFormat"].new_().call<val>("formatToParts", 1.5);
    const int count = parts["length"].as<int>();
    for (int i = 0; i < count; ++i)
        if (parts[i]["type"].as<std::string>() == "decimal") return parts[i]["value"].as<std::string>();
    return ".";
}

DrawingBox& Form_Sorvane::Picture_Airfoil() { return picture_->Drawing(); }

void Form_Sorvane::DescribePlot(const std::string& description) { picture_->Describe(description); }

}  // namespace sorvane::web
