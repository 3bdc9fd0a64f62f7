#pragma once

#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "command/section_form.h"
#include "design/window_layout.h"
#include "web/airfoil_picture.h"
#include "web/form_about.h"
#include "web/handed_on_file.h"
#include "web/message_box.h"
#include "web/page.h"

namespace sorvane::web {

// The main window as a part of the page: two inputs, three results, the button that runs the Calculate command,
// the drawing box and the About entry in its menu bar, each an element with its design name as its id. It only
// wires these to the command. Its design grows by one factor where the person's text needs more room.
class Form_Sorvane : public SectionForm {
public:
    Form_Sorvane();
    ~Form_Sorvane() override;
    Form_Sorvane(const Form_Sorvane&) = delete;
    Form_Sorvane& operator=(const Form_Sorvane&) = delete;

    std::string Text(TextField field) const override;
    void SetText(TextField field, const std::string& text) override;
    void ShowMessage(const std::string& message) override;
    std::string DecimalSeparator() const override;
    DrawingBox& Picture_Airfoil() override;
    void DescribePlot(const std::string& description) override;

private:
    void CalculateAndShow();
    void ShowAboutWindow();
    void Fit();
    void ShowFit();
    void Settle();
    void WatchDensity();
    MessageBox& Messages();

    // Every failure of the window's handlers ends in its own message.
    const Reporter report_;
    val window_ = val::undefined();
    val client_ = val::undefined();
    std::map<TextField, val> fields_;
    val command1_ = val::undefined();
    val mnAbout_ = val::undefined();
    std::unique_ptr<AirfoilPicture> picture_;
    // Built when the page is first idle, or by the first message before that.
    std::optional<MessageBox> messages_;
    Form_About about_;
    HandedOnFile file_;
    FrameTask refit_;
    // The start in steps, each in a task of its own: the button first, then the fit to the text (measured, then
    // shown), then what the first click does not need. A refit too shows in a task after its measuring.
    FrameTask firstFit_;
    FrameTask showFit_;
    FrameTask settle_;
    bool settled_ = false;
    // The fit measured and not yet shown.
    std::optional<PlacedWindow> fitted_;
    std::list<Listener> listeners_;
    // Renewed at each change of density, which ends the one before.
    std::optional<Listener> densityWatch_;
    Callback textSizeChanged_;
    val textSizeObserver_ = val::undefined();
    double textSize_ = 0;  // 1 rem in CSS pixels at the last fit
};

}  // namespace sorvane::web
