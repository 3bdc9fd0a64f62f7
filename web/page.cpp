#include "web/page.h"

#include <emscripten/bind.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

extern "C" {
// page.js: the function that calls Dispatch for handler id.
emscripten::EM_VAL sorvane_listener(int id);
}

namespace sorvane::web {
namespace {

HandlerTable<val>& Handlers()
{
    static HandlerTable<val> handlers;
    return handlers;
}

// Every listener ends here. C++'s exceptions stop in Call; a JavaScript one thrown below (by the browser, or by
// embind) passes by any C++ catch, and page.js's listener catches it and hands it to JavaScriptFailed.
bool Dispatch(int id, val argument) { return Handlers().Call(id, std::move(argument)); }

// Told to the failed handler's reporter; false where none is left, and the console has it.
bool JavaScriptFailed(int id, const std::string& what) { return Handlers().Report(id, what); }

EMSCRIPTEN_BINDINGS(sorvane_page)
{
    emscripten::function("sorvaneDispatch", &Dispatch);
    emscripten::function("sorvaneFailed", &JavaScriptFailed);
}

}  // namespace

Callback::Callback(std::function<void(val)> handler, Reporter report)
    : registration_(Handlers(), std::move(handler), std::move(report)),
      function_(val::take_ownership(sorvane_listener(registration_.Id())))
{
}

val Document() { return val::global("document"); }

val Window() { return val::global("window"); }

val AddElement(val parent, const char* tag, std::string_view id)
{
    val element = Document().call<val>("createElement", val(tag));
    if (!id.empty()) element.set("id", val(std::string(id)));
    parent.call<void>("append", element);
    return element;
}

std::string CssPixels(double pixels)
{
    char text[32];
    std::snprintf(text, sizeof text, "%gpx", pixels);
    return text;
}

std::string CssColour(Rgb colour)
{
    char text[24];
    std::snprintf(text, sizeof text, "rgb(%d, %d, %d)", colour.red, colour.green, colour.blue);
    return text;
}

Rgb ParseCssColour(const std::string& text)
{
    // The three whole numbers after the opening bracket; the page has no use for scanf's size.
    int channels[3] = {0, 0, 0};
    std::size_t at = text.find('(');
    for (int& channel : channels) {
        if (at == std::string::npos) return {0, 0, 0};
        at = text.find_first_of("0123456789", at);
        if (at == std::string::npos) return {0, 0, 0};
        channel = 0;
        for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) channel = channel * 10 + (text[at] - '0');
        at = text.find_first_of(",) ", at);
    }
    return {channels[0], channels[1], channels[2]};
}

void Place(val element, const PixelRect& rect)
{
    val style = element["style"];
    style.set("left", CssPixels(rect.left));
    style.set("top", CssPixels(rect.top));
    style.set("width", CssPixels(rect.width));
    style.set("height", CssPixels(rect.height));
}

val CoarsePointerQuery() { return Window().call<val>("matchMedia", val("(pointer: coarse)")); }

bool CoarsePointer() { return CoarsePointerQuery()["matches"].as<bool>(); }

ComputedStyle::ComputedStyle(val element) : style_(Window().call<val>("getComputedStyle", element)) {}

std::string ComputedStyle::Text(const char* property) const
{
    return style_.call<std::string>("getPropertyValue", val(property));
}

double ComputedStyle::Pixels(const char* property) const
{
    const std::string text = Text(property);
    char* end = nullptr;
    const double pixels = std::strtod(text.c_str(), &end);
    return end != text.c_str() && std::isfinite(pixels) ? pixels : 0;
}

Listener::Listener(val target, const char* type, std::function<void(val)> handler, Reporter report, ListenOnce once)
    : target_(std::move(target)), type_(type), callback_(std::move(handler), std::move(report))
{
    val options = val::object();
    options.set("once", once == ListenOnce::Yes);
    target_.call<void>("addEventListener", val(type_), callback_.Function(), options);
}

Listener::~Listener() { target_.call<void>("removeEventListener", val(type_), callback_.Function()); }

namespace {

// The browser's call that asks for a task at this time, the one that cancels
// it, and what the asking call takes after the function. Safari has no idle
// callbacks: a timer stands in.
struct Asking {
    const char* request;
    const char* cancel;
    val argument;
};

constexpr int kLongestIdleWait = 1000;

Asking AskingFor(TaskTime when)
{
    if (when == TaskTime::Frame) return {"requestAnimationFrame", "cancelAnimationFrame", val::undefined()};
    if (when == TaskTime::Idle && !Window()["requestIdleCallback"].isUndefined()) {
        val options = val::object();
        options.set("timeout", kLongestIdleWait);
        return {"requestIdleCallback", "cancelIdleCallback", options};
    }
    return {"setTimeout", "clearTimeout", val(0)};
}

}  // namespace

FrameTask::FrameTask(std::function<void()> task, Reporter report, TaskTime when)
    : callback_([this, task = std::move(task)](val) {
          pending_ = 0;
          task();
      }, std::move(report)),
      when_(when)
{
}

FrameTask::~FrameTask()
{
    if (pending_ != 0) Window().call<void>(AskingFor(when_).cancel, pending_);
}

void FrameTask::Request()
{
    if (pending_ != 0) return;
    const Asking asking = AskingFor(when_);
    pending_ = Window().call<int>(asking.request, callback_.Function(), asking.argument);
}

}  // namespace sorvane::web
