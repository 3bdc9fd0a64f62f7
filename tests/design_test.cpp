#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>

#include "design/layout_fit.h"
#include "design/window_design.h"
#include "design/window_layout.h"

namespace sorvane {
namespace {

bool Overlap(const TwipsRect& a, const TwipsRect& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height
           && b.top < a.top + a.height;
}

TEST(WindowDesign, TabOrderHoldsEveryFocusableControlOnceInTheDesignsOrder)
{
    std::vector<std::string> walked;
    for (const ControlSpec* control : TabOrder(MainWindowDesign())) walked.emplace_back(control->name);
    EXPECT_EQ(walked, (std::vector<std::string>{"Command1", "Picture_Airfoil", "Text_CCR", "Text_TCR",
                                                "Text_FCR", "Text_Code", "Text_N1"}));
    EXPECT_EQ(walked.front(), MainWindowDesign().startingFocus);
}

TEST(WindowDesign, EachFieldOnceEachCaptionOverlapsOnlyItsOwnFieldAndAllLieInsideTheWindow)
{
    const WindowDesign& design = MainWindowDesign();
    std::set<TextField> fields;
    for (const ControlSpec& control : design.controls) {
        const TwipsRect at = ClientTwips(design, control);
        EXPECT_GE(at.left, 0) << control.name;
        EXPECT_LE(at.left + at.width, design.client.width) << control.name;
        EXPECT_LE(at.top + at.height, design.client.height) << control.name;
        if (control.kind == ControlKind::Edit) {
            ASSERT_TRUE(control.field) << control.name;
            EXPECT_TRUE(fields.insert(*control.field).second) << control.name;
            EXPECT_FALSE(control.accessibleName.empty()) << control.name;
        }
        if (control.kind != ControlKind::Label) continue;
        const ControlSpec* own = &NamedControl(design, control.labels);
        EXPECT_EQ(own->kind, ControlKind::Edit) << control.name;
        for (const ControlSpec& other : design.controls) {
            if (&other == &control || &other == own || other.kind == ControlKind::Frame) continue;
            EXPECT_FALSE(Overlap(at, ClientTwips(design, other))) << control.name << " and " << other.name;
        }
    }
    EXPECT_EQ(fields.size(), 5u);
    // A design without them is refused, not read past its end.
    WindowDesign empty = design;
    empty.controls = {};
    EXPECT_THROW(ControlFor(empty, ControlRole::Plot), std::logic_error);
    EXPECT_THROW(FieldControl(empty, TextField::Text_N1), std::logic_error);
}

TEST(Twips, EdgesAreRoundedSoNeighboursKeepTouchingAtAnyDensity)
{
    struct Case {
        double dpi, factor;
        PixelRect client;
    };
    for (const Case c : {Case{96, 1, {0, 0, 462, 322}}, Case{144, 1, {0, 0, 693, 483}},
                         Case{120, 1, {0, 0, 578, 403}}, Case{96, 1.37, {0, 0, 633, 441}}}) {
        const double scale = PixelsPerTwip(c.dpi, c.factor);
        EXPECT_EQ(ToPixels(MainWindowDesign().client, scale), c.client) << c.dpi << " " << c.factor;
        // Two boxes that touch in twips touch in pixels.
        const PixelRect left = ToPixels({360, 240, 2175, 1095}, scale);
        const PixelRect right = ToPixels({2535, 240, 1185, 1095}, scale);
        EXPECT_EQ(left.left + left.width, right.left) << c.dpi << " " << c.factor;
    }
}

TEST(WindowDesign, AboutKeepsTheSystemTextColourOnlyWhereItCanBeReadOnItsYellow)
{
    const Rgb yellow = AboutWindowDesign().background;
    const struct {
        Rgb system, shown;
    } cases[] = {{{0, 0, 0}, {0, 0, 0}},            // a light theme's black
                 {{51, 51, 51}, {51, 51, 51}},      // dark grey reads well
                 {{238, 238, 236}, {0, 0, 0}},      // a dark theme's light text does not
                 {{255, 255, 0}, {0, 0, 0}}};       // nor a high-contrast theme's yellow
    for (const auto& c : cases) EXPECT_EQ(ReadableTextOn(yellow, c.system), c.shown) << c.system.red;
}

// Every character as wide as half its size, at 96 dots per inch: a font whose
// sums can be done by hand.
class FixedPitch : public TextMeasurer {
public:
    explicit FixedPitch(FontChoice desktop) : desktop_(desktop), font_(desktop) {}

    FontChoice DesktopFont() const override { return desktop_; }
    void Use(const FontChoice& font) override { font_ = font; }
    double LineHeight() const override { return 1.2 * Size(); }
    double Ascent() const override { return 0.9 * Size(); }
    double Advance(std::string_view text) const override { return text.size() * Size() / 2 * font_.stretch / 100; }
    double Overhang(std::string_view) const override { return 0; }
    InkBox Ink(std::string_view text) const override { return {0, -0.7 * Size(), Advance(text), 0.2 * Size()}; }

private:
    double Size() const { return font_.points * 96 / 72; }

    FontChoice desktop_;
    FontChoice font_;
};

TEST(LayoutFit, NarrowsThenGrowsThenShrinksOnlyForTheScreen)
{
    // "Number of points =" has 96 px before its field, in a 17 px high box.
    const std::vector<TextRoom> texts = {{"Number of points =", 96, 17}};
    struct Case {
        const char* what;
        FontChoice desktop;
        double largest;
        double factor;  // 0: checked below instead
        FontChoice chosen;
    };
    const Case cases[] = {
        {"fits as it is", {6, 100}, 10, 1, {6, 100}},
        {"fits narrowed", {9, 100}, 10, 1, {9, 87}},
        {"a narrow font is never widened", {6, 75}, 10, 1, {6, 75}},
        {"grows across at the narrowest", {12, 100}, 10, (144 * 0.85 + 1 + 1) / 96, {12, 85}},
        {"the screen's limit shrinks the text", {12, 100}, 1.1, 0, {0, 0}},
        {"nothing fits: the window keeps to the screen", {12, 100}, 0.5, 0.5, {7.5, 100}},
    };
    for (const Case& c : cases) {
        FixedPitch measurer(c.desktop);
        const LayoutFit fit = FitLayout(measurer, texts, c.largest);
        EXPECT_LE(fit.factor, c.largest) << c.what;
        if (c.factor > 0) {
            EXPECT_NEAR(fit.factor, c.factor, 1e-9) << c.what;
        }
        if (c.chosen.points > 0) {
            EXPECT_EQ(fit.font, c.chosen) << c.what;
        }
    }

    // A field's numbers in 16 pt: the line centred in the box less its 4 px frame
    // needs 2 (ascent + descent) - line + 1 px, and a pixel for rounding.
    FixedPitch tall({16, 100});
    const double size = 16 * 96 / 72.0;
    const LayoutFit down = FitLayout(tall, {{"0123456789-.,", 0, 19, 0, 4}}, 10);
    EXPECT_NEAR(down.factor, (2 * (0.9 + 0.2) * size - 1.2 * size + 1 + 4 + 1) / 19, 1e-9);
    EXPECT_EQ(down.font, (FontChoice{16, 100}));

    // Shrunk by whole quarter points, to the largest size whose factor fits the screen.
    FixedPitch small({12, 100});
    const LayoutFit fit = FitLayout(small, texts, 1.1);
    EXPECT_LT(fit.font.points, 12);
    EXPECT_GE(fit.font.points, 7.5);
    EXPECT_DOUBLE_EQ(fit.font.points * 4, std::round(fit.font.points * 4));
    FixedPitch larger({fit.font.points + 0.25, 100});
    EXPECT_GT(FitLayout(larger, texts, 100).factor, 1.1);
}

// The one layout: the arrangement the room and the target call for, every
// control inside the window and each frame's controls inside their frame,
// targets a finger can hit, the plot in the design's proportion.
TEST(WindowLayout, ArrangesByRoomAndTargetAndKeepsEveryControlInsideItsParent)
{
    const WindowDesign& design = MainWindowDesign();
    const struct {
        const char* what;
        double points;
        WindowRoom room;
        Arrangement arrangement;
        bool fits = true;  // inside the room's width
    } cases[] = {
        {"a large desktop text: the design grown by one factor", 12, {}, Arrangement::Designed},
        {"a narrow screen holds back the growth", 12, {.screen = {400, 2000}, .frame = {16, 56}}, Arrangement::Designed},
        {"a low screen holds back the growth", 12, {.screen = {2000, 360}, .frame = {16, 56}}, Arrangement::Designed},
        {"a tablet under a finger: taller rows", 9, {.target = 44, .width = 750}, Arrangement::TallerRows},
        {"a phone held upright", 12, {.target = 44, .width = 342}, Arrangement::Column},
        {"a phone on its side", 16, {.target = 44, .width = 722}, Arrangement::Column},
        {"large text on a phone: wider, never smaller", 30, {.target = 44, .width = 342}, Arrangement::Column, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FixedPitch measurer({c.points, 100});
        const PlacedWindow placed = LayOutWindow(design, measurer, c.room);
        EXPECT_EQ(placed.arrangement, c.arrangement);
        EXPECT_EQ(placed.client.width <= c.room.width + 0.5, c.fits);
        if (c.room.screen.width > 0) {
            EXPECT_LE(placed.client.width + c.room.frame.width, c.room.screen.width);
            EXPECT_LE(placed.client.height + c.room.frame.height, c.room.screen.height);
        }
        if (c.arrangement == Arrangement::Designed) EXPECT_EQ(placed.across, placed.down);
        ASSERT_EQ(placed.controls.size(), design.controls.size());
        for (const auto& [control, at] : placed.controls) {
            const PixelRect parent = control->parent.empty() ? PixelRect{0, 0, placed.client.width, placed.client.height}
                                                             : placed.At(control->parent).rect;
            EXPECT_TRUE(at.left >= parent.left && at.top >= parent.top && at.left + at.width <= parent.left + parent.width
                        && at.top + at.height <= parent.top + parent.height) << control->name;
            if (control->kind == ControlKind::Edit || control->kind == ControlKind::Button || control->role == ControlRole::Plot)
                EXPECT_GE(std::min(at.width, at.height), c.room.target - 1) << control->name;
        }
        const ControlSpec& designed = ControlFor(design, ControlRole::Plot);
        const PixelRect plot = placed.At(designed.name).rect;
        EXPECT_NEAR(double(plot.height) / plot.width, double(designed.twips.height) / designed.twips.width,
                    1.0 / plot.width);
        if (c.arrangement != Arrangement::Column) continue;
        // One under another in the order a person uses them, the plot across the width.
        int below = 0;
        for (const std::string_view name : design.columnOrder) {
            EXPECT_GT(placed.At(name).rect.top, below) << name;
            below = placed.At(name).rect.top + placed.At(name).rect.height;
        }
        EXPECT_EQ(2 * plot.left + plot.width, placed.client.width);
    }
}

}  // namespace
}  // namespace sorvane
