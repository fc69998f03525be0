// The timeline as the key editor, without a window: clicks on key marks and
// on empty rows, drags snapped to beats or rows, the editing keys and typed
// values, each driving the model that writes tracks.txt, and what the lanes
// show of it. Also the panel's places and the editing keys' map.
#include <gtest/gtest.h>
#include <raylib.h>

#include <string>
#include <string_view>
#include <vector>

#include "edit_keys.h"
#include "key_edit_model.h"
#include "sync/sync_device.h"
#include "timeline_editor.h"
#include "lane_tracks.h"
#include "timeline_lanes.h"
#include "track_text_reload.h"
#include "transport_keys.h"

namespace {

constexpr std::string_view kText =
    "track fade\n"
    "    0   1    linear\n"
    "   16   0    step\n"
    "track roll\n"
    "    0   0   step\n"
    "  255   5   step\n"
    "  384  40   step\n"
    "  448   0   step\n"
    "  511   0   step\n";
constexpr int kFade = 0;
constexpr int kRoll = 1;
// A ruler, two lanes and the music's, of 26 pixels each; the rows run from x =
// 190 to 1280.
constexpr PixelRect kPanel{0.0f, 400.0f, 1280.0f, kRulerHeight + 3.0f * 26.0f};
constexpr double kRows = 832.0;
constexpr KeyModifiers kShift{true, false};
constexpr KeyModifiers kControl{false, true};
constexpr std::int32_t kEnd = 800;

class TimelineEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(device, nullptr);
        ASSERT_NE(GetTrack(device, "fade"), nullptr);
        ASSERT_NE(GetTrack(device, "roll"), nullptr);
        Apply();
        PlaceTimelineView(view, kPanel);
    }
    void TearDown() override
    {
        if (device != nullptr) DestroySyncDevice(device, 0);
    }

    // The demo takes the model's text, as the studio does after an edit.
    void Apply()
    {
        ASSERT_TRUE(ReloadTrackText(device, model.Text()).applied);
        lanes = LaneTracks(RegisteredTracks(*device), &model);
    }
    EditingFrame Frame()
    {
        return {&model, "", lanes, kPanel, view, playhead, false, kEnd, loop, [] { return clipboard; }};
    }
    EditorOutcome CarryOut(const EditorOutcome& outcome)
    {
        if (outcome.edited) Apply();
        if (outcome.seekRow) playhead = *outcome.seekRow;
        return outcome;
    }

    PixelPoint Mark(int lane, std::int32_t row)
    {
        const SyncTrack& track = *RegisteredTracks(*device)[static_cast<std::size_t>(lane)];
        const std::int32_t key = FindKey(&track, row);
        return KeyMark(track, track.keys[key], view, TimelineLane(kPanel, lane, 2));
    }
    PixelPoint Empty(int lane, double row) { return {view.RowToX(row), TimelineLane(kPanel, lane, 2).y + 3.0f}; }
    PixelPoint Label(int lane) { return {20.0f, TimelineLane(kPanel, lane, 2).y + 10.0f}; }
    float RowsToPixels(double rows) { return view.RowToX(rows) - view.RowToX(0.0); }

    EditorOutcome Press(PixelPoint at, KeyModifiers modifiers = {})
    {
        time += 0.1;
        return CarryOut(editor.Press(Frame(), {at, modifiers}, time));
    }
    EditorOutcome Release(PixelPoint at, KeyModifiers modifiers = {})
    {
        return CarryOut(editor.Release(Frame(), {at, modifiers}));
    }
    EditorOutcome Click(PixelPoint at, KeyModifiers modifiers = {})
    {
        Press(at, modifiers);
        return Release(at, modifiers);
    }
    EditorOutcome Drag(PixelPoint from, float pixels, KeyModifiers modifiers = {})
    {
        Press(from);
        const PixelPoint to{from.x + pixels, from.y};
        CarryOut(editor.Follow(Frame(), {to, modifiers}));
        return Release(to, modifiers);
    }
    EditorOutcome Key(int key, KeyModifiers modifiers = {})
    {
        return CarryOut(editor.Key(Frame(), key, modifiers, false));
    }
    std::vector<KeyRef> Selected() const { return {model.Selection().begin(), model.Selection().end()}; }
    std::string Line(std::size_t number) const
    {
        std::size_t start = 0;
        for (std::size_t line = 1; line < number; ++line) start = model.Text().find('\n', start) + 1;
        return model.Text().substr(start, model.Text().find('\n', start) - start);
    }

    KeyEditModel model{std::string(kText), "tracks.txt"};
    SyncDevice* const device = CreateSyncDevice("Editing");
    LaneTracks lanes;
    std::optional<RowSpan> loop;
    static inline std::string clipboard;
    TimelineView view{kRows, 0.0f, 1.0f};
    TimelineEditor editor;
    double playhead = 456.0;
    double time = 100.0;
};

// ---------------------------------------------------------------------------
// Selecting
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, AClickOnAKeysMarkSelectsItAndMakesItsLaneCurrentWithoutScrubbing)
{
    const EditorOutcome outcome = Click(Mark(kRoll, 448));
    EXPECT_TRUE(outcome.handled);
    EXPECT_FALSE(outcome.seekRow) << "a click on a key moved the playhead";
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 3}}));
    EXPECT_EQ(editor.CurrentLane(), kRoll);
    Click(Mark(kFade, 16));
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 1}})) << "a plain click selects only its key";
}

TEST_F(TimelineEditing, ShiftClickAddsKeysToTheSelectionAndTakesThemOut)
{
    Click(Mark(kRoll, 448));
    Click(Mark(kFade, 0), kShift);
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 0}, {kRoll, 3}}));
    Click(Mark(kRoll, 448), kShift);
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 0}}));
}

TEST_F(TimelineEditing, APlainClickOnASelectedKeySelectsOnlyIt)
{
    // A selection can reach off screen: a click that moves nothing must not
    // keep keys nobody sees.
    Click(Mark(kFade, 16));
    Click(Mark(kRoll, 448), kShift);
    Click(Mark(kRoll, 448));
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 3}}));
    EXPECT_TRUE(Key(KEY_DELETE).edited);
    EXPECT_EQ(model.Tracks()[kFade].keys.size(), 2u) << "the key no longer clicked was deleted too";
    ASSERT_TRUE(Key(KEY_Z, kControl).edited);
    Click(Mark(kFade, 16), kShift);
    ASSERT_TRUE(Key(KEY_UP).edited);
    Click(Mark(kRoll, 384));
    ASSERT_TRUE(Key(KEY_Z, kControl).edited);
    ASSERT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 1}, {kRoll, 3}})) << "the nudge's selection, back";
    Click(Mark(kRoll, 448));
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 3}})) << "after undo too";
}

TEST_F(TimelineEditing, AClickOnEmptyRowsScrubsThereKeepingTheSelection)
{
    Click(Mark(kRoll, 448));
    const EditorOutcome outcome = Press(Empty(kFade, 300.0));
    ASSERT_TRUE(outcome.seekRow);
    EXPECT_NEAR(*outcome.seekRow, 300.0, 1e-3);
    EXPECT_TRUE(editor.Scrubbing());
    const EditorOutcome followed = CarryOut(editor.Follow(Frame(), {Empty(kFade, 320.0), {}}));
    ASSERT_TRUE(followed.seekRow) << "the scrub did not follow the pointer";
    EXPECT_NEAR(*followed.seekRow, 320.0, 1e-3);
    Release(Empty(kFade, 320.0));
    EXPECT_FALSE(editor.Scrubbing());
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 3}}));
    EXPECT_EQ(editor.CurrentLane(), kFade);
}

TEST_F(TimelineEditing, AClickOnALabelMakesItsLaneCurrentAndNothingElse)
{
    const EditorOutcome outcome = Press(Label(kRoll));
    EXPECT_TRUE(outcome.handled);
    EXPECT_FALSE(outcome.seekRow);
    EXPECT_EQ(editor.CurrentLane(), kRoll);
    EXPECT_FALSE(Press({20.0f, 100.0f}).handled) << "the editor took a click above the panel";
}

TEST_F(TimelineEditing, EscapeGivesUpTypingThenTheSelectionAndOnlyThenQuits)
{
    Click(Mark(kRoll, 448));
    Key(KEY_ENTER);
    EXPECT_FALSE(Key(KEY_ESCAPE).quit);
    EXPECT_FALSE(editor.Typing());
    EXPECT_FALSE(Key(KEY_ESCAPE).quit);
    EXPECT_TRUE(Selected().empty());
    EXPECT_TRUE(Key(KEY_ESCAPE).quit);
}

// ---------------------------------------------------------------------------
// Dragging
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, ADragMovesTheSelectedKeysByABarInOneEditMadeOnRelease)
{
    Click(Mark(kRoll, 448));
    Click(Mark(kFade, 16), kShift);
    const std::string before = model.Text();
    Press(Mark(kRoll, 448));
    CarryOut(editor.Follow(Frame(), {{Mark(kRoll, 448).x + RowsToPixels(15.2), 0.0f}, {}}));
    EXPECT_EQ(model.Text(), before) << "the drag edited before its release";
    const TimelineMarks marks = editor.Marks(Frame(), std::nullopt);
    ASSERT_TRUE(marks.readout);
    EXPECT_EQ(marks.readout->text, "row 464") << "the landing row, snapped to a beat";
    EXPECT_TRUE(marks.dragging);
    const EditorOutcome released = Release({Mark(kRoll, 448).x + RowsToPixels(15.2), 0.0f});
    EXPECT_TRUE(released.edited);
    EXPECT_EQ(Line(3), "   32   0    step");
    EXPECT_EQ(Line(8), "  464   0   step");
    ASSERT_TRUE(model.Undo().changed);
    EXPECT_EQ(model.Text(), before) << "the drag was more than one step of history";
}

TEST_F(TimelineEditing, WithShiftADragSnapsToRowsAndAnOffBeatKeyLandsOnTheBeatNearest)
{
    Click(Mark(kRoll, 448));
    EXPECT_TRUE(Drag(Mark(kRoll, 448), RowsToPixels(5.3), kShift).edited);
    EXPECT_EQ(Line(8), "  453   0   step");
    Click(Mark(kRoll, 255));
    EXPECT_TRUE(Drag(Mark(kRoll, 255), RowsToPixels(16.0)).edited);
    EXPECT_EQ(Line(6), "  272   5   step") << "255 carried a bar on lands on the beat at 272";
}

TEST_F(TimelineEditing, AKeyPressedAndReleasedOnTheSpotDoesNotMove)
{
    Click(Mark(kRoll, 255));
    EXPECT_FALSE(Drag(Mark(kRoll, 255), TimelineEditor::kDragPixels - 1.0f).edited);
    EXPECT_EQ(model.Text(), kText);
}

TEST_F(TimelineEditing, ADragPastANeighbourShowsWhyAndChangesNothing)
{
    Click(Mark(kRoll, 384));
    Press(Mark(kRoll, 384));
    CarryOut(editor.Follow(Frame(), {{Mark(kRoll, 384).x + RowsToPixels(80.0), 0.0f}, {}}));
    const TimelineMarks marks = editor.Marks(Frame(), std::nullopt);
    ASSERT_TRUE(marks.readout);
    EXPECT_TRUE(marks.readout->refused);
    EXPECT_EQ(marks.readout->text, "row 464: 'roll': the key at row 384 would pass the key at row 448");
    EXPECT_FALSE(Release({Mark(kRoll, 384).x + RowsToPixels(80.0), 0.0f}).edited);
    EXPECT_EQ(editor.Message(), "'roll': the key at row 384 would pass the key at row 448");
    EXPECT_EQ(model.Text(), kText);
}

// ---------------------------------------------------------------------------
// Inserting
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, IInsertsAtThePlayheadsRowTheValueThereWithTheTypeBefore)
{
    Click(Mark(kRoll, 448));
    Drag(Mark(kRoll, 448), RowsToPixels(16.0));
    playhead = 456.0004;
    const double before = GetTrackValue(RegisteredTracks(*device)[kRoll], playhead);
    EXPECT_TRUE(Key(KEY_I).edited);
    EXPECT_EQ(Line(8), "  456  40   step");
    EXPECT_EQ(GetTrackValue(RegisteredTracks(*device)[kRoll], playhead), before) << "the picture jumped";
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 3}})) << "the new key is not the selection";
}

TEST_F(TimelineEditing, ADoubleClickOnEmptyRowsInsertsAKeyThereAndPutsThePlayheadOnIt)
{
    EXPECT_TRUE(Click(Empty(kFade, 100.3)).handled);
    EXPECT_NEAR(playhead, 100.3, 1e-3);
    const EditorOutcome second = Click(Empty(kFade, 100.3));
    EXPECT_TRUE(second.edited);
    EXPECT_EQ(Line(4), "  100   0    step");
    EXPECT_EQ(second.seekRow, 100.0) << "the playhead is not on the new key, whose value would not show";
}

TEST_F(TimelineEditing, ADoubleClickThatDragsOnlyScrubs)
{
    Click(Empty(kFade, 100.0));
    EXPECT_FALSE(Drag(Empty(kFade, 100.0), 50.0f).edited);
    EXPECT_EQ(model.Text(), kText);
}

TEST_F(TimelineEditing, ClicksTooFarApartInTimeOrSpaceOnlyScrub)
{
    Click(Empty(kFade, 100.0));
    time += TimelineEditor::kDoubleClickSeconds;
    EXPECT_FALSE(Click(Empty(kFade, 100.0)).edited) << "the clicks were slow";
    time += TimelineEditor::kDoubleClickSeconds;
    Click(Empty(kFade, 100.0));
    EXPECT_FALSE(Click({Empty(kFade, 100.0).x + 2.0f * TimelineEditor::kDoubleClickPixels, Empty(kFade, 100.0).y})
                     .edited)
        << "the clicks were apart";
    EXPECT_EQ(model.Text(), kText);
}

TEST_F(TimelineEditing, WithoutACurrentLaneOrAModelAnInsertSaysWhy)
{
    EXPECT_FALSE(Key(KEY_I).edited);
    EXPECT_EQ(editor.Message(), "no current lane: click a lane first");
    Click(Mark(kRoll, 448));
    const EditingFrame frame{nullptr, "nothing to edit", lanes, kPanel, view, playhead, false, kEnd, {}, nullptr};
    EXPECT_FALSE(editor.Key(frame, KEY_I, {}, false).edited);
    EXPECT_EQ(editor.Message(), "nothing to edit");
    EXPECT_FALSE(editor.Key(frame, KEY_DELETE, {}, false).edited);
    EXPECT_EQ(editor.Message(), "nothing to edit");
}

// ---------------------------------------------------------------------------
// Keys on the selection
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, DeleteAndBackspaceRemoveTheSelectedKeys)
{
    Click(Mark(kRoll, 448));
    EXPECT_TRUE(Key(KEY_DELETE).edited);
    Click(Mark(kRoll, 511));
    EXPECT_TRUE(Key(KEY_BACKSPACE).edited);
    EXPECT_EQ(model.Tracks()[kRoll].keys.size(), 3u);
    EXPECT_FALSE(Key(KEY_DELETE).edited);
    EXPECT_EQ(editor.Message(), "no key selected");
}

TEST_F(TimelineEditing, TCyclesTheTypeAndOneToFourSetIt)
{
    Click(Mark(kFade, 0));
    EXPECT_TRUE(Key(KEY_T).edited);
    EXPECT_EQ(Line(2), "    0   1    smooth");
    EXPECT_TRUE(Key(KEY_FOUR).edited);
    EXPECT_EQ(Line(2), "    0   1    ramp");
    EXPECT_TRUE(Key(KEY_ONE).edited);
    EXPECT_EQ(Line(2), "    0   1    step");
}

TEST_F(TimelineEditing, EnterTypesAValueThatEnterAppliesAndARefusedOneStaysOpen)
{
    Click(Mark(kRoll, 384));
    Key(KEY_ENTER);
    for (const int key : {KEY_MINUS, KEY_THREE, KEY_PERIOD, KEY_FIVE}) Key(key);
    const TimelineMarks marks = editor.Marks(Frame(), std::nullopt);
    ASSERT_TRUE(marks.readout);
    EXPECT_EQ(marks.readout->text, "value: -3.5_   Enter applies, Escape cancels");
    EXPECT_FALSE(Key(KEY_SPACE).handled) << "typing took a transport key";
    EXPECT_TRUE(Key(KEY_DELETE).handled) << "an editing key acted while typing";
    EXPECT_TRUE(Key(KEY_ENTER).edited);
    EXPECT_EQ(Line(7), "  384  -3.5 step");
    EXPECT_FALSE(editor.Typing());

    Key(KEY_ENTER);
    for (const int key : {KEY_ONE, KEY_MINUS}) Key(key);
    EXPECT_FALSE(Key(KEY_ENTER).edited);
    EXPECT_EQ(editor.Message(), "value '1-' is not a number");
    EXPECT_TRUE(editor.Typing()) << "a refused value closed";
    Key(KEY_BACKSPACE);
    EXPECT_TRUE(Key(KEY_ENTER).edited);
    EXPECT_EQ(Line(7), "  384   1   step");
}

TEST_F(TimelineEditing, ATypedValueTakesWhatTheParserReadsUpToItsLengthAndSaysWhyNoMore)
{
    Click(Mark(kRoll, 384));
    Key(KEY_ENTER);
    Key(KEY_ONE);
    for (int zero = 0; zero < 34; ++zero) Key(KEY_ZERO);
    EXPECT_TRUE(Key(KEY_ENTER).edited);
    EXPECT_EQ(Line(7), "  384   1e+34 step");
    Key(KEY_ENTER);
    for (std::size_t digit = 0; digit < TimelineEditor::kLongestTyped; ++digit) Key(KEY_ONE);
    EXPECT_EQ(editor.Message(), "");
    Key(KEY_ONE);
    EXPECT_EQ(editor.Message(), "a value is at most 64 characters long");
}

TEST_F(TimelineEditing, UpAndDownNudgeTheSelectedValuesShiftTenTimesFiner)
{
    Click(Mark(kRoll, 384));
    EXPECT_TRUE(Key(KEY_UP).edited);
    EXPECT_EQ(Line(7), "  384  41   step");
    EXPECT_TRUE(Key(KEY_DOWN, kShift).edited);
    EXPECT_EQ(Line(7), "  384  40.9 step");
}

TEST_F(TimelineEditing, CommaAndPeriodGoToTheCurrentLanesKeysBeforeAndAfterThePlayhead)
{
    Click(Label(kRoll));
    playhead = 448.0;
    EXPECT_EQ(Key(KEY_PERIOD).seekRow, 511.0) << "the key under the playhead counted as after it";
    EXPECT_EQ(Key(KEY_COMMA).seekRow, 448.0);
    EXPECT_EQ(Key(KEY_COMMA).seekRow, 384.0);
    playhead = 600.0;
    EXPECT_FALSE(Key(KEY_PERIOD).seekRow);
    EXPECT_EQ(editor.Message(), "'roll' has no key after the playhead");
}

TEST_F(TimelineEditing, ControlZUndoesControlYAndControlShiftZRedo)
{
    Click(Mark(kRoll, 448));
    Key(KEY_DELETE);
    EXPECT_TRUE(Key(KEY_Z, kControl).edited);
    EXPECT_EQ(model.Text(), kText);
    EXPECT_TRUE(Key(KEY_Y, kControl).edited);
    EXPECT_TRUE(Key(KEY_Z, kControl).edited);
    EXPECT_TRUE(Key(KEY_Z, {true, true}).edited);
    EXPECT_EQ(model.Tracks()[kRoll].keys.size(), 4u);
}

// ---------------------------------------------------------------------------
// Many keys at once
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, AControlDragBoxesKeysAcrossLanesWithShiftAddingThem)
{
    const PixelPoint from{Mark(kFade, 16).x - 5.0f, Mark(kFade, 16).y - 5.0f};
    Press(from, kControl);
    EXPECT_FALSE(editor.Scrubbing()) << "a box is no scrub";
    CarryOut(editor.Follow(Frame(), {{Mark(kRoll, 255).x + 5.0f, Mark(kRoll, 255).y + 5.0f}, kControl}));
    ASSERT_TRUE(editor.Marks(Frame(), std::nullopt).box);
    Release({Mark(kRoll, 255).x + 5.0f, Mark(kRoll, 255).y + 5.0f}, kControl);
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 1}, {kRoll, 1}}));
    const PixelPoint last = Mark(kRoll, 511);
    Press({last.x - 2.0f, last.y - 2.0f}, {true, true});
    Release({last.x + 2.0f, last.y + 2.0f}, {true, true});
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kFade, 1}, {kRoll, 1}, {kRoll, 4}}));
    Press({last.x - 2.0f, last.y - 2.0f}, kControl);
    Release({last.x + 2.0f, last.y + 2.0f}, kControl);
    EXPECT_EQ(Selected(), (std::vector<KeyRef>{{kRoll, 4}}));
    EXPECT_EQ(playhead, 456.0) << "the playhead stayed";
}

TEST_F(TimelineEditing, CopyCutAndPasteGoThroughTheClipboardAtThePlayheadIntoTheCurrentLane)
{
    Click(Mark(kRoll, 384));
    Click(Mark(kRoll, 448), kShift);
    const EditorOutcome copied = Key(KEY_C, kControl);
    ASSERT_TRUE(copied.copied);
    EXPECT_EQ(*copied.copied, "track roll\n  384 40 step\n  448 0 step\n");
    clipboard = *copied.copied;
    Click(Label(kFade));
    playhead = 100.2;
    EXPECT_TRUE(Key(KEY_V, kControl).edited);
    EXPECT_EQ(model.Tracks()[kFade].keys[2], (TrackKey{100, 40.0f, 0}));
    EXPECT_EQ(model.Tracks()[kFade].keys[3], (TrackKey{164, 0.0f, 0}));
    const EditorOutcome cut = Key(KEY_X, kControl);
    EXPECT_TRUE(cut.edited);
    EXPECT_EQ(model.Tracks()[kFade].keys.size(), 2u);
    clipboard = "not keys";
    EXPECT_FALSE(Key(KEY_V, kControl).edited);
    EXPECT_EQ(editor.Message(), "the clipboard holds no keys of tracks.txt (line 1: key before the first 'track NAME')");
}

TEST_F(TimelineEditing, EqualsInsertsABeatOrABarAndMinusRemovesTheLoopElseABeat)
{
    playhead = 449.6;
    EXPECT_TRUE(Key(KEY_EQUAL).edited);
    EXPECT_EQ(Line(9), "  515   0   step") << "the key at 511, a beat later";
    EXPECT_TRUE(Key(KEY_EQUAL, kShift).edited);
    EXPECT_EQ(Line(9), "  531   0   step");
    EXPECT_TRUE(Key(KEY_MINUS).edited);
    EXPECT_EQ(Line(9), "  527   0   step");
    loop = RowSpan{400, 500};
    EXPECT_TRUE(Key(KEY_MINUS).edited);
    EXPECT_EQ(Line(8), "  427   0   step") << "the loop's 100 rows, and the key at 448 in it, gone";
}

TEST_F(TimelineEditing, MOpensAMarkersNameTypedAsTextAndAClickOnItsNameRenamesIt)
{
    model.AttachMarkers(std::nullopt, "markers.txt");
    playhead = 256.0;
    EXPECT_TRUE(Key(KEY_M).handled);
    EXPECT_TRUE(editor.Typing());
    for (const char32_t c : std::u32string(U"flöck")) editor.Character(c);
    EXPECT_FALSE(Key(KEY_SPACE).seekRow) << "a space in a name is no transport key";
    EXPECT_TRUE(Key(KEY_BACKSPACE).handled);
    ASSERT_TRUE(Key(KEY_ENTER).edited);
    ASSERT_EQ(model.Markers().size(), 1u);
    EXPECT_EQ(model.Markers()[0].name, "fl\u00f6c");

    const TimelineMarks marks = editor.Marks(Frame(), std::nullopt);
    ASSERT_EQ(marks.markers.size(), 1u);
    EXPECT_FLOAT_EQ(marks.markers[0].x, view.RowToX(256.0));
    Click({marks.markers[0].x + 4.0f, MarkerStrip(kPanel).y + 4.0f});
    EXPECT_TRUE(editor.Typing());
    for (const char32_t c : std::u32string(U"!")) editor.Character(c);
    ASSERT_TRUE(Key(KEY_ENTER).edited);
    EXPECT_EQ(model.Markers()[0].name, "fl\u00f6c!");

    playhead = 0.0;
    EXPECT_EQ(Key(KEY_PAGE_DOWN).seekRow, 256.0);
    EXPECT_FALSE(Key(KEY_PAGE_UP).seekRow);
    EXPECT_EQ(editor.Message(), "no marker before the playhead");
    ASSERT_TRUE(model.SelectedMarker());
    EXPECT_TRUE(Key(KEY_DELETE).edited);
    EXPECT_TRUE(model.Markers().empty());
}

TEST_F(TimelineEditing, ARefusalAboutATextThatIsFixedSinceIsDropped)
{
    Click(Mark(kRoll, 448));
    ASSERT_EQ(model.TakeSavedText("track fade\n0 x step\n"), SavedText::InError);
    Key(KEY_DELETE);
    EXPECT_EQ(editor.Message(), "editing waits until line 2 of tracks.txt is fixed");
    editor.Refresh(&model);
    EXPECT_NE(editor.Message(), "") << "still in error";
    ASSERT_EQ(model.TakeSavedText(std::string(kText)), SavedText::Ignored);
    editor.Refresh(&model);
    EXPECT_EQ(editor.Message(), "");
}

// ---------------------------------------------------------------------------
// What the lanes show
// ---------------------------------------------------------------------------

TEST_F(TimelineEditing, TheLaneUnderThePointerReadsItsValueThereAndItsSelectedKey)
{
    Click(Mark(kRoll, 384));
    TimelineMarks marks = editor.Marks(Frame(), Empty(kRoll, 400.0));
    ASSERT_TRUE(marks.readout);
    EXPECT_EQ(marks.readout->lane, kRoll);
    EXPECT_EQ(marks.readout->text, "row 400.0: 40   selected: row 384 = 40 step");
    EXPECT_EQ(marks.currentLane, kRoll);
    ASSERT_EQ(marks.selectedKeys.size(), 1u);
    EXPECT_FLOAT_EQ(marks.selectedKeys[0].x, Mark(kRoll, 384).x);
    EXPECT_FLOAT_EQ(marks.selectedKeys[0].y, Mark(kRoll, 384).y);

    marks = editor.Marks(Frame(), Empty(kFade, 8.0));
    ASSERT_TRUE(marks.readout);
    EXPECT_EQ(marks.readout->text, "row 8.0: 0.5") << "another lane showed the selection";
    marks = editor.Marks(Frame(), PixelPoint{10.0f, 10.0f});
    ASSERT_TRUE(marks.readout) << "away from the panel the current lane reads at the playhead";
    EXPECT_EQ(marks.readout->lane, kRoll);
    EXPECT_EQ(marks.readout->text, "row 456.0: 0   selected: row 384 = 40 step");
}

// ---------------------------------------------------------------------------
// The panel's places
// ---------------------------------------------------------------------------

TEST(TimelinePlaces, LanesStackBelowTheRulerAndAreFoundByHeight)
{
    EXPECT_EQ(TimelineLane(kPanel, 1, 2), (PixelRect{0.0f, 460.0f, 1280.0f, 26.0f}));
    EXPECT_EQ(TimelineLaneAt(kPanel, 2, 433.0f), std::nullopt) << "the ruler";
    EXPECT_EQ(TimelineLaneAt(kPanel, 2, 434.0f), 0);
    EXPECT_EQ(TimelineLaneAt(kPanel, 2, 485.0f), 1);
    EXPECT_EQ(TimelineLaneAt(kPanel, 2, 486.0f), 2) << "the music's lane";
    EXPECT_EQ(TimelineLaneAt(kPanel, 2, 512.0f), std::nullopt) << "below the panel";
    EXPECT_EQ(MarkerStrip(kPanel), (PixelRect{190.0f, 416.0f, 1090.0f, 18.0f}));
    EXPECT_EQ(TimelinePlot(kPanel), (PixelRect{190.0f, 400.0f, 1090.0f, 112.0f}));
}

TEST(TimelinePlaces, AReadoutStandsBesideItsRowWithinThePlotNeverOverTheLabels)
{
    const PixelRect plot = TimelinePlot(kPanel);
    EXPECT_EQ(ReadoutLeft(500.0f, 100.0f, plot), 508.0f) << "right of its row";
    EXPECT_EQ(ReadoutLeft(1250.0f, 100.0f, plot), 1142.0f) << "left of it at the plot's end";
    EXPECT_EQ(ReadoutLeft(100.0f, 100.0f, plot), plot.x) << "a drag below row 0, left of the plot";
}

TEST(TimelinePlaces, AKeyIsFoundWithinReachOfItsMarkTheNearestOfOverlappingMarks)
{
    TrackKey keys[] = {{100, 0.0f, 0}, {101, 0.0f, 0}, {300, 1.0f, 0}};
    char name[] = "t";
    const SyncTrack track{name, keys, 3};
    TimelineView view(kRows, 0.0f, 1.0f);
    PlaceTimelineView(view, kPanel);
    const PixelRect lane = TimelineLane(kPanel, 0, 2);
    const PixelPoint first = KeyMark(track, keys[0], view, lane);
    EXPECT_EQ(KeyMarkAt(track, view, lane, first), 0);
    EXPECT_EQ(KeyMarkAt(track, view, lane, {first.x + 1.2f, first.y}), 1) << "101 is nearer";
    EXPECT_EQ(KeyMarkAt(track, view, lane, {first.x, first.y + kKeyMarkReach + 1.0f}), std::nullopt);
    EXPECT_EQ(KeyMarkAt(track, view, lane, KeyMark(track, keys[2], view, lane)), 2);
}

// ---------------------------------------------------------------------------
// The editing keys
// ---------------------------------------------------------------------------

TEST(EditKeys, NoEditingKeyIsATransportKey)
{
    for (int key = 0; key < 400; ++key) {
        for (const KeyModifiers modifiers : {KeyModifiers{}, kShift, kControl, KeyModifiers{true, true}}) {
            if (!TransportActionForKey(key, modifiers, false)) continue;
            EXPECT_FALSE(EditActionForKey(key, modifiers, false)) << "key " << key;
        }
    }
}

TEST(EditKeys, OnlyNudgesStepsToKeysAndHistoryRepeatWhenHeld)
{
    EXPECT_TRUE(EditActionForKey(KEY_UP, {}, true));
    EXPECT_TRUE(EditActionForKey(KEY_COMMA, {}, true));
    EXPECT_TRUE(EditActionForKey(KEY_Z, kControl, true));
    EXPECT_FALSE(EditActionForKey(KEY_DELETE, {}, true));
    EXPECT_FALSE(EditActionForKey(KEY_I, {}, true));
    EXPECT_FALSE(EditActionForKey(KEY_ESCAPE, {}, true)) << "holding Escape would quit after clearing";
    EXPECT_FALSE(EditActionForKey(KEY_I, kControl, false)) << "Control+I is not I";
}

TEST(EditKeys, TypingTakesDigitsSignPointAndExponentAlsoFromTheKeypad)
{
    std::string typed;
    for (const int key : {KEY_KP_SUBTRACT, KEY_ONE, KEY_KP_DECIMAL, KEY_KP_5, KEY_E, KEY_MINUS, KEY_NINE}) {
        const std::optional<TypingAction> action = TypingActionForKey(key);
        ASSERT_TRUE(action && action->move == TypingMove::Add) << key;
        typed += action->character;
    }
    EXPECT_EQ(typed, "-1.5e-9");
    EXPECT_FALSE(TypingActionForKey(KEY_A));
    EXPECT_EQ(TypingActionForKey(KEY_KP_ENTER), TypingAction{TypingMove::Apply});
}

}  // namespace
