#pragma once

#include <emscripten/val.h>

#include <functional>
#include <string>
#include <string_view>

#include "design/twips.h"
#include "web/handler_table.h"
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

// The media query that matches while the person points with a finger (a
// touch screen), not a mouse; and whether it matches now.
val CoarsePointerQuery();
bool CoarsePointer();

// An element's computed style, asked for once: each read from it is a call into the page.
class ComputedStyle {
public:
    explicit ComputedStyle(val element);

    std::string Text(const char* property) const;
    // A length in CSS pixels ("2px" gives 2); 0 where it is none.
    double Pixels(const char* property) const;
    double Pixels(const char* side1, const char* side2) const { return Pixels(side1) + Pixels(side2); }

private:
    val style_;
};

// A function the browser can call back (a listener, an observer's callback):
// the handler, registered for as long as this object lives, its failures
// ending in report. It hands itself to the browser, so it stays where it is.
class Callback {
public:
    Callback(std::function<void(val argument)> handler, Reporter report);
    Callback(const Callback&) = delete;
    Callback& operator=(const Callback&) = delete;

    const val& Function() const { return function_; }

private:
    HandlerTable<val>::Registration registration_;
    val function_;
};

// Runs the handler on each event of this type at the target, inside the browser's dispatch of the event, so that
// what needs a user's gesture (the folder picker) may follow from it; the listener goes with this object.
// Once: only the first such event.
enum class ListenOnce { No, Yes };
class Listener {
public:
    Listener(val target, const char* type, std::function<void(val event)> handler, Reporter report,
             ListenOnce once = ListenOnce::No);
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

private:
    val target_;
    std::string type_;
    Callback callback_;
};

// When a task runs: before the browser next paints; in a task of its own as
// soon as the browser has handled what waits (input first); or once the page
// is idle, where the browser can tell (within a second at most).
enum class TaskTime { Frame, Soon, Idle };

// Runs a task at that time, once however often it is asked for.
class FrameTask {
public:
    FrameTask(std::function<void()> task, Reporter report, TaskTime when = TaskTime::Frame);
    ~FrameTask();
    FrameTask(const FrameTask&) = delete;
    FrameTask& operator=(const FrameTask&) = delete;

    void Request();

private:
    Callback callback_;
    TaskTime when_;
    int pending_ = 0;  // the browser's number of the frame, timer or idle call asked for; 0 when none is
};

}  // namespace sorvane::web
