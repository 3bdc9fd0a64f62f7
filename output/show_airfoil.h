#pragma once

#include "core/section_state.h"
#include "output/drawing_box.h"

namespace sorvane {

inline constexpr Rgb kReferenceGrey{100, 100, 100};
inline constexpr Rgb kOutlineRed{250, 0, 0};

// Draws points 1 to NumPoints of the section, centred and scaled so that its
// limiting span fills 95 % of the box, over its chord line and a vertical
// through its leading edge.
void ShowAirfoil(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                 DrawingBox& box);

}  // namespace sorvane
