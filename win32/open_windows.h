#pragma once

#include <deque>
#include <functional>
#include <string>

#include "win32/windows_api.h"

namespace sorvane::win32 {

// Counts the program's top-level windows, each once it is whole: the program ends when the last one closes,
// whichever it is. Keeps the failures of handlers for the message loop to tell.
class OpenWindows {
public:
    void Opened() { ++open_; }
    void Closed()
    {
        if (--open_ == 0) PostQuitMessage(0);
    }

    // Kept here, not posted to a window that may be going, and told by the program's own message loop: a modal
    // loop that drops the wake-up only delays it.
    void Failed(std::string message)
    {
        failures_.push_back(std::move(message));
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }

    // Tells every failure kept so far, those that come while it tells included.
    void TellFailures(const std::function<void(const std::string& message)>& tell)
    {
        while (!failures_.empty()) {
            const std::string message = std::move(failures_.front());
            failures_.pop_front();
            tell(message);
        }
    }

private:
    int open_ = 0;
    std::deque<std::string> failures_;
};

}  // namespace sorvane::win32
