// The save's system calls on Windows.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "core/wide_text.h"
#include "output/file_calls.h"

namespace sorvane::file_calls {
namespace {

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
    return Narrow(wide);
}

std::string LastReason() { return SystemReason(GetLastError()); }

HANDLE ToHandle(FileHandle handle) { return reinterpret_cast<HANDLE>(handle); }

// Where ReplaceFileW parks the old file until the new one has its name.
std::filesystem::path ParkedName(const std::filesystem::path& written)
{
    std::filesystem::path parked = written;
    parked += L".previous";
    return parked;
}

Reason ReplaceExisting(const std::filesystem::path& written, const std::filesystem::path& target)
{
    // ReplaceFileW gives the new file the old one's attributes, security and
    // identity. Without a parking name it may leave no file at the target when
    // the last step fails; with one, the old file can always be put back.
    const std::filesystem::path parked = ParkedName(written);
    if (ReplaceFileW(target.c_str(), written.c_str(), parked.c_str(), 0, nullptr, nullptr)) {
        DeleteFileW(parked.c_str());
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        MoveFileExW(parked.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
    return SystemReason(error);
}

}  // namespace

ExistingFile LookAt(const std::filesystem::path& file)
{
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    ExistingFile existing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) existing.kind = FileKind::Folder;
    else if (attributes & FILE_ATTRIBUTE_DEVICE) existing.kind = FileKind::CharacterDevice;
    else existing.kind = FileKind::Regular;
    existing.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return existing;
}

Reason CreateNewFile(const std::filesystem::path& file, FileHandle& handle, bool& nameTaken)
{
    const HANDLE created = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created != INVALID_HANDLE_VALUE) {
        handle = reinterpret_cast<FileHandle>(created);
        nameTaken = false;
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return SystemReason(error);
}

// ReplaceFileW carries the old file's attributes and access-control list over;
// a first file takes the folder's inherited ones.
void KeepOwnerAndMode(FileHandle, const ExistingFile&) {}

Reason WriteAll(FileHandle handle, std::string_view bytes)
{
    while (!bytes.empty()) {
        constexpr std::size_t kChunk = 1 << 20;
        const DWORD wanted = static_cast<DWORD>(bytes.size() < kChunk ? bytes.size() : kChunk);
        DWORD written = 0;
        if (!WriteFile(ToHandle(handle), bytes.data(), wanted, &written, nullptr) || written == 0)
            return LastReason();
        bytes.remove_prefix(written);
    }
    return std::nullopt;
}

Reason SyncToStorage(FileHandle handle)
{
    if (FlushFileBuffers(ToHandle(handle))) return std::nullopt;
    return LastReason();
}

Reason CloseFile(FileHandle handle)
{
    if (CloseHandle(ToHandle(handle))) return std::nullopt;
    return LastReason();
}

Reason MoveIntoPlace(const std::filesystem::path& written, const std::filesystem::path& target,
                     const ExistingFile& existing, SyncToDisk sync)
{
    if (existing.kind == FileKind::Regular) return ReplaceExisting(written, target);
    DWORD flags = MOVEFILE_REPLACE_EXISTING;
    if (sync == SyncToDisk::Yes) flags |= MOVEFILE_WRITE_THROUGH;
    if (MoveFileExW(written.c_str(), target.c_str(), flags)) return std::nullopt;
    return LastReason();
}

void RemoveQuietly(const std::filesystem::path& file) { DeleteFileW(file.c_str()); }

// The flushed file and MOVEFILE_WRITE_THROUGH leave nothing for a folder sync to do.
void SyncFolder(const std::filesystem::path&) {}

int ProcessId() { return static_cast<int>(GetCurrentProcessId()); }

}  // namespace sorvane::file_calls
