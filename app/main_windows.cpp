// Sorvane on Windows: the main window, and the message loop that runs until
// the last of the program's windows has closed.
#include "win32/windows_api.h"

#include <commctrl.h>

#include <optional>

#include "core/wide_text.h"
#include "output/save_failure.h"
#include "win32/accessible_text.h"
#include "win32/form_sorvane.h"
#include "win32/open_windows.h"
#include "win32/working_folder.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show)
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(INITCOMMONCONTROLSEX);
    controls.dwICC = ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);

    sorvane::win32::WorkInDocumentsWhenStartedWhereInstalled();
    const sorvane::win32::ComApartment com;
    sorvane::win32::OpenWindows windows;
    std::optional<sorvane::win32::Form_Sorvane> window;
    try {
        window.emplace(windows);
    } catch (...) {
        window.reset();
    }
    if (!window || window->Hwnd() == nullptr) {
        MessageBoxW(nullptr, sorvane::Widen(sorvane::kStartFailure).c_str(), L"Sorvane", MB_OK);
        return 1;
    }
    window->Show(show);

    // Over the main window while it is there.
    return windows.Run([&window](MSG& message) { return window->PreTranslate(message); },
                       [&window](const std::string& failure) { window->ShowMessage(failure); });
}
