#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace sorvane {

enum class SyncToDisk { Yes, No };

// The name of the temporary file that the given attempt writes beside a file.
[[nodiscard]] std::filesystem::path TemporaryName(const std::filesystem::path& file, int attempt);

// Replaces the file's contents the way careful editors save: the bytes go to a
// new temporary file beside the real file, which is synced to disk and renamed
// over it, and then the folder is synced. A symbolic link (or a chain of them)
// is followed and stays as it is; an existing file keeps its permission bits,
// and its owner and group where the process may set them. On failure the
// previous file is left byte for byte, no temporary file stays behind, and the
// result is the message to show, naming the file by its absolute path.
[[nodiscard]] std::optional<std::string> ReplaceFileContents(
    const std::filesystem::path& file, std::string_view contents, SyncToDisk sync = SyncToDisk::Yes);

}  // namespace sorvane
