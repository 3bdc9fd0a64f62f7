#include "web/saved_file.h"

#include <emscripten/bind.h>

#include <cstdio>
#include <memory>

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
std::string Left(const std::string& left)
{
    if (left == "nothing") return "No airfoil.txt was left there.";
    if (left == "empty") return "An empty airfoil.txt was left there.";
    return "The previous file is unchanged.";
}

// Called back by page.js when the browser did not save the file: why (no
// folder chosen, the permission withdrawn or not given, the folder gone, or
// the write failed), the folder's name, the browser's own words and what is
// left in the folder.
void NotSaved(const std::string& why, const std::string& folder, const std::string& detail, const std::string& left)
{
    std::string message;
    if (why == "no-folder") {
        message = "Could not write airfoil.txt: no folder was chosen for it. The next calculation asks for one again.";
    } else {
        message = "Could not write airfoil.txt in the folder \"" + folder + "\": ";
        if (why == "withdrawn") message += "the permission to write there was withdrawn";
        else if (why == "declined") message += "the permission to write there was not given";
        else message += detail;
        message += ". " + Left(left);
        if (why != "failed") message += " The next calculation asks for a folder again.";
    }
    if (Report()) Report()(message);
}

EMSCRIPTEN_BINDINGS(sorvane_saved_file) { emscripten::function("sorvaneNotSaved", &NotSaved); }

bool RunsOnWindows()
{
    return val::global("navigator")["platform"].as<std::string>().rfind("Win", 0) == 0;
}

}  // namespace

SavedFile::SavedFile(std::function<void(const std::string&)> report) { Report() = std::move(report); }

std::string WithLineEnds(const std::string& text, bool windows)
{
    if (!windows) return text;
    std::string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') converted += '\r';
        converted += c;
    }
    return converted;
}

void SavedFile::HandOn(const std::filesystem::path& file)
{
    // The C library's files: the page has no use for the size of iostreams.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (!in) return;
    std::string text;
    char block[4096];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, in.get())) > 0;) text.append(block, got);
    // Gone from memory, so that a save that failed hands nothing on next time.
    std::remove(file.c_str());
    const std::string bytes = WithLineEnds(text, RunsOnWindows());
    sorvane_hand_on(bytes.data(), static_cast<int>(bytes.size()), file.filename().string().c_str());
}

}  // namespace sorvane::web
