#pragma once

#include <string>
#include <utility>
#include <vector>

#include "design/layout_fit.h"
#include "web/page.h"

namespace sorvane::web {

// Measures text as the page draws it: the family and size of an element's
// computed style, through a canvas's measureText. The page keeps a family's
// normal width (a canvas cannot tell which stretches a family really has), so
// it measures every stretch as the normal one and draws it so.
class CanvasTextMeasurer : public TextMeasurer {
public:
    explicit CanvasTextMeasurer(val styledElement);

    FontChoice DesktopFont() const override;
    void Use(const FontChoice& font) override;
    double LineHeight() const override;
    double Ascent() const override;
    double Advance(std::string_view text) const override;
    double Overhang(std::string_view text) const override;
    InkBox Ink(std::string_view text) const override;

    // The CSS size of a font choice: the pixels of its points.
    static double CssSize(const FontChoice& font);

private:
    val Measure(std::string_view text) const;

    val context_ = val::undefined();
    std::string family_;
    std::string font_;  // the canvas's font as last set
    // Each text measured once in each font: the fit asks for its advance, overhang and ink in each stretch it
    // tries, and a call into the page costs. A dozen texts at most: a list is enough.
    mutable std::vector<std::pair<std::string, val>> measured_;
    FontChoice desktop_;
    double ascent_ = 0;
    double descent_ = 0;
};

}  // namespace sorvane::web
