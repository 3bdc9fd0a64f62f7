#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QLabel;
class QPaintDevice;
class QPushButton;
class QWidget;

namespace sorvane {

// A caption and the room it has to be read whole: the width up to whatever
// would hide its end.
struct CaptionRoom {
    QString text;
    double width = 0;
};

// A label's room: its own box, cut short where the field beside it begins.
CaptionRoom RoomBeside(const QLabel& label, const QWidget& field);

// A button's room: its box less the frame and margins its style draws.
CaptionRoom RoomInside(const QPushButton& button);

// The desktop's font if every caption's ink and advance end a pixel or more
// before its room does. Otherwise the desktop's
// family made narrower and then smaller, never below 7.5 pt; otherwise a
// narrow family that fits; at worst the desktop's family at 7.5 pt, as narrow
// as it has to be.
QFont FittingFont(const QFont& desktop, const QList<CaptionRoom>& captions, QPaintDevice* device);

// A font with a tall line, centred in a low box, puts ink (an underline, a
// descender) outside it: such a label's line goes to the box's bottom (or top).
void KeepInkInside(QLabel& label);

}  // namespace sorvane
