#include "core/section_state.h"

namespace sorvane {

SectionState& SharedSectionState()
{
    static SectionState state;
    return state;
}

}  // namespace sorvane
