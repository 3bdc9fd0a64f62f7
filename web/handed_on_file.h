#pragma once

#include <string>

#include "output/write_coords.h"
#include "web/page.h"

namespace sorvane::web {

// The coordinate file as the page hands it to the person: where the browser lets a page keep a folder, into the
// folder they chose at the first accepted calculation (and kept for later visits); elsewhere, or where the
// browser refuses its picker, as a download. Its lines end as the text files of the system the browser runs on.
// The browser saves it later, on its promises: a save it refuses ends in the program's message through report,
// and the folder's previous file stays whole.
class HandedOnFile final : public CoordFile {
public:
    explicit HandedOnFile(Reporter report);
    HandedOnFile(const HandedOnFile&) = delete;
    HandedOnFile& operator=(const HandedOnFile&) = delete;

    LineEnd LineEnds() const override;
    [[nodiscard]] std::optional<std::string> Save(const std::string& text) override;

private:
    Callback told_;
};

}  // namespace sorvane::web
