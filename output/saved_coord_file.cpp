#include "output/saved_coord_file.h"

namespace sorvane {

SavedCoordFile::SavedCoordFile(std::filesystem::path file, SyncToDisk sync) : file_(std::move(file)), sync_(sync) {}

std::optional<std::string> SavedCoordFile::Save(const std::string& text)
{
    return ReplaceFileContents(file_, text, sync_);
}

// Here, beside the careful save, so that what links only the other WriteCoords
// (the page) needs no file system.
std::optional<std::string> WriteCoords(const CoordArray& X, const CoordArray& Y, const SectionState& state,
                                       const std::filesystem::path& file, SyncToDisk sync)
{
    SavedCoordFile saved(file, sync);
    return WriteCoords(X, Y, state, saved);
}

}  // namespace sorvane
