#include "win32/working_folder.h"

#include "win32/windows_api.h"

#include <shlobj.h>

#include <string>

namespace sorvane::win32 {
namespace {

constexpr wchar_t kInstallKey[] = L"Software\\Sorvane";
constexpr wchar_t kInstallFolderValue[] = L"InstallFolder";

// A folder's full, long name without a trailing separator, so that two names
// of one folder compare equal; empty where the name cannot be resolved.
std::wstring FolderName(const std::wstring& folder)
{
    std::wstring full(MAX_PATH, L'\0');
    DWORD length = GetFullPathNameW(folder.c_str(), DWORD(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length);
        length = GetFullPathNameW(folder.c_str(), DWORD(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return {};
    full.resize(length);
    std::wstring longName(full.size() + MAX_PATH, L'\0');
    length = GetLongPathNameW(full.c_str(), longName.data(), DWORD(longName.size()));
    if (length > 0 && length < longName.size()) full.assign(longName.data(), length);
    while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
    return full;
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    const std::wstring left = FolderName(a), right = FolderName(b);
    return !left.empty()
           && CompareStringOrdinal(left.c_str(), int(left.size()), right.c_str(), int(right.size()), TRUE) == CSTR_EQUAL;
}

std::wstring CurrentFolder()
{
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(DWORD(folder.size()), folder.data()));
    return folder;
}

std::wstring ProgramFolder()
{
    std::wstring file(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, file.data(), DWORD(file.size()));
        if (length == 0) return {};
        if (length < file.size()) {
            file.resize(length);
            break;
        }
        file.resize(file.size() * 2);
    }
    return file.substr(0, file.find_last_of(L"\\/"));
}

// Where the installer put the program; empty where it is not installed.
std::wstring InstalledFolder()
{
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kInstallKey, kInstallFolderValue, RRF_RT_REG_SZ, nullptr, nullptr, &bytes)
        != ERROR_SUCCESS)
        return {};
    std::wstring folder(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kInstallKey, kInstallFolderValue, RRF_RT_REG_SZ, nullptr, folder.data(),
                     &bytes)
        != ERROR_SUCCESS)
        return {};
    folder.resize(wcslen(folder.c_str()));
    return folder;
}

}  // namespace

void WorkInDocumentsWhenStartedWhereInstalled()
{
    const std::wstring installed = InstalledFolder();
    if (installed.empty() || !SameFolder(installed, ProgramFolder()) || !SameFolder(CurrentFolder(), installed))
        return;
    PWSTR documents = nullptr;
    // Where Documents cannot be had, the save's message names the folder it tried.
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &documents)))
        SetCurrentDirectoryW(documents);
    CoTaskMemFree(documents);
}

}  // namespace sorvane::win32
