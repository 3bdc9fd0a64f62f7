#pragma once

#include <optional>

#include "core/section_state.h"
#include "output/drawing_box.h"

namespace sorvane {

inline constexpr Rgb kReferenceGrey{100, 100, 100};
inline constexpr Rgb kOutlineRed{250, 0, 0};

// A contrast theme's own colours, which the person chose because they cannot
// read the usual ones: behind text and its text (About's labels), and for the
// plot behind it, its chord and leading-edge lines, its outline.
struct ContrastColours {
    Rgb background;
    Rgb text;
    Rgb reference;
    Rgb outline;
};

// What a colour of the plot's design is drawn in: itself, or under a contrast
// theme the theme's colour for what it is for.
Rgb PlotColour(Rgb designed, Rgb designedBackground, const std::optional<ContrastColours>& theme);

// Draws points 1 to NumPoints of the section, centred and scaled so that its
// limiting span fills 95 % of the box, over its chord line and a vertical
// through its leading edge.
void ShowAirfoil(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                 DrawingBox& box);

}  // namespace sorvane
