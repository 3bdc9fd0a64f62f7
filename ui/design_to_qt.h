#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <string_view>

#include "design/twips.h"
#include "output/rgb.h"

namespace sorvane::qt {

// The shared design's texts, colours and rectangles as Qt takes them.
inline QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

inline QRect ToQRect(const PixelRect& rect) { return QRect(rect.left, rect.top, rect.width, rect.height); }

// A design rectangle at the design's density.
inline QRect DesignRect(const TwipsRect& twips) { return ToQRect(ToPixels(twips, PixelsPerTwip(kDesignDpi))); }

}  // namespace sorvane::qt
