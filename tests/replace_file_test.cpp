#include "output/replace_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#endif

namespace sorvane {
namespace {

namespace fs = std::filesystem;
using testing::FilesIn;
using testing::ReadWholeFile;
using testing::TempFolder;

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

// Every name below a folder with what it is: a link's target, a file's bytes
// and permissions, or its kind (a pipe is never opened: that could wait forever).
std::map<std::string, std::string> Snapshot(const fs::path& folder)
{
    std::map<std::string, std::string> seen;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        const fs::file_status status = entry.symlink_status();
        switch (status.type()) {
        case fs::file_type::symlink: seen[name] = "link to " + fs::read_symlink(entry.path()).string(); break;
        case fs::file_type::directory: seen[name] = "folder"; break;
        case fs::file_type::regular:
            seen[name] = "file " + std::to_string(int(status.permissions())) + ": " + ReadWholeFile(entry.path());
            break;
        default: seen[name] = "kind " + std::to_string(int(status.type()));
        }
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

// The save run by the ordinary user nobody in a child process (root only):
// what it answered, "saved" or the message.
std::string SaveAsNobody(const fs::path& file)
{
    int channel[2];
    if (::pipe(channel) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        const auto failure = ReplaceFileContents(file, "new section");
        const std::string answer = failure ? *failure : "saved";
        if (::write(channel[1], answer.data(), answer.size()) < 0) ::_exit(3);
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string answer;
    char buffer[512];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, got);
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return answer;
}

// A null device: one of its own where root may make it, so that a save that
// wrongly followed the link could never replace the system's /dev/null.
fs::path NullDevice(const fs::path& folder)
{
    const fs::path own = folder / "null";
    if (::mknod(own.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return own;
    return "/dev/null";
}

void MakeSocket(const fs::path& at)
{
    const int handle = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, at.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << at;
    ::close(handle);
}

TEST(ReplaceFileContents, ProtectedAndSpecialTargetsAreRefusedAndKept)
{
    struct Target {
        const char* name;
        std::function<void(const fs::path& folder)> layOut;
        const char* reason;
        const char* ending;
        bool asNobody = false;  // run as an ordinary user (needs root to become one)
    };
    const auto readOnly = [](const fs::path& file) {
        WriteText(file, "kept section");
        fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    };
    const char* kept = " The previous file is unchanged.";
    const char* left = " It is left as it was.";
    const std::vector<Target> cases = {
        {"read-only 0444", [&](const fs::path& f) { readOnly(f / "airfoil.txt"); },
         "the file is read-only", kept},
        {"read-only behind a link",
         [&](const fs::path& f) {
             readOnly(f / "cad" / "wing.txt");
             fs::create_symlink("cad/wing.txt", f / "airfoil.txt");
         },
         "the file is read-only", kept},
        {"named pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo((f / "airfoil.txt").c_str(), 0644), 0); },
         "it is a named pipe, not a plain file", left},
        {"link to a null device",
         [](const fs::path& f) { fs::create_symlink(NullDevice(f / "cad"), f / "airfoil.txt"); },
         "it is a character device, not a plain file", left},
        {"socket", [](const fs::path& f) { MakeSocket(f / "airfoil.txt"); },
         "it is a socket, not a plain file", left},
        {"read-only 0444, as an ordinary user",
         [&](const fs::path& f) {
             readOnly(f / "airfoil.txt");
             ASSERT_EQ(::chown((f / "airfoil.txt").c_str(), 65534, 65534), 0);
         },
         "the file is read-only", kept, true},
        {"someone else's 0644 file in a shared folder, as an ordinary user",
         [](const fs::path& f) {
             WriteText(f / "airfoil.txt", "kept section");
             ASSERT_EQ(::chown((f / "airfoil.txt").c_str(), 1234, 1234), 0);
         },
         "the file is read-only", kept, true},
    };
    for (const Target& c : cases) {
        if (c.asNobody && ::geteuid() != 0) continue;  // the plain cases already run as this user
        TempFolder folder;
        fs::create_directory(folder / "cad");
        fs::permissions(folder.path(), fs::perms::all);  // a folder anyone may write in
        c.layOut(folder.path());
        const auto before = Snapshot(folder.path());
        // A reader that opens the pipe meanwhile must get nothing.
        const int reader = fs::is_fifo(folder / "airfoil.txt")
                               ? ::open((folder / "airfoil.txt").c_str(), O_RDONLY | O_NONBLOCK)
                               : -1;

        const fs::path file = folder / "airfoil.txt";
        const std::string answer = c.asNobody ? SaveAsNobody(file) : ReplaceFileContents(file, "new").value_or("saved");
        char byte;
        const ssize_t heard = reader >= 0 ? ::read(reader, &byte, 1) : 0;
        if (reader >= 0) ::close(reader);

        EXPECT_TRUE(answer.starts_with("Could not write " + file.string())) << c.name << ": " << answer;
        EXPECT_TRUE(answer.ends_with(std::string(": ") + c.reason + "." + c.ending)) << c.name << ": " << answer;
        EXPECT_EQ(Snapshot(folder.path()), before) << c.name;
        EXPECT_LE(heard, 0) << c.name;
    }
}

TEST(ReplaceFileContents, FileMadeReadOnlyBetweenTwoSavesIsRefusedTheSecondTime)
{
    TempFolder folder;
    const fs::path file = folder / "airfoil.txt";
    ASSERT_FALSE(ReplaceFileContents(file, "first"));
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto failure = ReplaceFileContents(file, "second");
    ASSERT_TRUE(failure);
    EXPECT_EQ(*failure, "Could not write " + file.string()
                            + ": the file is read-only. The previous file is unchanged.");
    EXPECT_EQ(ReadWholeFile(file), "first");
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
