// The save's system calls on Linux and other POSIX systems.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "output/file_calls.h"

namespace sorvane::file_calls {
namespace {

std::string SystemReason(int error) { return std::generic_category().message(error); }

FileKind KindOf(mode_t mode)
{
    if (S_ISREG(mode)) return FileKind::Regular;
    if (S_ISDIR(mode)) return FileKind::Folder;
    if (S_ISFIFO(mode)) return FileKind::NamedPipe;
    if (S_ISCHR(mode)) return FileKind::CharacterDevice;
    if (S_ISBLK(mode)) return FileKind::BlockDevice;
    if (S_ISSOCK(mode)) return FileKind::Socket;
    return FileKind::Other;
}

}  // namespace

ExistingFile LookAt(const std::filesystem::path& file)
{
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) return {};
    ExistingFile existing;
    existing.kind = KindOf(status.st_mode);
    // Without any write bit the owner meant to keep it, even from root, who may
    // write anything; otherwise the system says whether this user may.
    existing.readOnly = (status.st_mode & 0222) == 0
                        || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0;
    existing.owner = status.st_uid;
    existing.group = status.st_gid;
    existing.mode = status.st_mode & 07777;
    return existing;
}

Reason CreateNewFile(const std::filesystem::path& file, FileHandle& handle, bool& nameTaken)
{
    // 0666 less the umask, as any new file gets.
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    nameTaken = descriptor < 0 && errno == EEXIST;
    if (descriptor < 0) return SystemReason(errno);
    handle = descriptor;
    return std::nullopt;
}

// Owner and group first: changing them may clear the set-id bits that the mode then restores.
void KeepOwnerAndMode(FileHandle handle, const ExistingFile& existing)
{
    if (existing.kind != FileKind::Regular) return;
    const int descriptor = static_cast<int>(handle);
    if (::fchown(descriptor, existing.owner, existing.group) != 0) {
        // Not allowed to give the file away: it stays the user's own, which is all we can do.
    }
    if (::fchmod(descriptor, existing.mode) != 0) {
        // A file system without modes keeps its own; the contents still matter more.
    }
}

Reason WriteAll(FileHandle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(handle), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return SystemReason(written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

Reason SyncToStorage(FileHandle handle)
{
    if (::fsync(static_cast<int>(handle)) == 0) return std::nullopt;
    return SystemReason(errno);
}

Reason CloseFile(FileHandle handle)
{
    if (::close(static_cast<int>(handle)) == 0) return std::nullopt;
    return SystemReason(errno);
}

// rename() swaps the name over in one step: a reader sees the old file or the new.
Reason MoveIntoPlace(const std::filesystem::path& written, const std::filesystem::path& target,
                     const ExistingFile&, SyncToDisk)
{
    if (::rename(written.c_str(), target.c_str()) == 0) return std::nullopt;
    return SystemReason(errno);
}

void RemoveQuietly(const std::filesystem::path& file) { ::unlink(file.c_str()); }

// Some file systems cannot sync a folder; the new file is in place all the
// same, so that is no failure.
void SyncFolder(const std::filesystem::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    if (::fsync(descriptor) != 0) {
        // See above.
    }
    ::close(descriptor);
}

int ProcessId() { return static_cast<int>(::getpid()); }

}  // namespace sorvane::file_calls
