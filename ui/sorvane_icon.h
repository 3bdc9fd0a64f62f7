#pragma once

#include <QIcon>

namespace sorvane {

// The program's own icon, 16 to 128 pixels, built into the program.
QIcon SorvaneIcon();

}  // namespace sorvane
