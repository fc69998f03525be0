// The key editor's history: undo and redo through any mix of edits back to
// the first bytes, saves from other programs as steps of it, a text with a
// mistake that holds editing until it is fixed, and edits of the real
// choreography that compile to the table the model shows.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "key_edit_fixture.h"
#include "key_edit_model.h"
#include "sync/track_table.h"
#include "sync/track_text.h"

namespace {

std::vector<KeyRef> SelectionOf(const KeyEditModel& model)
{
    return {model.Selection().begin(), model.Selection().end()};
}

// ---------------------------------------------------------------------------
// Undo and redo
// ---------------------------------------------------------------------------

TEST(KeyEditHistory, UndoingAMixOfEditsComesBackToTheFirstBytesAndRedoToTheLast)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    std::vector<std::string> texts{model.Text()};
    const auto edited = [&](const EditResult& result) {
        ASSERT_TRUE(result.changed) << Worded(result.refusal);
        texts.push_back(model.Text());
    };
    model.Select({kFtb, 1});
    edited(model.MoveSelected(4));
    edited(model.InsertKey(kFog, 96, 3.75));
    edited(model.CycleSelectedType());
    edited(model.SetSelectedValue("-12.5"));
    model.Select({kFtb, 0});
    model.ToggleSelected({kFog, 2});
    edited(model.NudgeSelected(-3, NudgeSize::Fine));
    edited(model.DeleteSelected());
    edited(model.InsertKey(kFtb, 40, 0.25));

    for (std::size_t step = texts.size() - 1; step > 0; --step) {
        ASSERT_TRUE(model.Undo().changed);
        EXPECT_EQ(model.Text(), texts[step - 1]) << "undo of edit " << step;
    }
    EXPECT_EQ(model.Text(), kEditText);
    EXPECT_EQ(Worded(model.Undo().refusal), "nothing to undo");
    for (std::size_t step = 1; step < texts.size(); ++step) {
        ASSERT_TRUE(model.Redo().changed);
        EXPECT_EQ(model.Text(), texts[step]) << "redo of edit " << step;
    }
    EXPECT_EQ(Worded(model.Redo().refusal), "nothing to redo");
}

TEST(KeyEditHistory, UndoAndRedoBringBackTheSelectionOfTheirStep)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    model.Select({kFog, 0});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    model.ClearSelection();
    ASSERT_TRUE(model.InsertKey(kFtb, 8, 0.5).changed);
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_TRUE(model.Selection().empty()) << "the selection before the insertion";
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kFog, 0}}));
    ASSERT_TRUE(model.Redo().changed);
    ASSERT_TRUE(model.Redo().changed);
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kFtb, 1}})) << "the inserted key";
}

TEST(KeyEditHistory, AnEditAfterUndoingDropsTheStepsUndone)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    model.Select({kFog, 1});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    ASSERT_TRUE(model.Undo().changed);
    ASSERT_TRUE(model.SetSelectedType(KeyType::Ramp).changed);
    EXPECT_FALSE(model.CanRedo());
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kEditText);
    EXPECT_FALSE(model.CanUndo());
}

TEST(KeyEditHistory, AWriteBackThatFailsChangesNothing)
{
    bool failing = false;
    std::vector<std::string> written;
    KeyEditModel model{std::string(kEditText), "tracks.txt",
                       [&](std::optional<std::string_view> previous, std::string_view next) -> std::optional<EditRefusal> {
                           EXPECT_EQ(previous, written.empty() ? kEditText : written.back());
                           if (failing) return EditRefusal{.kind = Refusal::WriteFailed, .reason = "cannot write 'tracks.txt': No space left on device"};
                           written.emplace_back(next);
                           return std::nullopt;
                       }};
    model.Select({kFog, 1});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written.back(), model.Text()) << "each finished edit is written at once";

    failing = true;
    const std::string before = model.Text();
    const EditResult refused = model.DeleteSelected();
    EXPECT_FALSE(refused.changed);
    EXPECT_EQ(Worded(refused.refusal), "the edit is not written: cannot write 'tracks.txt': No space left on device");
    EXPECT_EQ(model.Text(), before);
    EXPECT_EQ(model.Tracks()[kFog].keys.size(), 2u);
    EXPECT_FALSE(model.Undo().changed);
    EXPECT_EQ(model.Text(), before) << "an undo that cannot be written is not done";

    failing = false;
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(written.back(), kEditText);
}

// ---------------------------------------------------------------------------
// Saves from other programs
// ---------------------------------------------------------------------------

TEST(KeyEditSavedText, AnExternalSaveIsAStepSoUndoReturnsToTheStudiosText)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    model.Select({kFog, 0});
    ASSERT_TRUE(model.MoveSelected(-4).changed);
    const std::string studios = model.Text();

    std::string saved = studios;
    saved.replace(saved.find("  128 10 "), 9, "  128 20 ");
    saved += "\ntrack extra\n0 1 step\n";
    EXPECT_EQ(model.TakeSavedText(saved), SavedText::Taken);
    EXPECT_EQ(model.Text(), saved);
    ASSERT_EQ(model.Tracks().size(), 4u);
    EXPECT_EQ(model.Tracks()[kFog].keys[1].value, 20.0f);

    ASSERT_TRUE(model.InsertKey(3, 8, 1.0).changed);
    const std::string last = model.Text();
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), saved);
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), studios);
    EXPECT_EQ(model.Tracks().size(), 3u);
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kEditText);
    ASSERT_TRUE(model.Redo().changed);
    ASSERT_TRUE(model.Redo().changed);
    ASSERT_TRUE(model.Redo().changed);
    EXPECT_EQ(model.Text(), last);
}

TEST(KeyEditSavedText, TheModelsOwnTextReadBackIsNoStep)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    model.Select({kFog, 0});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    EXPECT_EQ(model.TakeSavedText(model.Text()), SavedText::Ignored);
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kEditText) << "one undo takes back the edit, not a save";
}

TEST(KeyEditSavedText, TheSelectionFollowsItsKeysByTrackNameAndRow)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    model.Select({kFog, 1});
    model.ToggleSelected({kFtb, 1});
    // A track before the others, a key before fog's 128, ftb's 16 gone.
    const std::string saved = "track first\n0 0 step\n"
                              "track ftb\n0 1 linear\n"
                              "track fog\n64 2.5 smooth\n100 4 step\n128 10 step\n";
    ASSERT_EQ(model.TakeSavedText(saved), SavedText::Taken);
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{2, 2}}));
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kFtb, 1}, {kFog, 1}}));
}

TEST(KeyEditSavedText, ATextWithAMistakeHoldsEditingUntilAGoodTextComes)
{
    KeyEditModel model{std::string(kEditText), "assets/tracks.txt"};
    model.Select({kFog, 0});
    ASSERT_TRUE(model.MoveSelected(4).changed);
    const std::string studios = model.Text();
    const std::vector<NamedTrack> shown(model.Tracks().begin(), model.Tracks().end());

    std::string broken = studios;
    broken.replace(broken.find("smooth"), 6, "smoth");
    EXPECT_EQ(model.TakeSavedText(broken), SavedText::InError);
    const std::string waits = "editing waits until line 8 of assets/tracks.txt is fixed";
    EXPECT_EQ(Worded(model.WhyNotEditable()), waits);
    EXPECT_EQ(Worded(model.MoveSelected(4).refusal), waits);
    EXPECT_EQ(Worded(model.InsertKey(kFtb, 8, 1.0).refusal), waits);
    EXPECT_EQ(Worded(model.MoveRefusal(4)), waits);
    EXPECT_EQ(Worded(model.Undo().refusal), waits) << "undo would overwrite the text being fixed";
    EXPECT_EQ(model.Text(), studios) << "the last good text stays";
    EXPECT_EQ(std::vector<NamedTrack>(model.Tracks().begin(), model.Tracks().end()), shown);
    EXPECT_EQ(model.TakeSavedText(broken), SavedText::Ignored);

    std::string fixed = studios;
    fixed.replace(fixed.find("smooth"), 6, "linear");
    EXPECT_EQ(model.TakeSavedText(fixed), SavedText::Taken);
    EXPECT_EQ(Worded(model.WhyNotEditable()), "");
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), studios) << "the text in error was never a step";
}

TEST(KeyEditSavedText, AMistakeUndoneInTheEditorLeavesNoStep)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    ASSERT_EQ(model.TakeSavedText("track ftb\n0 x step\n"), SavedText::InError);
    EXPECT_EQ(model.TakeSavedText(std::string(kEditText)), SavedText::Ignored);
    EXPECT_EQ(Worded(model.WhyNotEditable()), "");
    EXPECT_FALSE(model.CanUndo());
}

TEST(KeyEditSavedText, AStudioStartedOnATextWithAMistakeEditsOnceItIsFixed)
{
    KeyEditModel model{"track a\n0 1 stp\n", "tracks.txt"};
    EXPECT_EQ(Worded(model.WhyNotEditable()), "editing waits until line 2 of tracks.txt is fixed");
    EXPECT_TRUE(model.Tracks().empty());
    EXPECT_EQ(model.TakeSavedText("track a\n0 1 step\n"), SavedText::Taken);
    EXPECT_FALSE(model.CanUndo()) << "there is no studio's text to go back to";
    model.Select({0, 0});
    EXPECT_TRUE(model.MoveSelected(4).changed);
}

// ---------------------------------------------------------------------------
// Edits of the real choreography compile to the tracks the model shows
// ---------------------------------------------------------------------------

std::string ReadTrackText()
{
    std::ifstream in(QUORL_TRACK_TEXT, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(KeyEditChoreography, EditedTextCompilesToTheTableOfTheExpectedTracks)
{
    const std::string original = ReadTrackText();
    KeyEditModel model{original, "assets/tracks.txt"};
    ASSERT_EQ(Worded(model.WhyNotEditable()), "");
    std::vector<NamedTrack> expected(model.Tracks().begin(), model.Tracks().end());
    const int x = *model.FindTrack("camera_position:x");
    const int z = *model.FindTrack("camera_position:z");
    const int gull = *model.FindTrack("seagull:y");
    const auto keysOf = [&expected](int track) -> std::vector<TrackKey>& {
        return expected[static_cast<std::size_t>(track)].keys;
    };

    model.Select(*model.KeyAt(x, 192));
    ASSERT_TRUE(model.MoveSelected(SnapRowDelta(17.2, RowSnap::Beat)).changed);
    keysOf(x)[2].row = 208;
    ASSERT_TRUE(model.InsertKey(z, 160, 300.5).changed);
    keysOf(z).insert(keysOf(z).begin() + 3, {160, 300.5f, static_cast<std::int32_t>(KeyType::Linear)});
    ASSERT_TRUE(model.SetSelectedType(KeyType::Smooth).changed);
    keysOf(z)[3].type = static_cast<std::int32_t>(KeyType::Smooth);
    model.Select(*model.KeyAt(gull, 196));
    model.ToggleSelected(*model.KeyAt(gull, 204));
    ASSERT_TRUE(model.DeleteSelected().changed);
    keysOf(gull).erase(keysOf(gull).begin() + 5);
    keysOf(gull).erase(keysOf(gull).begin() + 3);
    model.Select(*model.KeyAt(gull, 128));
    ASSERT_TRUE(model.SetSelectedValue("12.25").changed);
    keysOf(gull)[0].value = 12.25f;

    const ParsedTrackText compiled = ParseTrackText(model.Text());
    ASSERT_FALSE(compiled.error) << compiled.error->line << ": " << compiled.error->message;
    EXPECT_EQ(EncodeTrackTable(compiled.tracks), EncodeTrackTable(expected));
    EXPECT_EQ(std::vector<NamedTrack>(model.Tracks().begin(), model.Tracks().end()), expected);

    // Every line of the file but the touched ones, in order and unchanged.
    std::string untouched = original;
    for (const auto& [line, by] : std::vector<std::pair<std::string, std::string>>{
             {"  192  -5.7        linear\n", "  208  -5.7        linear\n"},
             {"  144  265          linear\n", "  144  265          linear\n  160  300.5        smooth\n"},
             {"  196   9.1       linear\n", ""},
             {"  204   9.1       linear\n", ""},
             {"  128  11         smooth\n", "  128  12.25      smooth\n"}}) {
        const std::size_t at = untouched.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        untouched.replace(at, line.size(), by);
    }
    EXPECT_EQ(model.Text(), untouched);
}

}  // namespace
