#pragma once

#include <QIcon>

namespace sorvane {

// The program's own icon at the usual sizes, built into the program.
QIcon SorvaneIcon();

}  // namespace sorvane
