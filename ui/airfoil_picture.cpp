#include "ui/airfoil_picture.h"

#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "ui/twips.h"

namespace sorvane {

AirfoilPicture::AirfoilPicture(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(255, 224, 192));
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

double AirfoilPicture::Width() const { return width() * double(kTwipsPerPixel); }

double AirfoilPicture::Height() const { return height() * double(kTwipsPerPixel); }

void AirfoilPicture::Cls()
{
    segments_.clear();
    update();
}

void AirfoilPicture::Scale(float x1, float y1, float x2, float y2)
{
    userFrame_ = QRectF(QPointF(x1, y1), QPointF(x2, y2));
    update();
}

void AirfoilPicture::Line(float x1, float y1, float x2, float y2, Rgb colour)
{
    segments_.push_back({QLineF(x1, y1, x2, y2), QColor(colour.red, colour.green, colour.blue)});
    update();
}

QPointF AirfoilPicture::ToPixels(QPointF user) const
{
    const QRectF inner = contentsRect();
    return {inner.left() + (user.x() - userFrame_.left()) / userFrame_.width() * inner.width(),
            inner.top() + (user.y() - userFrame_.top()) / userFrame_.height() * inner.height()};
}

void AirfoilPicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (!segments_.empty() && userFrame_.width() != 0 && userFrame_.height() != 0) {
        painter.save();
        painter.setClipRect(contentsRect());
        for (const Segment& segment : segments_) {
            painter.setPen(QPen(segment.colour, 1));
            painter.drawLine(ToPixels(segment.line.p1()), ToPixels(segment.line.p2()));
        }
        painter.restore();
    }
    // A keyboard user sees where the focus is: the style's focus rectangle inside the border.
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = contentsRect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace sorvane
