// The key editor's writes to tracks.txt: complete or not at all, never over a
// save the studio has not read, not read back as a save of someone else,
// through a link to its target, refused for a read-only file or folder, a
// missing file written back only when asked, and a killed write's leftovers
// removed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "asset_text.h"
#include "child_process.h"
#include "file_watch.h"
#include "key_edit_model.h"
#include "pending_file.h"
#include "scratch_folder.h"
#include "edited_text_file.h"

namespace {

namespace fs = std::filesystem;

constexpr char kText[] = "track a\n  0  1  step\n  8  2  step\n";

class TracksFolder : public ::testing::Test {
protected:
    void SetUp() override { Save(kText); }

    void Save(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string OnDisk() const
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // The model as the studio holds it, writing through an EditedTextFile.
    KeyEditModel Model() const
    {
        return KeyEditModel(OnDisk(), "assets/tracks.txt",
                            [file = EditedTextFile(path, "assets/tracks.txt")](
                                std::optional<std::string_view> previous, std::string_view next) {
                                return file.Replace(previous, next);
                            });
    }
    ScratchFolder scratch{"quorl-edit-test"};
    const fs::path folder = scratch.Path();
    const fs::path path = folder / "tracks.txt";
};

TEST_F(TracksFolder, AnEditReplacesTheFileWholeByRenameLeavingNothingElse)
{
    std::ifstream readerOfTheOldFile(path, std::ios::binary);
    KeyEditModel model = Model();
    model.Select({0, 1});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    EXPECT_EQ(OnDisk(), model.Text());
    EXPECT_EQ(OnDisk(), "track a\n  0  1  step\n 12  2  step\n");
    EXPECT_EQ(scratch.Names(), std::set<std::string>{"tracks.txt"}) << "a temporary file was left";
    // A reader of the old file still reads all of it: the new text came as a
    // new file under the name, never as writes into the old one.
    const std::string old{std::istreambuf_iterator<char>(readerOfTheOldFile), std::istreambuf_iterator<char>()};
    EXPECT_EQ(old, kText);
}

TEST_F(TracksFolder, UndoIsWrittenBackLikeAnyEdit)
{
    KeyEditModel model = Model();
    model.Select({0, 0});
    ASSERT_TRUE(model.SetSelectedType(KeyType::Smooth).changed);
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(OnDisk(), kText);
}

TEST_F(TracksFolder, ASaveNotYetReadIsNeverOverwritten)
{
    KeyEditModel model = Model();
    const std::string theirs = "track a\n  0  5  step\n";
    Save(theirs);
    model.Select({0, 1});
    const EditResult refused = model.MoveSelected(4);
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(Worded(refused.refusal), "the edit is not written: assets/tracks.txt was saved by another program "
                                       "meanwhile; it is read now: edit again");
    EXPECT_EQ(OnDisk(), theirs);
    EXPECT_EQ(model.Text(), kText);
}

TEST_F(TracksFolder, AMissingFileIsWrittenBackOnlyWhenAsked)
{
    KeyEditModel model = Model();
    fs::remove(path);
    model.Select({0, 1});
    EXPECT_EQ(Worded(model.DeleteSelected().refusal),
              "the edit is not written: assets/tracks.txt is missing; Ctrl+S writes the studio's text back");
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(model.WriteTextBack().changed);
    EXPECT_EQ(OnDisk(), kText);
    EXPECT_EQ(Worded(model.WriteTextBack().refusal),
              "assets/tracks.txt is there: only a missing file is written back whole");
    EXPECT_TRUE(model.DeleteSelected().changed) << "editing goes on once the file is back";
}

TEST_F(TracksFolder, ALinkIsWrittenThroughInItsTargetsFolderAndStaysALink)
{
    ScratchFolder elsewhere{"quorl-edit-target"};
    const fs::path target = elsewhere.Path() / "choreography.txt";
    fs::rename(path, target);
    fs::create_symlink(target, path);
    KeyEditModel model = Model();
    model.Select({0, 1});
    ASSERT_TRUE(model.MoveSelected(4).changed) << Worded(model.MoveSelected(4).refusal);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(OnDisk(), "track a\n  0  1  step\n 12  2  step\n");
    EXPECT_EQ(elsewhere.Names(), std::set<std::string>{"choreography.txt"});
    EXPECT_EQ(scratch.Names(), std::set<std::string>{"tracks.txt"});
}

TEST_F(TracksFolder, AFileOrFolderThatCannotBeWrittenIsRefusedSayingWhich)
{
    KeyEditModel model = Model();
    model.Select({0, 1});
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Worded(model.MoveSelected(4).refusal),
              "the edit is not written: assets/tracks.txt is read-only; make it writable to edit it");
    EXPECT_EQ(OnDisk(), kText);

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int status = ExitStatusInChild([&] {
        // The superuser writes anywhere: the attempt is made as nobody.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 3;
        const std::string said = Worded(model.MoveSelected(4).refusal);
        return said == "the edit is not written: the folder '" + folder.string() + "' cannot be written: "
                       "Permission denied" ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(OnDisk(), kText);
}

TEST_F(TracksFolder, LeftoversOfAKilledWriteAreRemovedAndNothingElse)
{
    for (const char* name : {"tracks.txt.partial", "tracks.txt.partial-Ab12Cd", "tracks.txt.partial-toolong7",
                             "other.txt.partial"}) {
        Save(name);
        fs::rename(path, folder / name);
    }
    fs::create_symlink(folder / "other.txt.partial", folder / "tracks.txt.partial-Link01");
    Save(kText);
    EXPECT_EQ(RemoveLeftovers(path).size(), 2u);
    EXPECT_EQ(scratch.Names(), (std::set<std::string>{"other.txt.partial", "tracks.txt", "tracks.txt.partial-Link01",
                                                      "tracks.txt.partial-toolong7"}));
}

TEST_F(TracksFolder, TheWatcherSeesTheStudiosWriteAndTheModelIgnoresIt)
{
    KeyEditModel model = Model();
    // Read as the studio reads a change: once it has settled (the clock is
    // moved on rather than waited for).
    FileWatch watch;
    std::int64_t now = WallClockNs() + 10 * FileWatch::kSettleNs;
    ASSERT_TRUE(watch.ShouldRead(ReadFileSignature(path), now));
    model.Select({0, 1});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    now = WallClockNs() + 10 * FileWatch::kSettleNs;
    ASSERT_FALSE(watch.ShouldRead(ReadFileSignature(path), now));
    ASSERT_TRUE(watch.ShouldRead(ReadFileSignature(path), now + FileWatch::kSettleNs)) << "the write went unseen";
    const AssetText read = ReadAssetText(path);
    ASSERT_TRUE(read.text) << read.problem;
    EXPECT_EQ(model.TakeSavedText(*read.text), SavedText::Ignored);

    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kText) << "the write was taken for a save of someone else";
    EXPECT_FALSE(model.CanUndo());
}

}  // namespace
