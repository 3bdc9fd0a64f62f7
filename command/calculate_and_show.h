#pragma once

#include <filesystem>

#include "command/section_form.h"
#include "core/section_state.h"
#include "output/replace_file.h"

namespace sorvane {

// The command behind "Calculate and Show": computes the section from the
// form's inputs into the state, shows the ratios or the one message, then
// rewrites the coordinate file and plots the section. Fuzzing and benchmarks
// leave the file to the system's cache, to measure the logic and not the disk.
void CalculateAndShow(SectionForm& form, SectionState& state,
                      const std::filesystem::path& coordFile, SyncToDisk sync = SyncToDisk::Yes);

// The same on the program's shared state and "airfoil.txt" in the working folder.
void CalculateAndShow(SectionForm& form);

}  // namespace sorvane
