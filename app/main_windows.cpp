// Sorvane on Windows: the main window, and the message loop that runs until
// the last of the program's windows has closed.
#include "win32/windows_api.h"

#include <commctrl.h>

#include <optional>

#include "win32/accessible_text.h"
#include "win32/form_sorvane.h"
#include "win32/open_windows.h"
#include "win32/window_procedure.h"
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
        MessageBoxW(nullptr, L"Sorvane could not open its window.", L"Sorvane", MB_OK);
        return 1;
    }
    window->Show(show);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // A failure whose window was already gone: told here, outside every handler.
        if (message.hwnd == nullptr && message.message == sorvane::win32::kHandlerFailed) {
            sorvane::win32::ShowHandlerFailure(nullptr);
            continue;
        }
        if (window->PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
