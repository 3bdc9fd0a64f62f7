#pragma once

#include "win32/windows_api.h"

namespace sorvane::win32 {

// The window procedure of a class whose windows each belong to one object:
// the object comes in CreateWindowExW's last argument and is kept with the
// window; every message goes to its Handle(message, wParam, lParam). Nothing
// escapes into the system's message dispatch.
template <typename Owner>
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
        owner->Attach(window);
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->Detach();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return owner->Handle(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// Registers a window class once per process; gives its name.
inline const wchar_t* RegisterOnce(const WNDCLASSEXW& windowClass)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(WNDCLASSEXW);
    if (!GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing))
        RegisterClassExW(&windowClass);
    return windowClass.lpszClassName;
}

}  // namespace sorvane::win32
