#pragma once

#include <vector>

#include "design/window_design.h"
#include "win32/handles.h"
#include "win32/open_windows.h"

namespace sorvane::win32 {

// Names the tool and what it is for: the design's labels on its light yellow,
// in Verdana (or the nearest family the system has). Modeless, with no owner.
class Form_About {
public:
    explicit Form_About(OpenWindows& windows);
    ~Form_About();
    Form_About(const Form_About&) = delete;
    Form_About& operator=(const Form_About&) = delete;

    // nullptr once the user has closed it.
    HWND Hwnd() const { return window_; }
    // Shows it, restored from minimised and brought to the front.
    void Show();

    void Attach(HWND window) { window_ = window; }
    void Detach();
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Label {
        const AboutLabelSpec* entry;
        HWND window;
        Font font;
    };

    void LayOut();
    void DrawLabel(const DRAWITEMSTRUCT& item) const;

    OpenWindows& windows_;
    HWND window_ = nullptr;
    Brush background_;
    std::vector<Label> labels_;
};

}  // namespace sorvane::win32
