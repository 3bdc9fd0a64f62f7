#include "win32/form_about.h"

#include <cmath>
#include <stdexcept>

#include "core/wide_text.h"
#include "win32/handles.h"
#include "win32/system_colours.h"
#include "win32/resources.h"
#include "win32/window_procedure.h"

namespace sorvane::win32 {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW;

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool HasFamily(const std::wstring& family, BYTE characterSet)
{
    LOGFONTW wanted{};
    wanted.lfCharSet = characterSet;
    family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const WindowDc screen(nullptr);
    EnumFontFamiliesExW(screen.get(), &wanted, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

// The design's family where the system has it, otherwise the message font's;
// in the design's character set where the family covers it.
Form_About::Face Form_About::ChooseFace(const AboutDesign& design)
{
    for (const std::string_view family : design.families) {
        std::wstring name = Widen(family);
        if (!HasFamily(name, DEFAULT_CHARSET)) continue;
        const BYTE characterSet = HasFamily(name, BYTE(design.characterSet)) ? BYTE(design.characterSet) : BYTE(DEFAULT_CHARSET);
        return {std::move(name), characterSet};
    }
    return {MessageFont(USER_DEFAULT_SCREEN_DPI).lfFaceName, DEFAULT_CHARSET};
}

LOGFONTW Form_About::LabelFont(const AboutLabelSpec& label, UINT dpi) const
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(label.points * dpi / 72.0));
    font.lfWeight = label.title ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = label.title;
    font.lfCharSet = face_.characterSet;
    font.lfQuality = DEFAULT_QUALITY;
    face_.family.copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

Form_About::Form_About(OpenWindows& windows) : OwnedWindow(windows), face_(ChooseFace(AboutWindowDesign()))
{
    const AboutDesign& design = AboutWindowDesign();
    background_ = Made(CreateSolidBrush(ToColorRef(design.background)), "About's background");
    const wchar_t* windowClass = WindowClass<Form_About>(L"SorvaneAbout", {.iconId = kIconId});
    if (windowClass == nullptr) throw std::runtime_error("the system refused About's window class");
    CreateWindowExW(0, windowClass, Widen(design.title).c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return;
    int id = 100;
    for (const AboutLabelSpec& entry : design.labels) {
        // Drawn by the window, so that the text keeps its ink inside the box; the
        // control keeps the text for screen readers.
        const HWND label = CreateChild(window_, id++, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX, 0, entry.text);
        labels_.push_back({&entry, label, Font()});
    }
    LayOut();
    CountAsOpen();
}

void Form_About::Show()
{
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window_);
}

// At the window's density: the design's twips and the labels' point sizes.
void Form_About::LayOut()
{
    const AboutDesign& design = AboutWindowDesign();
    const UINT dpi = GetDpiForWindow(window_);
    const double scale = PixelsPerTwip(dpi);
    for (Label& label : labels_) {
        const PixelRect at = ToPixels(label.entry->twips, scale);
        SetWindowPos(label.window, nullptr, at.left, at.top, at.width, at.height, SWP_NOZORDER | SWP_NOACTIVATE);
        const LOGFONTW font = LabelFont(*label.entry, dpi);
        label.font = Made(CreateFontIndirectW(&font), "About's font");
    }
    const PixelRect client = ToPixels(design.client, scale);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectExForDpi(&outer, kWindowStyle, FALSE, 0, dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

// The design's light yellow, or a contrast theme's own background.
HBRUSH Form_About::Background(const std::optional<ContrastColours>& theme) const
{
    return theme ? GetSysColorBrush(COLOR_WINDOW) : background_.get();
}

void Form_About::DrawLabel(const DRAWITEMSTRUCT& item) const
{
    const Label* label = nullptr;
    for (const Label& candidate : labels_)
        if (candidate.window == item.hwndItem) label = &candidate;
    if (label == nullptr) return;

    const HDC dc = item.hDC;
    RECT box = item.rcItem;
    const std::optional<ContrastColours> theme = HighContrast();
    FillRect(dc, &box, Background(theme));
    Selected font(dc, label->font.get());
    SetBkMode(dc, TRANSPARENT);
    const Rgb colour = theme ? theme->text
                             : label->entry->colour.value_or(
                                   ReadableTextOn(AboutWindowDesign().background, SystemColour(COLOR_WINDOWTEXT)));
    SetTextColor(dc, ToColorRef(colour));

    const std::wstring text = Widen(label->entry->text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    double inkBottom = metrics.tmDescent;
    if (label->entry->title) {
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof(OUTLINETEXTMETRICW);
        if (GetOutlineTextMetricsW(dc, sizeof(outline), &outline) != 0)
            inkBottom = std::max(inkBottom, double(-outline.otmsUnderscorePosition + outline.otmsUnderscoreSize));
    }
    UINT vertical = DT_VCENTER;
    switch (PlaceLine(box.bottom - box.top, metrics.tmHeight, metrics.tmAscent,
                      -double(metrics.tmAscent - metrics.tmInternalLeading), inkBottom)) {
    case LinePlace::Bottom: vertical = DT_BOTTOM; break;
    case LinePlace::Top: vertical = DT_TOP; break;
    case LinePlace::Centre: break;
    }
    DrawTextW(dc, text.c_str(), int(text.size()), &box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | vertical);
}

LRESULT Form_About::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    RedrawOnThemeChange(window_, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(window_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, Background(HighContrast()));
        return 1;
    }
    case WM_DRAWITEM: DrawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_DPICHANGED:
        MoveToSuggestedPlace(window_, lParam);
        LayOut();
        return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace sorvane::win32
