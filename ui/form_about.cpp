#include "ui/form_about.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <optional>

#include "design/window_design.h"
#include "ui/design_to_qt.h"
#include "ui/qt_text_measurer.h"
#include "ui/sorvane_icon.h"

namespace sorvane::qt {
namespace {

// The design's family where it is installed, otherwise the nearest that desktops ship. Every attribute is set
// here, so that nothing of the desktop's font or of the main window's reaches these labels.
QFont AboutFont(double points, bool title = false)
{
    QStringList families;
    for (const std::string_view family : AboutWindowDesign().families) families << FromView(family);
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(title ? QFont::Bold : QFont::Normal);
    font.setStretch(QFont::Unstretched);
    font.setItalic(false);
    font.setUnderline(title);
    font.setStrikeOut(false);
    return font;
}

QColor DefaultTextOn(const QColor& background, const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    const Rgb readable = ReadableTextOn({background.red(), background.green(), background.blue()},
                                       {text.red(), text.green(), text.blue()});
    return ToQColor(readable);
}

void KeepInkInside(QLabel& label)
{
    const QFontMetricsF metrics(label.font(), &label);
    std::optional<double> underline;
    if (label.font().underline()) underline = metrics.underlinePos() + metrics.lineWidth();
    // Centre, top, bottom: as LinePlace counts them.
    constexpr Qt::Alignment kDown[] = {Qt::AlignVCenter, Qt::AlignTop, Qt::AlignBottom};
    const QtTextMeasurer measurer(label.font(), &label);
    const LinePlace place = sorvane::KeepInkInside(measurer, label.text().toStdString(), label.height(), underline);
    label.setAlignment((label.alignment() & Qt::AlignHorizontal_Mask) | kDown[int(place)]);
}

void AddLabel(QWidget* window, const AboutLabelSpec& entry, const QColor& background)
{
    auto* label = new QLabel(FromView(entry.text), window);
    label->setObjectName(FromView(entry.name));
    label->setGeometry(DesignRect(entry.twips));
    label->setFont(AboutFont(entry.points, entry.title));
    label->setTextFormat(Qt::PlainText);
    KeepInkInside(*label);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText,
                     entry.colour ? ToQColor(*entry.colour) : DefaultTextOn(background, colours));
    label->setPalette(colours);
    label->setAutoFillBackground(true);
}

}  // namespace

Form_About::Form_About(QWidget* parent) : QWidget(parent)
{
    const AboutDesign& design = AboutWindowDesign();
    const QColor background = ToQColor(design.background);
    setObjectName(QStringLiteral("Form_About"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(FromView(design.title));
    setWindowIcon(SorvaneIcon());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    setAutoFillBackground(true);

    for (const AboutLabelSpec& entry : design.labels) AddLabel(this, entry, background);

    const PixelRect client = ToPixels(design.client, PixelsPerTwip(kDesignDpi));
    resize(client.width, client.height);
}

}  // namespace sorvane::qt
