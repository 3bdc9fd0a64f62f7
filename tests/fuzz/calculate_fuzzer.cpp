// Feeds arbitrary texts to the number reader and to the whole Calculate
// command: the input's first line is the code text, the rest the count text.
// Any crash, sanitizer report or broken promise below ends the run.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "command/calculate_and_show.h"
#include "core/number_reader.h"
#include "fakes.h"
#include "output/write_coords.h"

namespace {

void Require(bool promise)
{
    if (!promise) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static sorvane::testing::TempFolder folder;
    static sorvane::SectionState state;  // kept across inputs, as in the program

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Require(!std::isnan(sorvane::ReadLeadingNumber(text)));

    const std::size_t lineEnd = text.find('\n');
    const std::string code(text.substr(0, lineEnd));
    const std::string count(lineEnd == std::string_view::npos ? "" : text.substr(lineEnd + 1));

    sorvane::testing::FakeForm form(code, count);
    const auto file = folder / sorvane::kCoordFileName;
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    sorvane::CalculateAndShow(form, state, file, sorvane::SyncToDisk::No);

    Require(form.messages.size() <= 1);
    Require(form.box.AllFinite());
    if (form.messages.empty()) {
        Require(form.box.clears == 1);
        Require(std::filesystem::exists(file));
        for (int i = 1; i < sorvane::kArrayCells; ++i) {
            if (state.X[i]) Require(*state.X[i] >= 0 && *state.X[i] <= 1 && std::isfinite(*state.Y[i]));
        }
    } else {
        Require(form.box.clears == 0 && !std::filesystem::exists(file));
    }
    return 0;
}
