#pragma once

namespace sorvane {

// A colour as the plot and the window designs give it, each channel 0 to 255.
struct Rgb {
    int red;
    int green;
    int blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace sorvane
