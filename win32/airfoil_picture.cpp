#include "win32/airfoil_picture.h"

#include <cmath>
#include <optional>
#include <stdexcept>

#include "win32/handles.h"
#include "win32/system_colours.h"
#include "win32/window_procedure.h"

namespace sorvane::win32 {
namespace {

int Whole(double pixels) { return static_cast<int>(std::lround(pixels)); }

}  // namespace

AirfoilPicture::AirfoilPicture(OpenWindows& windows, HWND parent, int id, Rgb background)
    : OwnedWindow(windows), background_(background)
{
    // The default sunken border of a drawing box; it takes the focus like a control.
    const wchar_t* windowClass = WindowClass<AirfoilPicture>(L"SorvanePicture", {.style = CS_HREDRAW | CS_VREDRAW});
    if (windowClass == nullptr) throw std::runtime_error("the system refused the plot's window class");
    CreateChild(parent, id, windowClass, WS_TABSTOP, WS_EX_CLIENTEDGE, {}, this);
    drawing_.OnChange([this] { Changed(); });
}

void AirfoilPicture::Changed()
{
    if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

LRESULT AirfoilPicture::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        RECT outer{};
        GetWindowRect(window_, &outer);
        drawing_.SetOuterPixels(outer.right - outer.left, outer.bottom - outer.top);
        return 0;
    }
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;  // the paint fills the whole box
    case WM_SETFOCUS:
    case WM_KILLFOCUS: Changed(); return 0;
    case WM_LBUTTONDOWN: SetFocus(window_); return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void AirfoilPicture::Paint()
{
    Painting painting(window_);
    RECT inner{};
    GetClientRect(window_, &inner);
    // Drawn off screen first, so the box never flickers through its background; straight on the screen where
    // the system has no room for that (a paint that failed would only be asked for again).
    const HDC screen = painting.dc();
    const MemoryDc memory(CreateCompatibleDC(screen));
    const Bitmap bitmap(memory.get() != nullptr ? CreateCompatibleBitmap(screen, inner.right, inner.bottom) : nullptr);
    const bool offScreen = bool(bitmap);
    const HDC dc = offScreen ? memory.get() : screen;
    std::optional<Selected> canvas;
    if (offScreen) canvas.emplace(memory.get(), bitmap.get());
    const std::optional<ContrastColours> theme = HighContrast();
    const auto colour = [&](Rgb designed) {
        return ToColorRef(PlotColour(designed, background_, theme));
    };
    SetDCBrushColor(dc, colour(background_));
    FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    if (drawing_.Paintable()) {
        // One stock pen, recoloured for each segment.
        const Selected pen(dc, GetStockObject(DC_PEN));
        const RecordedDrawing::Inner box{0, 0, double(inner.right), double(inner.bottom)};
        for (const RecordedDrawing::Segment& segment : drawing_.Segments()) {
            SetDCPenColor(dc, colour(segment.colour));
            const auto from = drawing_.ToPixels(segment.x1, segment.y1, box);
            const auto to = drawing_.ToPixels(segment.x2, segment.y2, box);
            MoveToEx(dc, Whole(from.x), Whole(from.y), nullptr);
            LineTo(dc, Whole(to.x), Whole(to.y));
        }
    }
    // A keyboard user sees where the focus is.
    if (GetFocus() == window_) {
        RECT focus = inner;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
    if (offScreen) BitBlt(screen, 0, 0, inner.right, inner.bottom, dc, 0, 0, SRCCOPY);
}

}  // namespace sorvane::win32
