#include "ui/form_about.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <algorithm>
#include <cmath>

#include "ui/sorvane_icon.h"
#include "ui/twips.h"

namespace sorvane {
namespace {

const QColor kBackground(255, 255, 192);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);

// Verdana where it is installed; otherwise the nearest of the families that
// desktops ship: DejaVu Sans shares its wide, open letters, Liberation Sans and
// Noto Sans come after. Every attribute is set here, so that nothing of the
// desktop's font or of the main window's reaches these labels.
QFont AboutFont(double points, bool title = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(title ? QFont::Bold : QFont::Normal);
    font.setStretch(QFont::Unstretched);
    font.setItalic(false);
    font.setUnderline(title);
    font.setStrikeOut(false);
    return font;
}

// WCAG's relative luminance of a colour.
double Luminance(const QColor& colour)
{
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
           + 0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The toolkit's text colour where it can be read on the fixed background
// (WCAG AA: 4.5:1); a dark theme's light text cannot, so black instead.
QColor DefaultTextOn(const QColor& background, const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    return Contrast(text, background) >= 4.5 ? text : QColor(Qt::black);
}

// A font with a tall line, centred in a low box, puts ink (an underline, a
// descender) outside it: such a label's line goes to the box's bottom (or top).
void KeepInkInside(QLabel& label)
{
    const QFontMetricsF metrics(label.font(), &label);
    QRectF ink = metrics.tightBoundingRect(label.text());
    if (label.font().underline())
        ink.setBottom(std::max(ink.bottom(), metrics.underlinePos() + metrics.lineWidth()));
    // Where centring puts the ink, with the half pixel that rasterising may add;
    // a label draws nothing outside its box.
    const double baseline = (label.height() - metrics.height()) / 2 + metrics.ascent();
    const Qt::Alignment across = label.alignment() & Qt::AlignHorizontal_Mask;
    if (baseline + ink.bottom() + 0.5 > label.height())
        label.setAlignment(across | Qt::AlignBottom);
    else if (baseline + ink.top() - 0.5 < 0)
        label.setAlignment(across | Qt::AlignTop);
}

void AddLabel(QWidget* window, const char* name, const QString& text, const QRect& geometry,
              const QFont& font, const QColor& colour = QColor())
{
    auto* label = new QLabel(text, window);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    KeepInkInside(*label);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, kBackground);
    colours.setColor(QPalette::WindowText,
                     colour.isValid() ? colour : DefaultTextOn(kBackground, colours));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
}

}  // namespace

Form_About::Form_About(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form_About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(SorvaneIcon());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    setPalette(colours);
    setAutoFillBackground(true);

    AddLabel(this, "Label8", QStringLiteral("November 2005"), TwipsRect(1320, 1920, 1455, 255),
             AboutFont(8.25));
    AddLabel(this, "Label7", QStringLiteral("by the Sorvane developers"),
             TwipsRect(840, 1680, 2535, 255), AboutFont(8.25));
    AddLabel(this, "Label6", QStringLiteral("for NACA 4 Digit Series Airfoils"),
             TwipsRect(600, 1080, 3255, 255), AboutFont(9.75), kGreen);
    AddLabel(this, "Label5", QStringLiteral("sorvane@example.org"), TwipsRect(1200, 2760, 1935, 255),
             AboutFont(8.25), kBlue);
    AddLabel(this, "Label4", QStringLiteral("for comments and questions e-mail to"),
             TwipsRect(480, 2520, 3375, 255), AboutFont(8.25));
    AddLabel(this, "Label2", QStringLiteral("Coordinate generating program"),
             TwipsRect(600, 720, 3135, 255), AboutFont(9.75), kGreen);
    AddLabel(this, "Label1", QStringLiteral("Sorvan"), TwipsRect(1440, 240, 1455, 255),
             AboutFont(12, true), kGreen);

    resize(Pixels(4275), Pixels(3195));
}

}  // namespace sorvane
