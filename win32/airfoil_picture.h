#pragma once

#include "output/recorded_drawing.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// The drawing box of the main window: a child window painted with GDI from
// what was drawn since the last Cls, so the plot comes back when uncovered.
class AirfoilPicture : public DrawingBox {
public:
    AirfoilPicture(HWND parent, int id, Rgb background);
    ~AirfoilPicture() override;
    AirfoilPicture(const AirfoilPicture&) = delete;
    AirfoilPicture& operator=(const AirfoilPicture&) = delete;

    HWND Hwnd() const { return window_; }

    double Width() const override;
    double Height() const override;
    void Cls() override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Rgb colour) override;

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
