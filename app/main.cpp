#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "output/save_failure.h"
#include "ui/design_to_qt.h"
#include "ui/form_sorvane.h"
#include "ui/sorvane_icon.h"

namespace {

QtMessageHandler toolkitMessages = nullptr;
QString platformReason;

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;

// The variable as the environment has it: "DISPLAY=:1" or "DISPLAY unset".
QString Variable(const char* name)
{
    const QByteArray value = qgetenv(name);
    return QString::fromLatin1(name) + (value.isEmpty() ? QStringLiteral(" unset") : "=" + QString::fromLocal8Bit(value));
}

// While the toolkit opens its display. A display it cannot open ends Qt with a
// core dump and advice to reinstall; say instead, in one line, what is missing.
void StartingMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platform = QByteArray(context.category).startsWith("qt.qpa");
    if (type == QtFatalMsg) {
        QString line;
        if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            line = QStringLiteral("sorvane: no display to open a window on: neither DISPLAY (X11) nor "
                                  "WAYLAND_DISPLAY (Wayland) is set");
        else
            line = QStringLiteral("sorvane: cannot open a window on the display (%1, %2)%3")
                       .arg(Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"),
                            platformReason.isEmpty() ? QString() : ": " + platformReason);
        std::fprintf(stderr, "%s\n", qPrintable(line));
        std::fflush(stderr);
        std::_Exit(1);
    }
    // The platform's own account of a failure goes into that one line; the
    // rest waits until the display is open.
    if (platform) {
        if (platformReason.isEmpty()) platformReason = message.simplified();
        return;
    }
    heldMessages.append({type, context.category, message});
}

void PassOnHeldMessages()
{
    qInstallMessageHandler(toolkitMessages);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.constData());
        toolkitMessages(held.type, context, held.text);
    }
    heldMessages.clear();
}

}  // namespace

int main(int argc, char* argv[])
{
    toolkitMessages = qInstallMessageHandler(StartingMessages);
    QApplication app(argc, argv);
    PassOnHeldMessages();
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
    // Ties the windows to the desktop entry, so docks and Wayland compositors know them.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Sorvane"));
    // Message boxes too carry the program's icon.
    QApplication::setWindowIcon(sorvane::qt::SorvaneIcon());

    // The program ends when its last window closes, the About window included.
    std::optional<sorvane::qt::Form_Sorvane> window;
    try {
        window.emplace();
    } catch (...) {
        sorvane::qt::ShowMessageBox(nullptr, sorvane::qt::FromView(sorvane::kStartFailure));
        return 1;
    }
    window->show();
    return app.exec();
}
