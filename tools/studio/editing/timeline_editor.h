// The timeline as the key editor: what the editing keys (edit_keys.h) and the
// mouse on the timeline do to the key edit model (key_edit_model.h), without
// a window. The studio hands in each key, character and button event with
// the timeline as it stands (EditingFrame) and does what comes back
// (EditorOutcome): the demo takes the model's new text, the playhead moves,
// the clipboard takes the copied keys, the studio quits. Marks() says what to
// draw of it.
//
//   A click on a key's mark selects the key, and only it, and makes its lane
//   the current lane; with Shift the key joins or leaves the selection. A
//   click elsewhere on the rows scrubs and makes that lane current; a second
//   click there within kDoubleClickSeconds, on the same spot, also inserts a
//   key at the playhead when it is released there. A click on a lane's label
//   only makes it current. With Control held, a drag on the rows draws a box
//   that selects every key whose mark it holds, across lanes; with Shift as
//   well, it adds them to the selection.
//
//   Dragging a selected key moves the selected keys once the pointer has
//   left the spot by kDragPixels: the grabbed key lands on the beat nearest
//   the pointer (with Shift held, the row), the others keep their distance
//   to it. Until the release, which makes the move one edit, the readout
//   shows the landing row, or why the keys cannot land there.
//
//   Keys are inserted, pasted and time is inserted or removed at the row
//   nearest the playhead; while paused, an inserted key brings the playhead
//   onto it, so that a new value for it shows.
//
//   M opens a new marker's name for typing at the playhead; a click on a
//   marker's name selects the marker and opens its name for typing. Enter
//   applies the name, Escape gives it up.
//
// Whatever the model refuses (and why there is nothing to edit) becomes
// Message(), kept until the next event the editor takes, or until the text
// it was about becomes editable again or stops being so (Refresh).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "edit_keys.h"
#include "key_edit_model.h"
#include "lane_tracks.h"
#include "sync/track.h"
#include "timeline_lanes.h"
#include "timeline_view.h"

struct RowSpan {
    std::int32_t from;
    std::int32_t to;  // not included
};

// The timeline as an event finds it.
struct EditingFrame {
    KeyEditModel* model;         // null: nothing to edit, for the reason in `noModel`
    std::string_view noModel;    // one line
    const LaneTracks& lanes;     // a lane per track the demo reads, in the panel's order
    PixelRect panel;             // the timeline panel; empty while it is hidden
    const TimelineView& view;    // placed in the panel
    double playheadRow;
    bool playing;
    std::int32_t endRow;         // the demo's end
    std::optional<RowSpan> loop;  // while the loop is on
    std::string (*readClipboard)();  // the system clipboard's text
};

struct PointerEvent {
    PixelPoint position;
    KeyModifiers modifiers;
};

struct EditorOutcome {
    bool handled = false;  // the event was the editor's: nothing else takes it
    bool edited = false;   // the model's text changed: the demo takes it
    std::optional<double> seekRow;  // where the playhead goes
    bool quit = false;
    std::optional<std::string> copied;  // for the system clipboard
    std::string refusal;   // what was refused, in one line; empty when nothing was
};

// Over a lane: the row it is about and what to say of it.
struct TimelineReadout {
    int lane;
    float x;
    std::string text;
    bool refused;  // a drag that cannot land there
};

struct MarkerMark {
    float x;
    std::string name;  // with a cursor while it is typed
    bool selected;
};

struct TimelineMarks {
    std::optional<int> currentLane;
    std::vector<PixelPoint> selectedKeys;  // where their marks stand
    std::optional<TimelineReadout> readout;
    bool dragging;  // the readout's x is the drag's landing row
    std::optional<PixelRect> box;
    std::vector<MarkerMark> markers;
};

class TimelineEditor {
public:
    static constexpr double kDoubleClickSeconds = 0.4;
    static constexpr float kDoubleClickPixels = 4.0f;
    static constexpr float kDragPixels = 3.0f;
    // What a typed value may hold; the parser reads longer words, but no
    // float needs more.
    static constexpr std::size_t kLongestTyped = 64;

    EditorOutcome Key(const EditingFrame& frame, int key, KeyModifiers modifiers, bool repeat);
    // Text typed, one Unicode character: a marker's name takes it.
    EditorOutcome Character(char32_t character);
    // The left button; `time` in seconds on any steady clock.
    EditorOutcome Press(const EditingFrame& frame, const PointerEvent& press, double time);
    EditorOutcome Release(const EditingFrame& frame, const PointerEvent& release);
    // Once a frame, the pointer where it is now: a scrub follows it, a drag
    // finds its landing row, a box its corner.
    EditorOutcome Follow(const EditingFrame& frame, const PointerEvent& pointer);
    // Once a frame: drops a message whose text has since become editable,
    // or stopped being so.
    void Refresh(const KeyEditModel* model);

    // A button is held on the timeline.
    bool Scrubbing() const { return scrubX.has_value(); }
    bool Dragging() const { return drag.has_value() || box.has_value(); }
    bool Typing() const { return typing.has_value(); }
    std::optional<int> CurrentLane() const { return currentLane; }
    const std::string& Message() const { return message; }

    // What to draw over the timeline; `pointer` none when it is not over
    // the window.
    TimelineMarks Marks(const EditingFrame& frame, std::optional<PixelPoint> pointer) const;

private:
    enum class Editability { NoModel, Blocked, Editable };
    enum class Side { Before, After };
    struct KeyDrag {
        int lane;
        KeyRef grabbed;
        std::int32_t grabbedRow;
        float pressX;
        bool wasSelected;
        bool moving = false;
        std::int64_t rowDelta = 0;
        std::optional<EditRefusal> refusal{};
    };
    struct Click {
        double time;
        PixelPoint position;
        int lane;
    };
    struct Box {
        PixelPoint from;
        PixelPoint to;
        SelectionChange change;
    };
    // A value or a marker's name being typed.
    struct TypedText {
        enum class Field { Value, MarkerName };
        Field field;
        std::string text;
        std::optional<int> marker;  // the marker renamed; none: a new one at `row`
        std::int32_t row = 0;
    };

    EditorOutcome Act(const EditingFrame& frame, const EditAction& action);
    EditorOutcome ActOnModel(const EditingFrame& frame, KeyEditModel& model, const EditAction& action);
    EditorOutcome Type(const EditingFrame& frame, const TypingAction& action);
    // The typed text applied: the value, or the marker's name.
    EditResult ApplyTyped(KeyEditModel& model) const;
    EditorOutcome PressKeyMark(const EditingFrame& frame, int lane, std::int32_t row, const PointerEvent& press);
    bool PressMarker(const EditingFrame& frame, PixelPoint point);
    EditorOutcome InsertAtPlayhead(const EditingFrame& frame, KeyEditModel& model);
    EditorOutcome KeyBeside(const EditingFrame& frame, KeyEditModel& model, Side side);
    EditorOutcome MarkerBeside(const EditingFrame& frame, const KeyEditModel& model, Side side);
    enum class Taking { Copy, Cut };
    EditorOutcome Copy(KeyEditModel& model, Taking taking);
    EditorOutcome Take(const EditResult& result);
    EditorOutcome Refuse(const EditRefusal& refusal);
    void FollowDrag(const EditingFrame& frame, const PointerEvent& pointer);
    void SelectBoxed(const EditingFrame& frame);
    // The model's track of the current lane, or why there is none.
    std::variant<int, EditRefusal> CurrentTrack(const EditingFrame& frame) const;
    // The model's revision, and the outcome marked edited when it changed.
    static std::uint64_t RevisionOf(const EditingFrame& frame);
    static EditorOutcome Edited(const EditingFrame& frame, std::uint64_t before, EditorOutcome outcome);
    std::optional<TimelineReadout> Readout(const EditingFrame& frame, std::optional<PixelPoint> pointer) const;
    std::string LaneReadout(const EditingFrame& frame, int lane, double row) const;
    static Editability EditabilityOf(const KeyEditModel* model);

    std::optional<int> currentLane;
    std::optional<KeyDrag> drag;
    std::optional<Box> box;
    std::optional<float> scrubX;
    std::optional<Click> lastClick;
    std::optional<float> doubleClickX;  // the second press of a double click
    std::optional<TypedText> typing;
    std::string message;
    Editability messageEditability = Editability::NoModel;
};
