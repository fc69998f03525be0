// The complete-or-nothing file writer that every tool writes its files with:
// what is left under the name and beside it when writing succeeds, fails or
// meets a file, a link or a device that is not ours.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

#include "child_process.h"
#include "pending_file.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;

std::span<const unsigned char> Bytes(std::string_view text)
{
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

std::string ReadText(const fs::path& file)
{
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), {}};
}

void WriteText(const fs::path& file, std::string_view text)
{
    std::ofstream(file, std::ios::binary) << text;
}

unsigned PermissionBits(const fs::path& file)
{
    struct stat status{};
    if (lstat(file.c_str(), &status) != 0) return 0;
    return status.st_mode & 07777;
}

// What went wrong, or "written" when Commit returned.
std::string CommitText(const fs::path& name, std::string_view text)
{
    try {
        PendingFile(name).Commit(Bytes(text));
        return "written";
    } catch (const std::runtime_error& error) {
        return error.what();
    }
}

class PendingFileTest : public ::testing::Test {
protected:
    void SetUp() override { umaskBefore = umask(022); }
    void TearDown() override { umask(umaskBefore); }

    // Writes 4 KiB over an existing out.png in a child process that
    // `prepare` has set up for failure, and checks that the write fails for
    // `reason` and leaves the old file as the only one in the folder.
    void ExpectFailingWriteLeavesTheOldFile(const std::string& reason, const std::function<bool()>& prepare)
    {
        const fs::path name = folder / "out.png";
        WriteText(name, "old");
        const int status = ExitStatusInChild([&] {
            if (!prepare()) return 3;
            const std::string error = CommitText(name, std::string(4096, 'x'));
            return error == "cannot write '" + name.string() + "': " + reason ? 0 : 1;
        });
        EXPECT_EQ(status, 0);
        EXPECT_EQ(ReadText(name), "old");
        EXPECT_EQ(Names(), (std::set<std::string>{"out.png"}));
    }

    std::set<std::string> Names() const { return scratch.Names(); }

    ScratchFolder scratch{"quorl_pending"};
    const fs::path folder = scratch.Path();
    mode_t umaskBefore = 0;
};

TEST_F(PendingFileTest, ShowsNothingUnderTheNameUntilCommittedAndLeavesOnlyTheFile)
{
    const fs::path name = folder / "out.png";
    {
        PendingFile file(name);
        EXPECT_FALSE(fs::exists(name));
        file.Commit(Bytes("picture"));
    }
    EXPECT_EQ(ReadText(name), "picture");
    EXPECT_EQ(Names(), (std::set<std::string>{"out.png"}));
    // A file that is given up leaves nothing at all.
    { PendingFile abandoned(folder / "other.png"); }
    EXPECT_EQ(Names(), (std::set<std::string>{"out.png"}));
}

TEST_F(PendingFileTest, NeverWritesThroughALinkAtTheTemporaryName)
{
    WriteText(folder / "precious", "precious");
    fs::create_symlink(folder / "precious", folder / "out.png.partial");
    fs::create_symlink(folder / "created-through-the-link", folder / "out2.png.partial");

    EXPECT_EQ(CommitText(folder / "out.png", "picture"), "written");
    EXPECT_EQ(CommitText(folder / "out2.png", "picture"), "written");
    EXPECT_EQ(ReadText(folder / "precious"), "precious");
    EXPECT_FALSE(fs::exists(folder / "created-through-the-link"));
    EXPECT_TRUE(fs::is_symlink(folder / "out.png.partial"));
    EXPECT_TRUE(fs::is_symlink(folder / "out2.png.partial"));
    EXPECT_EQ(ReadText(folder / "out.png"), "picture");
    // A failing write leaves the link's target alone too.
    { PendingFile abandoned(folder / "out.png"); }
    EXPECT_EQ(ReadText(folder / "precious"), "precious");
}

TEST_F(PendingFileTest, NeverRemovesAFileItDidNotCreate)
{
    WriteText(folder / "out.png.partial", "the user's own");
    { PendingFile abandoned(folder / "out.png"); }
    EXPECT_EQ(ReadText(folder / "out.png.partial"), "the user's own");

    // Someone else's file put in the place of ours while we write.
    const fs::path name = folder / "other.png";
    fs::path partialName;
    {
        PendingFile file(name);
        partialName = file.PartialName();
        WriteText(folder / "theirs", "theirs");
        fs::rename(folder / "theirs", partialName);
        EXPECT_THROW(file.CommitWrittenFile(), std::runtime_error);
        EXPECT_FALSE(fs::exists(name));
    }
    EXPECT_EQ(ReadText(partialName), "theirs");
}

TEST_F(PendingFileTest, RefusesAnExistingOutputThatIsNotARegularFileBeforeWriting)
{
    fs::create_directory(folder / "directory");
    ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
    WriteText(folder / "target", "target");
    fs::create_symlink(folder / "target", folder / "link");
    const std::set<std::string> before = Names();

    for (const char* name : {"directory", "fifo", "link"}) {
        try {
            PendingFile file(folder / name);
            ADD_FAILURE() << name << " taken as an output";
            file.Commit(Bytes("picture"));
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), "cannot write '" + (folder / name).string() + "': it is not a regular file");
        }
    }
    EXPECT_EQ(Names(), before);

    // Nor is one that takes the name while the file is written.
    {
        PendingFile file(folder / "late");
        ASSERT_EQ(mkfifo((folder / "late").c_str(), 0600), 0);
        EXPECT_THROW(file.Commit(Bytes("picture")), std::runtime_error);
    }
    EXPECT_TRUE(fs::is_fifo(folder / "late"));
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_EQ(ReadText(folder / "target"), "target");
}

TEST_F(PendingFileTest, KeepsThePermissionBitsOfTheFileItReplaces)
{
    for (const unsigned bits : {0600u, 0640u, 0444u}) {
        const fs::path name = folder / ("kept" + std::to_string(bits));
        WriteText(name, "old");
        fs::permissions(name, static_cast<fs::perms>(bits));
        EXPECT_EQ(CommitText(name, "new"), "written");
        EXPECT_EQ(ReadText(name), "new");
        EXPECT_EQ(PermissionBits(name), bits);
    }
    // A new file gets what the umask leaves, as any program's would.
    EXPECT_EQ(CommitText(folder / "new", "new"), "written");
    EXPECT_EQ(PermissionBits(folder / "new"), 0644u);
}

TEST_F(PendingFileTest, LeavesTheOldFileUntouchedInAReadOnlyFolder)
{
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    ExpectFailingWriteLeavesTheOldFile("Permission denied", [] {
        // The superuser writes anywhere: the attempt is made as nobody.
        return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
    });
}

TEST_F(PendingFileTest, LeavesTheOldFileUntouchedWhenTheDeviceTakesNoMore)
{
    ExpectFailingWriteLeavesTheOldFile("File too large", [] {
        // A file size limit fails the write as a full device would.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16, 16};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    });
}

TEST_F(PendingFileTest, CommitsWhatAnotherProgramWroteUnderThePartialName)
{
    const fs::path name = folder / "video.mkv";
    PendingFile file(name);
    WriteText(file.PartialName(), "video");
    file.CommitWrittenFile();
    EXPECT_EQ(ReadText(name), "video");
    EXPECT_EQ(Names(), (std::set<std::string>{"video.mkv"}));
}

TEST_F(PendingFileTest, QuotesTheNameSoThatTheMessageStaysOnOneLine)
{
    const std::string error = CommitText(folder / "new\nline" / "out.png", "picture");
    EXPECT_EQ(error, "cannot write '" + folder.string() + "/new\\nline/out.png': No such file or directory");
}

}  // namespace
