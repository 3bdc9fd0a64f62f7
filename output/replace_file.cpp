#include "output/replace_file.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// As the kernel counts: a longer chain of links is taken for a loop.
constexpr int kMostLinkHops = 40;
constexpr int kMostTemporaryAttempts = 100;

std::string Utf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Reason(std::errc error) { return std::make_error_code(error).message(); }

// Where a chain of symbolic links ends; the file itself when it is no link.
std::optional<fs::path> FollowLinks(const fs::path& file, std::string& reason)
{
    fs::path at = file;
    for (int hops = 0;; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(at, error))) return at;
        if (hops == kMostLinkHops) {
            reason = Reason(std::errc::too_many_symbolic_link_levels);
            return std::nullopt;
        }
        const fs::path next = fs::read_symlink(at, error);
        if (error) {
            reason = error.message();
            return std::nullopt;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
}

#ifdef _WIN32

using Handle = HANDLE;

std::string SystemReason(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring wide = length > 0 ? std::wstring(text, length) : std::wstring();
    if (text != nullptr) LocalFree(text);
    while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L' '
                             || wide.back() == L'.'))
        wide.pop_back();
    if (wide.empty()) return "system error " + std::to_string(error);
    return Utf8(fs::path(wide));
}

std::string LastReason() { return SystemReason(GetLastError()); }

struct Previous {
    bool exists = false;
    bool readOnly = false;
};

Previous Inspect(const fs::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    return {true, (attributes & FILE_ATTRIBUTE_READONLY) != 0};
}

// Windows refuses to replace a read-only file; say so before writing anything,
// the same on every version of it.
bool MayReplace(const Previous& previous, std::string& reason)
{
    if (!previous.readOnly) return true;
    reason = SystemReason(ERROR_ACCESS_DENIED);
    return false;
}

// Fails with taken set when a file of that name is already there.
bool CreateNew(const fs::path& path, Handle& handle, bool& taken, std::string& reason)
{
    handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return true;
    const DWORD error = GetLastError();
    taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    reason = SystemReason(error);
    return false;
}

// Windows keeps access rights in the folder's inherited ACLs, not in mode bits.
void KeepPermissions(Handle, const Previous&) {}

bool WriteAll(Handle handle, std::string_view bytes, std::string& reason)
{
    while (!bytes.empty()) {
        constexpr std::size_t kChunk = 1 << 20;
        const DWORD wanted = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), wanted, &written, nullptr) || written == 0) {
            reason = LastReason();
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool SyncFile(Handle handle, std::string& reason)
{
    if (FlushFileBuffers(handle)) return true;
    reason = LastReason();
    return false;
}

bool CloseFile(Handle handle, std::string& reason)
{
    if (CloseHandle(handle)) return true;
    reason = LastReason();
    return false;
}

bool RenameOver(const fs::path& from, const fs::path& to, SyncToDisk sync, std::string& reason)
{
    DWORD flags = MOVEFILE_REPLACE_EXISTING;
    if (sync == SyncToDisk::Yes) flags |= MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(from.c_str(), to.c_str(), flags)) return true;
    reason = LastReason();
    return false;
}

void RemoveFile(const fs::path& path) { DeleteFileW(path.c_str()); }

// MOVEFILE_WRITE_THROUGH has already made the rename durable.
void SyncFolder(const fs::path&) {}

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

#else

using Handle = int;

std::string SystemReason(int error) { return std::generic_category().message(error); }

struct Previous {
    bool exists = false;
    struct stat status {};
};

Previous Inspect(const fs::path& file)
{
    Previous previous;
    previous.exists = ::stat(file.c_str(), &previous.status) == 0 && S_ISREG(previous.status.st_mode);
    return previous;
}

// A file without write permission is still the user's to replace, as editors
// and mv do: the folder decides.
bool MayReplace(const Previous&, std::string&) { return true; }

bool CreateNew(const fs::path& path, Handle& handle, bool& taken, std::string& reason)
{
    // 0666 less the umask, as any new file gets.
    handle = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle >= 0) return true;
    taken = errno == EEXIST;
    reason = SystemReason(errno);
    return false;
}

// Owner and group first: changing them may clear the set-id bits that the mode then restores.
void KeepPermissions(Handle handle, const Previous& previous)
{
    if (!previous.exists) return;
    if (::fchown(handle, previous.status.st_uid, previous.status.st_gid) != 0) {
        // Not allowed to give the file away: it stays the user's own, which is all we can do.
    }
    if (::fchmod(handle, previous.status.st_mode & 07777) != 0) {
        // A file system without modes keeps its own; the contents still matter more.
    }
}

bool WriteAll(Handle handle, std::string_view bytes, std::string& reason)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            reason = SystemReason(written < 0 ? errno : ENOSPC);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool SyncFile(Handle handle, std::string& reason)
{
    if (::fsync(handle) == 0) return true;
    reason = SystemReason(errno);
    return false;
}

bool CloseFile(Handle handle, std::string& reason)
{
    if (::close(handle) == 0) return true;
    reason = SystemReason(errno);
    return false;
}

bool RenameOver(const fs::path& from, const fs::path& to, SyncToDisk, std::string& reason)
{
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = SystemReason(errno);
    return false;
}

void RemoveFile(const fs::path& path) { ::unlink(path.c_str()); }

// Makes the rename itself survive a power cut. Some file systems cannot sync a
// folder; the new file is in place all the same, so that is no failure.
void SyncFolder(const fs::path& folder)
{
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0) return;
    if (::fsync(handle) != 0) {
        // See above.
    }
    ::close(handle);
}

int ProcessId() { return static_cast<int>(::getpid()); }

#endif

std::string Failure(const fs::path& shown, const fs::path& real, const std::string& reason,
                    bool previousKept)
{
    std::string message = "Could not write " + Utf8(shown);
    if (real != shown) message += " (a link to " + Utf8(real.lexically_normal()) + ")";
    message += ": " + reason + ".";
    if (previousKept) message += " The previous file is unchanged.";
    return message;
}

}  // namespace

fs::path TemporaryName(const fs::path& file, int attempt)
{
    fs::path name = file;
    name += ".tmp-" + std::to_string(ProcessId()) + "-" + std::to_string(attempt);
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
    const std::optional<fs::path> followed = FollowLinks(shown, reason);
    if (!followed) return Failure(shown, shown, reason, Inspect(shown).exists);
    const fs::path& real = *followed;
    const Previous previous = Inspect(real);
    const auto fail = [&](const std::string& why) {
        return Failure(shown, real, why, previous.exists);
    };

    if (!MayReplace(previous, reason)) return fail(reason);

    Handle handle{};
    fs::path temporary;
    bool created = false;
    for (int attempt = 0; attempt < kMostTemporaryAttempts && !created; ++attempt) {
        temporary = TemporaryName(real, attempt);
        bool taken = false;
        created = CreateNew(temporary, handle, taken, reason);
        if (!created && !taken) return fail(reason);
    }
    if (!created) return fail(reason);

    KeepPermissions(handle, previous);
    bool saved = WriteAll(handle, contents, reason);
    if (saved && sync == SyncToDisk::Yes) saved = SyncFile(handle, reason);
    std::string closeReason;
    const bool closed = CloseFile(handle, closeReason);
    if (saved && !closed) {
        saved = false;
        reason = closeReason;
    }
    if (saved) saved = RenameOver(temporary, real, sync, reason);
    if (!saved) {
        RemoveFile(temporary);
        return fail(reason);
    }

    if (sync == SyncToDisk::Yes) {
        const fs::path folder = real.parent_path();
        SyncFolder(folder.empty() ? fs::path(".") : folder);
    }
    return std::nullopt;
}

}  // namespace sorvane
