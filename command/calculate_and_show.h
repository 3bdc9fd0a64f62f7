#pragma once

#include <filesystem>

#include "command/section_form.h"
#include "core/section_state.h"
#include "output/replace_file.h"
#include "output/write_coords.h"

namespace sorvane {

// The command behind "Calculate and Show": computes the section from the
// form's inputs into the state, shows the ratios or the one message, then
// hands the coordinate file to where the front end keeps it and plots the
// section.
void CalculateAndShow(SectionForm& form, CoordFile& file, SectionState& state);

// The desktop's: the file saved at a path. Fuzzing and benchmarks leave it to
// the system's cache, to measure the logic and not the disk.
void CalculateAndShow(SectionForm& form, SectionState& state,
                      const std::filesystem::path& coordFile, SyncToDisk sync = SyncToDisk::Yes);

// The same on the program's shared state and "airfoil.txt" in the working folder.
void CalculateAndShow(SectionForm& form);

}  // namespace sorvane
