#include "win32/form_sorvane.h"

#include <algorithm>
#include <stdexcept>

#include "command/calculate_and_show.h"
#include "core/wide_text.h"
#include "design/window_layout.h"
#include "win32/gdi_text_measurer.h"
#include "win32/resources.h"
#include "win32/window_procedure.h"

namespace sorvane::win32 {
namespace {

constexpr int kFirstControlId = 100;
// Posted once the window is on screen: the controls get their accessible names.
constexpr UINT kNameControls = WM_APP + 1;
// Not WS_CLIPCHILDREN: the window paints the inside of its frames, which draw only their border.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// Empty where the system could make no menu bar: the window then cannot open.
Menu MenuBar(std::string_view item)
{
    Menu menu(CreateMenu());
    if (menu && !AppendMenuW(menu.get(), MF_STRING, kAboutId, Widen(item).c_str())) return Menu(nullptr);
    return menu;
}

// What a push button draws round its caption, and a field inside its sunken edge, at 96 dpi.
constexpr int kButtonMarginAcross = 10;
constexpr int kButtonMarginDown = 6;
constexpr int kFieldMarginDown = 2;

int Scaled(int pixels, UINT dpi) { return MulDiv(pixels, int(dpi), 96); }

TextInsets Insets(UINT dpi)
{
    const int edge = GetSystemMetricsForDpi(SM_CYEDGE, dpi);
    return {.buttonAcross = double(Scaled(kButtonMarginAcross, dpi)),
            .buttonDown = double(Scaled(kButtonMarginDown, dpi)),
            .fieldDown = double(2 * edge + Scaled(kFieldMarginDown, dpi))};
}

}  // namespace

Form_Sorvane::Form_Sorvane(OpenWindows& windows) : OwnedWindow(windows)
{
    const WindowDesign& design = MainWindowDesign();
    const wchar_t* windowClass = WindowClass<Form_Sorvane>(
        L"SorvaneMain", {.iconId = kIconId, .background = GetSysColorBrush(COLOR_BTNFACE)});
    Menu menu = MenuBar(design.menuItem);
    if (windowClass == nullptr || !menu) return;
    CreateWindowExW(kWindowExStyle, windowClass, Widen(design.title).c_str(), kWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu.get(), GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return;
    menu.release();
    CreateControls();
    LayOut();
    CountAsOpen();
}

// The About window has no owner; if it is still open when the program ends, it goes too.
Form_Sorvane::~Form_Sorvane() { about_.reset(); }

void Form_Sorvane::Show(int how)
{
    lastFocus_ = Find(MainWindowDesign().startingFocus);
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetFocus(lastFocus_);
    PostMessageW(window_, kNameControls, 0, 0);
}

AccessibleText& Form_Sorvane::Accessible()
{
    if (accessible_) return *accessible_;
    accessible_.emplace();
    // Named from the design: the system would name a field after the label before it.
    for (const Control& control : controls_)
        if (!control.entry->accessibleName.empty()) accessible_->SetName(control.window, control.entry->accessibleName);
    return *accessible_;
}

// Every control is the window's own child at its place from the client area's
// corner: inside a group box, a control's notifications would go to the box.
void Form_Sorvane::CreateControls()
{
    const WindowDesign& design = MainWindowDesign();
    int id = kFirstControlId;
    for (const ControlSpec& entry : design.controls) {
        HWND control = nullptr;
        switch (entry.kind) {
        case ControlKind::Frame: control = CreateChild(window_, id, L"BUTTON", BS_GROUPBOX); break;
        case ControlKind::Label:
            control = CreateChild(window_, id, L"STATIC", SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, entry.caption);
            break;
        case ControlKind::Edit:
            control = CreateChild(window_, id, L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                                  entry.caption);
            // No length limit: a long paste is read whole.
            SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
            break;
        case ControlKind::Picture:
            picture_ = std::make_unique<AirfoilPicture>(windows_, window_, id, design.plotBackground);
            control = picture_->Hwnd();
            break;
        case ControlKind::Button:
            control = CreateChild(window_, id, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, entry.caption);
            break;
        }
        controls_.push_back({&entry, control});
        if (entry.role == ControlRole::Command) commandId_ = id;
        ++id;
    }

    // Tab walks the z-order: the focusable controls on top in the design's tab
    // order, the labels under them (a field is drawn over the label that
    // overlaps it), the frames at the bottom behind everything.
    std::vector<HWND> stack;
    for (const ControlSpec* entry : TabOrder(design)) stack.push_back(Find(entry->name));
    for (const ControlKind kind : {ControlKind::Label, ControlKind::Frame})
        for (const Control& control : controls_)
            if (control.entry->kind == kind) stack.push_back(control.window);
    for (HWND control : stack)
        SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND Form_Sorvane::Find(std::string_view name) const
{
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [name](const Control& control) { return control.entry->name == name; });
    return found == controls_.end() ? nullptr : found->window;
}

// The controls take the system's message font at the size the person set, and
// the design grows to hold it, as far as the monitor's work area allows.
void Form_Sorvane::LayOut()
{
    const WindowDesign& design = MainWindowDesign();
    const UINT dpi = GetDpiForWindow(window_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(MONITORINFO);
    // An unknown work area sets no limit.
    if (!GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor)) monitor.rcWork = {};
    RECT frame{};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, TRUE, kWindowExStyle, dpi);
    GdiTextMeasurer measurer(MessageFont(dpi), int(dpi));
    const PlacedWindow placed = LayOutWindow(
        design, measurer,
        {.pixelsPerTwip = PixelsPerTwip(dpi),
         .insets = Insets(dpi),
         .screen = {monitor.rcWork.right - monitor.rcWork.left, monitor.rcWork.bottom - monitor.rcWork.top},
         .frame = {frame.right - frame.left, frame.bottom - frame.top}});

    const LOGFONTW chosen = measurer.FontFor(placed.fit.font);
    Font font = Made(CreateFontIndirectW(&chosen), "the controls' font");
    for (const PlacedControl& placedControl : placed.controls) {
        const PixelRect& at = placedControl.rect;
        const HWND control = Find(placedControl.control->name);
        SetWindowPos(control, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    font_ = std::move(font);

    RECT outer{0, 0, placed.client.width, placed.client.height};
    AdjustWindowRectExForDpi(&outer, kWindowStyle, TRUE, kWindowExStyle, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes room from the client area: give it back.
    RECT client{};
    GetClientRect(window_, &client);
    if (client.bottom < placed.client.height)
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                     outer.bottom - outer.top + placed.client.height - client.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

bool Form_Sorvane::PreTranslate(MSG& message)
{
    return window_ != nullptr && IsDialogMessageW(window_, &message);
}

LRESULT Form_Sorvane::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    RedrawOnThemeChange(window_, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kAboutId && HIWORD(wParam) == 0) ShowAboutWindow();
        else if (LOWORD(wParam) == commandId_ && HIWORD(wParam) == BN_CLICKED) CalculateAndShow();
        // Enter and Escape arrive as IDOK and IDCANCEL: the window has no default button.
        return 0;
    case kNameControls: Accessible(); return 0;
    case WM_DPICHANGED:
        MoveToSuggestedPlace(window_, lParam);
        LayOut();
        return 0;
    case WM_ACTIVATE:
        // Like a dialog, the window gives the focus back to the control that had it: it notes the control here,
        // and the default handling of an activation focuses the window, which passes the focus on (WM_SETFOCUS).
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    case WM_SETFOCUS:
        SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : Find(MainWindowDesign().startingFocus));
        return 0;
    case WM_CTLCOLORSTATIC:
        // Captions stand on the window's own colour.
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETNONCLIENTMETRICS) LayOut();
        return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

std::string Form_Sorvane::Text(TextField field) const
{
    const HWND control = Find(FieldControl(MainWindowDesign(), field).name);
    std::wstring text(std::size_t(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(std::size_t(GetWindowTextW(control, text.data(), int(text.size()))));
    return Narrow(text);
}

void Form_Sorvane::SetText(TextField field, const std::string& text)
{
    SetWindowTextW(Find(FieldControl(MainWindowDesign(), field).name), Widen(text).c_str());
}

void Form_Sorvane::ShowMessage(const std::string& message)
{
    MessageBoxW(window_, Widen(message).c_str(), L"Sorvane", MB_OK);
}

std::string Form_Sorvane::DecimalSeparator() const
{
    wchar_t separator[8] = L".";
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
    return Narrow(separator);
}

DrawingBox& Form_Sorvane::Picture_Airfoil() { return picture_->Drawing(); }

void Form_Sorvane::DescribePlot(const std::string& description)
{
    Accessible().SetDescription(picture_->Hwnd(), description);
}

void Form_Sorvane::CalculateAndShow() { sorvane::CalculateAndShow(*this); }

void Form_Sorvane::ShowAboutWindow()
{
    if (!about_ || about_->Hwnd() == nullptr) about_ = std::make_unique<Form_About>(windows_);
    if (about_->Hwnd() == nullptr) throw std::runtime_error("the About window could not be made");
    about_->Show();
}

}  // namespace sorvane::win32
