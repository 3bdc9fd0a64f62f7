#include "ui/form_sorvane.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <limits>

#include "command/calculate_and_show.h"
#include "design/window_layout.h"
#include "output/save_failure.h"
#include "ui/airfoil_picture.h"
#include "ui/design_to_qt.h"
#include "ui/form_about.h"
#include "ui/qt_text_measurer.h"
#include "ui/sorvane_icon.h"

namespace sorvane::qt {
namespace {

// Room for a title bar and borders round the client area and its menu bar, as window managers draw them.
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

void TellLater(QWidget* window, const char* reason) noexcept
{
    try {
        const QString message = QString::fromStdString(StepFailure(reason));
        QTimer::singleShot(0, qApp, [window = QPointer<QWidget>(window), message] { ShowMessageBox(window, message); });
    } catch (...) {
        // Memory has run out even for the message: the console is all that is left.
        std::fputs("sorvane: a step failed, and so did its message\n", stderr);
    }
}

}  // namespace

void ShowMessageBox(QWidget* window, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Sorvane"), text, QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    // Some styles put an icon on dialog buttons; this box has none anywhere.
    if (QAbstractButton* ok = box.button(QMessageBox::Ok)) ok->setIcon(QIcon());
    box.exec();
}

void Guarded(QWidget* window, const std::function<void()>& handler) noexcept
{
    try {
        handler();
    } catch (const std::exception& error) {
        TellLater(window, error.what());
    } catch (...) {
        TellLater(window, "");
    }
}

Form_Sorvane::Form_Sorvane(QWidget* parent) : QMainWindow(parent)
{
    const WindowDesign& design = MainWindowDesign();
    setObjectName(QStringLiteral("Form_Sorvane"));
    setWindowTitle(FromView(design.title));
    setWindowIcon(SorvaneIcon());

    auto* client = new QWidget(this);
    setCentralWidget(client);

    for (const ControlSpec& entry : design.controls) {
        QWidget* widget =
            MakeControl(entry, entry.parent.empty() ? client : widgets_.value(&NamedControl(design, entry.parent)));
        widget->setObjectName(FromView(entry.name));
        if (!entry.accessibleName.empty()) widget->setAccessibleName(FromView(entry.accessibleName));
        widgets_.insert(&entry, widget);
    }
    picture_ = static_cast<AirfoilPicture*>(widgets_.value(&ControlFor(design, ControlRole::Plot)));
    command1_ = static_cast<QPushButton*>(widgets_.value(&ControlFor(design, ControlRole::Command)));
    mnAbout_ = menuBar()->addAction(FromView(design.menuItem));
    mnAbout_->setObjectName(QStringLiteral("Mn_About"));

    for (const ControlSpec& entry : design.controls)
        if (entry.onTop) widgets_.value(&entry)->raise();

    // Enter in a field runs nothing: the window has no default button.
    command1_->setAutoDefault(false);
    command1_->setDefault(false);

    const std::vector<const ControlSpec*> order = TabOrder(design);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(widgets_.value(order[i - 1]), widgets_.value(order[i]));
    widgets_.value(&NamedControl(design, design.startingFocus))->setFocus();

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

// The controls keep the desktop's text size, and the design grows to hold it as far as the screen allows; the
// menu bar and the messages keep the desktop's font as it is.
void Form_Sorvane::LayOut()
{
    const WindowDesign& design = MainWindowDesign();
    QSize screenRoom = availableScreenSize_;
    if (!screenRoom.isValid() && screen() != nullptr) screenRoom = screen()->availableGeometry().size();
    const WindowRoom room{
        .insets = StyleInsets(*command1_, DesignRect(ControlFor(design, ControlRole::Command).twips).size(),
                              *Field(TextField::Text_Code),
                              DesignRect(FieldControl(design, TextField::Text_Code).twips).size()),
        .screen = {screenRoom.width(), screenRoom.height()},
        .frame = {kDecorationAcross, kDecorationDown + menuBar()->sizeHint().height()},
    };
    QtTextMeasurer measurer(font(), centralWidget());
    const PlacedWindow placed = LayOutWindow(design, measurer, room);

    // Every attribute set: nothing of a later desktop font reaches the controls before the window is laid out for it.
    QFont controls = measurer.FontFor(placed.fit.font);
    controls.setResolveMask(QFont::AllPropertiesResolved);
    centralWidget()->setFont(controls);
    for (const PlacedControl& control : placed.controls) {
        const QRect at = ToQRect(placed.InParent(control));
        if (QWidget* widget = widgets_.value(control.control); widget == picture_) picture_->Place(at);
        else widget->setGeometry(at);
    }
    resize(placed.client.width, placed.client.height + menuBar()->sizeHint().height());
}

void Form_Sorvane::changeEvent(QEvent* event)
{
    // A desktop font changed while the program runs reaches the window, not its controls.
    if (event->type() == QEvent::FontChange) Guarded(this, [this] { LayOut(); });
    QMainWindow::changeEvent(event);
}

QLineEdit* Form_Sorvane::Field(TextField field) const
{
    return static_cast<QLineEdit*>(widgets_.value(&FieldControl(MainWindowDesign(), field)));
}

std::string Form_Sorvane::Text(TextField field) const { return Field(field)->text().toStdString(); }

void Form_Sorvane::SetText(TextField field, const std::string& text)
{
    Field(field)->setText(QString::fromStdString(text));
}

void Form_Sorvane::ShowMessage(const std::string& message) { ShowMessageBox(this, QString::fromStdString(message)); }

std::string Form_Sorvane::DecimalSeparator() const
{
    return QLocale::system().decimalPoint().toStdString();
}

DrawingBox& Form_Sorvane::Picture_Airfoil() { return picture_->Drawing(); }

void Form_Sorvane::DescribePlot(const std::string& description)
{
    picture_->setAccessibleDescription(QString::fromStdString(description));
}

void Form_Sorvane::CalculateAndShow()
{
    Guarded(this, [this] { sorvane::CalculateAndShow(*this); });
}

void Form_Sorvane::ShowAboutWindow()
{
    Guarded(this, [this] {
        if (!about_) about_ = new Form_About;
        about_->setWindowState(about_->windowState() & ~Qt::WindowMinimized);
        about_->show();
        about_->raise();
        about_->activateWindow();
    });
}

}  // namespace sorvane::qt
