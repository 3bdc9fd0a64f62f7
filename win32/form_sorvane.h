#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "command/section_form.h"
#include "design/window_design.h"
#include "win32/accessible_text.h"
#include "win32/airfoil_picture.h"
#include "win32/form_about.h"
#include "win32/handles.h"
#include "win32/owned_window.h"

namespace sorvane::win32 {

// The main window: two inputs, three results, the button that runs the Calculate command, the drawing box and
// the About menu entry, all built from the shared design. It only wires these to the command. Its design grows
// by one factor where the system's message font needs more room; resizing the window moves nothing.
class Form_Sorvane : public OwnedWindow, public SectionForm {
public:
    explicit Form_Sorvane(OpenWindows& windows);
    ~Form_Sorvane() override;

    // A control by its name in the design; nullptr where there is none.
    HWND Find(std::string_view name) const;
    void Show(int how);

    std::string Text(TextField field) const override;
    void SetText(TextField field, const std::string& text) override;
    void ShowMessage(const std::string& message) override;
    std::string DecimalSeparator() const override;
    DrawingBox& Picture_Airfoil() override;
    void DescribePlot(const std::string& description) override;

    // Keyboard handling as in a dialog (Tab, Space on the button); true where the message was used.
    bool PreTranslate(MSG& message);

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Control {
        const ControlSpec* entry;
        HWND window;
    };

    void CreateControls();
    void LayOut();
    AccessibleText& Accessible();
    void CalculateAndShow();
    void ShowAboutWindow();

    std::vector<Control> controls_;
    int commandId_ = 0;
    HWND lastFocus_ = nullptr;
    std::unique_ptr<AirfoilPicture> picture_;
    Font font_;
    std::unique_ptr<Form_About> about_;
    // Started once the window is on screen: nothing a screen reader reads comes before the window itself.
    std::optional<AccessibleText> accessible_;
};

}  // namespace sorvane::win32
