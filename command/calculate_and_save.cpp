// The desktop's Calculate command, saving into a folder; apart from the
// command itself, so that the page, which keeps no files, links no file system.
#include "command/calculate_and_show.h"
#include "output/saved_coord_file.h"

namespace sorvane {

void CalculateAndShow(SectionForm& form, SectionState& state, const std::filesystem::path& coordFile,
                      SyncToDisk sync)
{
    SavedCoordFile file(coordFile, sync);
    CalculateAndShow(form, file, state);
}

void CalculateAndShow(SectionForm& form) { CalculateAndShow(form, SharedSectionState(), kCoordFileName); }

}  // namespace sorvane
