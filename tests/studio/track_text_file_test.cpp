// The key editor's writes to tracks.txt: complete or not at all, never over a
// save the studio has not read, and not read back as a save of someone else.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "asset_text.h"
#include "file_watch.h"
#include "key_edit_model.h"
#include "scratch_folder.h"
#include "track_text_file.h"

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
    // The model as the studio holds it, writing through a TrackTextFile.
    KeyEditModel Model() const
    {
        return KeyEditModel(OnDisk(), "assets/tracks.txt",
                            [file = TrackTextFile(path, "assets/tracks.txt")](std::string_view previous,
                                                                             std::string_view next) {
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
    EXPECT_EQ(refused.refusal,
              "the edit is not written: assets/tracks.txt was changed by another program; edit again once it is read");
    EXPECT_EQ(OnDisk(), theirs);
    EXPECT_EQ(model.Text(), kText);
}

TEST_F(TracksFolder, AMissingFileIsNotWrittenAnew)
{
    KeyEditModel model = Model();
    fs::remove(path);
    model.Select({0, 1});
    EXPECT_EQ(model.DeleteSelected().refusal, "the edit is not written: assets/tracks.txt is missing");
    EXPECT_FALSE(fs::exists(path));
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
