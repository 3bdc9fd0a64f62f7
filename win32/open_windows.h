#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "output/save_failure.h"
#include "win32/windows_api.h"

namespace sorvane::win32 {

// Counts the program's top-level windows, each once it is whole: the program ends when the last one closes,
// whichever it is. Keeps the failures of handlers for its message loop to tell, outside every handler.
class OpenWindows {
public:
    using Teller = std::function<void(const std::string& message)>;

    void Opened() { ++open_; }
    void Closed()
    {
        if (--open_ == 0) PostQuitMessage(0);
    }

    // Kept here, not posted to a window that may be going: a modal loop that drops the wake-up only delays it.
    // Where memory has run out even for the words, the failure is counted, told later without its reason.
    void Failed(std::string_view reason) noexcept
    {
        try {
            failures_.push_back(StepFailure(reason));
        } catch (...) {
            ++unworded_;
        }
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }

    // Until the last window has closed. The failures of its going are told after the loop: a message box's own
    // loop would take the waiting quit and close at once.
    int Run(const std::function<bool(MSG& message)>& handled, const Teller& tell)
    {
        MSG message{}, quit{};
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!handled(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (!PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) TellFailures(tell);
        }
        TellFailures(tell);
        return static_cast<int>(message.wParam);
    }

private:
    // Those that come while it tells included.
    void TellFailures(const Teller& tell)
    {
        for (; unworded_ > 0; --unworded_) failures_.push_back(StepFailure({}));
        while (!failures_.empty()) {
            const std::string message = std::move(failures_.front());
            failures_.pop_front();
            tell(message);
        }
    }

    int open_ = 0;
    std::deque<std::string> failures_;
    int unworded_ = 0;
};

}  // namespace sorvane::win32
