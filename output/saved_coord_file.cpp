#include "output/saved_coord_file.h"

namespace sorvane {

SavedCoordFile::SavedCoordFile(std::filesystem::path file, SyncToDisk sync) : file_(std::move(file)), sync_(sync) {}

std::optional<std::string> SavedCoordFile::Save(const std::string& text)
{
    return ReplaceFileContents(file_, text, sync_);
}

}  // namespace sorvane
