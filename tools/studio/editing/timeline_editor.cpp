// The timeline as the key editor.
//
// [SECTION] Helpers
// [SECTION] Keys
// [SECTION] The mouse
// [SECTION] Edits
// [SECTION] What to draw
#include "timeline_editor.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "edit_steps.h"
#include "key_line.h"
#include "text/quoted_text.h"

// [SECTION] Helpers
namespace {

// Row readings a little off a whole row (seconds and back) count as on it.
constexpr double kOnRow = 1e-6;
constexpr std::size_t kLongestTyped = 32;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

int LaneCount(const EditingFrame& frame)
{
    return static_cast<int>(frame.lanes.size());
}

bool NamesLane(const EditingFrame& frame, int lane)
{
    return lane >= 0 && lane < LaneCount(frame);
}

std::optional<int> LaneOfTrack(const EditingFrame& frame, const std::string& name)
{
    for (int lane = 0; lane < LaneCount(frame); ++lane) {
        if (name == frame.lanes[static_cast<std::size_t>(lane)]->name) return lane;
    }
    return std::nullopt;
}

const SyncTrack& LaneTrack(const EditingFrame& frame, int lane)
{
    return *frame.lanes[static_cast<std::size_t>(lane)];
}

EditorOutcome Handled()
{
    EditorOutcome outcome;
    outcome.handled = true;
    return outcome;
}

EditorOutcome SeekTo(double row)
{
    EditorOutcome outcome = Handled();
    outcome.seekRow = row;
    return outcome;
}

EditorOutcome Quitting()
{
    EditorOutcome outcome = Handled();
    outcome.quit = true;
    return outcome;
}

const TrackKey& KeyOf(const KeyEditModel& model, KeyRef key)
{
    return model.Tracks()[static_cast<std::size_t>(key.track)].keys[static_cast<std::size_t>(key.key)];
}

}  // namespace

// [SECTION] Keys

EditorOutcome TimelineEditor::Key(const EditingFrame& frame, int key, KeyModifiers modifiers, bool repeat)
{
    if (typed) {
        if (const std::optional<TypingAction> typing = TypingActionForKey(key)) return Type(frame, *typing);
        // The other editing keys wait until the value is applied or given up.
        return EditActionForKey(key, modifiers, repeat) ? Handled() : EditorOutcome{};
    }
    const std::optional<EditAction> action = EditActionForKey(key, modifiers, repeat);
    if (!action) return EditorOutcome{};
    message.clear();
    return Act(frame, *action);
}

EditorOutcome TimelineEditor::Act(const EditingFrame& frame, const EditAction& action)
{
    KeyEditModel* model = frame.model;
    if (action.command == EditCommand::Escape) {
        if (drag) {
            drag.reset();
        } else if (model && !model->Selection().empty()) {
            model->ClearSelection();
        } else {
            return Quitting();
        }
        return Handled();
    }
    if (action.command == EditCommand::InsertKey) return InsertAtPlayhead(frame);
    if (action.command == EditCommand::PreviousKey || action.command == EditCommand::NextKey) {
        return KeyBeside(frame, action.command == EditCommand::NextKey);
    }
    if (!model) {
        message = frame.noModel;
        return Handled();
    }
    switch (action.command) {
    case EditCommand::Delete:
        return Take(model->DeleteSelected());
    case EditCommand::CycleType:
        return Take(model->CycleSelectedType());
    case EditCommand::SetType:
        return Take(model->SetSelectedType(action.type));
    case EditCommand::TypeValue:
        if (!model->WhyNotEditable().empty()) {
            message = model->WhyNotEditable();
        } else if (model->Selection().empty()) {
            message = "no key selected";
        } else {
            typed.emplace();
        }
        return Handled();
    case EditCommand::Nudge:
        return Take(model->NudgeSelected(action.steps, action.fine));
    case EditCommand::Undo:
        return Take(model->Undo());
    case EditCommand::Redo:
        return Take(model->Redo());
    default:
        return Handled();
    }
}

EditorOutcome TimelineEditor::Type(const EditingFrame& frame, const TypingAction& action)
{
    message.clear();
    switch (action.move) {
    case TypingMove::Add:
        if (typed->size() < kLongestTyped) typed->push_back(action.character);
        return Handled();
    case TypingMove::Erase:
        if (!typed->empty()) typed->pop_back();
        return Handled();
    case TypingMove::Cancel:
        typed.reset();
        return Handled();
    case TypingMove::Apply:
        break;
    }
    if (typed->empty() || !frame.model) {
        typed.reset();
        return Handled();
    }
    // A value refused stays open to be put right.
    const EditorOutcome outcome = Take(frame.model->SetSelectedValue(*typed));
    if (message.empty()) typed.reset();
    return outcome;
}

// [SECTION] The mouse

EditorOutcome TimelineEditor::Press(const EditingFrame& frame, const PointerEvent& press, double time)
{
    if (!Inside(press.position, frame.panel)) return EditorOutcome{};
    message.clear();
    typed.reset();
    const std::optional<int> lane = TimelineLaneAt(frame.panel, LaneCount(frame), press.position.y);
    if (lane) currentLane = *lane;
    if (!Inside(press.position, TimelinePlot(frame.panel))) {
        lastClick.reset();
        return Handled();
    }
    if (lane) {
        const SyncTrack& track = LaneTrack(frame, *lane);
        const PixelRect area = TimelineLane(frame.panel, *lane, LaneCount(frame));
        if (const std::optional<std::int32_t> key = KeyMarkAt(track, frame.view, area, press.position)) {
            lastClick.reset();
            return PressKeyMark(frame, *lane, track.keys[*key].row, press);
        }
        const bool second = lastClick && lastClick->lane == *lane && time - lastClick->time <= kDoubleClickSeconds &&
                            std::hypot(press.position.x - lastClick->position.x,
                                       press.position.y - lastClick->position.y) <= kDoubleClickPixels;
        if (second) {
            lastClick.reset();
            doubleClickX = press.position.x;
        } else {
            lastClick = Click{time, press.position, *lane};
        }
    }
    scrubX = press.position.x;
    return SeekTo(frame.view.XToRow(press.position.x));
}

EditorOutcome TimelineEditor::PressKeyMark(const EditingFrame& frame, int lane, std::int32_t row,
                                           const PointerEvent& press)
{
    KeyEditModel* model = frame.model;
    if (!model) {
        message = frame.noModel;
        return Handled();
    }
    const std::string name = LaneTrack(frame, lane).name;
    const std::optional<int> track = model->FindTrack(name);
    const std::optional<KeyRef> key = track ? model->KeyAt(*track, row) : std::nullopt;
    if (!key) {
        // The demo shows tracks the model does not hold: the built-in ones
        // until a good text is read.
        message = model->WhyNotEditable().empty() ? Quoted(name) + " is not in the text being edited"
                                                  : model->WhyNotEditable();
        return Handled();
    }
    if (press.modifiers.shift) {
        model->ToggleSelected(*key);
        return Handled();
    }
    if (!model->IsSelected(*key)) model->Select(*key);
    drag = KeyDrag{lane, row, press.position.x, false, 0, {}};
    return Handled();
}

EditorOutcome TimelineEditor::Release(const EditingFrame& frame, const PointerEvent& release)
{
    if (scrubX) {
        scrubX.reset();
        // A double click that turned into a drag is a scrub.
        const std::optional<float> second = std::exchange(doubleClickX, std::nullopt);
        if (second && std::fabs(release.position.x - *second) < kDragPixels) return InsertAtPlayhead(frame);
        return Handled();
    }
    if (!drag) return EditorOutcome{};
    FollowDrag(frame, release);
    const KeyDrag done = *std::exchange(drag, std::nullopt);
    if (!done.moving || done.rowDelta == 0) return Handled();
    if (!frame.model) return Handled();
    return Take(frame.model->MoveSelected(done.rowDelta));
}

EditorOutcome TimelineEditor::Follow(const EditingFrame& frame, const PointerEvent& pointer)
{
    if (drag) {
        FollowDrag(frame, pointer);
        return Handled();
    }
    if (!scrubX) return EditorOutcome{};
    // Seeking only when the pointer moved keeps the music from restarting
    // on the spot every frame.
    if (std::floor(pointer.position.x) == std::floor(*scrubX)) return Handled();
    scrubX = pointer.position.x;
    return SeekTo(frame.view.XToRow(pointer.position.x));
}

void TimelineEditor::FollowDrag(const EditingFrame& frame, const PointerEvent& pointer)
{
    const float x = pointer.position.x;
    if (!drag->moving && std::fabs(x - drag->pressX) < kDragPixels) return;
    drag->moving = true;
    // The grabbed key's new row is the nearest multiple of the snap to the
    // row the pointer has carried it to.
    const double carried = drag->grabbedRow + frame.view.XToRow(x) - frame.view.XToRow(drag->pressX);
    const std::int64_t landing = SnapRowDelta(carried, pointer.modifiers.shift ? RowSnap::Row : RowSnap::Beat);
    drag->rowDelta = landing - drag->grabbedRow;
    drag->refusal = frame.model ? frame.model->MoveRefusal(drag->rowDelta) : std::string(frame.noModel);
}

// [SECTION] Edits

EditorOutcome TimelineEditor::Take(const EditResult& result)
{
    if (!result.changed) message = result.refusal;
    EditorOutcome outcome = Handled();
    outcome.edited = result.changed;
    return outcome;
}

std::optional<int> TimelineEditor::CurrentTrack(const EditingFrame& frame)
{
    if (!currentLane || !NamesLane(frame, *currentLane)) {
        message = "no current lane: click a lane first";
        return std::nullopt;
    }
    if (!frame.model) {
        message = frame.noModel;
        return std::nullopt;
    }
    const char* name = LaneTrack(frame, *currentLane).name;
    const std::optional<int> track = frame.model->FindTrack(name);
    if (!track) message = Quoted(name) + " is not in the text being edited";
    return track;
}

EditorOutcome TimelineEditor::InsertAtPlayhead(const EditingFrame& frame)
{
    const std::optional<int> track = CurrentTrack(frame);
    if (!track) return Handled();
    const double row = std::max(0.0, std::round(frame.playheadRow));
    // The value the track has there now, so that the picture does not jump.
    const double value = GetTrackValue(&LaneTrack(frame, *currentLane), row);
    EditorOutcome outcome = Take(frame.model->InsertKey(*track, static_cast<std::int32_t>(row), value));
    if (outcome.edited && !frame.playing) outcome.seekRow = row;
    return outcome;
}

EditorOutcome TimelineEditor::KeyBeside(const EditingFrame& frame, bool after)
{
    const std::optional<int> track = CurrentTrack(frame);
    if (!track) return Handled();
    const std::optional<std::int32_t> row = after ? frame.model->NextKeyRow(*track, frame.playheadRow + kOnRow)
                                                  : frame.model->PreviousKeyRow(*track, frame.playheadRow - kOnRow);
    if (!row) {
        message = Quoted(LaneTrack(frame, *currentLane).name) + " has no key " + (after ? "after" : "before") +
                  " the playhead";
        return Handled();
    }
    return SeekTo(*row);
}

// [SECTION] What to draw

TimelineMarks TimelineEditor::Marks(const EditingFrame& frame, std::optional<PixelPoint> pointer) const
{
    TimelineMarks marks{currentLane && NamesLane(frame, *currentLane) ? currentLane : std::nullopt, {},
                        Readout(frame, pointer), drag && drag->moving};
    if (!frame.model) return marks;
    for (const KeyRef key : frame.model->Selection()) {
        const std::optional<int> lane =
            LaneOfTrack(frame, frame.model->Tracks()[static_cast<std::size_t>(key.track)].name);
        if (!lane) continue;
        marks.selectedKeys.push_back(KeyMark(LaneTrack(frame, *lane), KeyOf(*frame.model, key), frame.view,
                                             TimelineLane(frame.panel, *lane, LaneCount(frame))));
    }
    return marks;
}

std::optional<TimelineReadout> TimelineEditor::Readout(const EditingFrame& frame,
                                                       std::optional<PixelPoint> pointer) const
{
    if (frame.panel.width <= 0.0f || frame.panel.height <= 0.0f) return std::nullopt;
    const KeyEditModel* model = frame.model;
    if (typed && model && !model->Selection().empty()) {
        const KeyRef first = model->Selection().front();
        const std::optional<int> lane = LaneOfTrack(frame, model->Tracks()[static_cast<std::size_t>(first.track)].name);
        if (lane) {
            return TimelineReadout{*lane, frame.view.RowToX(KeyOf(*model, first).row),
                                   "value: " + *typed + "_   Enter applies, Escape cancels", false};
        }
    }
    if (drag && drag->moving) {
        const std::int64_t landing = drag->grabbedRow + drag->rowDelta;
        std::string text = "row " + std::to_string(landing);
        if (!drag->refusal.empty()) text += ": " + drag->refusal;
        return TimelineReadout{drag->lane, frame.view.RowToX(static_cast<double>(landing)), std::move(text),
                               !drag->refusal.empty()};
    }
    const PixelRect plot = TimelinePlot(frame.panel);
    const std::optional<int> under =
        pointer && Inside(*pointer, frame.panel) ? TimelineLaneAt(frame.panel, LaneCount(frame), pointer->y)
                                                 : std::nullopt;
    const std::optional<int> lane = under ? under : currentLane;
    if (!lane || !NamesLane(frame, *lane)) return std::nullopt;
    const float x = under && pointer->x >= plot.x ? pointer->x : frame.view.RowToX(frame.playheadRow);
    return TimelineReadout{*lane, x, LaneReadout(frame, *lane, frame.view.XToRow(x)), false};
}

std::string TimelineEditor::LaneReadout(const EditingFrame& frame, int lane, double row) const
{
    char place[48];
    std::snprintf(place, sizeof place, "row %.1f: ", row);
    std::string text = place + Number(GetTrackValue(&LaneTrack(frame, lane), row));
    if (!frame.model) return text;
    std::vector<KeyRef> selected;
    for (const KeyRef key : frame.model->Selection()) {
        if (LaneOfTrack(frame, frame.model->Tracks()[static_cast<std::size_t>(key.track)].name) == lane) {
            selected.push_back(key);
        }
    }
    if (selected.size() == 1) {
        const TrackKey& key = KeyOf(*frame.model, selected.front());
        text += "   selected: row " + std::to_string(key.row) + " = " + ValueWord(key.value) + " " +
                kKeyTypeNames[static_cast<std::size_t>(key.type)];
    } else if (!selected.empty()) {
        text += "   " + std::to_string(selected.size()) + " keys selected";
    }
    return text;
}
