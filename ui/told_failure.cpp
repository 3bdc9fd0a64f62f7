#include "ui/told_failure.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <exception>

#include "output/save_failure.h"

namespace sorvane::qt {

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
    std::string reason;
    try {
        handler();
        return;
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
    }
    const QString message = QString::fromStdString(StepFailure(reason));
    QTimer::singleShot(0, qApp, [window = QPointer<QWidget>(window), message] { ShowMessageBox(window, message); });
}

}  // namespace sorvane::qt
