#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/twips.h"

namespace sorvane {

// A font as the fit tries it: the desktop's family at a size, and at a width in percent of its normal one.
struct FontChoice {
    double points = 0;
    int stretch = 100;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// Where a text's ink lies, in pixels from its origin on the baseline, y downwards.
struct InkBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// What the fit needs to know of text in the desktop's font, in pixels; each toolkit answers from its own metrics.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // The desktop's font as the person set it.
    virtual FontChoice DesktopFont() const = 0;
    // Measures in this font from now on.
    virtual void Use(const FontChoice& font) = 0;
    virtual double LineHeight() const = 0;
    virtual double Ascent() const = 0;
    virtual double Advance(std::string_view text) const = 0;
    // How far the last character's ink reaches past the advance; 0 where it does not.
    virtual double Overhang(std::string_view text) const = 0;
    virtual InkBox Ink(std::string_view text) const = 0;
};

// A text the window must show whole, and the box its design gives it, in
// pixels at factor 1. The fixed parts (a button's frame and margins, a field's
// frame) stay the same size when the layout grows.
struct TextRoom {
    std::string text;
    double width = 0;   // how far the text may reach across; 0: no limit across
    double height = 0;  // the height of its box
    double fixedWidth = 0;
    double fixedHeight = 0;
};

// The font the controls take, and the one factor by which every position and size of the design grows.
struct LayoutFit {
    FontChoice font;
    double factor = 1;
};

// Keeps the desktop's text size and grows the layout instead of shrinking the text. The font may first be
// narrowed, down to 85 %; if then every text fits its box the factor is 1. Otherwise the factor is the smallest
// at which every text fits, a pixel to spare across. Only where that factor would pass largestFactor (the
// screen's limit) does the text get smaller, by as little as needed and never below 7.5 pt.
LayoutFit FitLayout(TextMeasurer& measurer, const std::vector<TextRoom>& texts, double largestFactor);

}  // namespace sorvane
