#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design/window_design.h"
#include "output/show_airfoil.h"
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
    // The family the labels are drawn in, and its character set: the system's
    // fonts are asked once per window, not at every layout.
    struct Face {
        std::wstring family;
        BYTE characterSet;
    };

    struct Label {
        const AboutLabelSpec* entry;
        HWND window;
        Font font;
    };

    static Face ChooseFace(const AboutDesign& design);
    LOGFONTW LabelFont(const AboutLabelSpec& label, UINT dpi) const;
    void LayOut();
    void DrawLabel(const DRAWITEMSTRUCT& item) const;
    HBRUSH Background(const std::optional<ContrastColours>& theme) const;

    Face face_;
    Brush background_;
    std::vector<Label> labels_;
};

}  // namespace sorvane::win32
