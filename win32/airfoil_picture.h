#pragma once

#include "output/recorded_drawing.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// The drawing box of the main window: a child window painted with GDI from
// what was drawn since the last Cls, so the plot comes back when uncovered.
class AirfoilPicture {
public:
    AirfoilPicture(HWND parent, int id, Rgb background);
    ~AirfoilPicture();
    AirfoilPicture(const AirfoilPicture&) = delete;
    AirfoilPicture& operator=(const AirfoilPicture&) = delete;

    HWND Hwnd() const { return window_; }
    // What the plot draws into.
    RecordedDrawing& Drawing() { return drawing_; }

    void Attach(HWND window) { window_ = window; }
    void Detach() { window_ = nullptr; }
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint();
    void Changed();

    HWND window_ = nullptr;
    COLORREF background_;
    RecordedDrawing drawing_;
};

}  // namespace sorvane::win32
