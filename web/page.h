#pragma once

#include <emscripten/val.h>

#include <functional>
#include <string>
#include <string_view>

#include "design/twips.h"
#include "output/rgb.h"

// The page's objects as the windows use them: elements, their styles and events.
namespace sorvane::web {

using emscripten::val;

val Document();
val Window();

// A new element inside parent; its id is its design name where it has one.
val AddElement(val parent, const char* tag, std::string_view id = {});

std::string CssPixels(double pixels);
std::string CssColour(Rgb colour);
// "rgb(r, g, b)" or "rgba(r, g, b, a)", as computed styles give colours; black otherwise.
Rgb ParseCssColour(const std::string& text);

// Places an element at a rectangle in CSS pixels, from its parent's corner.
void Place(val element, const PixelRect& rect);

// A length of the element's computed style, in CSS pixels ("2px" gives 2).
double ComputedPixels(val element, const char* property);
std::string ComputedText(val element, const char* property);

// A function the browser can call back (a listener, an observer's callback):
// the handler, with every failure ending in the program's message.
val Callback(std::function<void(val argument)> handler);

// Runs the handler on each event of this type at the target, inside the
// browser's dispatch of the event, so that what needs a user's gesture (the
// folder picker) may follow from it.
// Once: only the first such event.
enum class ListenOnce { No, Yes };
void Listen(val target, const char* type, std::function<void(val event)> handler, ListenOnce once = ListenOnce::No);

// Runs a task before the browser next paints, once however often it is asked for.
class FrameTask {
public:
    explicit FrameTask(std::function<void()> task);
    void Request();

private:
    val callback_ = val::undefined();
    bool pending_ = false;
};

// Where a handler fails, the page says so in the program's own message.
void OnFailure(std::function<void(const std::string& message)> report);

}  // namespace sorvane::web
