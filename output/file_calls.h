#pragma once

// What a careful save asks of the operating system. replace_file_posix.cpp and
// replace_file_windows.cpp each answer it for their system; replace_file.cpp
// puts the steps together.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "output/replace_file.h"

namespace sorvane::file_calls {

// A failure's reason, in the system's words; nothing when the call succeeded.
using Reason = std::optional<std::string>;

enum class FileKind { Missing, Regular, Folder, NamedPipe, CharacterDevice, BlockDevice, Socket, Other };

// What stands at a path before the save, and what the new file takes over from it.
struct ExistingFile {
    FileKind kind = FileKind::Missing;
    // This user may not write it, or it has no write permission at all.
    bool readOnly = false;
    // POSIX only: the owner, group and permission bits the new file keeps.
    unsigned owner = 0, group = 0, mode = 0;
};

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;

// Looks without opening: opening a named pipe could wait for a reader forever.
[[nodiscard]] ExistingFile LookAt(const std::filesystem::path& file);

// Creates a file that did not exist, for writing; nameTaken tells that another
// file already holds the name.
[[nodiscard]] Reason CreateNewFile(const std::filesystem::path& file, FileHandle& handle, bool& nameTaken);

// Gives the new file the old one's owner, group and permissions, where the system keeps them on the file.
void KeepOwnerAndMode(FileHandle handle, const ExistingFile& existing);

[[nodiscard]] Reason WriteAll(FileHandle handle, std::string_view bytes);
[[nodiscard]] Reason SyncToStorage(FileHandle handle);
[[nodiscard]] Reason CloseFile(FileHandle handle);

// Puts the written file in the target's place in one step. Where the target
// exists, it is whole afterwards either way: the old bytes or the new.
[[nodiscard]] Reason MoveIntoPlace(const std::filesystem::path& written, const std::filesystem::path& target,
                                   const ExistingFile& existing, SyncToDisk sync);

void RemoveQuietly(const std::filesystem::path& file);

// Makes a rename in the folder survive a power cut, where the system needs that.
void SyncFolder(const std::filesystem::path& folder);

[[nodiscard]] int ProcessId();

}  // namespace sorvane::file_calls
