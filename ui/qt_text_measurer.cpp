#include "ui/qt_text_measurer.h"

#include <QLineEdit>
#include <QPaintDevice>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <algorithm>

#include "ui/design_to_qt.h"

namespace sorvane::qt {
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

TextInsets StyleInsets(const QPushButton& button, const QSize& buttonBox, const QLineEdit& field,
                       const QSize& fieldBox)
{
    QStyleOptionButton push;
    push.initFrom(&button);
    push.text = button.text();
    push.rect = QRect(QPoint(), buttonBox);
    // Across: what the style adds round a caption when it sizes a button.
    const QSize probe(100, 20);
    const QSize framed = button.style()->sizeFromContents(QStyle::CT_PushButton, &push, probe, &button);
    // Down: the part of the box in which the style centres the caption.
    const QRect caption = button.style()->subElementRect(QStyle::SE_PushButtonContents, &push, &button);

    QStyleOptionFrame frame;
    frame.initFrom(&field);
    frame.rect = QRect(QPoint(), fieldBox);
    frame.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, &field);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    const QRect text = field.style()->subElementRect(QStyle::SE_LineEditContents, &frame, &field);

    return {.buttonAcross = double(framed.width() - probe.width()),
            .buttonDown = double(buttonBox.height() - caption.height()),
            .fieldDown = double(fieldBox.height() - text.height())};
}

}  // namespace sorvane::qt
