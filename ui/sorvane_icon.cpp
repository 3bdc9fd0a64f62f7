#include "ui/sorvane_icon.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>
#include <QVariant>

// The resource lives in a static library: it is only linked in once named here,
// and the macro cannot stand inside a namespace.
static void InitSorvaneResources() { Q_INIT_RESOURCE(sorvane); }

namespace sorvane::qt {

QIcon SorvaneIcon()
{
    // Made once and kept with the application, which outlives every window: making the images takes a while.
    // Title bars and task bars draw 16 to 48 pixels; docks and window switchers take the larger sizes from the
    // installed icon theme, through the desktop id. Each size here travels to the X server with every window.
    static constexpr char kKept[] = "sorvane.icon";
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr) {
        const QVariant kept = application->property(kKept);
        if (kept.isValid()) return kept.value<QIcon>();
    }
    InitSorvaneResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        // Raw pixels: an image reader would first look through every image
        // plugin, and decoding PNGs costs as much again.
        const QResource pixels(QStringLiteral(":/org/example/Sorvane/icons/sorvane-%1.rgba").arg(size));
        const QByteArray rgba = pixels.uncompressedData();
        if (rgba.size() != size * size * 4) continue;
        const QImage pixelsAsImage(reinterpret_cast<const uchar*>(rgba.constData()), size, size,
                                   QImage::Format_RGBA8888);
        // Converted into an image of its own: the bytes above go with this loop.
        icon.addPixmap(QPixmap::fromImage(pixelsAsImage.convertToFormat(QImage::Format_ARGB32_Premultiplied)));
    }
    if (application != nullptr) application->setProperty(kKept, icon);
    return icon;
}

}  // namespace sorvane::qt
