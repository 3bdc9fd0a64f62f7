#pragma once

#include <list>

#include "web/page.h"

namespace sorvane::web {

// The About window: a window of the page's own, with a caption bar and a close box, holding only the design's
// labels on its light yellow. It is modeless: the main window stays usable beside it.
class Form_About {
public:
    Form_About(val parent, Reporter report);
    Form_About(const Form_About&) = delete;
    Form_About& operator=(const Form_About&) = delete;

    // Opens it from the design, or brings the open one forward: there is only
    // ever one. Closed by its close box or Escape, it gives the focus back to entry.
    void Show(val entry, const PixelRect& beside);
    bool Open() const;

private:
    void Create();
    void PlaceOnScreen(const PixelRect& beside);

    val parent_ = val::undefined();
    val window_ = val::undefined();
    val entry_ = val::undefined();
    Reporter report_;
    // The open window's: they go with it when it is made anew.
    std::list<Listener> listeners_;
};

}  // namespace sorvane::web
