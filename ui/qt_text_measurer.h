#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRect>
#include <optional>

#include "design/layout_fit.h"
#include "design/window_layout.h"

class QLineEdit;
class QPaintDevice;
class QPushButton;

namespace sorvane::qt {

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

// What the style draws round a button's caption and a field's text, for boxes of these sizes.
TextInsets StyleInsets(const QPushButton& button, const QSize& buttonBox, const QLineEdit& field,
                       const QSize& fieldBox);

}  // namespace sorvane::qt
