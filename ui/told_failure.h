#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace sorvane::qt {

// The program's message box: plain text, no icon anywhere, modal to its window.
void ShowMessageBox(QWidget* window, const QString& text);

// Runs a handler of a window. Qt's event loop takes no exception: what the
// handler throws is told in the program's one message for a failed step, once
// the handler has returned, so that no message box's loop runs inside a
// handler whose state is unknown.
void Guarded(QWidget* window, const std::function<void()>& handler) noexcept;

}  // namespace sorvane::qt
