#pragma once

#include <list>
#include <optional>
#include <string>

#include "output/recorded_drawing.h"
#include "output/show_airfoil.h"
#include "web/page.h"

namespace sorvane::web {

// The drawing box: a canvas of the page's window that keeps what the plot drew and paints it at the screen's own
// density, again whenever the page is zoomed or the window refitted. Screen readers hear it as an image with the
// section it shows as its description.
class AirfoilPicture {
public:
    AirfoilPicture(val canvas, val description, Rgb background, const Reporter& report);
    ~AirfoilPicture();
    AirfoilPicture(const AirfoilPicture&) = delete;
    AirfoilPicture& operator=(const AirfoilPicture&) = delete;

    // Takes the box's size anew, as the page has laid it out, or as the
    // window is about to lay it out (outer size in CSS pixels).
    void Resized();
    void Resized(int width, int height);
    // Paints before the browser next shows the page.
    void Repaint() { paint_.Request(); }
    RecordedDrawing& Drawing() { return drawing_; }
    void Describe(const std::string& text);

private:
    void Paint();
    // The theme's own colours where the person chose a contrast theme (forced colours); none otherwise.
    std::optional<ContrastColours> Theme();

    val canvas_ = val::undefined();
    val description_ = val::undefined();
    Rgb background_;
    RecordedDrawing drawing_;
    FrameTask paint_;
    val forcedColours_ = val::undefined();
    // A theme chosen or left, or a contrast theme dark or light, paints anew.
    std::list<Listener> themeWatches_;
    // The box's size in the screen's own pixels, where the browser tells it: a backing store of just that size
    // is shown unscaled, so its lines stay on the pixels they were drawn on at any density.
    int deviceWidth_ = 0;
    int deviceHeight_ = 0;
    Callback devicePixelsChanged_;
    val sizeObserver_ = val::undefined();
};

}  // namespace sorvane::web
