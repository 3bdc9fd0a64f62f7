#pragma once

#include "win32/windows_api.h"

namespace sorvane::win32 {

// Counts the program's top-level windows: the program ends when the last one
// closes, whichever it is.
class OpenWindows {
public:
    void Opened() { ++open_; }
    void Closed()
    {
        if (--open_ == 0) PostQuitMessage(0);
    }

private:
    int open_ = 0;
};

}  // namespace sorvane::win32
