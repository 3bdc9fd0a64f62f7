#pragma once

#include <string>

#include "command/text_field.h"
#include "output/drawing_box.h"

namespace sorvane {

// What the Calculate command needs from the main window.
class SectionForm {
public:
    virtual ~SectionForm() = default;

    virtual std::string Text(TextField field) const = 0;
    virtual void SetText(TextField field, const std::string& text) = 0;
    // Modal: returns once the user has dismissed the message.
    virtual void ShowMessage(const std::string& message) = 0;
    // The user's decimal separator, for the ratio fields.
    virtual std::string DecimalSeparator() const = 0;
    virtual DrawingBox& Picture_Airfoil() = 0;
    // What the plot shows, in words, for screen readers ("NACA 2412, 51 points").
    virtual void DescribePlot(const std::string& description) = 0;
};

}  // namespace sorvane
