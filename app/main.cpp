#include <QApplication>

#include "ui/form_sorvane.h"
#include "ui/sorvane_icon.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
    // Ties the windows to the desktop entry, so docks and Wayland compositors know them.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Sorvane"));
    // Message boxes too carry the program's icon.
    QApplication::setWindowIcon(sorvane::SorvaneIcon());

    // The program ends when its last window closes, the About window included.
    sorvane::Form_Sorvane window;
    window.show();
    return app.exec();
}
