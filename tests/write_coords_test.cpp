#include "output/write_coords.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "core/calculate_section.h"
#include "core/plain_decimal.h"
#include "fakes.h"

namespace sorvane {
namespace {

using testing::TempFolder;

SectionState Calculated(const std::string& code, const std::string& count)
{
    SectionState state;
    EXPECT_FALSE(CalculateSection(code, count, ".", state).message) << code << " " << count;
    return state;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(CoordsText, FivePointsToTheCharacter)
{
    const SectionState s = Calculated("0012", "5");
    EXPECT_EQ(CoordsText(s.X, s.Y, s),
              "NACA 0012\n"
              " 5 \n"
              " 1     1    -0.00126 \n"
              " 2     0.5    -0.05294 \n"
              " 3     0     0 \n"
              " 4     0.5     0.05294 \n"
              " 5     1     0.00126 \n");
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
        EXPECT_EQ(CoordsText(s.X, s.Y, s), text) << count;
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
    ASSERT_FALSE(WriteCoords(s.X, s.Y, s, folder / "airfoil.txt"));

    const std::string text = testing::ReadWholeFile(folder / "airfoil.txt");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');

    std::istringstream in(text);
    std::string header;
    double count = 0;
    std::getline(in, header);
    in >> count;
    EXPECT_EQ(header, "NACA 4415");
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
    EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"airfoil.txt"});
}

TEST(WriteCoords, FolderInTheWayIsReportedAndLeftAlone)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "airfoil.txt");
    std::ofstream(folder / "airfoil.txt" / "keep") << "kept";
    const SectionState s = Calculated("0012", "5");

    const auto failure = WriteCoords(s.X, s.Y, s, folder / "airfoil.txt");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("airfoil.txt"), std::string::npos);
    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt" / "keep"), "kept");
    EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"airfoil.txt"});

    std::filesystem::remove_all(folder / "airfoil.txt");
    EXPECT_FALSE(WriteCoords(s.X, s.Y, s, folder / "airfoil.txt"));
    EXPECT_EQ(testing::ReadWholeFile(folder / "airfoil.txt"), CoordsText(s.X, s.Y, s));
}

// chattr +i makes a file or folder immutable, even for root, on file systems
// that support it.
bool SetImmutable(const std::filesystem::path& path, bool on)
{
    const std::string command = std::string("chattr ") + (on ? "+i" : "-i") + " '"
                                + path.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

TEST(WriteCoords, FileThatCannotBeReplacedKeepsItsBytes)
{
    for (const bool lockFolder : {false, true}) {
        TempFolder folder;
        const auto file = folder / "airfoil.txt";
        std::ofstream(file) << "earlier section\n";
        const auto locked = lockFolder ? folder.path() : file;
        if (!SetImmutable(locked, true)) GTEST_SKIP() << "chattr +i is refused on this file system";

        const SectionState s = Calculated("2412", "51");
        const auto failure = WriteCoords(s.X, s.Y, s, file);
        const std::vector<std::string> files = FilesIn(folder.path());
        SetImmutable(locked, false);

        ASSERT_TRUE(failure) << "lock folder: " << lockFolder;
        EXPECT_NE(failure->find("airfoil.txt"), std::string::npos);
        EXPECT_EQ(testing::ReadWholeFile(file), "earlier section\n");
        EXPECT_EQ(files, std::vector<std::string>{"airfoil.txt"});

        EXPECT_FALSE(WriteCoords(s.X, s.Y, s, file));
        EXPECT_EQ(Lines(testing::ReadWholeFile(file)).size(), 53u);
    }
}

}  // namespace
}  // namespace sorvane
