#include "ui/airfoil_picture.h"

#include <QPainter>
#include <QPalette>

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
    if (segments_.empty() || userFrame_.width() == 0 || userFrame_.height() == 0) return;

    QPainter painter(this);
    painter.setClipRect(contentsRect());
    for (const Segment& segment : segments_) {
        painter.setPen(QPen(segment.colour, 1));
        painter.drawLine(ToPixels(segment.line.p1()), ToPixels(segment.line.p2()));
    }
}

}  // namespace sorvane
