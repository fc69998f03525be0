// The key editor's edits as text: each edit rewrites, adds or removes only the
// lines of its keys, byte for byte, in the columns of the track around them;
// refused edits change nothing and say why.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>

#include "key_edit_fixture.h"
#include "key_edit_model.h"

namespace {

// `text` with its one occurrence of `line` replaced.
std::string Replaced(std::string_view text, std::string_view line, std::string_view by)
{
    std::string result(text);
    const std::size_t at = result.find(line);
    EXPECT_NE(at, std::string::npos) << "no '" << line << "' in the text";
    EXPECT_EQ(result.find(line, at + 1), std::string::npos) << "'" << line << "' twice in the text";
    if (at != std::string::npos) result.replace(at, line.size(), by);
    return result;
}

KeyEditModel Editing(std::string_view text, KeyRef selected)
{
    KeyEditModel model{std::string(text), "tracks.txt"};
    model.Select(selected);
    return model;
}

#define EXPECT_CHANGED(edit)                                   \
    do {                                                       \
        const EditResult result = (edit);                      \
        EXPECT_TRUE(result.changed) << Worded(result.refusal);         \
    } while (false)

#define EXPECT_REFUSED(model, edit, why)                      \
    do {                                                      \
        const std::string before = (model).Text();            \
        const EditResult result = (edit);                     \
        EXPECT_FALSE(result.changed);                         \
        EXPECT_EQ(Worded(result.refusal), why);                       \
        EXPECT_EQ((model).Text(), before) << "text changed";  \
    } while (false)

// ---------------------------------------------------------------------------
// Moving, retyping and new values rewrite their line in its columns
// ---------------------------------------------------------------------------

TEST(KeyLineRewrite, AMoveChangesOnlyTheRowOfItsLine)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    EXPECT_CHANGED(model.MoveSelected(16));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear\n", "   32   0.8  linear\n"));
    EXPECT_EQ(model.Tracks()[kFtb].keys[1].row, 32);
}

TEST(KeyLineRewrite, AWiderRowKeepsItsRightEdgeAndThenPushes)
{
    KeyEditModel model = Editing(kEditText, {kFog, 1});
    EXPECT_CHANGED(model.MoveSelected(1000));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "  128 10    step\n", " 1128 10    step\n"));
    EXPECT_CHANGED(model.MoveSelected(100'000));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "  128 10    step\n", "101128 10   step\n"));
}

TEST(KeyLineRewrite, ALineInSingleSpacesStaysInSingleSpaces)
{
    KeyEditModel model = Editing(kEditText, {kScene, 0});
    EXPECT_CHANGED(model.MoveSelected(800));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "0 0.1 step", "800 0.1 step"));
}

TEST(KeyLineRewrite, ACommentAfterTheKeyKeepsItsColumn)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 0});
    EXPECT_CHANGED(model.SetSelectedType(KeyType::Step));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "    0   1    linear   # black", "    0   1    step     # black"));
    EXPECT_CHANGED(model.SetSelectedType(KeyType::Smooth));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "    0   1    linear   # black", "    0   1    smooth   # black"));
    EXPECT_EQ(model.Tracks()[kFtb].keys[0].type, static_cast<std::int32_t>(KeyType::Smooth));
}

TEST(KeyLineRewrite, AValueIsWrittenInTheShortestTextThatReadsBackTheSameFloat)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    EXPECT_CHANGED(model.SetSelectedValue("0.50"));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear", "   16   0.5  linear"));
    EXPECT_CHANGED(model.SetSelectedValue(" 1e3 "));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear", "   16 1000   linear"));
    // Pushed against its row, the value's own column says little: the
    // neighbour's decimal point brings it back into line.
    EXPECT_CHANGED(model.SetSelectedValue("-0"));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear", "   16   0    linear"));
    EXPECT_FALSE(std::signbit(model.Tracks()[kFtb].keys[1].value));
}

TEST(KeyLineRewrite, AValueThatAlreadyReadsTheSameLeavesItsLineAlone)
{
    const std::string text = "track a\n  0  0.10  step\n";
    KeyEditModel model = Editing(text, {0, 0});
    const EditResult result = model.SetSelectedValue("0.1");
    EXPECT_FALSE(result.changed);
    EXPECT_FALSE(result.refusal);
    EXPECT_EQ(model.Text(), text);
    EXPECT_FALSE(model.CanUndo()) << "an edit that changed nothing is no step";
}

TEST(KeyLineRewrite, ANudgeStepsByAPowerOfTenThatFitsTheTrack)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    EXPECT_DOUBLE_EQ(model.NudgeStepOf(kFtb, NudgeSize::Coarse), 0.01);
    EXPECT_CHANGED(model.NudgeSelected(1, NudgeSize::Coarse));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear", "   16   0.81 linear"));
    EXPECT_CHANGED(model.NudgeSelected(-11, NudgeSize::Fine));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear", "   16   0.799 linear"));
}

TEST(KeyLineRewrite, ACarriageReturnEndingStaysWithItsLine)
{
    const std::string text = "track a\r\n  0  1  step\r\n  8  2  step\r\n";
    KeyEditModel model = Editing(text, {0, 1});
    EXPECT_CHANGED(model.MoveSelected(4));
    EXPECT_EQ(model.Text(), "track a\r\n  0  1  step\r\n 12  2  step\r\n");
}

// ---------------------------------------------------------------------------
// A new key's line
// ---------------------------------------------------------------------------

TEST(KeyLineInsert, ANewKeyTakesTheColumnsAndTypeOfTheKeyBeforeIt)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_CHANGED(model.InsertKey(kFtb, 8, 0.9));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear\n", "    8   0.9  linear\n   16   0.8  linear\n"));
    ASSERT_EQ(model.Selection().size(), 1u);
    EXPECT_EQ(model.Selection()[0], (KeyRef{kFtb, 1})) << "the new key is the selection";
}

TEST(KeyLineInsert, ANewLastKeyGoesRightAfterTheTracksLastKey)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_CHANGED(model.InsertKey(kFtb, 32, 0.0));
    EXPECT_EQ(model.Text(),
              Replaced(kEditText, "   16   0.8  linear\n\n", "   16   0.8  linear\n   32   0    linear\n\n"));
}

TEST(KeyLineInsert, ANewFirstKeyGoesBelowTheCommentBeforeTheFirstKeyWithItsType)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_CHANGED(model.InsertKey(kFog, 32, 2.5));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "# thickens late\n", "# thickens late\n   32  2.5  smooth\n"));
}

TEST(KeyLineInsert, TheLastLineKeepsTheTextsChoiceOfNoFinalNewline)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_CHANGED(model.InsertKey(kScene, 800, 1.0));
    EXPECT_EQ(model.Text(), std::string(kEditText) + "\n800 1 step");
}

TEST(KeyLineInsert, TheValueIsTheShortestTextOfItsFloat)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_CHANGED(model.InsertKey(kFtb, 8, 1.0 / 3.0));
    EXPECT_EQ(model.Text(), Replaced(kEditText, "   16   0.8  linear\n",
                                     "    8   0.33333334 linear\n   16   0.8  linear\n"));
    EXPECT_EQ(model.Tracks()[kFtb].keys[1].value, static_cast<float>(1.0 / 3.0));
}

TEST(KeyLineInsert, ANewLineIsWrittenLikeTheTextAroundIt)
{
    struct Case {
        const char* what;
        const char* text;
        int track;
        double value;
        const char* expected;  // with a key at row 4
    };
    const Case cases[] = {
        {"a track without keys: the nearest key line's columns, and step",
         "track a\n  0  1  linear\ntrack b\n# none yet\n", 1, 2.0,
         "track a\n  0  1  linear\ntrack b\n  4  2  step\n# none yet\n"},
        {"a byte-order mark before the first track stays", "\xEF\xBB\xBFtrack a\n  0  1  step\n", 0, 2.0,
         "\xEF\xBB\xBFtrack a\n  0  1  step\n  4  2  step\n"},
        {"tabs between the words are copied", "track a\n0\t1\tstep\n", 0, 2.0, "track a\n0\t1\tstep\n4\t2\tstep\n"},
        {"the line ends in a carriage return like its neighbour", "track a\r\n  0  1  step\r\n  8  2  step\r\n", 0,
         1.5, "track a\r\n  0  1  step\r\n  4  1.5 step\r\n  8  2  step\r\n"},
        {"after a last line without a newline, both end as the text's lines do", "track a\r\n  0  1  step", 0, 2.0,
         "track a\r\n  0  1  step\r\n  4  2  step"},
        {"before a last line without a newline, the new line ends as the text's do",
         "track a\r\n  0  1  step\r\n  8  2  step", 0, 1.5, "track a\r\n  0  1  step\r\n  4  1.5 step\r\n  8  2  step"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeyEditModel model{c.text, "tracks.txt"};
        EXPECT_CHANGED(model.InsertKey(c.track, 4, c.value));
        EXPECT_EQ(model.Text(), c.expected);
    }
}

// ---------------------------------------------------------------------------
// Deleting
// ---------------------------------------------------------------------------

TEST(KeyLineDelete, DeletingRemovesExactlyTheKeysLines)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    model.ToggleSelected({kFog, 0});
    EXPECT_CHANGED(model.DeleteSelected());
    EXPECT_EQ(model.Text(), Replaced(Replaced(kEditText, "   16   0.8  linear\n", ""), "   64  2.5  smooth\n", ""));
    EXPECT_TRUE(model.Selection().empty());
}

TEST(KeyLineDelete, DeletingTheLastLineKeepsNoFinalNewline)
{
    KeyEditModel model = Editing(kEditText, {kScene, 0});
    EXPECT_CHANGED(model.DeleteSelected());
    EXPECT_EQ(model.Text(), Replaced(kEditText, "\n0 0.1 step", ""));
    EXPECT_TRUE(model.Tracks()[kScene].keys.empty());
    KeyEditModel crlf = Editing("track a\r\n  0  1  step\r\n  8  2  step", {0, 1});
    EXPECT_CHANGED(crlf.DeleteSelected());
    EXPECT_EQ(crlf.Text(), "track a\r\n  0  1  step") << "a carriage return left at the end";
}

// ---------------------------------------------------------------------------
// Snapping and moving several keys
// ---------------------------------------------------------------------------

TEST(KeyDragSnap, ADragSnapsToWholeBeatsOrWithShiftToRows)
{
    EXPECT_EQ(SnapRowDelta(15.9, RowSnap::Beat), 16) << "a bar later";
    EXPECT_EQ(SnapRowDelta(1.9, RowSnap::Beat), 0);
    EXPECT_EQ(SnapRowDelta(2.1, RowSnap::Beat), 4);
    EXPECT_EQ(SnapRowDelta(-2.1, RowSnap::Beat), -4);
    EXPECT_EQ(SnapRowDelta(5.4, RowSnap::Row), 5);
    EXPECT_EQ(SnapRowDelta(-0.6, RowSnap::Row), -1);
    EXPECT_EQ(SnapRowDelta(std::nan(""), RowSnap::Beat), 0);
}

TEST(KeyDragSnap, ADragFarBeyondEveryRowIsRefusedWithoutOverflow)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    const std::int64_t far = SnapRowDelta(1e300, RowSnap::Row);
    EXPECT_EQ(Worded(model.MoveRefusal(far)), "'ftb': the key at row 16 would go past the last row");
    EXPECT_EQ(Worded(model.MoveRefusal(SnapRowDelta(-1e300, RowSnap::Beat))), "'ftb': the key at row 16 would go below row 0");
}

TEST(KeyDragSnap, SelectedKeysMoveTogetherPastEachOthersRows)
{
    KeyEditModel model = Editing(kEditText, {kFog, 0});
    model.ToggleSelected({kFog, 1});
    model.ToggleSelected({kFtb, 1});
    EXPECT_CHANGED(model.MoveSelected(64));
    EXPECT_EQ(model.Text(), Replaced(Replaced(Replaced(kEditText, "   64  2.5", "  128  2.5"), "  128 10", "  192 10"),
                                     "   16   0.8", "   80   0.8"))
        << "64 may land where 128 was, since 128 moves too";
}

// ---------------------------------------------------------------------------
// Refusals leave the text as it was and say why
// ---------------------------------------------------------------------------

TEST(KeyEditRefusal, AKeyCannotLandOnOrPassANeighbourOrGoBelowRowZero)
{
    KeyEditModel model = Editing(kEditText, {kFog, 0});
    EXPECT_REFUSED(model, model.MoveSelected(64), "'fog': the key at row 64 would land on the key at row 128");
    EXPECT_REFUSED(model, model.MoveSelected(68), "'fog': the key at row 64 would pass the key at row 128");
    EXPECT_REFUSED(model, model.MoveSelected(-68), "'fog': the key at row 64 would go below row 0");
    model.Select({kFog, 1});
    EXPECT_REFUSED(model, model.MoveSelected(-64), "'fog': the key at row 128 would land on the key at row 64");
    EXPECT_FALSE(model.MoveRefusal(-60));
}

TEST(KeyEditRefusal, AKeyBeforeRowZeroMayOnlyMoveToRowZeroOrLater)
{
    KeyEditModel model = Editing("track a\n-8 1 step\n", {0, 0});
    EXPECT_REFUSED(model, model.MoveSelected(4), "'a': the key at row -8 would go below row 0");
    EXPECT_FALSE(model.MoveRefusal(0)) << "staying put is no move below row 0";
    EXPECT_CHANGED(model.MoveSelected(8));
    EXPECT_EQ(model.Text(), "track a\n0 1 step\n");
}

TEST(KeyEditRefusal, OneKeyThatCannotMoveStopsTheWholeMove)
{
    KeyEditModel model = Editing(kEditText, {kFog, 1});
    model.ToggleSelected({kFtb, 0});
    EXPECT_REFUSED(model, model.MoveSelected(-4), "'ftb': the key at row 0 would go below row 0");
    EXPECT_FALSE(model.CanUndo());
}

TEST(KeyEditRefusal, ATypedValueMustBeAFiniteNormal32BitFloat)
{
    KeyEditModel model = Editing(kEditText, {kFtb, 1});
    EXPECT_REFUSED(model, model.SetSelectedValue("abc"), "value 'abc' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue(""), "value '' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue("1.5.2"), "value '1.5.2' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue("1\n2"), "value '1\\n2' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue("1 #"), "value '1 #' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue("nan"), "value 'nan' is not a number");
    EXPECT_REFUSED(model, model.SetSelectedValue("inf"), "value 'inf' is too large for a 32-bit float");
    EXPECT_REFUSED(model, model.SetSelectedValue("1e39"), "value '1e39' is too large for a 32-bit float");
    EXPECT_REFUSED(model, model.SetSelectedValue("1e-40"),
                   "value '1e-40' is too close to 0 for a 32-bit float (write 0)");
}

TEST(KeyEditRefusal, ANudgePastTheLargestFloatIsRefused)
{
    KeyEditModel model = Editing("track a\n0 3.4e38 step\n", {0, 0});
    EXPECT_REFUSED(model, model.NudgeSelected(10, NudgeSize::Coarse),
                   "'a': the value at row 0 would pass the largest 32-bit float");
}

TEST(KeyEditRefusal, NoEditMakesTheDifferenceOfNeighboursOverflowAFloat)
{
    const std::string text = "track a\n0 3.4e38 linear\n4 0 step\n8 -3.4e38 step\n";
    const auto overflows = [](int first, int second) {
        return "'a': the keys at rows " + std::to_string(first) + " and " + std::to_string(second) +
               " would differ by more than the largest 32-bit float";
    };
    KeyEditModel model = Editing(text, {0, 1});
    EXPECT_REFUSED(model, model.DeleteSelected(), overflows(0, 8));
    EXPECT_REFUSED(model, model.SetSelectedValue("-3.4e38"), overflows(0, 4));
    EXPECT_REFUSED(model, model.Paste("track a\n0 -3.4e38 step\n", 4, 0), overflows(0, 4));
    EXPECT_CHANGED(model.SetSelectedValue("5"));
    // A text that holds such a pair already was written so: edits elsewhere go on.
    KeyEditModel saved = Editing("track a\n0 3.4e38 linear\n8 -3.4e38 step\n16 0 step\n", {0, 2});
    EXPECT_CHANGED(saved.SetSelectedValue("1"));
}

TEST(KeyEditRefusal, AnInsertNeedsAFreeRowFromZeroOnAndAFloat)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_REFUSED(model, model.InsertKey(kFtb, 16, 0.5), "'ftb' has a key at row 16 already");
    EXPECT_REFUSED(model, model.InsertKey(kFtb, -1, 0.5), "no key can stand before row 0");
    EXPECT_REFUSED(model, model.InsertKey(kFtb, 8, 1e39), "value 1e+39 is not a 32-bit float");
    EXPECT_REFUSED(model, model.InsertKey(kFtb, 8, std::nan("")), "value nan is not a 32-bit float");
    EXPECT_REFUSED(model, model.InsertKey(7, 8, 0.5), "no track 7");
}

TEST(KeyEditRefusal, EditsOfTheSelectionNeedASelection)
{
    KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_REFUSED(model, model.MoveSelected(4), "no key selected");
    EXPECT_REFUSED(model, model.DeleteSelected(), "no key selected");
    EXPECT_REFUSED(model, model.CycleSelectedType(), "no key selected");
    EXPECT_REFUSED(model, model.SetSelectedValue("1"), "no key selected");
    EXPECT_REFUSED(model, model.NudgeSelected(1, NudgeSize::Coarse), "no key selected");
    model.Select({kFtb, 2});
    EXPECT_TRUE(model.Selection().empty()) << "a key that does not exist cannot be selected";
}

// ---------------------------------------------------------------------------
// Finding keys for the timeline
// ---------------------------------------------------------------------------

TEST(KeyEditLookup, PreviousAndNextKeyRowsSkipTheRowTheyStartFrom)
{
    const KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_EQ(model.PreviousKeyRow(kFtb, 16.0), 0);
    EXPECT_EQ(model.PreviousKeyRow(kFtb, 16.5), 16);
    EXPECT_EQ(model.PreviousKeyRow(kFtb, 0.0), std::nullopt);
    EXPECT_EQ(model.NextKeyRow(kFtb, 0.0), 16);
    EXPECT_EQ(model.NextKeyRow(kFtb, 16.0), std::nullopt);
    EXPECT_EQ(model.NextKeyRow(9, 0.0), std::nullopt);
}

TEST(KeyEditLookup, KeysAreFoundByTrackNameAndRow)
{
    const KeyEditModel model{std::string(kEditText), "tracks.txt"};
    EXPECT_EQ(model.FindTrack("fog"), kFog);
    EXPECT_EQ(model.FindTrack("fo"), std::nullopt);
    EXPECT_EQ(model.KeyAt(kFog, 128), (KeyRef{kFog, 1}));
    EXPECT_EQ(model.KeyAt(kFog, 127), std::nullopt);
}

TEST(KeyEditLookup, TheNudgeStepFollowsTheSpanOfTheTracksValues)
{
    const TrackKey wide[] = {{0, -10.0f, 0}, {1, 1665.625f, 0}};
    EXPECT_DOUBLE_EQ(NudgeStep(wide, NudgeSize::Coarse), 100.0);
    EXPECT_DOUBLE_EQ(NudgeStep(wide, NudgeSize::Fine), 10.0);
    const TrackKey tenth[] = {{0, 0.0f, 0}, {1, 1.0f, 0}};
    EXPECT_DOUBLE_EQ(NudgeStep(tenth, NudgeSize::Coarse), 0.1) << "a span of a power of ten";
    const TrackKey flat[] = {{0, 250.0f, 0}, {1, 250.0f, 0}};
    EXPECT_DOUBLE_EQ(NudgeStep(flat, NudgeSize::Coarse), 10.0) << "a flat track steps by its size";
    EXPECT_DOUBLE_EQ(NudgeStep({}, NudgeSize::Coarse), 0.1);
}

}  // namespace
