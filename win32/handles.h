#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "win32/windows_api.h"

namespace sorvane::win32 {

// Every device context and GDI object the front end makes is one of these:
// each is given back to the system once, on every path.

// Owns a GDI object (font, brush, bitmap) and deletes it once.
template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept
    {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

private:
    void Reset()
    {
        if (handle_ != nullptr) DeleteObject(handle_);
        handle_ = nullptr;
    }

    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// The object the system made, owned; where it made none (its GDI heap full,
// say), std::runtime_error names what, and no caller goes on with a null handle.
template <typename Handle>
GdiObject<Handle> Made(Handle handle, const char* what)
{
    if (handle == nullptr) throw std::runtime_error(std::string("the system could not make ") + what);
    return GdiObject<Handle>(handle);
}

// Owns a menu until a window takes it over (a window destroys its own menu bar).
class Menu {
public:
    explicit Menu(HMENU menu) : menu_(menu) {}
    ~Menu()
    {
        if (menu_ != nullptr) DestroyMenu(menu_);
    }
    Menu(Menu&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    HMENU get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }
    void HandOver() { menu_ = nullptr; }

private:
    HMENU menu_;
};

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
    ~WindowDc()
    {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context like another one (the screen's where none is given).
class MemoryDc {
public:
    explicit MemoryDc(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
    ~MemoryDc()
    {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }

private:
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
