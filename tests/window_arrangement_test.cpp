#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "design/window_arrangement.h"

namespace sorvane {
namespace {

// Where a control lies on screen: a window part as placed, a frame's control at its design place in the frame.
PixelRect OnScreen(const WindowLayout& layout, const ControlSpec& control)
{
    const auto placed = [&](std::string_view name) {
        for (const PlacedControl& part : layout.parts)
            if (part.name == name) return part.rect;
        ADD_FAILURE() << name << " is not placed";
        return PixelRect{};
    };
    if (control.parent.empty()) return placed(control.name);
    const PixelRect frame = placed(control.parent);
    const auto at = [](int twips, double factor) { return static_cast<int>(std::lround(twips * factor)); };
    return {frame.left + at(control.twips.left, layout.across), frame.top + at(control.twips.top, layout.down),
            at(control.twips.width, layout.across), at(control.twips.height, layout.down)};
}

TEST(WindowArrangement, ChoosesByTheRoomKeepsEveryControlATargetInsideItAndOrdersTheColumn)
{
    const WindowDesign& design = MainWindowDesign();
    constexpr double kPhoneText = 1.6 / 15;  // what the fit gives the browser's default 16 px text, near enough
    const struct {
        const char* what;
        double text, target, room;
        Arrangement arrangement;
        bool fits = true;  // inside the room
    } cases[] = {
        {"a desktop: the design grown by one factor", 1.3 / 15, 24, std::numeric_limits<double>::infinity(),
         Arrangement::Designed},
        {"a tablet under a finger: rows grow, widths follow the text", kPhoneText, 44, 750, Arrangement::TallerRows},
        {"a phone held upright", kPhoneText, 44, 342, Arrangement::Column},
        {"a phone on its side", kPhoneText, 44, 722, Arrangement::Column},
        {"large text on a phone: wider than the room, never smaller", 3.0 / 15, 44, 342, Arrangement::Column, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const WindowLayout layout = ArrangeWindow(design, c.text, c.target, c.room);
        EXPECT_EQ(layout.arrangement, c.arrangement);
        EXPECT_EQ(layout.client.width <= c.room + 0.5, c.fits);
        if (c.arrangement == Arrangement::Designed) {
            EXPECT_EQ(layout.across, layout.down);
            const ControlSpec& frame = *FindControl(design, "Frame1");
            EXPECT_EQ(OnScreen(layout, frame), ToPixels(frame.twips, layout.across));
        }
        for (const ControlSpec& control : design.controls) {
            const PixelRect at = OnScreen(layout, control);
            EXPECT_LE(at.left + at.width, layout.client.width) << control.name;
            EXPECT_LE(at.top + at.height, layout.client.height) << control.name;
        }
        for (const ControlSpec* control : TabOrder(design)) {
            const PixelRect at = OnScreen(layout, *control);
            EXPECT_GE(std::min(at.width, at.height), c.target - 1) << control->name;
        }
        // The plot keeps the design's proportion, so its section is scaled alike both ways.
        const PixelRect plot = OnScreen(layout, ControlFor(design, ControlRole::Plot));
        EXPECT_NEAR(double(plot.height) / plot.width, 2535.0 / 6135, 1.0 / plot.width);
        if (c.arrangement != Arrangement::Column) continue;
        // One under another in the order a person uses them, the plot across the width.
        int below = 0;
        for (const char* name : {"Frame2", "Command1", "Frame1", "Picture_Airfoil"}) {
            const PixelRect at = OnScreen(layout, *FindControl(design, name));
            EXPECT_GT(at.top, below) << name;
            below = at.top + at.height;
        }
        EXPECT_EQ(plot.left + plot.width + plot.left, layout.client.width);
    }
}

}  // namespace
}  // namespace sorvane
