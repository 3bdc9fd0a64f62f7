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
#include "design/window_design.h"
#include "ui/airfoil_picture.h"
#include "ui/design_to_qt.h"
#include "ui/form_about.h"
#include "ui/qt_text_measurer.h"
#include "ui/sorvane_icon.h"

namespace sorvane::qt {
namespace {

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

QWidget* MakeControl(const ControlSpec& entry, QWidget* parent)
{
    switch (entry.kind) {
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::Label: return new QLabel(FromView(entry.caption), parent);
    case ControlKind::Edit: return TextBox(parent, FromView(entry.caption));
    case ControlKind::Picture: return new AirfoilPicture(parent);
    case ControlKind::Button: return new QPushButton(FromView(entry.caption), parent);
    }
    return nullptr;
}

}  // namespace

Form_Sorvane::Form_Sorvane(QWidget* parent) : QMainWindow(parent)
{
    const WindowDesign& design = MainWindowDesign();
    setObjectName(QStringLiteral("Form_Sorvane"));
    setWindowTitle(FromView(design.title));
    setWindowIcon(SorvaneIcon());

    auto* client = new QWidget(this);
    setCentralWidget(client);

    // Created in the design's order, each inside its parent.
    QHash<QString, QWidget*> byName;
    for (const ControlSpec& entry : design.controls) {
        QWidget* parentWidget = entry.parent.empty() ? client : byName.value(FromView(entry.parent));
        QWidget* widget = MakeControl(entry, parentWidget);
        widget->setObjectName(FromView(entry.name));
        if (!entry.accessibleName.empty()) widget->setAccessibleName(FromView(entry.accessibleName));
        byName.insert(widget->objectName(), widget);
        placed_.append({widget, &entry});
        if (entry.field) fields_.insert(int(*entry.field), static_cast<QLineEdit*>(widget));
    }
    picture_ = static_cast<AirfoilPicture*>(byName.value(FromView(ControlFor(design, ControlRole::Plot).name)));
    command1_ = static_cast<QPushButton*>(byName.value(FromView(ControlFor(design, ControlRole::Command).name)));
    mnAbout_ = menuBar()->addAction(FromView(design.menuItem));
    mnAbout_->setObjectName(QStringLiteral("Mn_About"));

    for (const auto& [widget, entry] : placed_)
        if (entry->onTop) widget->raise();

    // Enter in a field runs nothing: the window has no default button.
    command1_->setAutoDefault(design.hasDefaultButton);
    command1_->setDefault(design.hasDefaultButton);

    const std::vector<const ControlSpec*> order = TabOrder(design);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(byName.value(FromView(order[i - 1]->name)), byName.value(FromView(order[i]->name)));
    byName.value(FromView(design.startingFocus))->setFocus();

    LayOut();

    connect(command1_, &QPushButton::clicked, this, &Form_Sorvane::CalculateAndShow);
    connect(mnAbout_, &QAction::triggered, this, &Form_Sorvane::ShowAboutWindow);
}

Form_Sorvane::~Form_Sorvane()
{
    // The About window has no owner; if it is still open when the program ends, it goes too.
    delete about_.data();
}

void Form_Sorvane::SetAvailableScreenSize(const QSize& size)
{
    availableScreenSize_ = size;
    LayOut();
}

// How far the design may grow before the window no longer fits its screen.
double Form_Sorvane::LargestFactor(double pixelsPerTwip) const
{
    QSize room = availableScreenSize_;
    if (!room.isValid() && screen() != nullptr) room = screen()->availableGeometry().size();
    const PixelSize frame{kDecorationAcross, kDecorationDown + menuBar()->sizeHint().height()};
    return sorvane::LargestFactor(MainWindowDesign(), pixelsPerTwip, {room.width(), room.height()}, frame);
}

// The controls keep the desktop's text size, and the design grows to hold it;
// the menu bar and the messages keep the desktop's font as it is.
void Form_Sorvane::LayOut()
{
    const WindowDesign& design = MainWindowDesign();
    const double designScale = PixelsPerTwip(kDesignDpi);
    const TextInsets insets =
        StyleInsets(*command1_, DesignRect(ControlFor(design, ControlRole::Command).twips).size(),
                    *Field(TextField::Text_Code), DesignRect(FieldControl(design, TextField::Text_Code).twips).size());
    QtTextMeasurer measurer(font(), centralWidget());
    const LayoutFit fit = FitLayout(measurer, TextRooms(design, designScale, insets), LargestFactor(designScale));

    // Every attribute set, so that nothing of a later desktop font reaches the
    // controls before the window is laid out for it.
    QFont controls = measurer.FontFor(fit.font);
    controls.setResolveMask(QFont::AllPropertiesResolved);
    centralWidget()->setFont(controls);
    for (const auto& [widget, entry] : placed_) {
        const QRect at = DesignRect(entry->twips, fit.factor);
        if (widget == picture_) picture_->Place(at);
        else widget->setGeometry(at);
    }
    const QSize client = DesignRect(design.client, fit.factor).size();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

void Form_Sorvane::changeEvent(QEvent* event)
{
    // A desktop font changed while the program runs reaches the window, not its controls.
    if (event->type() == QEvent::FontChange) LayOut();
    QMainWindow::changeEvent(event);
}

QLineEdit* Form_Sorvane::Field(TextField field) const { return fields_.value(int(field)); }

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

DrawingBox& Form_Sorvane::Picture_Airfoil() { return picture_->Drawing(); }

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

}  // namespace sorvane::qt
