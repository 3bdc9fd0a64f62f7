#include "ui/airfoil_picture.h"

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "design/window_design.h"
#include "ui/design_to_qt.h"

namespace sorvane {
AirfoilPicture::AirfoilPicture(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(MainWindowDesign().plotBackground));
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
}

// Read from the widget itself: a hidden widget's resize events wait until it is shown.
double AirfoilPicture::Width() const { return RecordedDrawing::TwipsFromPixels(width()); }

double AirfoilPicture::Height() const { return RecordedDrawing::TwipsFromPixels(height()); }

void AirfoilPicture::Cls()
{
    drawing_.Cls();
    update();
}

void AirfoilPicture::Scale(float x1, float y1, float x2, float y2)
{
    drawing_.Scale(x1, y1, x2, y2);
    update();
}

void AirfoilPicture::Line(float x1, float y1, float x2, float y2, Rgb colour)
{
    drawing_.Line(x1, y1, x2, y2, colour);
    update();
}

void AirfoilPicture::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    if (drawing_.Paintable()) {
        painter.save();
        painter.setClipRect(contentsRect());
        const QRectF contents = contentsRect();
        const RecordedDrawing::Inner inner{contents.left(), contents.top(), contents.width(), contents.height()};
        for (const RecordedDrawing::Segment& segment : drawing_.Segments()) {
            const auto from = drawing_.ToPixels(segment.x1, segment.y1, inner);
            const auto to = drawing_.ToPixels(segment.x2, segment.y2, inner);
            painter.setPen(QPen(ToQColor(segment.colour), 1));
            painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
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
