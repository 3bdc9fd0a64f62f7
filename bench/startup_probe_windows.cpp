// Start-up probe for Windows: shows a main window and, once every paint it
// asked for has been handled, prints the wall-clock time (ns since the Unix
// epoch) and quits. Built three times: around Sorvane's main window; around
// the same fourteen controls created plainly, with no fitting, fonts or
// command; and around a bare window of the same size. All three carry the
// same manifest, so they differ only in what they create.
#include "win32/windows_api.h"

#include <commctrl.h>

#include <cstdio>

#include "core/wide_text.h"
#include "design/window_design.h"
#if defined(SORVANE_PROBE)
#include "win32/accessible_text.h"
#include "win32/form_sorvane.h"
#include "win32/open_windows.h"
#endif

namespace {

#if !defined(SORVANE_PROBE)
LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND PlainWindow(const wchar_t* title)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = PlainProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"ProbeWindow";
    RegisterClassExW(&windowClass);
    const HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_STRING, 50, L"About");
    const sorvane::PixelRect client =
        sorvane::ToPixels(sorvane::MainWindowDesign().client, sorvane::PixelsPerTwip(sorvane::kDesignDpi));
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, TRUE, 0);
    return CreateWindowExW(0, L"ProbeWindow", title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           outer.right - outer.left, outer.bottom - outer.top, nullptr, menu,
                           GetModuleHandleW(nullptr), nullptr);
}
#endif

#if defined(PLAIN_CONTROLS_PROBE)
void PlainControls(HWND window)
{
    const sorvane::WindowDesign& design = sorvane::MainWindowDesign();
    for (const sorvane::ControlSpec& entry : design.controls) {
        const sorvane::PixelRect at =
            sorvane::ToPixels(sorvane::ClientTwips(design, entry), sorvane::PixelsPerTwip(sorvane::kDesignDpi));
        const wchar_t* windowClass = L"STATIC";
        DWORD style = WS_CHILD | WS_VISIBLE;
        DWORD exStyle = 0;
        switch (entry.kind) {
        case sorvane::ControlKind::Frame: windowClass = L"BUTTON"; style |= BS_GROUPBOX; break;
        case sorvane::ControlKind::Edit: windowClass = L"EDIT"; exStyle = WS_EX_CLIENTEDGE; style |= WS_TABSTOP; break;
        case sorvane::ControlKind::Button: windowClass = L"BUTTON"; style |= WS_TABSTOP; break;
        case sorvane::ControlKind::Picture: exStyle = WS_EX_CLIENTEDGE; break;
        case sorvane::ControlKind::Label: break;
        }
        CreateWindowExW(exStyle, windowClass, sorvane::Widen(entry.caption).c_str(), style, at.left, at.top,
                        at.width, at.height, window, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
}
#endif

void ReportPainted()
{
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // FILETIME counts 100 ns steps from 1601.
    std::printf("painted_ns=%llu\n", (ticks - 116444736000000000ULL) * 100);
    std::fflush(stdout);
}

// Handles every message already queued (the paints above all), then reports.
void RunUntilPainted()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GdiFlush();
    ReportPainted();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
#if defined(SORVANE_PROBE)
    const sorvane::win32::ComApartment com;
    sorvane::win32::OpenWindows windows;
    sorvane::win32::Form_Sorvane window(windows);
    window.Show(SW_SHOWNORMAL);
    RunUntilPainted();
#else
    const HWND window = PlainWindow(sorvane::Widen(sorvane::MainWindowDesign().title).c_str());
#if defined(PLAIN_CONTROLS_PROBE)
    PlainControls(window);
#endif
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    RunUntilPainted();
    DestroyWindow(window);
#endif
    return 0;
}
