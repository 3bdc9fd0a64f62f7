#pragma once

#include <string_view>

#include "win32/windows_api.h"

struct IAccPropServices;

namespace sorvane::win32 {

// COM on the one UI thread, apartment-threaded, for as long as the program
// runs: wWinMain starts it before the first window and ends it after the last.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool started_;
};

// What screen readers announce for a window: its name and description, set
// through the system's accessibility property service, in the thread's COM
// apartment. Where there is none, or the service is missing, the windows stay
// as the system names them.
class AccessibleText {
public:
    AccessibleText();
    ~AccessibleText();
    AccessibleText(const AccessibleText&) = delete;
    AccessibleText& operator=(const AccessibleText&) = delete;

    void SetName(HWND window, std::string_view name);
    void SetDescription(HWND window, std::string_view description);

private:
    IAccPropServices* services_ = nullptr;
};

}  // namespace sorvane::win32
