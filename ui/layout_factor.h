#pragma once

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

class QLineEdit;
class QPaintDevice;
class QPushButton;

namespace sorvane {

// A text the window must show whole, and the box its design gives it, in
// pixels at factor 1. The fixed parts (a button's frame and margins, a field's
// frame) stay the same size when the layout grows.
struct TextRoom {
    QString text;
    double width = 0;   // how far the text may reach across; 0: no limit across
    double height = 0;  // the height of its box
    double fixedWidth = 0;
    double fixedHeight = 0;
};

// A caption's room: its own box, cut short where the field beside it begins.
TextRoom CaptionRoom(const QString& text, const QRect& label, const QRect& field);

// A button's room: its box less the frame and margins its style draws.
TextRoom ButtonRoom(const QPushButton& button, const QRect& box);

// A field's room for the numbers it shows: its box less the frame its style draws.
TextRoom FieldRoom(const QLineEdit& field, const QRect& box);

// The font the controls take and the one factor by which every position and
// size of the design grows.
struct LayoutFit {
    QFont font;
    double factor = 1;
};

// Keeps the desktop's text size and grows the layout instead of shrinking the
// text. The font may first be narrowed, down to 85 %; if then every text fits
// its box the factor is 1. Otherwise the factor is the smallest at which every
// text fits, a pixel to spare across. Only where that factor would pass
// largestFactor (the screen's limit) does the text get smaller, by as little
// as needed and never below 7.5 pt.
LayoutFit FitLayout(const QFont& desktop, const QList<TextRoom>& texts, double largestFactor,
                    QPaintDevice* device);

}  // namespace sorvane
