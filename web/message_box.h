#pragma once

#include <deque>
#include <list>
#include <string>

#include "web/page.h"

namespace sorvane::web {

// The program's messages: a modal dialog with the message text, the caption "Sorvane", an OK button only and no
// icon. The page cannot wait inside a handler as a desktop message box does, so the dialog keeps the rest of the
// page from any input until it is dismissed, and a second message waits for the first. A message opens only
// while the page has the focus, so that a screen reader reads it; the focus goes back to where it was.
class MessageBox {
public:
    MessageBox(val parent, const Reporter& report);
    MessageBox(const MessageBox&) = delete;
    MessageBox& operator=(const MessageBox&) = delete;

    void Show(const std::string& message);
    bool Open() const;

private:
    void ShowNext();
    void Dismissed();

    val dialog_ = val::undefined();
    val text_ = val::undefined();
    val returnFocus_ = val::undefined();
    std::deque<std::string> waiting_;
    bool away_ = false;  // the window has lost the focus, and not yet had it back
    FrameTask showOnReturn_;
    std::list<Listener> listeners_;
};

}  // namespace sorvane::web
