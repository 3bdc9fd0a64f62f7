#pragma once

#include <string_view>

#include "win32/windows_api.h"

struct IAccPropServices;

namespace sorvane::win32 {

// What screen readers announce for a window: its name and description, set
// through the system's accessibility property service. Where that service is
// missing, the windows stay as the system names them.
class AccessibleText {
public:
    AccessibleText();
    ~AccessibleText();
    AccessibleText(const AccessibleText&) = delete;
    AccessibleText& operator=(const AccessibleText&) = delete;

    void SetName(HWND window, std::string_view name);
    void SetDescription(HWND window, std::string_view description);

private:
    bool comStarted_ = false;
    IAccPropServices* services_ = nullptr;
};

}  // namespace sorvane::win32
