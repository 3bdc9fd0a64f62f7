#pragma once

#include <string>
#include <string_view>

#include "win32/open_windows.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// A window that belongs to one object, as WindowProcedure connects them: the object keeps the handle while the
// window lives, and destroying the object destroys the window. A top-level window counts among the open ones
// from the end of its construction to its destruction: one whose construction fails never ends the program.
class OwnedWindow {
public:
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    // nullptr before the window is created and once it has been destroyed.
    HWND Hwnd() const { return window_; }

    // For WindowProcedure: the window has been created, or is gone; one of its handlers failed.
    void Attach(HWND window) { window_ = window; }
    void Detach();
    void Failed(std::string_view reason) noexcept { windows_.Failed(reason); }

protected:
    explicit OwnedWindow(OpenWindows& windows) : windows_(windows) {}
    ~OwnedWindow();

    void CountAsOpen();

    HWND window_ = nullptr;
    OpenWindows& windows_;

private:
    bool counted_ = false;
};

// Creates a child window at no size yet, with the id its parent's notifications name it by; owner goes to the
// class's window procedure.
HWND CreateChild(HWND parent, int id, const wchar_t* windowClass, DWORD style, DWORD exStyle = 0,
                 std::string_view text = {}, void* owner = nullptr);

// The system's message font as the person set it, at a density.
LOGFONTW MessageFont(UINT dpi);

}  // namespace sorvane::win32
