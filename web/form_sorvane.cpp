#include "web/form_sorvane.h"

#include <cstdio>

#include "command/calculate_and_show.h"
#include "design/window_design.h"
#include "web/canvas_text_measurer.h"
#include "web/window_markup.h"

namespace sorvane::web {
namespace {

val ById(std::string_view id) { return Document().call<val>("getElementById", val(std::string(id))); }

}  // namespace

// The window is in the page's HTML before the module loads: here it is only
// found and wired, and the button works from the end of this constructor.
Form_Sorvane::Form_Sorvane()
    : report_([this](const std::string& message) { ShowMessage(message); }), window_(ById(kWindowId)),
      client_(ById(kClientId)), about_(Document()["body"], report_), file_(report_),
      refit_([this] { Fit(); }, report_),
      // The showing asked for first: where the fit fails, the page still settles.
      firstFit_([this] { showFit_.Request(); Fit(); }, report_, TaskTime::Soon),
      showFit_([this] { ShowFit(); }, report_, TaskTime::Soon),
      settle_([this] { Settle(); }, report_, TaskTime::Idle),
      textSizeChanged_([this](val entries) {
          if (entries[0]["contentRect"]["height"].as<double>() != textSize_) refit_.Request();
      }, report_)
{
    const WindowDesign& design = MainWindowDesign();
    for (const ControlSpec& entry : design.controls)
        if (entry.field) fields_.emplace(*entry.field, ById(entry.name));
    const ControlSpec& plot = ControlFor(design, ControlRole::Plot);
    picture_ = std::make_unique<AirfoilPicture>(ById(plot.name), ById(std::string(plot.name) + kDescriptionSuffix),
                                                design.plotBackground, report_);
    command1_ = ById(ControlFor(design, ControlRole::Command).name);
    mnAbout_ = ById(kMenuItemId);

    listeners_.emplace_back(command1_, "click", [this](val) { CalculateAndShow(); }, report_);
    listeners_.emplace_back(mnAbout_, "click", [this](val) { ShowAboutWindow(); }, report_);
    // Zoom changes the screen's density and may change the text's size; a window dragged to another monitor
    // changes the density alone, and the browser's settings the text's size alone. One refit a frame for all.
    listeners_.emplace_back(Window(), "resize", [this](val) { refit_.Request(); }, report_);
    // A touch screen attached or taken away: targets for a finger, or for a mouse.
    listeners_.emplace_back(CoarsePointerQuery(), "change", [this](val) { refit_.Request(); }, report_);
    firstFit_.Request();
}

// What the first click does not need: the message box (a message before this
// builds it), and the watches on the density and the text's size. The watch
// on the size reports it at once; that first report asks for no refit.
void Form_Sorvane::Settle()
{
    settled_ = true;
    Messages();
    WatchDensity();
    textSizeObserver_ = val::global("ResizeObserver").new_(textSizeChanged_.Function());
    textSizeObserver_.call<void>("observe", ById(kTextSizeId));
    val::global("performance").call<void>("mark", val("sorvane-settled"));
}

MessageBox& Form_Sorvane::Messages()
{
    if (!messages_) messages_.emplace(Document()["body"], report_);
    return *messages_;
}

Form_Sorvane::~Form_Sorvane()
{
    if (!textSizeObserver_.isUndefined()) textSizeObserver_.call<void>("disconnect");
}

// A query that stops matching when the density changes, asked anew each time.
void Form_Sorvane::WatchDensity()
{
    char query[64];
    std::snprintf(query, sizeof query, "(resolution: %.17gdppx)", Window()["devicePixelRatio"].as<double>());
    densityWatch_.emplace(Window().call<val>("matchMedia", val(std::string(query))), "change", [this](val) {
        refit_.Request();
        WatchDensity();
    }, report_, ListenOnce::Yes);
}

// The controls keep the person's text size, and the design grows to hold it;
// no screen limit shrinks the text. Only measures: ShowFit shows it.
void Form_Sorvane::Fit()
{
    // Measured at the person's own size and set back at once: the new size shows with the new places, in one frame.
    const val shown = client_["style"]["fontSize"];
    client_["style"].set("fontSize", val(""));
    textSize_ = ById(kTextSizeId).call<val>("getBoundingClientRect")["height"].as<double>();
    const ComputedStyle button(command1_);
    const ComputedStyle field(fields_.at(TextField::Text_Code));
    const WindowRoom room{
        .insets = {
            button.Pixels("padding-left", "padding-right") + button.Pixels("border-left-width", "border-right-width"),
            button.Pixels("padding-top", "padding-bottom") + button.Pixels("border-top-width", "border-bottom-width"),
            field.Pixels("padding-top", "padding-bottom") + field.Pixels("border-top-width", "border-bottom-width")},
        .target = CoarsePointer() ? kFingerTarget : kSmallestTarget,
        .width = Document()["documentElement"]["clientWidth"].as<double>() -
                 ComputedStyle(Document()["body"]).Pixels("padding-left", "padding-right") -
                 ComputedStyle(window_).Pixels("border-left-width", "border-right-width"),
        .plotInProportion = true,
        .columnMargin = kColumnMargin,
    };
    CanvasTextMeasurer measurer(client_);
    client_["style"].set("fontSize", shown);
    fitted_ = LayOutWindow(MainWindowDesign(), measurer, room);
    showFit_.Request();
}

// Only writes: the browser lays the window out once, as it next paints.
void Form_Sorvane::ShowFit()
{
    if (!settled_) settle_.Request();
    if (!fitted_) return;
    const PlacedWindow& layout = *fitted_;
    client_["style"].set("fontSize", CssPixels(CanvasTextMeasurer::CssSize(layout.fit.font)));
    // The stylesheet places the frames' controls in twips times these two lengths.
    client_["style"].call<void>("setProperty", val("--twip-x"), val(CssPixels(layout.across)));
    client_["style"].call<void>("setProperty", val("--twip-y"), val(CssPixels(layout.down)));
    client_["style"].set("width", CssPixels(layout.client.width));
    client_["style"].set("height", CssPixels(layout.client.height));
    for (const PlacedControl& part : layout.controls) {
        if (!part.control->parent.empty()) continue;
        Place(ById(part.control->name), part.rect);
        if (part.control->role == ControlRole::Plot) picture_->Resized(part.rect.width, part.rect.height);
    }
    window_["dataset"].set("arrangement", val(layout.arrangement == Arrangement::Column ? "column" : "designed"));
    fitted_.reset();
}

// The plot reads its box's size as it draws: a click before the first fit
// draws into the box as the stylesheet has it, in the same proportion.
void Form_Sorvane::CalculateAndShow()
{
    picture_->Resized();
    sorvane::CalculateAndShow(*this, file_, SharedSectionState());
}

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

void Form_Sorvane::ShowMessage(const std::string& message) { Messages().Show(message); }

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

void Form_Sorvane::DescribePlot(const std::string& description)
{
    picture_->Describe(description);
    // A phone's column may leave the new section below the screen's edge: brought into view, the focus left be.
    if (!window_["dataset"]["arrangement"].strictlyEquals(val("column"))) return;
    val where = val::object();
    where.set("block", val("nearest"));
    ById(ControlFor(MainWindowDesign(), ControlRole::Plot).name).call<void>("scrollIntoView", where);
}

}  // namespace sorvane::web
