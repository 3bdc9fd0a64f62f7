#pragma once

#include <filesystem>

#include "output/replace_file.h"
#include "output/write_coords.h"

namespace sorvane {

// The desktop's coordinate file: saved at its path as careful editors save
// (see ReplaceFileContents), "airfoil.txt" in the working folder unless told
// otherwise. Fuzzing and benchmarks leave it to the system's cache.
class SavedCoordFile final : public CoordFile {
public:
    explicit SavedCoordFile(std::filesystem::path file = kCoordFileName, SyncToDisk sync = SyncToDisk::Yes);

    [[nodiscard]] std::optional<std::string> Save(const std::string& text) override;

private:
    std::filesystem::path file_;
    SyncToDisk sync_;
};

}  // namespace sorvane
