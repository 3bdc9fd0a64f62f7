#include "ui/layout_factor.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QPaintDevice>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace sorvane {
namespace {

constexpr double kSmallestPoints = 7.5;
constexpr double kPointStep = 0.25;
// Squeezed further than this, letters read worse than a larger window.
constexpr int kNarrowestStretch = 85;
// A caption ends a pixel before whatever would hide it.
constexpr double kSpare = 1;
// Grown positions are rounded to whole pixels, which may take a pixel off a room.
constexpr double kRounding = 1;
// What the fields show: digits, signs and separators.
const QString kFieldSample = QStringLiteral("0123456789-.,");

double PointSize(const QFont& font, QPaintDevice* device)
{
    if (font.pointSizeF() > 0) return font.pointSizeF();
    return font.pixelSize() * 72.0 / device->logicalDpiY();
}

// Where a text's ink lies and how far its advance reaches.
struct TextExtent {
    QRectF ink;
    double advance = 0;
};

TextExtent Measure(const QFontMetricsF& metrics, const QString& text)
{
    return {metrics.tightBoundingRect(text), metrics.horizontalAdvance(text)};
}

// The right end of a text's ink or advance, whichever reaches further.
double TextEnd(const TextExtent& extent) { return std::max(extent.advance, extent.ink.right()); }

// The lowest box that keeps the text's ink whole when its line is centred in
// it, as labels and fields centre it, with the half pixel that rasterising may
// add at either edge.
double InkHeight(const QFontMetricsF& metrics, const TextExtent& extent)
{
    const double line = metrics.height();
    const double ascent = metrics.ascent();
    return std::max(line - 2 * (ascent + extent.ink.top()), 2 * (ascent + extent.ink.bottom()) - line) + 1;
}

// The factor a room must grow by to hold what it needs: at most 1 when the
// design holds it as it is (no rounding then: the design is in whole pixels).
double GrowthFor(double needed, double designed)
{
    const double factor = needed / designed;
    return factor <= 1 ? factor : (needed + kRounding) / designed;
}

struct Growth {
    double across = 0;
    double down = 0;
};

// Whether the text plainly fits the design as it is: its advance and the last
// glyph's overhang end a pixel before the room, and its whole line fits the box.
// Cheap, since measuring ink loads every glyph; where it cannot tell, the ink decides.
bool PlainlyFits(const QFontMetricsF& metrics, const TextRoom& room)
{
    const double overhang = room.text.isEmpty() ? 0 : std::max(0.0, -metrics.rightBearing(room.text.back()));
    const bool across =
        room.width <= 0 || metrics.horizontalAdvance(room.text) + overhang + kSpare + room.fixedWidth <= room.width;
    return across && metrics.height() + 1 + room.fixedHeight <= room.height;
}

Growth NeededGrowth(const QFont& font, const QList<TextRoom>& texts, QPaintDevice* device)
{
    const QFontMetricsF metrics(font, device);
    Growth growth;
    for (const TextRoom& room : texts) {
        if (PlainlyFits(metrics, room)) continue;
        const TextExtent extent = Measure(metrics, room.text);
        if (room.width > 0)
            growth.across =
                std::max(growth.across, GrowthFor(TextEnd(extent) + kSpare + room.fixedWidth, room.width));
        growth.down =
            std::max(growth.down, GrowthFor(InkHeight(metrics, extent) + room.fixedHeight, room.height));
    }
    return growth;
}

// At the font's size: the widest stretch, down to the narrowest allowed, at
// which the texts need no more growth across than down (or than none at all),
// and the factor that then holds them.
LayoutFit FitAtSize(QFont font, const QList<TextRoom>& texts, QPaintDevice* device)
{
    // A desktop font that is narrow already is never widened.
    int stretch = font.stretch() > 0 ? std::min(font.stretch(), int(QFont::Unstretched))
                                     : int(QFont::Unstretched);
    const int narrowest = std::min(kNarrowestStretch, stretch);
    // A family's condensed face can stand in for a stretch, so its widths do not
    // scale exactly: measure again after each step.
    for (int tries = 0;; ++tries) {
        font.setStretch(stretch);
        const Growth growth = NeededGrowth(font, texts, device);
        const double least = std::max(1.0, growth.down);
        if (growth.across <= least || stretch == narrowest || tries == 8)
            return {font, std::max(least, growth.across)};
        const int proportional = static_cast<int>(std::floor(stretch * least / growth.across));
        stretch = std::max(narrowest, std::min(stretch - 1, proportional));
    }
}

}  // namespace

TextRoom CaptionRoom(const QString& text, const QRect& label, const QRect& field)
{
    return {text, static_cast<double>(std::min(label.width(), field.x() - label.x())),
            static_cast<double>(label.height()), 0, 0};
}

TextRoom ButtonRoom(const QPushButton& button, const QRect& box)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    option.rect = QRect(QPoint(), box.size());
    // Across: what the style adds round a caption when it sizes a button.
    const QSize probe(100, 20);
    const QSize framed = button.style()->sizeFromContents(QStyle::CT_PushButton, &option, probe, &button);
    // Down: the part of the box in which the style centres the caption.
    const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
    return {button.text(), static_cast<double>(box.width()), static_cast<double>(box.height()),
            static_cast<double>(framed.width() - probe.width()),
            static_cast<double>(box.height() - contents.height())};
}

TextRoom FieldRoom(const QLineEdit& field, const QRect& box)
{
    QStyleOptionFrame option;
    option.initFrom(&field);
    option.rect = QRect(QPoint(), box.size());
    option.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &field);
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    const QRect contents = field.style()->subElementRect(QStyle::SE_LineEditContents, &option, &field);
    return {kFieldSample, 0, static_cast<double>(box.height()), 0,
            static_cast<double>(box.height() - contents.height())};
}

LayoutFit FitLayout(const QFont& desktop, const QList<TextRoom>& texts, double largestFactor,
                    QPaintDevice* device)
{
    LayoutFit fit = FitAtSize(desktop, texts, device);
    if (fit.factor <= largestFactor) return fit;

    // The screen is the limit: the largest size, in quarter points, that fits it.
    const double points = PointSize(desktop, device);
    const double smallest = std::min(points, kSmallestPoints);
    const auto sized = [&](int steps) {
        QFont font = desktop;
        font.setPointSizeF(smallest + steps * kPointStep);
        return FitAtSize(font, texts, device);
    };
    int fits = 0;
    int tooLarge = static_cast<int>(std::ceil((points - smallest) / kPointStep));
    fit = sized(fits);
    if (fit.factor > largestFactor) {
        // Not even the smallest text fits: the window keeps to the screen all the same.
        fit.factor = largestFactor;
        return fit;
    }
    while (tooLarge - fits > 1) {
        const int middle = (fits + tooLarge) / 2;
        LayoutFit tried = sized(middle);
        if (tried.factor <= largestFactor) {
            fits = middle;
            fit = tried;
        } else {
            tooLarge = middle;
        }
    }
    return fit;
}

}  // namespace sorvane
