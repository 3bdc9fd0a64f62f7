#pragma once

// Resource ids shared by the resource script and the code.
#define SORVANE_ICON_ID 1

#ifndef RC_INVOKED
namespace sorvane::win32 {

constexpr int kIconId = SORVANE_ICON_ID;
// The command of the main window's menu bar's one entry, About.
constexpr int kAboutId = 50;

}  // namespace sorvane::win32
#endif
