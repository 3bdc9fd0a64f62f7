#include "web/page.h"

#include <emscripten/bind.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <vector>

extern "C" {
// page.js: the listener that calls Dispatch for the handler at index.
emscripten::EM_VAL sorvane_listener(int index);
}

namespace sorvane::web {
namespace {

std::vector<std::function<void(val)>>& Handlers()
{
    static std::vector<std::function<void(val)>> handlers;
    return handlers;
}

std::function<void(const std::string&)>& FailureReport()
{
    static std::function<void(const std::string&)> report;
    return report;
}

void Report(const std::string& message)
{
    if (FailureReport()) FailureReport()(message);
    else val::global("console").call<void>("error", val(message));
}

// Every listener ends here. C++'s exceptions stop here; a JavaScript one
// thrown below (by the browser, or by embind) passes by any C++ catch, and
// page.js's listener catches it.
void Dispatch(int index, val event)
{
    try {
        Handlers().at(static_cast<std::size_t>(index))(event);
    } catch (const std::exception& error) {
        Report(std::string("The page failed: ") + error.what());
    } catch (...) {
        Report("The page failed.");
    }
}

// A JavaScript exception that passed by Dispatch's catch, caught in page.js.
void JavaScriptFailed(const std::string& what) { Report("The page failed: " + what); }

EMSCRIPTEN_BINDINGS(sorvane_page)
{
    emscripten::function("sorvaneDispatch", &Dispatch);
    emscripten::function("sorvaneFailed", &JavaScriptFailed);
}

}  // namespace

val Callback(std::function<void(val)> handler)
{
    Handlers().push_back(std::move(handler));
    return val::take_ownership(sorvane_listener(static_cast<int>(Handlers().size() - 1)));
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

std::string ComputedText(val element, const char* property)
{
    return Window().call<val>("getComputedStyle", element).call<std::string>("getPropertyValue", val(property));
}

double ComputedPixels(val element, const char* property)
{
    const double pixels = val::global("parseFloat")(ComputedText(element, property)).as<double>();
    return std::isfinite(pixels) ? pixels : 0;
}

void Listen(val target, const char* type, std::function<void(val)> handler, ListenOnce once)
{
    val options = val::object();
    options.set("once", once == ListenOnce::Yes);
    target.call<void>("addEventListener", val(type), Callback(std::move(handler)), options);
}

FrameTask::FrameTask(std::function<void()> task)
    : callback_(Callback([this, task = std::move(task)](val) {
          pending_ = false;
          task();
      }))
{
}

void FrameTask::Request()
{
    if (pending_) return;
    pending_ = true;
    Window().call<void>("requestAnimationFrame", callback_);
}

void OnFailure(std::function<void(const std::string&)> report) { FailureReport() = std::move(report); }

}  // namespace sorvane::web
