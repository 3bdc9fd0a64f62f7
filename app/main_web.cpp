// The page's program: the main window, which the page already shows, wired once the module has loaded.
#include <emscripten/val.h>

#include "web/form_sorvane.h"

// page.js: the folder kept from an earlier visit, and the offline copy.
extern "C" void sorvane_start_files();

int main()
{
    using emscripten::val;
    sorvane_start_files();
    // The page lives on after main returns: its window answers the person's events.
    static sorvane::web::Form_Sorvane window;
    val::global("performance").call<void>("mark", val("sorvane-ready"));
    return 0;
}
