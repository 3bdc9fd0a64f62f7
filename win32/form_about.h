#pragma once

#include <vector>

#include "design/window_design.h"
#include "win32/handles.h"
#include "win32/owned_window.h"

namespace sorvane::win32 {

// Names the tool and what it is for: the design's labels on its light yellow,
// in Verdana (or the nearest family the system has). Modeless, with no owner.
class Form_About : public OwnedWindow {
public:
    explicit Form_About(OpenWindows& windows);

    // Shows it, restored from minimised and brought to the front.
    void Show();

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Label {
        const AboutLabelSpec* entry;
        HWND window;
        Font font;
    };

    void LayOut();
    void DrawLabel(const DRAWITEMSTRUCT& item) const;

    Brush background_;
    std::vector<Label> labels_;
};

}  // namespace sorvane::win32
