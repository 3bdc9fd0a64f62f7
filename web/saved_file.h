#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace sorvane::web {

// Hands the coordinate file, which the writer saved in the page's memory, on
// to the person: where the browser lets a page keep a folder, into the folder
// they chose at the first accepted calculation (and kept for later visits);
// elsewhere, or where the browser refuses its picker, as a download. A save
// that the browser refuses ends in the program's message, and the folder's
// previous file stays whole.
class SavedFile {
public:
    explicit SavedFile(std::function<void(const std::string& message)> report);

    // Takes the file out of the page's memory; nothing where no file was saved.
    void HandOn(const std::filesystem::path& file);
};

// The text with the line ends of the system the browser runs on.
std::string WithLineEnds(const std::string& text, bool windows);

}  // namespace sorvane::web
