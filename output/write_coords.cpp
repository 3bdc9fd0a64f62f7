#include "output/write_coords.h"

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "core/plain_decimal.h"

#ifdef _WIN32
#include <process.h>
#define SORVANE_PROCESS_ID _getpid
#else
#include <unistd.h>
#define SORVANE_PROCESS_ID getpid
#endif

namespace sorvane {
namespace {

std::string DigitGroup(const Cell& digits, std::size_t width)
{
    std::string text = RoundedPlainDecimal(CellValue(digits), 0);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return text;
}

std::string Failure(const std::filesystem::path& file, const std::string& reason)
{
    return "Could not write " + file.filename().string() + ": " + reason
           + ". The previous file is unchanged.";
}

std::string SystemReason(int error)
{
    return error != 0 ? std::generic_category().message(error) : "unknown error";
}

// Opens a new file beside the target that no one else is using ("x": fail if
// it exists). Text mode, so '\n' becomes the platform's line end.
std::FILE* OpenTemporary(const std::filesystem::path& file, std::filesystem::path& temporary,
                         int& error)
{
    const std::string base =
        file.string() + ".tmp-" + std::to_string(static_cast<long long>(SORVANE_PROCESS_ID()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = base + "-" + std::to_string(attempt);
        errno = 0;
        if (std::FILE* stream = std::fopen(temporary.string().c_str(), "wx")) return stream;
        error = errno;
        if (error != EEXIST) return nullptr;
    }
    return nullptr;
}

}  // namespace

std::string PrintedNumber(const std::string& plainText)
{
    if (!plainText.empty() && plainText.front() == '-') return plainText + " ";
    return " " + plainText + " ";
}

std::string SectionName(const SectionState& state)
{
    return "NACA " + DigitGroup(state.CamberDigit, 1) + DigitGroup(state.PositionDigit, 1)
           + DigitGroup(state.ThicknessDigits, 2);
}

std::string CoordsText(const CoordArray& X, const CoordArray& Y, const SectionState& state)
{
    const double numPoints = CellValue(state.NumPoints);
    std::string text = SectionName(state) + "\n";
    text += PrintedNumber(ShortestPlainDecimal(numPoints)) + "\n";
    for (int i = 1; i <= numPoints && i < kArrayCells; ++i) {
        text += PrintedNumber(std::to_string(i));
        text += "   ";
        text += PrintedNumber(RoundedPlainDecimal(CellValue(X[i]), 5));
        text += "   ";
        text += PrintedNumber(RoundedPlainDecimal(CellValue(Y[i]), 5));
        text += "\n";
    }
    return text;
}

std::optional<std::string> WriteCoords(const CoordArray& X, const CoordArray& Y,
                                       const SectionState& state,
                                       const std::filesystem::path& file)
{
    const std::string text = CoordsText(X, Y, state);

    std::filesystem::path temporary;
    int error = 0;
    std::FILE* stream = OpenTemporary(file, temporary, error);
    if (stream == nullptr) return Failure(file, SystemReason(error));

    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size()
                         && std::fflush(stream) == 0;
    error = errno;
    const bool closed = std::fclose(stream) == 0;
    if (!closed && error == 0) error = errno;

    std::error_code ignored;
    if (!written || !closed) {
        std::filesystem::remove(temporary, ignored);
        return Failure(file, SystemReason(error));
    }

    std::error_code renameError;
    std::filesystem::rename(temporary, file, renameError);
    if (renameError) {
        std::filesystem::remove(temporary, ignored);
        return Failure(file, renameError.message());
    }
    return std::nullopt;
}

}  // namespace sorvane
