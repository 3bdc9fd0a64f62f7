#include "ui/airfoil_picture.h"

#include <QColor>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "design/window_design.h"
#include "ui/design_to_qt.h"

namespace sorvane::qt {

AirfoilPicture::AirfoilPicture(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(MainWindowDesign().plotBackground));
    setPalette(colours);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    drawing_.OnChange([this] { update(); });
}

void AirfoilPicture::Place(const QRect& geometry)
{
    setGeometry(geometry);
    drawing_.SetOuterPixels(width(), height());
}

void AirfoilPicture::resizeEvent(QResizeEvent* event)
{
    drawing_.SetOuterPixels(width(), height());
    QFrame::resizeEvent(event);
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

}  // namespace sorvane::qt
