// The Windows main window as the system lays it out at the prefix's density
// and message font: every caption whole, the design grown by one factor; and
// the focus it gives back when activated.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "design/window_design.h"
#include "win32/form_sorvane.h"
#include "win32/handles.h"
#include "win32/open_windows.h"
#include "win32/window_procedure.h"

namespace sorvane::win32 {
namespace {

RECT ClientRect(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// How far the control's text reaches, and how high its line is, in the font it draws with.
SIZE TextExtent(HWND control)
{
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    const WindowDc dc(control);
    const Selected font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), int(text.size()), &extent);
    ABC last{};
    if (!text.empty() && GetCharABCWidthsW(dc.get(), text.back(), text.back(), &last))
        extent.cx += std::max(0, -last.abcC);
    return extent;
}

TEST(Win32Layout, EveryCaptionIsWholeAndTheDesignGrowsByOneFactor)
{
    OpenWindows windows;
    Form_Sorvane window(windows);
    ASSERT_NE(window.Hwnd(), nullptr);
    const WindowDesign& design = MainWindowDesign();
    const double dpiScale = GetDpiForWindow(window.Hwnd()) / 96.0;

    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    const double factor = client.right / (462 * dpiScale);
    EXPECT_GE(factor, 0.999);
    EXPECT_NEAR(client.bottom, 322 * dpiScale * factor, 1);
    std::printf("[   NOTE   ] %ld x %ld pixels at %u dpi: the design grown by %.3f\n", client.right, client.bottom,
                GetDpiForWindow(window.Hwnd()), factor);

    for (const ControlSpec& entry : design.controls) {
        const RECT at = ClientRect(window.Find(entry.name));
        if (!entry.parent.empty()) {
            const RECT frame = ClientRect(window.Find(entry.parent));
            EXPECT_TRUE(at.left >= frame.left && at.top >= frame.top && at.right <= frame.right && at.bottom <= frame.bottom)
                << entry.name << " inside " << entry.parent;
        }
        if (entry.kind != ControlKind::Label && entry.kind != ControlKind::Button) continue;
        const SIZE text = TextExtent(window.Find(entry.name));
        // A caption ends a pixel before its field begins; the button's caption inside its frame.
        const LONG room = entry.kind == ControlKind::Label
                              ? std::min(at.right, ClientRect(window.Find(entry.labels)).left) - at.left
                              : at.right - at.left - 2 * GetSystemMetricsForDpi(SM_CXEDGE, GetDpiForWindow(window.Hwnd()));
        EXPECT_LE(text.cx + 1, room) << entry.name;
        EXPECT_LE(text.cy, at.bottom - at.top) << entry.name;
    }
}

// Windows focuses a window being activated only through the default handling
// of WM_ACTIVATE; wine also does so itself, so the message is sent by hand here.
TEST(Win32Focus, ActivationGivesTheFocusBackToTheControlThatHadIt)
{
    OpenWindows windows;
    Form_Sorvane window(windows);
    window.Show(SW_SHOWNORMAL);
    const HWND field = window.Find("Text_N1");
    SetFocus(field);
    ASSERT_EQ(GetFocus(), field);
    SendMessageW(window.Hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), 0);
    SetFocus(nullptr);
    ASSERT_EQ(GetFocus(), nullptr);
    SendMessageW(window.Hwnd(), WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
    EXPECT_EQ(GetFocus(), field);
}

// A window made whole, or one whose making fails after it exists; WM_APP makes it go, and fail as it goes.
class Failing : public OwnedWindow {
public:
    Failing(OpenWindows& windows, bool whole) : OwnedWindow(windows)
    {
        CreateWindowExW(0, WindowClass<Failing>(L"SorvaneFailing"), L"", WS_OVERLAPPED, 0, 0, 9, 9, nullptr, nullptr,
                        GetModuleHandleW(nullptr), this);
        if (!whole) throw std::runtime_error("half made");
        CountAsOpen();
    }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_APP) return DefWindowProcW(window_, message, wParam, lParam);
        DestroyWindow(window_);
        throw std::runtime_error("no memory left");
    }
};

// The last window's failure is told once the loop has ended: a message box would close at once while a quit waits.
TEST(Win32Failures, AHalfMadeWindowEndsNothingAndTheLastWindowsFailureIsTold)
{
    OpenWindows windows;
    MSG quit{};
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}  // the earlier tests' last windows
    EXPECT_THROW(Failing(windows, false), std::runtime_error);
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    Failing whole(windows, true);
    PostMessageW(whole.Hwnd(), WM_APP, 0, 0);
    std::vector<std::string> told;
    EXPECT_EQ(windows.Run([](MSG&) { return false; }, [&](const std::string& message) {
        told.push_back(message + (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) ? ", a quit waiting" : ""));
    }), 0);
    EXPECT_EQ(told, std::vector<std::string>{StepFailure("no memory left")});
}

}  // namespace
}  // namespace sorvane::win32
