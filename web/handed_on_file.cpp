#include "web/handed_on_file.h"

#include "output/save_failure.h"
#include "web/page.h"

extern "C" {
// page.js: into the chosen folder, or as a download; what is refused ends in told.
void sorvane_hand_on(const char* bytes, int length, const char* name, emscripten::EM_VAL told);
}

namespace sorvane::web {
namespace {

// What a failed save left in the folder, as page.js found it.
LeftBehind Left(const std::string& left)
{
    if (left == "nothing") return LeftBehind::NoFile;
    if (left == "empty") return LeftBehind::EmptyFile;
    return LeftBehind::PreviousFile;
}

// Why the browser did not save the file (no folder chosen, the permission
// withdrawn or not given, the folder gone, or the write failed), the folder's
// name, the browser's own words and what is left in the folder.
std::string NotSaved(const std::string& why, const std::string& folder, const std::string& detail,
                     const std::string& left)
{
    if (why == "no-folder") {
        return SaveFailure(kCoordFileName, "no folder was chosen for it", LeftBehind::Unsaid) +
               " The next calculation asks for one again.";
    }
    std::string reason = detail;
    if (why == "withdrawn") reason = "the permission to write there was withdrawn";
    else if (why == "declined") reason = "the permission to write there was not given";
    std::string message = SaveFailure(std::string(kCoordFileName) + " in the folder \"" + folder + "\"", reason, Left(left));
    if (why != "failed") message += " The next calculation asks for a folder again.";
    return message;
}

std::string Field(const val& told, const char* name) { return told[name].as<std::string>(); }

}  // namespace

HandedOnFile::HandedOnFile(Reporter report)
    : told_([report](val told) {
          if (!told["failed"].isUndefined()) {
              report(StepFailure(Field(told, "failed")));
              return;
          }
          report(NotSaved(Field(told, "why"), Field(told, "folder"), Field(told, "detail"), Field(told, "left")));
      }, report)
{
}

// The platform's own name where the browser gives it (navigator.platform is
// deprecated, and frozen by some browsers); the user agent's words otherwise.
LineEnd HandedOnFile::LineEnds() const
{
    const val navigator = val::global("navigator");
    const val hints = navigator["userAgentData"];
    if (!hints.isUndefined() && !hints.isNull()) {
        const std::string platform = hints["platform"].as<std::string>();
        if (!platform.empty()) return platform == "Windows" ? LineEnd::CrLf : LineEnd::Lf;
    }
    return navigator["userAgent"].as<std::string>().find("Windows") != std::string::npos ? LineEnd::CrLf : LineEnd::Lf;
}

std::optional<std::string> HandedOnFile::Save(const std::string& text)
{
    sorvane_hand_on(text.data(), static_cast<int>(text.size()), kCoordFileName, told_.Function().as_handle());
    return std::nullopt;
}

}  // namespace sorvane::web
