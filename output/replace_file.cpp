#include "output/replace_file.h"

#include <system_error>

#include "core/wide_text.h"
#include "output/file_calls.h"
#include "output/save_failure.h"

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using file_calls::ExistingFile;
using file_calls::FileKind;

// As the kernel counts: a longer chain of links is taken for a loop.
constexpr int kMostLinkHops = 40;
constexpr int kMostTemporaryAttempts = 100;

std::string Reason(std::errc error) { return std::make_error_code(error).message(); }

// Where a chain of symbolic links ends; the file itself when it is no link.
fs::path FollowLinks(const fs::path& file, std::string& reason)
{
    fs::path at = file;
    for (int hops = 0;; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(at, error))) return at;
        if (hops == kMostLinkHops) {
            reason = Reason(std::errc::too_many_symbolic_link_levels);
            return {};
        }
        const fs::path next = fs::read_symlink(at, error);
        if (error) {
            reason = error.message();
            return {};
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
}

// Why a file of this kind is not replaced by a plain one.
std::string NotAPlainFile(FileKind kind)
{
    switch (kind) {
    case FileKind::NamedPipe: return "it is a named pipe, not a plain file";
    case FileKind::CharacterDevice: return "it is a character device, not a plain file";
    case FileKind::BlockDevice: return "it is a block device, not a plain file";
    case FileKind::Socket: return "it is a socket, not a plain file";
    default: return "it is not a plain file";
    }
}

// Why the target cannot take the new file, before anything is written; nothing when it can.
file_calls::Reason Refusal(const ExistingFile& existing)
{
    switch (existing.kind) {
    case FileKind::Missing: return std::nullopt;
    case FileKind::Regular:
        if (existing.readOnly) return std::string("the file is read-only");
        return std::nullopt;
    case FileKind::Folder: return Reason(std::errc::is_a_directory);
    default: return NotAPlainFile(existing.kind);
    }
}

std::string Failure(const fs::path& shown, const fs::path& real, const std::string& reason,
                    const ExistingFile& existing)
{
    std::string what = Utf8(shown);
    if (real != shown) what += " (a link to " + Utf8(real.lexically_normal()) + ")";
    LeftBehind left = LeftBehind::AsItWas;
    if (existing.kind == FileKind::Regular) left = LeftBehind::PreviousFile;
    else if (existing.kind == FileKind::Missing || existing.kind == FileKind::Folder) left = LeftBehind::Unsaid;
    return SaveFailure(what, reason, left);
}

// Writes the bytes into a new file beside the target and moves it into place;
// whatever fails, the new file does not stay behind.
file_calls::Reason SaveBeside(const fs::path& real, const ExistingFile& existing,
                              std::string_view contents, SyncToDisk sync)
{
    file_calls::FileHandle handle{};
    fs::path temporary;
    file_calls::Reason failed;
    for (int attempt = 0; attempt < kMostTemporaryAttempts; ++attempt) {
        temporary = TemporaryName(real, attempt);
        bool nameTaken = false;
        failed = file_calls::CreateNewFile(temporary, handle, nameTaken);
        if (!failed || !nameTaken) break;
    }
    if (failed) return failed;

    file_calls::KeepOwnerAndMode(handle, existing);
    failed = file_calls::WriteAll(handle, contents);
    if (!failed && sync == SyncToDisk::Yes) failed = file_calls::SyncToStorage(handle);
    const file_calls::Reason closeFailed = file_calls::CloseFile(handle);
    if (!failed) failed = closeFailed;
    if (!failed) failed = file_calls::MoveIntoPlace(temporary, real, existing, sync);
    if (failed) file_calls::RemoveQuietly(temporary);
    return failed;
}

}  // namespace

fs::path TemporaryName(const fs::path& file, int attempt)
{
    fs::path name = file;
    name += ".tmp-" + std::to_string(file_calls::ProcessId()) + "-" + std::to_string(attempt);
    return name;
}

std::optional<std::string> ReplaceFileContents(const fs::path& file, std::string_view contents,
                                               SyncToDisk sync)
{
    // A working folder that was removed has no absolute name: show the name as given.
    std::error_code noFolder;
    fs::path shown = fs::absolute(file, noFolder);
    if (noFolder) shown = file;

    std::string reason;
    const fs::path real = FollowLinks(shown, reason);
    if (real.empty()) return Failure(shown, shown, reason, file_calls::LookAt(shown));

    // Looked at anew for every save: a file made read-only or swapped for a
    // pipe since the last one is refused all the same.
    const ExistingFile existing = file_calls::LookAt(real);
    file_calls::Reason failed = Refusal(existing);
    if (!failed) failed = SaveBeside(real, existing, contents, sync);
    if (failed) return Failure(shown, real, *failed, existing);

    if (sync == SyncToDisk::Yes) {
        const fs::path folder = real.parent_path();
        file_calls::SyncFolder(folder.empty() ? fs::path(".") : folder);
    }
    return std::nullopt;
}

}  // namespace sorvane
