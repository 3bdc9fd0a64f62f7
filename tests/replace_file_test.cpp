#include "output/replace_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#endif

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::FilesIn;
using testing::ReadWholeFile;
using testing::TempFolder;
using testing::Utf8;

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

// Folders in Latin, Greek and CJK script, as users name them.
TEST(ReplaceFileContents, WritesAndReplacesInFoldersNamedInAnyScript)
{
    TempFolder folder;
    for (const char8_t* name : {u8"Jürgen", u8"Πτέρυγα", u8"数据"}) {
        const fs::path place = folder.path() / fs::path(name);
        fs::create_directory(place);
        const fs::path file = place / "airfoil.txt";
        ASSERT_FALSE(ReplaceFileContents(file, "first")) << Utf8(place);
        ASSERT_FALSE(ReplaceFileContents(file, "second")) << Utf8(place);
        EXPECT_EQ(ReadWholeFile(file), "second");
        EXPECT_EQ(FilesIn(place), std::vector<std::string>{"airfoil.txt"});

        // The message shows the folder's name as it is, in UTF-8.
        fs::create_directory(place / "in the way");
        const auto failure = ReplaceFileContents(place / "in the way", "text");
        ASSERT_TRUE(failure);
        EXPECT_NE(failure->find(Utf8(place / "in the way")), std::string::npos) << *failure;
    }
}

TEST(ReplaceFileContents, FileHoldingTheTemporaryNameIsLeftAlone)
{
    TempFolder folder;
    const fs::path file = folder / "airfoil.txt";
    WriteText(TemporaryName(file, 0), "someone else's");

    ASSERT_FALSE(ReplaceFileContents(file, "new section"));
    EXPECT_EQ(ReadWholeFile(file), "new section");
    EXPECT_EQ(ReadWholeFile(TemporaryName(file, 0)), "someone else's");
    EXPECT_EQ(FilesIn(folder.path()).size(), 2u);
}

#ifndef _WIN32

// Every name below a folder with what it is: a link's target, a file's bytes.
std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        if (entry.is_symlink()) seen[name] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory()) seen[name] = "folder";
        else seen[name] = "file: " + ReadWholeFile(entry.path());
    }
    return seen;
}

struct LinkCase {
    const char* name;
    // Lays out the folder around airfoil.txt; gives where the text must land.
    std::function<fs::path(const fs::path& folder)> layOut;
};

TEST(ReplaceFileContents, FollowsLinksAndLeavesThemInPlace)
{
    const std::vector<LinkCase> cases = {
        {"relative link",
         [](const fs::path& f) {
             WriteText(f / "cad" / "wing.txt", "old");
             fs::create_symlink("cad/wing.txt", f / "airfoil.txt");
             return f / "cad" / "wing.txt";
         }},
        {"absolute link",
         [](const fs::path& f) {
             WriteText(f / "cad" / "wing.txt", "old");
             fs::create_symlink(f / "cad" / "wing.txt", f / "airfoil.txt");
             return f / "cad" / "wing.txt";
         }},
        {"chain, each link relative to its own folder",
         [](const fs::path& f) {
             WriteText(f / "cad" / "wing.txt", "old");
             fs::create_symlink("cad/hop", f / "airfoil.txt");
             fs::create_symlink("wing.txt", f / "cad" / "hop");
             return f / "cad" / "wing.txt";
         }},
        {"dangling link",
         [](const fs::path& f) {
             fs::create_symlink("cad/new.txt", f / "airfoil.txt");
             return f / "cad" / "new.txt";
         }},
    };
    for (const LinkCase& c : cases) {
        TempFolder folder;
        fs::create_directory(folder / "cad");
        const fs::path landing = c.layOut(folder.path());
        const fs::path link = fs::read_symlink(folder / "airfoil.txt");

        ASSERT_FALSE(ReplaceFileContents(folder / "airfoil.txt", "new section")) << c.name;
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "airfoil.txt"))) << c.name;
        EXPECT_EQ(fs::read_symlink(folder / "airfoil.txt"), link) << c.name;
        EXPECT_EQ(ReadWholeFile(landing), "new section") << c.name;
        for (const auto& [name, what] : Snapshot(folder.path()))
            EXPECT_EQ(name.find(".tmp-"), std::string::npos) << c.name << ": " << name;
    }
}

TEST(ReplaceFileContents, FailuresChangeNothing)
{
    struct Failure {
        const char* name;
        std::function<void(const fs::path& folder)> layOut;
        const char* reason;
    };
    const std::vector<Failure> cases = {
        {"link loop",
         [](const fs::path& f) {
             fs::create_symlink("other", f / "airfoil.txt");
             fs::create_symlink("airfoil.txt", f / "other");
         },
         "Too many levels of symbolic links"},
        {"chain of 41 links",
         [](const fs::path& f) {
             WriteText(f / "end.txt", "old");
             fs::create_symlink("hop1", f / "airfoil.txt");
             for (int i = 1; i <= 40; ++i)
                 fs::create_symlink(i == 40 ? "end.txt" : "hop" + std::to_string(i + 1),
                                    f / ("hop" + std::to_string(i)));
         },
         "Too many levels of symbolic links"},
        {"link into a folder that does not exist",
         [](const fs::path& f) { fs::create_symlink("nowhere/airfoil.txt", f / "airfoil.txt"); },
         "No such file or directory"},
        {"folder in the way",
         [](const fs::path& f) { fs::create_directory(f / "airfoil.txt"); },
         "Is a directory"},
    };
    for (const Failure& c : cases) {
        TempFolder folder;
        c.layOut(folder.path());
        const auto before = Snapshot(folder.path());

        const auto failure = ReplaceFileContents(folder / "airfoil.txt", "new section");
        ASSERT_TRUE(failure) << c.name;
        EXPECT_TRUE(failure->starts_with("Could not write " + (folder / "airfoil.txt").string()))
            << *failure;
        EXPECT_NE(failure->find(std::string(": ") + c.reason + "."), std::string::npos) << *failure;
        // None of these had a file to keep.
        EXPECT_EQ(failure->find("previous"), std::string::npos) << *failure;
        EXPECT_EQ(Snapshot(folder.path()), before) << c.name;
    }
}

TEST(ReplaceFileContents, MessageNamesTheLinkAndTheFileItPointsTo)
{
    TempFolder folder;
    fs::create_directory(folder / "cad");
    fs::create_directory(folder / "cad" / "wing.txt");
    fs::create_symlink("cad/wing.txt", folder / "airfoil.txt");
    const auto failure = ReplaceFileContents(folder / "airfoil.txt", "text");
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Could not write " + (folder / "airfoil.txt").string() + " (a link to "
                            + (folder / "cad" / "wing.txt").string() + "): Is a directory.");
}

TEST(ReplaceFileContents, WorkingFolderRemovedWhileRunning)
{
    TempFolder folder;
    const fs::path previous = fs::current_path();
    fs::create_directory(folder / "gone");
    fs::current_path(folder / "gone");
    fs::remove(folder / "gone");
    const auto failure = ReplaceFileContents("airfoil.txt", "text");
    fs::current_path(previous);

    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Could not write airfoil.txt: No such file or directory.");
    EXPECT_TRUE(FilesIn(folder.path()).empty());
}

TEST(ReplaceFileContents, KeepsPermissionsAndOwner)
{
    for (const mode_t mode : {0600, 0640, 0664}) {
        TempFolder folder;
        const fs::path file = folder / "airfoil.txt";
        WriteText(file, "old");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        const bool root = ::geteuid() == 0;
        if (root) {
            ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
        }

        ASSERT_FALSE(ReplaceFileContents(file, "new"));
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, mode);
        if (root) {
            EXPECT_EQ(status.st_uid, 1234u);
            EXPECT_EQ(status.st_gid, 5678u);
        }
    }

    // A new file gets 0666 less the umask.
    TempFolder folder;
    const mode_t previous = ::umask(027);
    const auto failure = ReplaceFileContents(folder / "airfoil.txt", "new");
    ::umask(previous);
    ASSERT_FALSE(failure);
    struct stat status {};
    ASSERT_EQ(::stat((folder / "airfoil.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// A small tmpfs of its own, mounted for as long as it lives (root only).
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& at) : at_(at)
    {
        fs::create_directory(at_);
        const std::string command =
            "mount -t tmpfs -o size=8k sorvane-test '" + at_.string() + "' 2>/dev/null";
        mounted_ = ::geteuid() == 0 && std::system(command.c_str()) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_) std::system(("umount '" + at_.string() + "'").c_str());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }

private:
    fs::path at_;
    bool mounted_ = false;
};

TEST(ReplaceFileContents, FullDiskKeepsThePreviousFile)
{
    TempFolder folder;
    SmallDisk disk(folder / "disk");
    if (!disk.mounted()) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const fs::path file = folder / "disk" / "airfoil.txt";
    WriteText(file, "earlier section");

    // The temporary file opens, and the disk fills while it is written.
    const auto failure = ReplaceFileContents(file, std::string(64 * 1024, 'x'));
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Could not write " + file.string()
                            + ": No space left on device. The previous file is unchanged.");
    EXPECT_EQ(ReadWholeFile(file), "earlier section");
    EXPECT_EQ(FilesIn(folder / "disk"), std::vector<std::string>{"airfoil.txt"});
    EXPECT_FALSE(ReplaceFileContents(file, "fits"));
}

#endif

}  // namespace
}  // namespace sorvane
