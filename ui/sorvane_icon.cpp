#include "ui/sorvane_icon.h"

#include <QString>

// The resource lives in a static library: it is only linked in once named here,
// and the macro cannot stand inside a namespace.
static void InitSorvaneResources() { Q_INIT_RESOURCE(sorvane); }

namespace sorvane {

QIcon SorvaneIcon()
{
    InitSorvaneResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/org/example/Sorvane/icons/sorvane-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

}  // namespace sorvane
