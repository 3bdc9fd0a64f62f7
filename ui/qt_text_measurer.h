#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <optional>

#include "design/layout_fit.h"

class QLineEdit;
class QPaintDevice;
class QPushButton;

namespace sorvane {

// The desktop's font as Qt measures it on a paint device.
class QtTextMeasurer : public TextMeasurer {
public:
    QtTextMeasurer(const QFont& desktop, QPaintDevice* device);

    FontChoice DesktopFont() const override;
    void Use(const FontChoice& font) override;
    double LineHeight() const override;
    double Ascent() const override;
    double Advance(std::string_view text) const override;
    double Overhang(std::string_view text) const override;
    InkBox Ink(std::string_view text) const override;

    // The desktop's font at the size and width the fit chose.
    QFont FontFor(const FontChoice& font) const;

private:
    QFont desktop_;
    QPaintDevice* device_;
    std::optional<QFontMetricsF> metrics_;
};

// A button's room: its box less the frame and margins its style draws.
TextRoom ButtonRoom(const QPushButton& button, const QRect& box);

// A field's room for the numbers it shows: its box less the frame its style draws.
TextRoom FieldRoom(const QLineEdit& field, const QRect& box);

}  // namespace sorvane
