#include "ui/sorvane_icon.h"

#include <QCoreApplication>
#include <QString>
#include <QVariant>

// The resource lives in a static library: it is only linked in once named here,
// and the macro cannot stand inside a namespace.
static void InitSorvaneResources() { Q_INIT_RESOURCE(sorvane); }

namespace sorvane {

QIcon SorvaneIcon()
{
    // Decoding the images takes milliseconds, so they are decoded once and kept
    // with the application, which outlives every window. Docks take the larger
    // sizes from the installed icon theme; each size here also travels to the X
    // server when a window is shown.
    static constexpr char kKept[] = "sorvane.icon";
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr) {
        const QVariant kept = application->property(kKept);
        if (kept.isValid()) return kept.value<QIcon>();
    }
    InitSorvaneResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128})
        icon.addFile(QStringLiteral(":/org/example/Sorvane/icons/sorvane-%1.png").arg(size),
                     QSize(size, size));
    if (application != nullptr) application->setProperty(kKept, icon);
    return icon;
}

}  // namespace sorvane
