#include "win32/owned_window.h"

#include <utility>

#include "core/wide_text.h"

namespace sorvane::win32 {

void OwnedWindow::CountAsOpen()
{
    if (window_ == nullptr || counted_) return;
    counted_ = true;
    windows_.Opened();
}

void OwnedWindow::Detach()
{
    window_ = nullptr;
    if (std::exchange(counted_, false)) windows_.Closed();
}

OwnedWindow::~OwnedWindow()
{
    if (window_ == nullptr) return;
    // The owner's members are gone by now: the window's last messages go to the system's default handling.
    const HWND window = std::exchange(window_, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    if (std::exchange(counted_, false)) windows_.Closed();
}

HWND CreateChild(HWND parent, int id, const wchar_t* windowClass, DWORD style, DWORD exStyle, std::string_view text,
                 void* owner)
{
    return CreateWindowExW(exStyle, windowClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                           0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), owner);
}

LOGFONTW MessageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(NONCLIENTMETRICSW);
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi);
    return metrics.lfMessageFont;
}

}  // namespace sorvane::win32
