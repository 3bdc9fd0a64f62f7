// The page's program: the main window, built into the page once the module has loaded.
#include <emscripten/val.h>

#include "web/form_sorvane.h"

extern "C" void sorvane_keep_offline();

int main()
{
    using emscripten::val;
    // The page lives on after main returns: its window answers the person's events.
    static sorvane::web::Form_Sorvane window(val::global("document")["body"]);
    sorvane_keep_offline();
    val::global("performance").call<void>("mark", val("sorvane-ready"));
    return 0;
}
