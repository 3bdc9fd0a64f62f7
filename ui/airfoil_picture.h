#pragma once

#include <QFrame>
#include <QLineF>
#include <QColor>
#include <QRectF>
#include <vector>

#include "output/drawing_box.h"

namespace sorvane {

// The drawing box of the main window. It keeps what was drawn since the last
// Cls, so the plot comes back whenever the box is uncovered or repainted.
class AirfoilPicture : public QFrame, public DrawingBox {
    Q_OBJECT

public:
    explicit AirfoilPicture(QWidget* parent = nullptr);

    double Width() const override;
    double Height() const override;
    void Cls() override;
    void Scale(float x1, float y1, float x2, float y2) override;
    void Line(float x1, float y1, float x2, float y2, Rgb colour) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Segment {
        QLineF line;  // in user coordinates
        QColor colour;
    };

    QPointF ToPixels(QPointF user) const;

    QRectF userFrame_{0, 0, 1, 1};  // left, top, width, height as set by Scale
    std::vector<Segment> segments_;
};

}  // namespace sorvane
