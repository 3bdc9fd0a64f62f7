#include "ui/caption_font.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLabel>
#include <QPaintDevice>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <optional>

namespace sorvane {
namespace {

constexpr double kSmallestPoints = 7.5;
constexpr double kPointStep = 0.5;
// Squeezed further than this, letters read worse than a smaller size of them.
constexpr int kNarrowestStretch = 85;
constexpr int kNarrowestLastResort = 50;
constexpr double kSpare = 1;

// For a desktop family too wide to fit: narrow faces first, then families
// narrower than most.
const char* const kNarrowerFamilies[] = {"DejaVu Sans Condensed", "Liberation Sans Narrow",
                                       "Nimbus Sans Narrow", "Noto Sans", "Liberation Sans"};

double PointSize(const QFont& font, QPaintDevice* device)
{
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() * 72.0 / device->logicalDpiY();
}

// The right end of a caption's ink or advance, whichever reaches further.
double CaptionEnd(const QFontMetricsF& metrics, const QString& text)
{
    return std::max(metrics.horizontalAdvance(text), metrics.tightBoundingRect(text).right());
}

// How much narrower the font must become for every caption to end a pixel
// before its room does: 1 when all of them already do.
double WidthShortfall(const QFont& font, const QList<CaptionRoom>& captions, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    double ratio = 1;
    for (const CaptionRoom& room : captions)
        ratio = std::min(ratio, (room.width - kSpare) / CaptionEnd(metrics, room.text));
    return ratio;
}

// The widest stretch, down to the narrowest allowed, at which every caption fits.
std::optional<QFont> NarrowedToFit(QFont font, double points, int narrowest,
                                   const QList<CaptionRoom>& captions, QPaintDevice* device)
{
    // A desktop font that is narrow already is never widened.
    int stretch = font.stretch() > 0 ? std::min(font.stretch(), int(QFont::Unstretched))
                                     : int(QFont::Unstretched);
    narrowest = std::min(narrowest, stretch);
    font.setPointSizeF(points);
    // A family's condensed face can stand in for a stretch, so its widths do not
    // scale exactly: measure again after each step.
    for (int tries = 0; tries < 8 && stretch >= narrowest; ++tries) {
        font.setStretch(stretch);
        const double shortfall = WidthShortfall(font, captions, device);
        if (shortfall >= 1) return font;
        const int narrower = std::min(stretch - 1, static_cast<int>(std::floor(stretch * shortfall)));
        stretch = stretch > narrowest ? std::max(narrower, narrowest) : narrower;
    }
    return std::nullopt;
}

// The largest size, from the desktop's down to the smallest allowed, that fits once narrowed.
std::optional<QFont> FittedFamily(const QFont& font, double points, const QList<CaptionRoom>& captions,
                                  QPaintDevice* device)
{
    const double smallest = std::min(points, kSmallestPoints);
    for (double size = points;; size = std::max(size - kPointStep, smallest)) {
        if (auto fitted = NarrowedToFit(font, size, kNarrowestStretch, captions, device)) return fitted;
        if (size == smallest) return std::nullopt;
    }
}

}  // namespace

CaptionRoom RoomBeside(const QLabel& label, const QWidget& field)
{
    return {label.text(), static_cast<double>(std::min(label.width(), field.x() - label.x()))};
}

CaptionRoom RoomInside(const QPushButton& button)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QSize probe(100, 20);
    const QSize framed = button.style()->sizeFromContents(QStyle::CT_PushButton, &option, probe, &button);
    return {button.text(), static_cast<double>(button.width() - (framed.width() - probe.width()))};
}

void KeepInkInside(QLabel& label)
{
    const QFontMetricsF metrics(label.font(), &label);
    QRectF ink = metrics.tightBoundingRect(label.text());
    if (label.font().underline())
        ink.setBottom(std::max(ink.bottom(), metrics.underlinePos() + metrics.lineWidth()));
    // Where centring puts the ink, with the half pixel that rasterising may add;
    // a label draws nothing outside its box.
    const double baseline = (label.height() - metrics.height()) / 2 + metrics.ascent();
    const Qt::Alignment across = label.alignment() & Qt::AlignHorizontal_Mask;
    if (baseline + ink.bottom() + 0.5 > label.height())
        label.setAlignment(across | Qt::AlignBottom);
    else if (baseline + ink.top() - 0.5 < 0)
        label.setAlignment(across | Qt::AlignTop);
}

QFont FittingFont(const QFont& desktop, const QList<CaptionRoom>& captions, QPaintDevice* device)
{
    const double points = PointSize(desktop, device);
    if (auto fitted = FittedFamily(desktop, points, captions, device)) return *fitted;
    for (const char* family : kNarrowerFamilies) {
        if (!QFontDatabase::hasFamily(QString::fromLatin1(family))) continue;
        QFont narrow = desktop;
        narrow.setFamilies({QString::fromLatin1(family)});
        if (auto fitted = FittedFamily(narrow, points, captions, device)) return *fitted;
    }
    const double smallest = std::min(points, kSmallestPoints);
    QFont squeezed = desktop;
    squeezed.setPointSizeF(smallest);
    squeezed.setStretch(kNarrowestLastResort);
    return NarrowedToFit(desktop, smallest, kNarrowestLastResort, captions, device).value_or(squeezed);
}

}  // namespace sorvane
