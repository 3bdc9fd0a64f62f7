#include "output/write_coords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/calculate_section.h"
#include "core/plain_decimal.h"
#include "fakes.h"
#include "output/saved_coord_file.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sorvane {
namespace {

using testing::TempFolder;

SectionState Calculated(const std::string& code, const std::string& count)
{
    SectionState state;
    EXPECT_FALSE(CalculateSection(code, count, ".", state).message) << code << " " << count;
    return state;
}

// The desktop's careful save of the section at a path.
std::optional<std::string> Saved(const SectionState& s, const std::filesystem::path& file)
{
    SavedCoordFile saved(file);
    return WriteCoords(s.X, s.Y, s, saved);
}

// The lines of a text in the platform's line ends.
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    const std::string end = LineEndText(kSystemLineEnd);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find(end, at);
        lines.push_back(text.substr(at, next - at));
        at = next == std::string::npos ? text.size() : next + end.size();
    }
    return lines;
}

TEST(CoordsText, FivePointsToTheCharacter)
{
    const SectionState s = Calculated("0012", "5");
    EXPECT_EQ(CoordsText(s.X, s.Y, s),
              testing::PlatformLines("NACA 0012\n"
              " 5 \n"
              " 1     1    -0.00126 \n"
              " 2     0.5    -0.05294 \n"
              " 3     0     0 \n"
              " 4     0.5     0.05294 \n"
              " 5     1     0.00126 \n"));
}

TEST(CoordsText, FiftyOnePoints)
{
    const SectionState s = Calculated("0012", "51");
    const auto lines = Lines(CoordsText(s.X, s.Y, s));
    ASSERT_EQ(lines.size(), 53u);
    EXPECT_EQ(lines[2], " 1     1    -0.00126 ");
    EXPECT_EQ(lines[27], " 26     0     0 ");
    EXPECT_EQ(lines[52], " 51     1     0.00126 ");
}

TEST(CoordsText, HeaderNamesTheDigitGroupsUsed)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"2412", "NACA 2412"}, {"0001", "NACA 0001"}, {"0412", "NACA 0412"}, {"12.7", "NACA 0012"}, {"9999", "NACA 9999"},
        {"0.5", "NACA 0000"}};
    for (const auto& [code, header] : cases) {
        const SectionState s = Calculated(code, "3");
        EXPECT_EQ(Lines(CoordsText(s.X, s.Y, s)).front(), header) << code;
    }
    // The command refuses 1005 (camber without a position), but a state that holds it still names it.
    SectionState s;
    s.CamberDigit = 1;
    s.PositionDigit = 0;
    s.ThicknessDigits = 5;
    EXPECT_EQ(SectionName(s), "NACA 1005");
}

TEST(CoordsText, CountsBelowOneGiveHeaderAndCountOnly)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0", "NACA 0012\n 0 \n"}, {"-7", "NACA 0012\n-7 \n"}, {"0.5", "NACA 0012\n 0.5 \n"}};
    for (const auto& [count, text] : cases) {
        const SectionState s = Calculated("0012", count);
        EXPECT_EQ(CoordsText(s.X, s.Y, s), testing::PlatformLines(text)) << count;
    }
}

TEST(PrintedNumber, PlainDecimalsRoundedToFivePlaces)
{
    const std::vector<std::pair<double, std::string>> cases = {
        {1.0, " 1 "},           {0.5, " 0.5 "},          {-0.05294, "-0.05294 "},
        {0.00001, " 0.00001 "}, {-0.000004, " 0 "},      {-0.0, " 0 "},
        {0.000005000001, " 0.00001 "},
        {0.015625, " 0.01562 "},  // an exact tie goes to the even neighbour
        {0.046875, " 0.04688 "},  {123.456789, " 123.45679 "}, {-1e-300, " 0 "}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(PrintedNumber(RoundedPlainDecimal(value, 5)), text) << value;
}

TEST(WriteCoords, FileRoundTripsWithLineEnds)
{
    TempFolder folder;
    const SectionState s = Calculated("4415", "199");
    ASSERT_FALSE(Saved(s, folder / "airfoil.txt"));

    // Byte for byte, the platform's line ends included.
    const std::string text = testing::ReadWholeFile(folder / "airfoil.txt");
    EXPECT_EQ(text, CoordsText(s.X, s.Y, s));
    EXPECT_TRUE(text.ends_with(LineEndText(kSystemLineEnd)));

    std::istringstream in(text);
    std::string naca, code;
    double count = 0;
    in >> naca >> code >> count;
    EXPECT_EQ(Lines(text).front(), "NACA 4415");
    EXPECT_EQ(count, 199);
    int index = 0;
    double x = 0, y = 0;
    int rows = 0;
    while (in >> index >> x >> y) {
        ++rows;
        ASSERT_EQ(index, rows);
        EXPECT_NEAR(x, *s.X[index], 5e-6);
        EXPECT_NEAR(y, *s.Y[index], 5e-6);
    }
    EXPECT_EQ(rows, 199);
    EXPECT_EQ(testing::FilesIn(folder.path()), std::vector<std::string>{"airfoil.txt"});
}

TEST(WriteCoords, FolderInTheWayIsReportedAndLeftAlone)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "airfoil.txt");
    std::ofstream(folder / "airfoil.txt" / "keep") << "kept";
    const SectionState s = Calculated("0012", "5");

    const auto failure = Saved(s, folder / "airfoil.txt");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("airfoil.txt"), std::string::npos);
    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt" / "keep"), "kept");
    EXPECT_EQ(testing::FilesIn(folder.path()), std::vector<std::string>{"airfoil.txt"});

    std::filesystem::remove_all(folder / "airfoil.txt");
    EXPECT_FALSE(Saved(s, folder / "airfoil.txt"));
    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt"), CoordsText(s.X, s.Y, s));
}

// Makes a file impossible to replace for as long as it lives, in one of two
// ways each system has: on Linux chattr +i (immutable even for root, where the
// file system supports it) on the file or on its folder; on Windows the
// read-only attribute, or the file held open by another program that shares
// nothing.
class Unreplaceable {
public:
    Unreplaceable(const std::filesystem::path& file, int way) : file_(file), way_(way)
    {
#ifdef _WIN32
        if (way_ == 0) {
            locked_ = SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_READONLY) != 0;
        } else {
            held_ = CreateFileW(file_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
            locked_ = held_ != INVALID_HANDLE_VALUE;
        }
#else
        locked_ = Chattr("+i");
#endif
    }
    ~Unreplaceable() { Release(); }
    Unreplaceable(const Unreplaceable&) = delete;
    Unreplaceable& operator=(const Unreplaceable&) = delete;

    bool locked() const { return locked_; }
    void Release()
    {
        if (!locked_) return;
        locked_ = false;
#ifdef _WIN32
        if (way_ == 0) SetFileAttributesW(file_.c_str(), FILE_ATTRIBUTE_NORMAL);
        else CloseHandle(held_);
#else
        Chattr("-i");
#endif
    }

private:
#ifndef _WIN32
    bool Chattr(const char* flag) const
    {
        const auto target = way_ == 0 ? file_ : file_.parent_path();
        const std::string command =
            std::string("chattr ") + flag + " '" + target.string() + "' 2>/dev/null";
        return std::system(command.c_str()) == 0;
    }
#endif

    std::filesystem::path file_;
    int way_;
    bool locked_ = false;
#ifdef _WIN32
    HANDLE held_ = INVALID_HANDLE_VALUE;
#endif
};

TEST(WriteCoords, FileThatCannotBeReplacedKeepsItsBytes)
{
    for (const int way : {0, 1}) {
        TempFolder folder;
        const auto file = folder / "airfoil.txt";
        std::ofstream(file, std::ios::binary) << "earlier section\n";
        Unreplaceable lock(file, way);
        if (!lock.locked()) GTEST_SKIP() << "the file cannot be locked against replacing here";

        const SectionState s = Calculated("2412", "51");
        const auto failure = Saved(s, file);
        const std::vector<std::string> files = testing::FilesIn(folder.path());
        lock.Release();

        ASSERT_TRUE(failure) << "way " << way;
        EXPECT_TRUE(failure->starts_with("Could not write " + Utf8(file) + ": "))
            << *failure;
        EXPECT_TRUE(failure->ends_with(". The previous file is unchanged.")) << *failure;
        // Read-only on Windows, immutable on Linux: either way the file may not be written.
        if (way == 0) {
            EXPECT_NE(failure->find(": the file is read-only."), std::string::npos) << *failure;
        }
        EXPECT_EQ(testing::ReadWholeFile(file), "earlier section\n");
        EXPECT_EQ(files, std::vector<std::string>{"airfoil.txt"});

        EXPECT_FALSE(Saved(s, file));
        EXPECT_EQ(Lines(testing::ReadWholeFile(file)).size(), 53u);
    }
}

}  // namespace
}  // namespace sorvane
