#pragma once

#include <exception>
#include <string_view>

#include "win32/windows_api.h"

namespace sorvane::win32 {

// The window procedure of a class whose windows each belong to one object: the object comes in CreateWindowExW's
// last argument and is kept with the window; every message goes to its Handle(message, wParam, lParam). No
// exception escapes into the system's message dispatch: it ends in the program's message, told from the message
// loop once the handler has returned, so that no message box's loop runs inside a handler whose state is unknown.
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
    // The calculation reports its own failures; these are anything else, such as memory running out.
    try {
        return owner->Handle(message, wParam, lParam);
    } catch (const std::exception& error) {
        owner->Failed(error.what());
    } catch (...) {
        owner->Failed({});
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// A window follows a theme the person chooses while it is open, a contrast theme above all: on such a message
// it is drawn anew, its children too.
inline void RedrawOnThemeChange(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto named = [lParam](std::wstring_view area) {
        return lParam != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(lParam)) == area;
    };
    const bool theme = message == WM_SYSCOLORCHANGE ||
                       (message == WM_SETTINGCHANGE && (wParam == SPI_SETHIGHCONTRAST || named(L"WindowsThemeElement")));
    if (theme) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// On WM_DPICHANGED: moves the window to where the system suggests; its owner then lays it out at the new density.
inline void MoveToSuggestedPlace(HWND window, LPARAM suggestedRect)
{
    const RECT* suggested = reinterpret_cast<const RECT*>(suggestedRect);
    SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// What a window class may add to the arrow cursor and its owner's procedure.
struct ClassLook {
    int iconId = 0;  // 0: none; otherwise the program's icon in both sizes
    HBRUSH background = nullptr;
    UINT style = 0;
};

// The class whose windows belong to Owner objects, registered once per
// process; gives its name, or nullptr where the system refused the class.
template <typename Owner>
const wchar_t* WindowClass(const wchar_t* name, const ClassLook& look = {})
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    if (GetClassInfoExW(instance, name, &windowClass)) return name;
    windowClass.style = look.style;
    windowClass.lpfnWndProc = WindowProcedure<Owner>;
    windowClass.hInstance = instance;
    if (look.iconId != 0) {
        windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(look.iconId));
        windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(look.iconId), IMAGE_ICON,
                                                            GetSystemMetrics(SM_CXSMICON),
                                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    }
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = look.background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0 ? name : nullptr;
}

}  // namespace sorvane::win32
