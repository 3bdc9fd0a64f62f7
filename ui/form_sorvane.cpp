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
#include <QScreen>
#include <algorithm>
#include <limits>

#include "command/calculate_and_show.h"
#include "ui/airfoil_picture.h"
#include "ui/form_about.h"
#include "ui/layout_factor.h"
#include "ui/sorvane_icon.h"
#include "ui/twips.h"

namespace sorvane {
namespace {

// The client area's design size in twips.
const QRect kClientTwips(0, 0, 6930, 4830);

// Room for a title bar and borders round the client area and its menu bar, as
// window managers draw them.
constexpr int kDecorationAcross = 16;
constexpr int kDecorationDown = 48;

// An ordinary single-line field with no length limit (Qt's default cuts at 32767).
QLineEdit* TextBox(QWidget* parent, const QString& text)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(std::numeric_limits<int>::max());
    field->setText(text);
    return field;
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
    // The frames are plain borders with no title.
    auto* frame2 = Place(new QGroupBox(client), "Frame2", {360, 240, 2175, 1095});
    textN1_ = Place(TextBox(frame2, QStringLiteral("51")), "Text_N1", {1560, 720, 495, 285});
    textCode_ = Place(TextBox(frame2, QStringLiteral("0012")), "Text_Code", {600, 240, 615, 285});
    auto* label5 = Place(new QLabel(QStringLiteral("Number of points ="), frame2), "Label5", {120, 720, 1455, 255});
    auto* label1 = Place(new QLabel(QStringLiteral("NACA"), frame2), "Label1", {120, 240, 615, 255});
    auto* frame1 = Place(new QGroupBox(client), "Frame1", {3720, 240, 2775, 1455});
    textFCR_ = Place(TextBox(frame1, QString()), "Text_FCR", {1800, 600, 735, 285});
    textTCR_ = Place(TextBox(frame1, QString()), "Text_TCR", {1800, 960, 735, 285});
    textCCR_ = Place(TextBox(frame1, QString()), "Text_CCR", {1800, 240, 735, 285});
    auto* label2 = Place(new QLabel(QStringLiteral("Max Camber Loc ="), frame1), "Label2", {240, 600, 1575, 255});
    auto* label3 = Place(new QLabel(QStringLiteral("Thickness Ratio ="), frame1), "Label3", {240, 960, 1335, 255});
    auto* label4 = Place(new QLabel(QStringLiteral("Camber Ratio ="), frame1), "Label4", {240, 240, 1215, 255});
    picture_ = Place(new AirfoilPicture(client), "Picture_Airfoil", {360, 1920, 6135, 2535});
    command1_ = Place(new QPushButton(QStringLiteral("Calculate and Show"), client), "Command1",
                      {360, 1440, 2175, 375});
    mnAbout_ = menuBar()->addAction(QStringLiteral("About"));
    mnAbout_->setObjectName(QStringLiteral("Mn_About"));
    captions_ = {{label1, textCode_}, {label5, textN1_}, {label4, textCCR_}, {label2, textFCR_},
                 {label3, textTCR_}};

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

    LayOut();

    connect(command1_, &QPushButton::clicked, this, &Form_Sorvane::CalculateAndShow);
    connect(mnAbout_, &QAction::triggered, this, &Form_Sorvane::ShowAboutWindow);
}

Form_Sorvane::~Form_Sorvane()
{
    // The About window has no owner; if it is still open when the program ends, it goes too.
    delete about_.data();
}

template <typename Widget>
Widget* Form_Sorvane::Place(Widget* widget, const char* name, const QRect& twips)
{
    widget->setObjectName(QString::fromLatin1(name));
    designTwips_.insert(widget, twips);
    return widget;
}

QRect Form_Sorvane::DesignPixels(const QWidget* widget) const
{
    return GrownTwipsRect(designTwips_.value(const_cast<QWidget*>(widget)), 1);
}

void Form_Sorvane::SetAvailableScreenSize(const QSize& size)
{
    availableScreenSize_ = size;
    LayOut();
}

// How far the design may grow before the window no longer fits its screen.
double Form_Sorvane::LargestFactor() const
{
    QSize room = availableScreenSize_;
    if (!room.isValid() && screen() != nullptr) room = screen()->availableGeometry().size();
    if (room.isEmpty()) return std::numeric_limits<double>::infinity();
    const QSize client = GrownTwipsRect(kClientTwips, 1).size();
    const double across = double(room.width() - kDecorationAcross) / client.width();
    const double down =
        double(room.height() - kDecorationDown - menuBar()->sizeHint().height()) / client.height();
    return std::min(across, down);
}

// The controls keep the desktop's text size, and the design grows to hold it;
// the menu bar and the messages keep the desktop's font as it is.
void Form_Sorvane::LayOut()
{
    QList<TextRoom> texts;
    for (const auto& [label, field] : captions_)
        texts.append(CaptionRoom(label->text(), DesignPixels(label), DesignPixels(field)));
    texts.append(ButtonRoom(*command1_, DesignPixels(command1_)));
    texts.append(FieldRoom(*textCode_, DesignPixels(textCode_)));
    const LayoutFit fit = FitLayout(font(), texts, LargestFactor(), centralWidget());

    // Every attribute set, so that nothing of a later desktop font reaches the
    // controls before the window is laid out for it.
    QFont controls = fit.font;
    controls.setResolveMask(QFont::AllPropertiesResolved);
    centralWidget()->setFont(controls);
    for (auto placed = designTwips_.cbegin(); placed != designTwips_.cend(); ++placed)
        placed.key()->setGeometry(GrownTwipsRect(placed.value(), fit.factor));
    const QSize client = GrownTwipsRect(kClientTwips, fit.factor).size();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void Form_Sorvane::changeEvent(QEvent* event)
{
    // A desktop font changed while the program runs reaches the window, not its controls.
    if (event->type() == QEvent::FontChange) LayOut();
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
