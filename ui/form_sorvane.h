#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <functional>

#include "command/section_form.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace sorvane {
struct ControlSpec;
}

namespace sorvane::qt {

class AirfoilPicture;
class Form_About;

// The program's message box: plain text, no icon anywhere, modal to its window.
void ShowMessageBox(QWidget* window, const QString& text);

// Runs a handler of a window. Qt's event loop takes no exception: what it throws is told in the program's one
// message for a failed step once it has returned, so no message box's loop runs inside a handler gone wrong.
void Guarded(QWidget* window, const std::function<void()>& handler) noexcept;

// The main window: two inputs, three results, the button that runs the Calculate command, the drawing box and
// the About menu entry. It only wires these to the command. Its design grows by one factor where the desktop's
// text needs more room; resizing the window moves nothing.
class Form_Sorvane : public QMainWindow, public SectionForm {
    Q_OBJECT

public:
    explicit Form_Sorvane(QWidget* parent = nullptr);
    ~Form_Sorvane() override;

    std::string Text(TextField field) const override;
    void SetText(TextField field, const std::string& text) override;
    void ShowMessage(const std::string& message) override;
    std::string DecimalSeparator() const override;
    DrawingBox& Picture_Airfoil() override;
    void DescribePlot(const std::string& description) override;

    // Lays the window out for a screen with this much room instead of its own (a small screen, for tests).
    void SetAvailableScreenSize(const QSize& size);

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void CalculateAndShow();
    void ShowAboutWindow();

private:
    void LayOut();
    QLineEdit* Field(TextField field) const;

    QHash<const ControlSpec*, QWidget*> widgets_;
    AirfoilPicture* picture_;
    QPushButton* command1_;
    QAction* mnAbout_;
    QPointer<Form_About> about_;
    QSize availableScreenSize_;
};

}  // namespace sorvane::qt
