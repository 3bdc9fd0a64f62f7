// Reads what a person sees of a running Sorvane on Windows:
//   window_probe message   the text of the open "Sorvane" message box
//   window_probe client    the main window's client area in pixels, and its dpi
//   window_probe about     how many About windows are open, as the program has them, and
//                          "front" where one of them is the foreground window
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/wide_text.h"

namespace {

std::wstring TextOf(HWND window)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return text;
}

HWND MainWindow() { return FindWindowW(L"SorvaneMain", nullptr); }

int Message()
{
    // A message box is a dialog whose text is the static with id 0xFFFF.
    HWND box = nullptr;
    while ((box = FindWindowExW(nullptr, box, L"#32770", L"Sorvane")) != nullptr)
        if (IsWindowVisible(box)) break;
    if (box == nullptr) return 1;
    std::printf("%s\n", sorvane::Narrow(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
    return 0;
}

int Client()
{
    const HWND main = MainWindow();
    if (main == nullptr) return 1;
    RECT client{};
    GetClientRect(main, &client);
    std::printf("%ld %ld %u\n", client.right, client.bottom, GetDpiForWindow(main));
    return 0;
}

int About()
{
    int open = 0;
    for (HWND about = nullptr; (about = FindWindowExW(nullptr, about, L"SorvaneAbout", nullptr)) != nullptr;)
        open += IsWindowVisible(about) ? 1 : 0;
    wchar_t front[32] = L"";
    GetClassNameW(GetForegroundWindow(), front, 32);
    std::printf("%d%s\n", open, std::wstring(front) == L"SorvaneAbout" ? " front" : "");
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "message") return Message();
    if (what == "client") return Client();
    if (what == "about") return About();
    std::fprintf(stderr, "usage: window_probe message|client|about\n");
    return 2;
}
