#include "web/handed_on_file.h"

#include <emscripten/bind.h>

#include "output/save_failure.h"
#include "web/page.h"

extern "C" {
// page.js: into the chosen folder, or as a download.
void sorvane_hand_on(const char* bytes, int length, const char* name);
}

namespace sorvane::web {
namespace {

std::function<void(const std::string&)>& Report()
{
    static std::function<void(const std::string&)> report;
    return report;
}

// What a failed save left in the folder, as page.js found it.
LeftBehind Left(const std::string& left)
{
    if (left == "nothing") return LeftBehind::NoFile;
    if (left == "empty") return LeftBehind::EmptyFile;
    return LeftBehind::PreviousFile;
}

// Called back by page.js when the browser did not save the file: why (no
// folder chosen, the permission withdrawn or not given, the folder gone, or
// the write failed), the folder's name, the browser's own words and what is
// left in the folder.
void NotSaved(const std::string& why, const std::string& folder, const std::string& detail, const std::string& left)
{
    std::string message;
    if (why == "no-folder") {
        message = SaveFailure(kCoordFileName, "no folder was chosen for it", LeftBehind::Unsaid) +
                  " The next calculation asks for one again.";
    } else {
        std::string reason = detail;
        if (why == "withdrawn") reason = "the permission to write there was withdrawn";
        else if (why == "declined") reason = "the permission to write there was not given";
        message = SaveFailure(std::string(kCoordFileName) + " in the folder \"" + folder + "\"", reason, Left(left));
        if (why != "failed") message += " The next calculation asks for a folder again.";
    }
    if (Report()) Report()(message);
}

EMSCRIPTEN_BINDINGS(sorvane_handed_on_file) { emscripten::function("sorvaneNotSaved", &NotSaved); }

}  // namespace

HandedOnFile::HandedOnFile(std::function<void(const std::string&)> report) { Report() = std::move(report); }

LineEnd HandedOnFile::LineEnds() const
{
    return val::global("navigator")["platform"].as<std::string>().rfind("Win", 0) == 0 ? LineEnd::CrLf : LineEnd::Lf;
}

std::optional<std::string> HandedOnFile::Save(const std::string& text)
{
    sorvane_hand_on(text.data(), static_cast<int>(text.size()), kCoordFileName);
    return std::nullopt;
}

}  // namespace sorvane::web
