#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "win32/windows_api.h"

namespace sorvane::win32 {

// Every device context, GDI object and menu the front end makes is owned by
// one of these: each is given back to the system once, on every path, unless
// something else takes it over (a window destroys its own menu bar: release()).
struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};

template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Menu = std::unique_ptr<std::remove_pointer_t<HMENU>, DestroyMenuHandle>;
// A memory device context, like another one (the screen's: CreateCompatibleDC(nullptr)).
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DeleteMemoryDc>;

// The object the system made, owned; where it made none (its GDI heap full,
// say), std::runtime_error names what, and no caller goes on with a null handle.
template <typename Handle>
GdiObject<Handle> Made(Handle handle, const char* what)
{
    if (handle == nullptr) throw std::runtime_error(std::string("the system could not make ") + what);
    return GdiObject<Handle>(handle);
}

// Selects an object into a device context for one scope, and puts the old one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, old_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's device context for one scope; nullptr: the screen's.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window))
    {
        if (dc_ == nullptr) throw std::runtime_error("the system gave no device context to draw or measure in");
    }
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint round one WM_PAINT.
class Painting {
public:
    explicit Painting(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~Painting() { EndPaint(window_, &paint_); }
    Painting(const Painting&) = delete;
    Painting& operator=(const Painting&) = delete;

    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace sorvane::win32
