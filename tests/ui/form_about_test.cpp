#include "ui/form_about.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QColorSpace>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "ui/form_sorvane.h"

namespace sorvane::qt {
namespace {

QList<QWidget*> OpenAboutWindows()
{
    QList<QWidget*> open;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == "Form_About" && top->isVisible()) open << top;
    return open;
}

// Runs what is left to do, closed windows' deletion included.
void Settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

TEST(AboutWindow, OneInstanceShownAgainAndCreatedAfreshAfterClosing)
{
    Form_Sorvane main;
    main.show();
    QAction* about = main.findChild<QAction*>("Mn_About");
    ASSERT_NE(about, nullptr);

    about->trigger();
    about->trigger();
    Settle();
    ASSERT_EQ(OpenAboutWindows().size(), 1);
    QPointer<QWidget> first = OpenAboutWindows().front();
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_FALSE(first->isModal());
    // Both windows carry the program's own icon, not the toolkit's generic one.
    for (QWidget* window : {static_cast<QWidget*>(&main), first.data()}) {
        EXPECT_EQ(window->windowIcon().availableSizes().size(), 4);
        const QImage drawn = window->windowIcon().pixmap(32).toImage();
        const QImage own(QStringLiteral(SORVANE_SOURCE_DIR "/ui/icons/sorvane-32.png"));
        // The same pixels (the colour space a pixmap keeps is no concern here).
        const auto premultiplied = QImage::Format_ARGB32_Premultiplied;
        QImage a = drawn.convertToFormat(premultiplied), b = own.convertToFormat(premultiplied);
        a.setColorSpace(QColorSpace());
        b.setColorSpace(QColorSpace());
        EXPECT_EQ(a, b);
    }

    // The main window stays usable while About is open.
    main.findChild<QLineEdit*>("Text_N1")->setText("3");
    QTest::mouseClick(main.findChild<QPushButton*>("Command1"), Qt::LeftButton);
    EXPECT_EQ(main.findChild<QLineEdit*>("Text_TCR")->text(), "0" + QLocale::system().decimalPoint() + "12");

    first->close();
    Settle();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(OpenAboutWindows().isEmpty());

    about->trigger();
    Settle();
    ASSERT_EQ(OpenAboutWindows().size(), 1);
    OpenAboutWindows().front()->close();
    Settle();
}

TEST(AboutWindow, LabelsWithTheirTextsFontsAndColours)
{
    Form_About about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.size(), QSize(285, 213));
    EXPECT_EQ(about.palette().color(QPalette::Window), QColor(255, 255, 192));

    struct Label {
        const char* name;
        QString text;
        QRect pixels;
        double points;
        QColor colour;  // invalid: the toolkit's default
    };
    const QColor green(0, 128, 0);
    const std::vector<Label> labels = {
        {"Label1", "Sorvan", {96, 16, 97, 17}, 12, green},
        {"Label2", "Coordinate generating program", {40, 48, 209, 17}, 9.75, green},
        {"Label6", "for NACA 4 Digit Series Airfoils", {40, 72, 217, 17}, 9.75, green},
        {"Label7", "by the Sorvane developers", {56, 112, 169, 17}, 8.25, QColor()},
        {"Label8", "November 2005", {88, 128, 97, 17}, 8.25, QColor()},
        {"Label4", "for comments and questions e-mail to", {32, 168, 225, 17}, 8.25, QColor()},
        {"Label5", "sorvane@example.org", {80, 184, 129, 17}, 8.25, QColor(0, 0, 255)},
    };
    const QColor defaultText = QApplication::palette().color(QPalette::WindowText);
    for (const Label& l : labels) {
        auto* label = about.findChild<QLabel*>(QString::fromLatin1(l.name));
        ASSERT_NE(label, nullptr) << l.name;
        EXPECT_EQ(label->text(), l.text) << l.name;
        EXPECT_EQ(label->geometry(), l.pixels) << l.name;
        EXPECT_DOUBLE_EQ(label->font().pointSizeF(), l.points) << l.name;
        const bool title = std::string(l.name) == "Label1";
        EXPECT_EQ(label->font().bold(), title) << l.name;
        EXPECT_EQ(label->font().underline(), title) << l.name;
        EXPECT_EQ(label->palette().color(QPalette::WindowText),
                  l.colour.isValid() ? l.colour : defaultText)
            << l.name;
        EXPECT_EQ(label->palette().color(QPalette::Window), QColor(255, 255, 192)) << l.name;
        EXPECT_EQ(label->openExternalLinks(), false);
    }
}

// WCAG's contrast ratio of two colours.
double Contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto linear = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark theme's light text would vanish on the window's fixed pale yellow.
TEST(AboutWindow, EveryLabelReadableUnderADarkPalette)
{
    const QPalette previous = QApplication::palette();
    QPalette dark = previous;
    dark.setColor(QPalette::Window, QColor(36, 36, 36));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    QApplication::setPalette(dark);
    {
        Form_About about;
        const QList<QLabel*> labels = about.findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 7);
        for (const QLabel* label : labels) {
            const QPalette colours = label->palette();
            EXPECT_GE(Contrast(colours.color(QPalette::WindowText), colours.color(QPalette::Window)),
                      4.5)
                << label->objectName().toStdString();
        }
    }
    QApplication::setPalette(previous);
}

}  // namespace
}  // namespace sorvane::qt
