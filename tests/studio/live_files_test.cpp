// Watching the project's files: which changes the studio sees (in place, by
// rename over the old file, a file that disappears), when it reads them, and
// what it makes of a file that is not usable text.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "asset_text.h"
#include "file_watch.h"
#include "scratch_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr std::int64_t kSettle = FileWatch::kSettleNs;

class ProjectFolder : public ::testing::Test {
protected:
    fs::path Write(const std::string& name, const std::string& bytes)
    {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    ScratchFolder scratch{"quorl-studio-test"};
    const fs::path folder = scratch.Path();
};

// ---------------------------------------------------------------------------
// Signatures: what counts as a change
// ---------------------------------------------------------------------------

TEST_F(ProjectFolder, RewritingInPlaceChangesTheSignature)
{
    const fs::path path = Write("city.frag", "void main() {}\n");
    const FileSignature before = ReadFileSignature(path);
    ASSERT_TRUE(before.exists);
    Write("city.frag", "void main() { }\n");
    EXPECT_NE(ReadFileSignature(path), before);
}

TEST_F(ProjectFolder, RenamingANewVersionOverTheOldChangesTheSignature)
{
    // Same size, and possibly the same modification time: the identity of
    // the file is what tells.
    const fs::path path = Write("tracks.txt", "track a\n0 1 step\n");
    const FileSignature before = ReadFileSignature(path);
    const fs::path temporary = Write(".tracks.txt.swp", "track a\n0 2 step\n");
    struct stat status {};
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    const timespec times[2] = {status.st_atim, status.st_mtim};
    ASSERT_EQ(utimensat(AT_FDCWD, temporary.c_str(), times, 0), 0);
    fs::rename(temporary, path);
    const FileSignature after = ReadFileSignature(path);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modifiedNs, before.modifiedNs);
    EXPECT_NE(after, before);
}

TEST_F(ProjectFolder, ADisappearedFileHasASignatureOfItsOwn)
{
    const fs::path path = Write("city.frag", "x");
    const FileSignature before = ReadFileSignature(path);
    fs::remove(path);
    const FileSignature gone = ReadFileSignature(path);
    EXPECT_FALSE(gone.exists);
    EXPECT_NE(gone, before);
}

TEST_F(ProjectFolder, ChangedPermissionsChangeTheSignature)
{
    // A file made readable again is read again.
    const fs::path path = Write("city.frag", "x");
    const FileSignature before = ReadFileSignature(path);
    fs::permissions(path, fs::perms::none);
    EXPECT_NE(ReadFileSignature(path), before);
}

TEST_F(ProjectFolder, AFileOutOfReachIsNotAbsent)
{
    // The studio watches such a file and shows why it cannot be read; an
    // absent one it leaves to its built-in version.
    Write("assets", "a file where the folder should be");
    const FileSignature blocked = ReadFileSignature(folder / "assets" / "city.frag");
    EXPECT_FALSE(blocked.exists);
    EXPECT_FALSE(blocked.Absent());
    EXPECT_TRUE(ReadFileSignature(folder / "city.frag").Absent());
}

// ---------------------------------------------------------------------------
// When a change is read
// ---------------------------------------------------------------------------

FileSignature Version(std::uint64_t inode, std::int64_t modifiedNs)
{
    return {true, 1, inode, 100, modifiedNs};
}

constexpr std::int64_t kNow = 1'000'000'000'000;

TEST(FileWatchTiming, TheFirstLookReadsAtOnce)
{
    FileWatch watch;
    EXPECT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    EXPECT_FALSE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow + kSettle)) << "read once";
}

TEST(FileWatchTiming, AChangeIsReadOnceItHasSettled)
{
    FileWatch watch;
    ASSERT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    const std::int64_t saved = kNow + 5 * kSettle;
    EXPECT_FALSE(watch.ShouldRead(Version(2, saved), saved + 1'000'000));
    EXPECT_FALSE(watch.ShouldRead(Version(2, saved), saved + kSettle / 2));
    EXPECT_TRUE(watch.ShouldRead(Version(2, saved), saved + 1'000'000 + kSettle));
    EXPECT_FALSE(watch.ShouldRead(Version(2, saved), saved + 3 * kSettle));
}

TEST(FileWatchTiming, AFileStillBeingWrittenWaitsForItsLastStep)
{
    FileWatch watch;
    ASSERT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    std::int64_t now = kNow + kSettle;
    EXPECT_FALSE(watch.ShouldRead({true, 1, 1, 0, now}, now));  // truncated
    now += kSettle / 2;
    EXPECT_FALSE(watch.ShouldRead({true, 1, 1, 50, now}, now));  // half written
    now += kSettle / 2;
    EXPECT_FALSE(watch.ShouldRead({true, 1, 1, 100, now}, now));  // done, but just now
    EXPECT_TRUE(watch.ShouldRead({true, 1, 1, 100, now}, now + kSettle));
}

TEST(FileWatchTiming, AModificationTimeTooRecentWaitsEvenWhenTheChangeWasSeenLongAgo)
{
    // A write within the timestamp's granularity after the read would leave
    // the same signature; reading only what is older than that rules it out.
    FileWatch watch;
    const std::int64_t fresh = kNow - kSettle / 10;
    EXPECT_FALSE(watch.ShouldRead(Version(1, fresh), kNow));
    EXPECT_TRUE(watch.ShouldRead(Version(1, fresh), fresh + kSettle));
}

TEST(FileWatchTiming, AChangeIsUnreadUntilItIsRead)
{
    // While it is, the studio keeps looking instead of sleeping.
    FileWatch watch;
    EXPECT_TRUE(watch.Unread(Version(1, kNow - 10 * kSettle)));
    ASSERT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    EXPECT_FALSE(watch.Unread(Version(1, kNow - 10 * kSettle)));
    const std::int64_t saved = kNow + 5 * kSettle;
    ASSERT_FALSE(watch.ShouldRead(Version(2, saved), saved));
    EXPECT_TRUE(watch.Unread(Version(2, saved)));
    ASSERT_TRUE(watch.ShouldRead(Version(2, saved), saved + kSettle));
    EXPECT_FALSE(watch.Unread(Version(2, saved)));
}

TEST(FileWatchTiming, AModificationTimeInTheFutureIsTakenAsItIs)
{
    FileWatch watch;
    EXPECT_TRUE(watch.ShouldRead(Version(1, kNow + 3600 * 1'000'000'000LL), kNow));
}

TEST(FileWatchTiming, ADisappearanceIsReadLikeAnyChange)
{
    FileWatch watch;
    ASSERT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    EXPECT_FALSE(watch.ShouldRead(FileSignature{}, kNow + kSettle));
    EXPECT_TRUE(watch.ShouldRead(FileSignature{}, kNow + 2 * kSettle));
}

TEST(FileWatchTiming, AFileBackAsItWasReadNeedsNoReading)
{
    FileWatch watch;
    ASSERT_TRUE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow));
    EXPECT_FALSE(watch.ShouldRead(FileSignature{}, kNow + kSettle / 2));
    EXPECT_FALSE(watch.ShouldRead(Version(1, kNow - 10 * kSettle), kNow + 5 * kSettle));
}

// ---------------------------------------------------------------------------
// Reading the text
// ---------------------------------------------------------------------------

TEST_F(ProjectFolder, TextIsReadWhole)
{
    const std::string text = "track ftb\n  0 1 step\n";
    const AssetText read = ReadAssetText(Write("tracks.txt", text));
    ASSERT_TRUE(read.text) << read.problem;
    EXPECT_EQ(*read.text, text);
}

TEST_F(ProjectFolder, MissingEmptyAndOversizedFilesAreProblems)
{
    EXPECT_EQ(ReadAssetText(folder / "none.txt").problem, "is missing");
    EXPECT_EQ(ReadAssetText(Write("empty.txt", "")).problem, "is empty");
    const AssetText huge = ReadAssetText(Write("huge.txt", std::string(101, 'a')), 100);
    EXPECT_FALSE(huge.text);
    EXPECT_EQ(huge.problem, "is larger than the 100 bytes the studio reads");
    EXPECT_TRUE(ReadAssetText(Write("fits.txt", std::string(100, 'a')), 100).text);
}

TEST_F(ProjectFolder, AZeroByteMakesTheFileBinaryAndNamesItsLine)
{
    const AssetText read = ReadAssetText(Write("city.frag", std::string("#version 330\nvoid\n ma\0in", 24)));
    EXPECT_FALSE(read.text);
    EXPECT_EQ(read.problem, "is not text: a zero byte on line 3");
}

TEST_F(ProjectFolder, AFolderOrAPipeIsNotReadAtAll)
{
    fs::create_directory(folder / "city.frag");
    EXPECT_EQ(ReadAssetText(folder / "city.frag").problem, "is not a regular file");
    ASSERT_EQ(mkfifo((folder / "tracks.txt").c_str(), 0600), 0);
    EXPECT_EQ(ReadAssetText(folder / "tracks.txt").problem, "is not a regular file") << "a pipe would block";
}

TEST_F(ProjectFolder, AFileBehindAFileNamesTheReasonInsteadOfMissing)
{
    Write("assets", "a file where the folder should be");
    EXPECT_EQ(ReadAssetText(folder / "assets" / "city.frag").problem, "cannot be opened: Not a directory");
}

TEST_F(ProjectFolder, AFileInAFolderThatMayNotBeEnteredNamesTheReasonInsteadOfMissing)
{
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    fs::create_directory(folder / "assets");
    const fs::path path = Write("assets/city.frag", "void main() {}\n");
    fs::permissions(folder / "assets", fs::perms::none);
    const AssetText read = ReadAssetText(path);
    fs::permissions(folder / "assets", fs::perms::owner_all);
    EXPECT_EQ(read.problem, "cannot be opened: Permission denied");
}

}  // namespace
