#include "output/save_failure.h"

namespace sorvane {
namespace {

std::string_view LeftSentence(LeftBehind left)
{
    switch (left) {
    case LeftBehind::Unsaid: return "";
    case LeftBehind::PreviousFile: return " The previous file is unchanged.";
    case LeftBehind::AsItWas: return " It is left as it was.";
    case LeftBehind::NoFile: return " No airfoil.txt was left there.";
    case LeftBehind::EmptyFile: return " An empty airfoil.txt was left there.";
    }
    return "";
}

}  // namespace

std::string SaveFailure(std::string_view what, std::string_view reason, LeftBehind left)
{
    std::string message = "Could not write ";
    message += what;
    message += ": ";
    message += reason;
    message += ".";
    message += LeftSentence(left);
    return message;
}

std::string StepFailure(std::string_view reason)
{
    std::string message = "Sorvane could not complete that step";
    // A reason that is a sentence of its own (as a browser's often are) gets no second full stop.
    if (reason.ends_with('.')) reason.remove_suffix(1);
    if (!reason.empty()) {
        message += ": ";
        message += reason;
    }
    return message + ". The window may need to be opened again.";
}

}  // namespace sorvane
