#pragma once

#include <QFrame>

#include "output/recorded_drawing.h"

namespace sorvane::qt {

// The drawing box of the main window. It keeps what was drawn since the last
// Cls, so the plot comes back whenever the box is uncovered or repainted.
class AirfoilPicture : public QFrame {
    Q_OBJECT

public:
    explicit AirfoilPicture(QWidget* parent = nullptr);

    RecordedDrawing& Drawing() { return drawing_; }
    // Puts the box at its place in the window; the drawing learns its size at
    // once, since a hidden widget's resize events wait until it is shown.
    void Place(const QRect& geometry);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    RecordedDrawing drawing_;
};

}  // namespace sorvane::qt
