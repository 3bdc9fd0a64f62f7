#pragma once

#include <QMainWindow>
#include <QPointer>

#include "command/section_form.h"
#include "ui/caption_font.h"

class QAction;
class QLineEdit;
class QPushButton;

namespace sorvane {

class AirfoilPicture;
class Form_About;

// The main window: two inputs, three results, the button that runs the
// Calculate command, the drawing box and the About menu entry. It only wires
// these to the command; controls keep their fixed places when it is resized.
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

protected:
    void changeEvent(QEvent* event) override;

private slots:
    void CalculateAndShow();
    void ShowAboutWindow();

private:
    QLineEdit* Field(TextField field) const;
    void FitCaptionFont();

    QLineEdit* textN1_;
    QLineEdit* textCode_;
    QLineEdit* textFCR_;
    QLineEdit* textTCR_;
    QLineEdit* textCCR_;
    AirfoilPicture* picture_;
    QPushButton* command1_;
    QAction* mnAbout_;
    QPointer<Form_About> about_;
    QList<CaptionRoom> captionRooms_;
};

}  // namespace sorvane
