// A day of use of the Qt window, in one process under a real display: About
// opened and closed, and the button pressed, many times over, with the
// process's resident memory and its count of top-level windows after each
// part. A tenth of each part runs first, so that what is made once is made.
//   day_of_use_probe CALCULATIONS ABOUTS   (in a scratch folder: it writes airfoil.txt)
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "bench/process_status.h"
#include "ui/form_sorvane.h"

namespace {

// Everything the events so far asked for, closed windows deleted included.
void Settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

void Report(const char* after)
{
    Settle();
    std::printf("%-24s rss_kb=%ld top_level_widgets=%lld\n", after, StatusKilobytes("VmRSS:"),
                static_cast<long long>(QApplication::topLevelWidgets().size()));
    std::fflush(stdout);
}

void OpenAndCloseAbout(QAction& about, int times)
{
    for (int i = 0; i < times; ++i) {
        about.trigger();
        Settle();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("Form_About")) window->close();
        Settle();
    }
}

void Calculate(QAbstractButton& button, int times)
{
    for (int i = 0; i < times; ++i) {
        button.click();
        QApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
    const int calculations = argc > 1 ? std::atoi(argv[1]) : 3000;
    const int abouts = argc > 2 ? std::atoi(argv[2]) : 300;
    sorvane::qt::Form_Sorvane window;
    window.show();
    Settle();
    auto* button = window.findChild<QAbstractButton*>(QStringLiteral("Command1"));
    auto* about = window.findChild<QAction*>(QStringLiteral("Mn_About"));
    if (button == nullptr || about == nullptr) {
        std::fprintf(stderr, "the window has no Command1 or Mn_About\n");
        return 1;
    }
    Calculate(*button, calculations / 10);
    OpenAndCloseAbout(*about, abouts / 10);
    Report("start");
    Calculate(*button, calculations);
    Report("after calculations");
    OpenAndCloseAbout(*about, abouts);
    Report("after About openings");
    return 0;
}
