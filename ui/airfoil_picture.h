#pragma once

#include <QFrame>

#include "output/recorded_drawing.h"

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
    RecordedDrawing drawing_;
};

}  // namespace sorvane
