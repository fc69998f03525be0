// The timeline as the key editor: what the editing keys (edit_keys.h) and the
// mouse on the timeline do to the key edit model (key_edit_model.h), without
// a window. The studio hands in each key and button event with the timeline
// as it stands (EditingFrame) and does what comes back (EditorOutcome): the
// demo takes the model's new text, the playhead moves, the studio quits.
// Marks() says what to draw of it.
//
//   A click on a key's mark selects the key and makes its lane the current
//   lane; with Shift the key joins or leaves the selection. A click elsewhere
//   on the rows scrubs as before and makes that lane current; a second click
//   there within kDoubleClickSeconds, on the same spot, also inserts a key at
//   the playhead when it is released there. A click on a lane's label only
//   makes it current.
//
//   A key is inserted at the row nearest the playhead; while paused, the
//   playhead then moves onto it, so that a new value for it shows.
//
//   Dragging a selected key moves the selected keys once the pointer has
//   left the spot by kDragPixels: the grabbed key lands on the beat nearest
//   the pointer (with Shift held, the row), the others keep their distance
//   to it. Until the release, which makes the move one edit, the readout
//   shows the landing row, or why the keys cannot land there.
//
// Whatever the model refuses (and why there is nothing to edit) becomes
// Message(), kept until the next event the editor takes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "edit_keys.h"
#include "key_edit_model.h"
#include "sync/track.h"
#include "timeline_lanes.h"
#include "timeline_view.h"

// The timeline as an event finds it.
struct EditingFrame {
    KeyEditModel* model;              // null: nothing to edit, for the reason in `noModel`
    std::string_view noModel;         // one line
    std::span<SyncTrack* const> lanes;  // a lane per track the demo reads, in the panel's order
    PixelRect panel;                  // the timeline panel; empty while it is hidden
    const TimelineView& view;         // placed in the panel
    double playheadRow;
    bool playing;
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
};

// Over a lane: the row it is about and what to say of it.
struct TimelineReadout {
    int lane;
    float x;
    std::string text;
    bool refused;  // a drag that cannot land there
};

struct TimelineMarks {
    std::optional<int> currentLane;
    std::vector<PixelPoint> selectedKeys;  // where their marks stand
    std::optional<TimelineReadout> readout;
    bool dragging;  // the readout's x is the drag's landing row
};

class TimelineEditor {
public:
    static constexpr double kDoubleClickSeconds = 0.4;
    static constexpr float kDoubleClickPixels = 4.0f;
    static constexpr float kDragPixels = 3.0f;

    EditorOutcome Key(const EditingFrame& frame, int key, KeyModifiers modifiers, bool repeat);
    // The left button; `time` in seconds on any steady clock.
    EditorOutcome Press(const EditingFrame& frame, const PointerEvent& press, double time);
    EditorOutcome Release(const EditingFrame& frame, const PointerEvent& release);
    // Once a frame, the pointer where it is now: a scrub follows it, a drag
    // finds its landing row.
    EditorOutcome Follow(const EditingFrame& frame, const PointerEvent& pointer);

    // A button is held on the timeline.
    bool Scrubbing() const { return scrubX.has_value(); }
    bool Dragging() const { return drag.has_value(); }
    bool Typing() const { return typed.has_value(); }
    std::optional<int> CurrentLane() const { return currentLane; }
    const std::string& Message() const { return message; }

    // What to draw over the timeline; `pointer` none when it is not over
    // the window.
    TimelineMarks Marks(const EditingFrame& frame, std::optional<PixelPoint> pointer) const;

private:
    struct KeyDrag {
        int lane;
        std::int32_t grabbedRow;
        float pressX;
        bool moving = false;
        std::int64_t rowDelta = 0;
        std::string refusal;
    };
    struct Click {
        double time;
        PixelPoint position;
        int lane;
    };

    EditorOutcome Act(const EditingFrame& frame, const EditAction& action);
    EditorOutcome Type(const EditingFrame& frame, const TypingAction& action);
    EditorOutcome PressKeyMark(const EditingFrame& frame, int lane, std::int32_t row, const PointerEvent& press);
    EditorOutcome InsertAtPlayhead(const EditingFrame& frame);
    EditorOutcome KeyBeside(const EditingFrame& frame, bool after);
    EditorOutcome Take(const EditResult& result);
    void FollowDrag(const EditingFrame& frame, const PointerEvent& pointer);
    // The model and the current lane's track in it; none with the reason
    // in `message`.
    std::optional<int> CurrentTrack(const EditingFrame& frame);
    std::optional<TimelineReadout> Readout(const EditingFrame& frame, std::optional<PixelPoint> pointer) const;
    std::string LaneReadout(const EditingFrame& frame, int lane, double row) const;

    std::optional<int> currentLane;
    std::optional<KeyDrag> drag;
    std::optional<float> scrubX;
    std::optional<Click> lastClick;
    std::optional<float> doubleClickX;  // the second press of a double click
    std::optional<std::string> typed;
    std::string message;
};
