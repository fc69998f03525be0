// The key editor's edits of many keys at once, each one step of history
// written back keeping every other byte: copy and paste through the
// clipboard's text, inserting and removing time before the demo's end, and
// the markers and their file.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "key_edit_model.h"
#include "marker_text.h"

namespace {

constexpr std::string_view kText =
    "# fade in, roll, end\n"
    "track fade\n"
    "    0   1    linear\n"
    "   16   0    step\n"
    "  800   1    step\n"
    "track roll\n"
    "    0   0   step\n"
    "   32  10   smooth   # up\n"
    "   48  20   step\n"
    "track scene\n"
    "  0 0.1 step\n"
    "800 1   step\n";
constexpr int kFade = 0;
constexpr int kRoll = 1;
constexpr std::int32_t kEnd = 800;

// `text` with each of `lines` (old, new) replaced once.
std::string With(std::string text, std::initializer_list<std::pair<std::string_view, std::string_view>> lines)
{
    for (const auto& [line, by] : lines) {
        const std::size_t at = text.find(line);
        EXPECT_NE(at, std::string::npos) << line;
        if (at != std::string::npos) text.replace(at, line.size(), by);
    }
    return text;
}

std::vector<KeyRef> SelectionOf(const KeyEditModel& model)
{
    return {model.Selection().begin(), model.Selection().end()};
}

// ---------------------------------------------------------------------------
// Copy and paste
// ---------------------------------------------------------------------------

TEST(KeyClipboard, CopiedKeysAreLinesOfTracksTxtThatPasteBackAtThePlayhead)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.SelectKeys({{kRoll, 1}, {kRoll, 2}}, SelectionChange::Replace);
    const CopiedKeys copied = model.CopySelected();
    EXPECT_EQ(copied.text, "track roll\n  32 10 smooth\n  48 20 step\n");
    ASSERT_TRUE(model.Paste(copied.text, 64, std::nullopt).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   48  20   step\n", "   48  20   step\n"
                                                                            "   64  10   smooth\n"
                                                                            "   80  20   step\n"}}));
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kRoll, 3}, {kRoll, 4}})) << "the pasted keys";
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kText);
}

TEST(KeyClipboard, KeysOfOneTrackGoToTheCurrentLaneKeysOfSeveralToTheirOwn)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    ASSERT_TRUE(model.Paste("track roll\n32 10 smooth\n", 8, kFade).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   16   0    step\n", "    8  10    smooth\n   16   0    step\n"}}));
    ASSERT_TRUE(model.Undo().changed);
    ASSERT_TRUE(model.Paste("track fade\n40 0.5 step\ntrack roll\n44 2 linear\n", 100, kFade).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   16   0    step\n", "   16   0    step\n  100   0.5  step\n"},
                                                      {"   48  20   step\n", "   48  20   step\n  104   2   linear\n"}}));
}

TEST(KeyClipboard, APastedKeyReplacesTheKeyOnItsRow)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    ASSERT_TRUE(model.Paste("track roll\n0 -5 linear\n4 7 step\n", 32, kRoll).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   32  10   smooth   # up\n", "   32  -5   linear   # up\n"
                                                                                     "   36   7   step\n"}}));
    EXPECT_EQ(model.Tracks()[kRoll].keys.size(), 4u);
}

TEST(KeyClipboard, AnythingElseOnTheClipboardIsRefusedInOneLineChangingNothing)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    const struct {
        std::string_view clipboard;
        std::string_view refusal;
    } cases[] = {
        {"", "the clipboard holds no keys of tracks.txt (it is empty)"},
        {"Dear diary,\nno keys today",
         "the clipboard holds no keys of tracks.txt (line 1: key before the first 'track NAME')"},
        {"track roll\n", "the clipboard holds no keys of tracks.txt (it names tracks but no keys)"},
        {"track roll\n0 1 step\ntrack nope\n0 1 step\n", "'nope' is not in the text being edited"},
    };
    for (const auto& c : cases) {
        const EditResult result = model.Paste(c.clipboard, 16, kRoll);
        EXPECT_FALSE(result.changed);
        EXPECT_EQ(Worded(result.refusal), c.refusal);
    }
    EXPECT_EQ(model.Text(), kText);
    EXPECT_EQ(Worded(model.CopySelected().refusal), "no key selected");
}

// ---------------------------------------------------------------------------
// Time
// ---------------------------------------------------------------------------

TEST(KeyTime, InsertedTimeMovesEveryLaterKeyButTheEndAndKeepsEveryOtherByte)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    ASSERT_TRUE(model.InsertTime(16, 4, kEnd).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   16   0    step\n", "   20   0    step\n"},
                                                      {"   32  10   smooth", "   36  10   smooth"},
                                                      {"   48  20", "   52  20"}}));
    EXPECT_EQ(Worded(model.InsertTime(0, 760, kEnd).refusal),
              "'roll': the key at row 52 would reach the demo's end at row 800");
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kText);
}

TEST(KeyTime, RemovedTimeTakesItsKeysAndMovesTheLaterOnesEarlier)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.Select({kRoll, 2});
    ASSERT_TRUE(model.RemoveTime(16, 32, kEnd).changed);
    EXPECT_EQ(model.Text(), With(std::string(kText), {{"   16   0    step\n", ""},
                                                      {"   32  10   smooth", "   16  10   smooth"},
                                                      {"   48  20", "   32  20"}}));
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kRoll, 2}})) << "the selected key, moved";
    EXPECT_EQ(Worded(model.RemoveTime(800, 816, kEnd).refusal), "no time to remove: the demo ends at row 800");
    EXPECT_FALSE(model.RemoveTime(700, 900, kEnd).changed) << "empty time before the end";
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), kText);
}

// ---------------------------------------------------------------------------
// Markers
// ---------------------------------------------------------------------------

struct MarkersFile {
    std::optional<std::string> text;
    KeyEditModel::WriteBack Writer()
    {
        return [this](std::optional<std::string_view> previous, std::string_view next) -> std::optional<EditRefusal> {
            EXPECT_EQ(previous, text) << "a write over another text";
            text = next;
            return std::nullopt;
        };
    }
};

TEST(KeyMarkers, TheFirstMarkerMakesTheFileAndEachEditChangesOnlyItsLine)
{
    MarkersFile file;
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.AttachMarkers(std::nullopt, "markers.txt", file.Writer());
    ASSERT_TRUE(model.AddMarker(256, " flock ").changed);
    EXPECT_EQ(file.text, std::string(kMarkerFileHeader) + "256 flock\n");
    ASSERT_TRUE(model.AddMarker(128, "intro").changed);
    ASSERT_TRUE(model.RenameMarker(1, "the flock").changed);
    EXPECT_EQ(file.text, std::string(kMarkerFileHeader) + "128 intro\n256 the flock\n");
    EXPECT_EQ(model.SelectedMarker(), 1);
    ASSERT_TRUE(model.DeleteSelectedMarker().changed);
    EXPECT_EQ(file.text, std::string(kMarkerFileHeader) + "128 intro\n");
    EXPECT_EQ(model.Markers().size(), 1u);
}

TEST(KeyMarkers, AMakersOwnFileKeepsItsCommentsAndLineEndings)
{
    MarkersFile file{"# mine\r\n  64   drop\r\n\r\n512 stream"};
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.AttachMarkers(file.text, "markers.txt", file.Writer());
    ASSERT_EQ(model.Markers().size(), 2u);
    EXPECT_EQ(model.NextMarkerRow(64), 512);
    EXPECT_EQ(model.PreviousMarkerRow(64), std::nullopt);
    ASSERT_TRUE(model.AddMarker(600, "end").changed);
    ASSERT_TRUE(model.RenameMarker(0, "the drop").changed);
    EXPECT_EQ(file.text, "# mine\r\n64 the drop\r\n\r\n512 stream\r\n600 end");
}

TEST(KeyMarkers, NamesAndRowsAreCheckedAndAFileWithAMistakeHoldsMarkerEdits)
{
    MarkersFile file;
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.AttachMarkers(std::nullopt, "markers.txt", file.Writer());
    ASSERT_TRUE(model.AddMarker(16, "a").changed);
    EXPECT_EQ(Worded(model.AddMarker(16, "b").refusal), "a marker stands at row 16 already: click its name to rename it");
    EXPECT_EQ(Worded(model.AddMarker(20, "  ").refusal), "a marker needs a name");
    EXPECT_EQ(Worded(model.AddMarker(20, std::string(49, 'x')).refusal), "a marker's name is at most 48 bytes long");
    EXPECT_EQ(Worded(model.AddMarker(20, "a\x1b[2J").refusal), "a marker's name is one line of text");
    EXPECT_EQ(model.SelectedMarker(), 0) << "a marker added is selected; the refusals changed nothing";

    const std::string good = *file.text;
    file.text = good + "8 b\n";
    EXPECT_EQ(model.TakeSavedMarkers(file.text), SavedText::InError);
    EXPECT_EQ(AsSentence(*model.WhyNoMarkers()), "Markers wait until line 3 of markers.txt is fixed.");
    EXPECT_FALSE(model.AddMarker(20, "c").changed);
    file.text = good;
    EXPECT_EQ(model.TakeSavedMarkers(file.text), SavedText::Ignored) << "the text in hand, back";
    EXPECT_TRUE(model.AddMarker(20, "c").changed);
}

TEST(KeyMarkers, TheMarkersTextParserSaysWhatIsWrongOnWhichLine)
{
    const struct {
        std::string_view text;
        int line;
        std::string_view message;
    } cases[] = {
        {"16 a\nx b\n", 2, "row 'x' is not a whole number from 0 on"},
        {"-4 a\n", 1, "row '-4' is not a whole number from 0 on"},
        {"16\n", 1, "a marker needs a name"},
        {"16 a\n16 b\n", 2, "row 16 does not come after row 16"},
        {"# ok\n\n16 a\x7f\n", 3, "not text: a control character"},
    };
    for (const auto& c : cases) {
        const ParsedMarkers parsed = ParseMarkerText(c.text);
        ASSERT_TRUE(parsed.error) << c.text;
        EXPECT_EQ(parsed.error->line, c.line) << c.text;
        EXPECT_EQ(parsed.error->message, c.message) << c.text;
    }
    EXPECT_EQ(ParseMarkerText("# c\n 0  the  start \n").markers, (std::vector<Marker>{{0, "the  start", 2}}));
}

// ---------------------------------------------------------------------------
// The history
// ---------------------------------------------------------------------------

TEST(KeyPhrases, EveryNewEditIsOneStepAndUndoingThemAllGivesBackTheFirstBytes)
{
    MarkersFile file{"# markers\n64 drop\n"};
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.AttachMarkers(file.text, "markers.txt", file.Writer());
    std::vector<std::pair<std::string, std::optional<std::string>>> states{{model.Text(), file.text}};
    const auto step = [&](const EditResult& result) {
        ASSERT_TRUE(result.changed) << Worded(result.refusal);
        states.emplace_back(model.Text(), file.text);
    };
    model.SelectAllOf(kRoll);
    const std::string copied = model.CopySelected().text;
    step(model.Paste(copied, 100, std::nullopt));
    step(model.InsertTime(8, 16, kEnd));
    step(model.RemoveTime(0, 4, kEnd));
    step(model.AddMarker(300, "cut"));
    step(model.RenameMarker(0, "the drop"));
    model.SelectMarker(1);
    step(model.DeleteSelectedMarker());
    model.SelectAllOf(std::nullopt);
    step(model.DeleteSelected());
    for (std::size_t at = states.size() - 1; at > 0; --at) {
        ASSERT_TRUE(model.Undo().changed) << "undo of step " << at;
        EXPECT_EQ(std::pair(model.Text(), file.text), states[at - 1]) << "undo of step " << at;
    }
    EXPECT_FALSE(model.CanUndo());
    for (std::size_t at = 1; at < states.size(); ++at) {
        ASSERT_TRUE(model.Redo().changed);
        EXPECT_EQ(std::pair(model.Text(), file.text), states[at]) << "redo of step " << at;
    }
}

TEST(KeyPhrases, CtrlAOnALaneSelectsItsKeysAndAgainEveryKey)
{
    KeyEditModel model{std::string(kText), "tracks.txt"};
    model.SelectAllOf(kFade);
    EXPECT_EQ(SelectionOf(model), (std::vector<KeyRef>{{kFade, 0}, {kFade, 1}, {kFade, 2}}));
    model.SelectAllOf(kFade);
    EXPECT_EQ(model.Selection().size(), 8u);
    model.SelectKeys({{kRoll, 0}}, SelectionChange::Add);
    EXPECT_EQ(model.Selection().size(), 8u) << "added twice, selected once";
}

}  // namespace
