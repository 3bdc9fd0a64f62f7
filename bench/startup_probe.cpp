// Start-up probe: shows a main window and, once it has been painted, prints the
// wall-clock time (ns since the epoch) and the process's peak memory, then
// quits. Built twice: around Sorvane's main window, and around a bare
// QMainWindow of the same size, so the two can be compared in one run.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "bench/process_status.h"
#include "design/window_design.h"
#ifdef SORVANE_PROBE
#include "ui/form_sorvane.h"
#endif

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // Report once the whole window has been painted and flushed.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("painted_ns=%lld peak_kb=%ld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            StatusKilobytes("VmHWM:"));
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
#ifdef SORVANE_PROBE
    sorvane::qt::Form_Sorvane window;
#else
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    window.menuBar()->addAction(QStringLiteral("About"));
    const sorvane::PixelRect client =
        sorvane::ToPixels(sorvane::MainWindowDesign().client, sorvane::PixelsPerTwip(sorvane::kDesignDpi));
    window.resize(client.width, client.height + window.menuBar()->sizeHint().height());
#endif
    FirstPaint watcher;
    window.installEventFilter(&watcher);
    window.show();
    return app.exec();
}
