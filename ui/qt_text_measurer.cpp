#include "ui/qt_text_measurer.h"

#include <QLineEdit>
#include <QPaintDevice>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>

#include "ui/design_to_qt.h"

namespace sorvane {
QtTextMeasurer::QtTextMeasurer(const QFont& desktop, QPaintDevice* device)
    : desktop_(desktop), device_(device)
{
    metrics_.emplace(desktop_, device_);
}

FontChoice QtTextMeasurer::DesktopFont() const
{
    const double points = desktop_.pointSizeF() > 0 ? desktop_.pointSizeF()
                                                     : desktop_.pixelSize() * 72.0 / device_->logicalDpiY();
    return {points, desktop_.stretch() > 0 ? desktop_.stretch() : int(QFont::Unstretched)};
}

QFont QtTextMeasurer::FontFor(const FontChoice& font) const
{
    QFont chosen = desktop_;
    chosen.setStretch(font.stretch);
    // A font given in pixels keeps them unless the fit made it smaller.
    if (font.points != DesktopFont().points) chosen.setPointSizeF(font.points);
    return chosen;
}

void QtTextMeasurer::Use(const FontChoice& font) { metrics_.emplace(FontFor(font), device_); }

double QtTextMeasurer::LineHeight() const { return metrics_->height(); }

double QtTextMeasurer::Ascent() const { return metrics_->ascent(); }

double QtTextMeasurer::Advance(std::string_view text) const { return metrics_->horizontalAdvance(FromView(text)); }

double QtTextMeasurer::Overhang(std::string_view text) const
{
    const QString letters = FromView(text);
    return letters.isEmpty() ? 0 : std::max(0.0, -metrics_->rightBearing(letters.back()));
}

InkBox QtTextMeasurer::Ink(std::string_view text) const
{
    const QRectF ink = metrics_->tightBoundingRect(FromView(text));
    return {ink.left(), ink.top(), ink.right(), ink.bottom()};
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
    return {button.text().toStdString(), static_cast<double>(box.width()), static_cast<double>(box.height()),
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
    return {std::string(kFieldSample), 0, static_cast<double>(box.height()), 0,
            static_cast<double>(box.height() - contents.height())};
}

}  // namespace sorvane
