// A day of use of the Windows window in one process: the button pressed and
// About opened and closed, many times over, with the process's GDI and USER
// objects (GetGuiResources) and its memory after each part. A tenth of each
// part runs first, so that what is made once is made.
//   day_of_use_probe.exe CALCULATIONS ABOUTS   (in a scratch folder: it writes airfoil.txt)
#include "win32/windows_api.h"

#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "win32/accessible_text.h"
#include "win32/form_sorvane.h"
#include "win32/open_windows.h"
#include "win32/resources.h"

namespace {

void Settle()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void Report(const char* after)
{
    Settle();
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    std::printf("%-24s gdi_objects=%lu user_objects=%lu private_kb=%zu working_set_kb=%zu\n", after,
                GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
                memory.PrivateUsage / 1024, memory.WorkingSetSize / 1024);
    std::fflush(stdout);
}

void Calculate(HWND button, int times)
{
    for (int i = 0; i < times; ++i) {
        SendMessageW(button, BM_CLICK, 0, 0);
        Settle();
    }
}

void OpenAndCloseAbout(HWND main, int times)
{
    for (int i = 0; i < times; ++i) {
        // As the menu bar's one entry sends it.
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(sorvane::win32::kAboutId, 0), 0);
        Settle();
        if (const HWND about = FindWindowW(L"SorvaneAbout", nullptr)) SendMessageW(about, WM_CLOSE, 0, 0);
        Settle();
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    const int calculations = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int abouts = argc > 2 ? std::atoi(argv[2]) : 300;
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const sorvane::win32::ComApartment com;
    sorvane::win32::OpenWindows windows;
    sorvane::win32::Form_Sorvane window(windows);
    if (window.Hwnd() == nullptr) return 1;
    window.Show(SW_SHOWNORMAL);
    Settle();
    const HWND button = FindWindowExW(window.Hwnd(), nullptr, L"Button", L"Calculate and Show");
    if (button == nullptr) {
        std::fprintf(stderr, "the window has no Calculate and Show button\n");
        return 1;
    }
    Calculate(button, calculations / 10);
    OpenAndCloseAbout(window.Hwnd(), abouts / 10);
    Report("start");
    Calculate(button, calculations);
    Report("after calculations");
    OpenAndCloseAbout(window.Hwnd(), abouts);
    Report("after About openings");
    return 0;
}
