#pragma once

#include <QIcon>

namespace sorvane::qt {

// The program's own icon, 16 to 48 pixels, built into the program.
QIcon SorvaneIcon();

}  // namespace sorvane::qt
