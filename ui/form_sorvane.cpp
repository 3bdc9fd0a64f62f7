#include "ui/form_sorvane.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <limits>

#include "command/calculate_and_show.h"
#include "ui/airfoil_picture.h"
#include "ui/caption_font.h"
#include "ui/form_about.h"
#include "ui/sorvane_icon.h"
#include "ui/twips.h"

namespace sorvane {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// A plain border with no title.
QGroupBox* Frame(QWidget* parent, const char* name, const QRect& geometry)
{
    return Place(new QGroupBox(parent), name, geometry);
}

// An ordinary single-line field with no length limit (Qt's default cuts at 32767).
QLineEdit* TextBox(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* field = Place(new QLineEdit(parent), name, geometry);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setText(text);
    return field;
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    return Place(new QLabel(text, parent), name, geometry);
}

}  // namespace

Form_Sorvane::Form_Sorvane(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form_Sorvane"));
    setWindowTitle(QStringLiteral("NACA 4 digit airfoil Coordinate Generator"));
    setWindowIcon(SorvaneIcon());

    auto* client = new QWidget(this);
    setCentralWidget(client);

    // Created in this order; positions and sizes in twips from the parent's corner.
    auto* frame2 = Frame(client, "Frame2", TwipsRect(360, 240, 2175, 1095));
    textN1_ = TextBox(frame2, "Text_N1", QStringLiteral("51"), TwipsRect(1560, 720, 495, 285));
    textCode_ = TextBox(frame2, "Text_Code", QStringLiteral("0012"), TwipsRect(600, 240, 615, 285));
    auto* label5 = Caption(frame2, "Label5", QStringLiteral("Number of points ="), TwipsRect(120, 720, 1455, 255));
    auto* label1 = Caption(frame2, "Label1", QStringLiteral("NACA"), TwipsRect(120, 240, 615, 255));
    auto* frame1 = Frame(client, "Frame1", TwipsRect(3720, 240, 2775, 1455));
    textFCR_ = TextBox(frame1, "Text_FCR", QString(), TwipsRect(1800, 600, 735, 285));
    textTCR_ = TextBox(frame1, "Text_TCR", QString(), TwipsRect(1800, 960, 735, 285));
    textCCR_ = TextBox(frame1, "Text_CCR", QString(), TwipsRect(1800, 240, 735, 285));
    auto* label2 = Caption(frame1, "Label2", QStringLiteral("Max Camber Loc ="), TwipsRect(240, 600, 1575, 255));
    auto* label3 = Caption(frame1, "Label3", QStringLiteral("Thickness Ratio ="), TwipsRect(240, 960, 1335, 255));
    auto* label4 = Caption(frame1, "Label4", QStringLiteral("Camber Ratio ="), TwipsRect(240, 240, 1215, 255));
    picture_ = Place(new AirfoilPicture(client), "Picture_Airfoil", TwipsRect(360, 1920, 6135, 2535));
    command1_ = Place(new QPushButton(QStringLiteral("Calculate and Show"), client), "Command1",
                      TwipsRect(360, 1440, 2175, 375));
    mnAbout_ = menuBar()->addAction(QStringLiteral("About"));
    mnAbout_->setObjectName(QStringLiteral("Mn_About"));

    // The boxes are fixed, so the controls take a font in which every caption
    // fits; the menu bar and the messages keep the desktop's.
    captionRooms_ = {RoomBeside(*label1, *textCode_), RoomBeside(*label5, *textN1_),
                     RoomBeside(*label4, *textCCR_),  RoomBeside(*label2, *textFCR_),
                     RoomBeside(*label3, *textTCR_),  RoomInside(*command1_)};
    FitCaptionFont();

    // What a screen reader announces: each field by its caption, the plot by what it is.
    textCode_->setAccessibleName(QStringLiteral("NACA code"));
    textN1_->setAccessibleName(QStringLiteral("Number of points"));
    textCCR_->setAccessibleName(QStringLiteral("Camber Ratio"));
    textFCR_->setAccessibleName(QStringLiteral("Max Camber Loc"));
    textTCR_->setAccessibleName(QStringLiteral("Thickness Ratio"));
    picture_->setAccessibleName(QStringLiteral("Airfoil plot"));

    // The field is drawn over the label box that overlaps it.
    textCode_->raise();

    // Enter in a field runs nothing: the window has no default button.
    command1_->setAutoDefault(false);
    command1_->setDefault(false);

    setTabOrder(command1_, picture_);
    setTabOrder(picture_, textCCR_);
    setTabOrder(textCCR_, textTCR_);
    setTabOrder(textTCR_, textFCR_);
    setTabOrder(textFCR_, textCode_);
    setTabOrder(textCode_, textN1_);
    command1_->setFocus();

    resize(Pixels(6930), Pixels(4830) + menuBar()->sizeHint().height());

    connect(command1_, &QPushButton::clicked, this, &Form_Sorvane::CalculateAndShow);
    connect(mnAbout_, &QAction::triggered, this, &Form_Sorvane::ShowAboutWindow);
}

Form_Sorvane::~Form_Sorvane()
{
    // The About window has no owner; if it is still open when the program ends, it goes too.
    delete about_.data();
}

void Form_Sorvane::FitCaptionFont()
{
    centralWidget()->setFont(FittingFont(font(), captionRooms_, centralWidget()));
}

void Form_Sorvane::changeEvent(QEvent* event)
{
    // A desktop font changed while the program runs reaches the window, not its fitted controls.
    if (event->type() == QEvent::FontChange) FitCaptionFont();
    QMainWindow::changeEvent(event);
}

QLineEdit* Form_Sorvane::Field(TextField field) const
{
    switch (field) {
    case TextField::Text_Code: return textCode_;
    case TextField::Text_N1: return textN1_;
    case TextField::Text_CCR: return textCCR_;
    case TextField::Text_TCR: return textTCR_;
    case TextField::Text_FCR: return textFCR_;
    }
    return textCode_;
}

std::string Form_Sorvane::Text(TextField field) const { return Field(field)->text().toStdString(); }

void Form_Sorvane::SetText(TextField field, const std::string& text)
{
    Field(field)->setText(QString::fromStdString(text));
}

void Form_Sorvane::ShowMessage(const std::string& message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sorvane"), QString::fromStdString(message),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    // Some styles put an icon on dialog buttons; this box has none anywhere.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());
    box.exec();
}

std::string Form_Sorvane::DecimalSeparator() const
{
    return QLocale::system().decimalPoint().toStdString();
}

DrawingBox& Form_Sorvane::Picture_Airfoil() { return *picture_; }

void Form_Sorvane::DescribePlot(const std::string& description)
{
    picture_->setAccessibleDescription(QString::fromStdString(description));
}

void Form_Sorvane::CalculateAndShow() { sorvane::CalculateAndShow(*this); }

void Form_Sorvane::ShowAboutWindow()
{
    if (!about_) about_ = new Form_About;
    about_->setWindowState(about_->windowState() & ~Qt::WindowMinimized);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

}  // namespace sorvane
