#include "ui/form_sorvane.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <filesystem>

#include "core/calculate_section.h"
#include "fakes.h"
#include "design/window_design.h"
#include "ui/airfoil_picture.h"
#include "output/save_failure.h"
#include "ui/design_to_qt.h"
#include "ui_helpers.h"

namespace sorvane::qt {
namespace {

using testing::DismissNextMessageBox;
using testing::FindColour;
using testing::ReadWholeFile;

const QRgb kBackground = qRgb(255, 224, 192);
const QRgb kRed = qRgb(250, 0, 0);
const QRgb kGrey = qRgb(100, 100, 100);

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::remove_all("airfoil.txt");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename Widget = QWidget>
    Widget* Find(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QString FieldText(const char* name) { return Find<QLineEdit>(name)->text(); }

    void Calculate(const QString& code, const QString& count)
    {
        Find<QLineEdit>("Text_Code")->setText(code);
        Find<QLineEdit>("Text_N1")->setText(count);
        QTest::mouseClick(Find<QPushButton>("Command1"), Qt::LeftButton);
    }

    QImage Picture() { return Find("Picture_Airfoil")->grab().toImage(); }

    Form_Sorvane window;
};

TEST_F(MainWindow, StartsWithItsDefaults)
{
    EXPECT_EQ(window.windowTitle(), "NACA 4 digit airfoil Coordinate Generator");
    EXPECT_EQ(window.centralWidget()->size(), QSize(462, 322));
    EXPECT_EQ(FieldText("Text_Code"), "0012");
    EXPECT_EQ(FieldText("Text_N1"), "51");
    for (const char* result : {"Text_CCR", "Text_TCR", "Text_FCR"}) {
        EXPECT_TRUE(FieldText(result).isEmpty()) << result;
        EXPECT_FALSE(Find<QLineEdit>(result)->isReadOnly()) << result;
    }
    EXPECT_EQ(window.focusWidget(), Find("Command1"));

    const QImage picture = Picture();
    const QRect inner = Find<AirfoilPicture>("Picture_Airfoil")->contentsRect();
    EXPECT_EQ(FindColour(picture, kBackground).count, inner.width() * inner.height());

    const QList<QAction*> menu = window.menuBar()->actions();
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(menu[0]->text(), "About");
    EXPECT_EQ(menu[0]->menu(), nullptr);
}

TEST_F(MainWindow, ControlsSitAtTheirFixedPlaces)
{
    window.resize(900, 700);  // resizing moves and resizes nothing
    QApplication::processEvents();
    for (const ControlSpec& entry : MainWindowDesign().controls) {
        QWidget* widget = Find(std::string(entry.name).c_str());
        ASSERT_NE(widget, nullptr);
        const QString parent = widget->parentWidget()->objectName();
        EXPECT_EQ(parent, FromView(entry.parent)) << entry.name;
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            EXPECT_EQ(field->text(), FromView(entry.caption));
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            EXPECT_EQ(label->text(), FromView(entry.caption));
        } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_TRUE(frame->title().isEmpty());
        }
    }
    // The design's own pixels at 96 dots per inch, for one control of each kind.
    EXPECT_EQ(Find("Text_Code")->geometry(), QRect(40, 16, 41, 19));
    EXPECT_EQ(Find("Picture_Airfoil")->geometry(), QRect(24, 128, 409, 169));
}

TEST_F(MainWindow, TabWalksTheControlsInTheirOrder)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QStringList expected = {"Picture_Airfoil", "Text_CCR", "Text_TCR", "Text_FCR",
                                  "Text_Code", "Text_N1", "Command1"};
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(walked, expected);
}

TEST_F(MainWindow, DrawingBoxShowsTheKeyboardFocusOnlyWhileItHasIt)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    Calculate("2412", "51");
    Find("Command1")->setFocus();
    const QImage without = Picture();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Find("Picture_Airfoil"));
    EXPECT_NE(Picture(), without);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(Picture(), without);
}

TEST_F(MainWindow, EnterInAFieldRunsNothingAndTypedResultsStay)
{
    Find<QLineEdit>("Text_FCR")->setText("typed");
    for (const char* field : {"Text_Code", "Text_N1", "Text_CCR"}) {
        QTest::keyClick(Find(field), Qt::Key_Return);
        QTest::keyClick(Find(field), Qt::Key_Enter);
    }
    EXPECT_TRUE(FieldText("Text_CCR").isEmpty());
    EXPECT_EQ(FieldText("Text_FCR"), "typed");
    EXPECT_FALSE(std::filesystem::exists("airfoil.txt"));
    EXPECT_EQ(FindColour(Picture(), kRed).count, 0);
}

TEST_F(MainWindow, ClickShowsRatiosWritesTheFileAndPlots)
{
    Calculate("2412", "51");
    EXPECT_EQ(FieldText("Text_FCR"), QString("0") + QLocale::system().decimalPoint() + "4");
    EXPECT_EQ(FieldText("Text_TCR"), QString("0") + QLocale::system().decimalPoint() + "12");
    const std::string file = ReadWholeFile("airfoil.txt");
    EXPECT_EQ(file.substr(0, file.find('\n')), "NACA 2412");
    EXPECT_GT(FindColour(Picture(), kRed).count, 300);

    // Space on the focused button runs it too.
    Find<QLineEdit>("Text_N1")->setText("5");
    Find("Command1")->setFocus();
    QTest::keyClick(Find("Command1"), Qt::Key_Space);
    EXPECT_NE(ReadWholeFile("airfoil.txt").find("\n 5 \n"), std::string::npos);

    // The fields take text of any length: a long paste is read whole.
    Calculate(QString(40000, '0') + "2412", "3");
    EXPECT_EQ(ReadWholeFile("airfoil.txt").substr(0, 10), "NACA 2412\n");
}

TEST_F(MainWindow, EachMessageInAPlainModalBox)
{
    struct Case {
        QString code, count;
        const char* message;
    };
    const std::vector<Case> cases = {{"10000", "51", kCodeOutOfRange},
                                     {"abc", "51", kCodeOutOfRange},
                                     {"2012", "51", kCamberWithoutPosition},
                                     {"0012", "201", kTooManyPoints},
                                     {"0012", "50.5", kPointsNotWhole}};
    for (const Case& c : cases) {
        const auto seen = DismissNextMessageBox();
        Calculate(c.code, c.count);
        ASSERT_TRUE(seen->has_value()) << c.message;
        const auto& box = **seen;
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.title, "Sorvane");
        EXPECT_EQ(box.buttons, 1);
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_TRUE(box.iconPixmapEmpty);
        EXPECT_FALSE(box.okButtonHasIcon);
        EXPECT_TRUE(box.modal);
    }
    EXPECT_FALSE(std::filesystem::exists("airfoil.txt"));
    // A step that fails ends in the program's message, once its handler has returned.
    const auto seen = DismissNextMessageBox();
    Guarded(&window, [] { throw std::runtime_error("no memory left"); });
    EXPECT_FALSE(seen->has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen->has_value(); }));
    EXPECT_EQ((*seen)->text.toStdString(), StepFailure("no memory left"));
}

TEST_F(MainWindow, FileInTheWayIsReportedAndTheSectionStillDrawn)
{
    std::filesystem::create_directory("airfoil.txt");
    const auto seen = DismissNextMessageBox();
    Calculate("0012", "51");
    ASSERT_TRUE(seen->has_value());
    EXPECT_TRUE((*seen)->text.contains("airfoil.txt"));
    EXPECT_GT(FindColour(Picture(), kRed).count, 300);
    EXPECT_TRUE(std::filesystem::is_directory("airfoil.txt"));
    std::filesystem::remove_all("airfoil.txt");
}

TEST_F(MainWindow, PlotFillsTheBoxCentredOverTheChordLine)
{
    Calculate("0012", "51");
    const QImage picture = Picture();
    const QRect inner = Find<AirfoilPicture>("Picture_Airfoil")->contentsRect();
    const QRect red = FindColour(picture, kRed).bounds;

    EXPECT_NEAR(double(red.width()) / inner.width(), 0.95, 0.01);
    EXPECT_NEAR(red.center().x(), inner.center().x(), 1.5);
    EXPECT_NEAR(red.center().y(), inner.center().y(), 1.5);

    // The grey chord line runs through the outline's middle, the leading-edge line
    // down the whole box at the outline's left.
    const testing::ColourSpread grey = FindColour(picture, kGrey);
    EXPECT_GT(grey.count, red.width() / 2);
    EXPECT_NEAR(grey.bounds.left(), red.left(), 1);
    EXPECT_EQ(grey.bounds.top(), inner.top());
    EXPECT_EQ(grey.bounds.bottom(), inner.bottom());
    int greyOnChord = 0;
    for (int x = red.left(); x <= red.right(); ++x)
        greyOnChord += (picture.pixel(x, red.center().y()) & 0xFFFFFF) == (kGrey & 0xFFFFFF);
    EXPECT_GT(greyOnChord, red.width() / 2);

    // The plot is kept: covering, hiding and repainting give it back unchanged.
    window.hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Find("Picture_Airfoil")->repaint();
    EXPECT_EQ(Picture(), picture);

    // A rejected input leaves the last plot.
    const auto seen = DismissNextMessageBox();
    Calculate("0", "51");
    EXPECT_TRUE(seen->has_value());
    EXPECT_EQ(Picture(), picture);
}

TEST_F(MainWindow, ScreenReadersHearEachFieldByItsCaption)
{
    const std::vector<std::pair<const char*, QString>> names = {
        {"Text_Code", "NACA code"},       {"Text_N1", "Number of points"},
        {"Text_CCR", "Camber Ratio"},     {"Text_FCR", "Max Camber Loc"},
        {"Text_TCR", "Thickness Ratio"},  {"Picture_Airfoil", "Airfoil plot"}};
    for (const auto& [name, spoken] : names) {
        QAccessibleInterface* widget = QAccessible::queryAccessibleInterface(Find(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->text(QAccessible::Name), spoken) << name;
    }

    // The plot's description follows the last section drawn; a rejected code leaves it.
    QAccessibleInterface* plot = QAccessible::queryAccessibleInterface(Find("Picture_Airfoil"));
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->text(QAccessible::Description), "");
    Calculate("2412", "51");
    EXPECT_EQ(plot->text(QAccessible::Description), "NACA 2412, 51 points");
    DismissNextMessageBox();
    Calculate("0", "51");
    EXPECT_EQ(plot->text(QAccessible::Description), "NACA 2412, 51 points");
}

// The program's event loop ends only when its last window, About included, is closed.
TEST_F(MainWindow, ClosingTheMainWindowFirstKeepsAboutAndTheProgram)
{
    window.findChild<QAction*>("Mn_About")->trigger();
    bool aboutOpenAfterMainClosed = false;
    bool loopRanOn = false;

    QTimer::singleShot(0, [&] { window.close(); });
    QTimer::singleShot(100, [&] {
        loopRanOn = true;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() != "Form_About" || !top->isVisible()) continue;
            aboutOpenAfterMainClosed = true;
            top->close();
        }
    });
    QTimer::singleShot(10000, [] { QApplication::exit(2); });  // never hang the tests

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(loopRanOn);
    EXPECT_TRUE(aboutOpenAfterMainClosed);
}

}  // namespace
}  // namespace sorvane::qt
