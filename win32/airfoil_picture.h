#pragma once

#include "output/recorded_drawing.h"
#include "win32/owned_window.h"

namespace sorvane::win32 {

// The drawing box of the main window: a child window painted with GDI from
// what was drawn since the last Cls, so the plot comes back when uncovered.
class AirfoilPicture : public OwnedWindow {
public:
    AirfoilPicture(OpenWindows& windows, HWND parent, int id, Rgb background);

    RecordedDrawing& Drawing() { return drawing_; }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void Paint();
    void Changed();

    Rgb background_;
    RecordedDrawing drawing_;
};

}  // namespace sorvane::win32
