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
#include <variant>

#include "edit_steps.h"
#include "key_line.h"

// [SECTION] Helpers
namespace {

// Row readings a little off a whole row (seconds and back) count as on it.
constexpr double kOnRow = 1e-6;

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

// The whole row nearest the playhead, from 0 on.
std::int32_t PlayheadRow(const EditingFrame& frame)
{
    return static_cast<std::int32_t>(std::max(0.0, std::round(frame.playheadRow)));
}

PixelRect LaneArea(const EditingFrame& frame, int lane)
{
    return TimelineLane(frame.panel, lane, frame.lanes.Count());
}

// A Unicode character as UTF-8.
std::string Utf8(char32_t character)
{
    std::string bytes;
    if (character < 0x80) {
        bytes += static_cast<char>(character);
    } else if (character < 0x800) {
        bytes += static_cast<char>(0xC0 | (character >> 6));
        bytes += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x10000) {
        bytes += static_cast<char>(0xE0 | (character >> 12));
        bytes += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (character & 0x3F));
    } else if (character < 0x110000) {
        bytes += static_cast<char>(0xF0 | (character >> 18));
        bytes += static_cast<char>(0x80 | ((character >> 12) & 0x3F));
        bytes += static_cast<char>(0x80 | ((character >> 6) & 0x3F));
        bytes += static_cast<char>(0x80 | (character & 0x3F));
    }
    return bytes;
}

// `text` without its last UTF-8 character.
void EraseLastCharacter(std::string& text)
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (!text.empty()) text.pop_back();
}

}  // namespace

// [SECTION] Keys

EditorOutcome TimelineEditor::Key(const EditingFrame& frame, int key, KeyModifiers modifiers, bool repeat)
{
    const std::uint64_t before = RevisionOf(frame);
    if (typing && typing->field == TypedText::Field::MarkerName) {
        // Every key is the name's while it is typed: its letters come as text.
        const std::optional<TypingAction> action = NamingActionForKey(key);
        return Edited(frame, before, action ? Type(frame, *action) : Handled());
    }
    if (typing) {
        if (const std::optional<TypingAction> action = TypingActionForKey(key)) {
            return Edited(frame, before, Type(frame, *action));
        }
        // The other editing keys wait until the value is applied or given up.
        return EditActionForKey(key, modifiers, repeat) ? Handled() : EditorOutcome{};
    }
    const std::optional<EditAction> action = EditActionForKey(key, modifiers, repeat);
    if (!action) return EditorOutcome{};
    message.clear();
    return Edited(frame, before, Act(frame, *action));
}

EditorOutcome TimelineEditor::Character(char32_t character)
{
    if (!typing || typing->field != TypedText::Field::MarkerName) return EditorOutcome{};
    // Control characters are no text; the keys that type them act instead.
    if (character < 0x20 || character == 0x7F) return Handled();
    const std::string bytes = Utf8(character);
    if (typing->text.size() + bytes.size() > kLongestMarkerName) {
        return Refuse({.kind = Refusal::MarkerNameTooLong, .number = static_cast<std::int64_t>(kLongestMarkerName)});
    }
    typing->text += bytes;
    message.clear();
    return Handled();
}

EditorOutcome TimelineEditor::Act(const EditingFrame& frame, const EditAction& action)
{
    KeyEditModel* model = frame.model;
    if (action.command == EditCommand::Escape) {
        if (drag || box) {
            drag.reset();
            box.reset();
        } else if (model && (!model->Selection().empty() || model->SelectedMarker())) {
            model->ClearSelection();
            model->SelectMarker(std::nullopt);
        } else {
            EditorOutcome outcome = Handled();
            outcome.quit = true;
            return outcome;
        }
        return Handled();
    }
    if (!model) return Refuse({.kind = Refusal::NothingToEdit, .detail = std::string(frame.noModel)});
    return ActOnModel(frame, *model, action);
}

EditorOutcome TimelineEditor::ActOnModel(const EditingFrame& frame, KeyEditModel& model, const EditAction& action)
{
    const std::int32_t row = PlayheadRow(frame);
    switch (action.command) {
    case EditCommand::Escape:
        return Handled();
    case EditCommand::InsertKey:
        return InsertAtPlayhead(frame, model);
    case EditCommand::Delete:
        return Take(model.SelectedMarker() ? model.DeleteSelectedMarker() : model.DeleteSelected());
    case EditCommand::CycleType:
        return Take(model.CycleSelectedType());
    case EditCommand::SetType:
        return Take(model.SetSelectedType(action.type));
    case EditCommand::TypeValue:
        if (model.WhyNotEditable()) return Refuse(*model.WhyNotEditable());
        if (model.Selection().empty()) return Refuse({Refusal::NoKeySelected});
        typing = TypedText{TypedText::Field::Value, {}, std::nullopt, 0};
        return Handled();
    case EditCommand::Nudge:
        return Take(model.NudgeSelected(action.steps, action.size));
    case EditCommand::PreviousKey:
        return KeyBeside(frame, model, Side::Before);
    case EditCommand::NextKey:
        return KeyBeside(frame, model, Side::After);
    case EditCommand::SelectAll: {
        const std::optional<int> track = currentLane ? frame.lanes.TrackOf(*currentLane) : std::nullopt;
        model.SelectAllOf(track);
        return Handled();
    }
    case EditCommand::Copy:
        return Copy(model, Taking::Copy);
    case EditCommand::Cut:
        return Copy(model, Taking::Cut);
    case EditCommand::Paste: {
        const std::optional<int> track = currentLane ? frame.lanes.TrackOf(*currentLane) : std::nullopt;
        return Take(model.Paste(frame.readClipboard ? frame.readClipboard() : std::string(), row, track));
    }
    case EditCommand::InsertTime:
        return Take(model.InsertTime(row, action.rows, frame.endRow));
    case EditCommand::RemoveTime:
        if (frame.loop) return Take(model.RemoveTime(frame.loop->from, frame.loop->to, frame.endRow));
        return Take(model.RemoveTime(row, row + action.rows, frame.endRow));
    case EditCommand::AddMarker:
        if (model.WhyNoMarkers()) return Refuse(*model.WhyNoMarkers());
        if (model.MarkerAt(row)) return Refuse({.kind = Refusal::MarkerAlreadyThere, .row = row});
        typing = TypedText{TypedText::Field::MarkerName, {}, std::nullopt, row};
        return Handled();
    case EditCommand::PreviousMarker:
        return MarkerBeside(frame, model, Side::Before);
    case EditCommand::NextMarker:
        return MarkerBeside(frame, model, Side::After);
    case EditCommand::WriteBack:
        return Take(model.WriteTextBack());
    case EditCommand::Undo:
        return Take(model.Undo());
    case EditCommand::Redo:
        return Take(model.Redo());
    }
    return Handled();
}

EditorOutcome TimelineEditor::Type(const EditingFrame& frame, const TypingAction& action)
{
    message.clear();
    switch (action.move) {
    case TypingMove::Add:
        if (typing->text.size() >= kLongestTyped) {
            return Refuse({.kind = Refusal::ValueTooLong, .number = static_cast<std::int64_t>(kLongestTyped)});
        }
        typing->text.push_back(action.character);
        return Handled();
    case TypingMove::Erase:
        EraseLastCharacter(typing->text);
        return Handled();
    case TypingMove::Cancel:
        typing.reset();
        return Handled();
    case TypingMove::Apply:
        break;
    }
    if (!frame.model) {
        typing.reset();
        return Handled();
    }
    // What is refused stays open to be put right.
    EditorOutcome outcome = Take(ApplyTyped(*frame.model));
    if (outcome.refusal.empty()) typing.reset();
    return outcome;
}

EditResult TimelineEditor::ApplyTyped(KeyEditModel& model) const
{
    switch (typing->field) {
    case TypedText::Field::Value:
        // Nothing typed gives nothing up.
        if (typing->text.empty()) return {};
        return model.SetSelectedValue(typing->text);
    case TypedText::Field::MarkerName:
        return typing->marker ? model.RenameMarker(*typing->marker, typing->text)
                              : model.AddMarker(typing->row, typing->text);
    }
    return {};
}

// [SECTION] The mouse

EditorOutcome TimelineEditor::Press(const EditingFrame& frame, const PointerEvent& press, double time)
{
    if (!Inside(press.position, frame.panel)) return EditorOutcome{};
    message.clear();
    typing.reset();
    if (PressMarker(frame, press.position)) return Handled();
    const std::optional<int> lane = TimelineLaneAt(frame.panel, frame.lanes.Count(), press.position.y);
    const std::optional<int> trackLane = lane && frame.lanes.Names(*lane) ? lane : std::nullopt;
    if (trackLane) currentLane = *trackLane;
    if (!Inside(press.position, TimelinePlot(frame.panel))) {
        lastClick.reset();
        return Handled();
    }
    if (press.modifiers.control) {
        lastClick.reset();
        box = Box{press.position, press.position,
                  press.modifiers.shift ? SelectionChange::Add : SelectionChange::Replace};
        return Handled();
    }
    if (trackLane) {
        const SyncTrack& track = frame.lanes.Shown(*trackLane);
        if (const std::optional<std::int32_t> key =
                KeyMarkAt(track, frame.view, LaneArea(frame, *trackLane), press.position)) {
            lastClick.reset();
            return PressKeyMark(frame, *trackLane, track.keys[*key].row, press);
        }
        const bool second = lastClick && lastClick->lane == *trackLane &&
                            time - lastClick->time <= kDoubleClickSeconds &&
                            std::hypot(press.position.x - lastClick->position.x,
                                       press.position.y - lastClick->position.y) <= kDoubleClickPixels;
        if (second) {
            lastClick.reset();
            doubleClickX = press.position.x;
        } else {
            lastClick = Click{time, press.position, *trackLane};
        }
    }
    scrubX = press.position.x;
    return SeekTo(frame.view.XToRow(press.position.x));
}

bool TimelineEditor::PressMarker(const EditingFrame& frame, PixelPoint point)
{
    KeyEditModel* model = frame.model;
    const PixelRect strip = MarkerStrip(frame.panel);
    if (!model || !Inside(point, strip)) return false;
    // The last drawn is on top.
    for (int marker = static_cast<int>(model->Markers().size()) - 1; marker >= 0; --marker) {
        const Marker& at = model->Markers()[static_cast<std::size_t>(marker)];
        if (!Inside(point, MarkerLabel(strip, frame.view.RowToX(at.row), at.name.size()))) continue;
        model->SelectMarker(marker);
        typing = TypedText{TypedText::Field::MarkerName, at.name, marker, at.row};
        return true;
    }
    return false;
}

EditorOutcome TimelineEditor::PressKeyMark(const EditingFrame& frame, int lane, std::int32_t row,
                                           const PointerEvent& press)
{
    KeyEditModel* model = frame.model;
    if (!model) return Refuse({.kind = Refusal::NothingToEdit, .detail = std::string(frame.noModel)});
    const std::optional<int> track = frame.lanes.TrackOf(lane);
    const std::optional<KeyRef> key = track ? model->KeyAt(*track, row) : std::nullopt;
    if (!key) {
        // The demo shows tracks the model does not hold: the built-in ones
        // until a good text is read.
        if (model->WhyNotEditable()) return Refuse(*model->WhyNotEditable());
        return Refuse({.kind = Refusal::TrackNotInText, .track = frame.lanes.Shown(lane).name});
    }
    if (press.modifiers.shift) {
        model->ToggleSelected(*key);
        return Handled();
    }
    const bool wasSelected = model->IsSelected(*key);
    if (!wasSelected) model->Select(*key);
    drag = KeyDrag{lane, *key, row, press.position.x, wasSelected};
    return Handled();
}

EditorOutcome TimelineEditor::Release(const EditingFrame& frame, const PointerEvent& release)
{
    if (box) {
        box->to = release.position;
        SelectBoxed(frame);
        box.reset();
        return Handled();
    }
    if (scrubX) {
        scrubX.reset();
        // A double click that turned into a drag is a scrub.
        const std::optional<float> second = std::exchange(doubleClickX, std::nullopt);
        if (second && std::fabs(release.position.x - *second) < kDragPixels && frame.model) {
            const std::uint64_t before = RevisionOf(frame);
            return Edited(frame, before, InsertAtPlayhead(frame, *frame.model));
        }
        return Handled();
    }
    if (!drag) return EditorOutcome{};
    FollowDrag(frame, release);
    const KeyDrag done = *std::exchange(drag, std::nullopt);
    if (!frame.model) return Handled();
    // A click that did not become a drag selects only its key: a selection
    // that reached off screen must not ride along unseen.
    if (!done.moving) {
        if (done.wasSelected) frame.model->Select(done.grabbed);
        return Handled();
    }
    if (done.rowDelta == 0) return Handled();
    const std::uint64_t before = RevisionOf(frame);
    return Edited(frame, before, Take(frame.model->MoveSelected(done.rowDelta)));
}

EditorOutcome TimelineEditor::Follow(const EditingFrame& frame, const PointerEvent& pointer)
{
    if (box) {
        box->to = pointer.position;
        return Handled();
    }
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
    drag->refusal = frame.model ? frame.model->MoveRefusal(drag->rowDelta)
                                : EditRefusal{.kind = Refusal::NothingToEdit, .detail = std::string(frame.noModel)};
}

void TimelineEditor::SelectBoxed(const EditingFrame& frame)
{
    if (!frame.model) return;
    const PixelRect area = SpannedRect(box->from, box->to);
    std::vector<KeyRef> boxed;
    for (int lane = 0; lane < frame.lanes.Count(); ++lane) {
        const std::optional<int> track = frame.lanes.TrackOf(lane);
        if (!track) continue;
        const SyncTrack& shown = frame.lanes.Shown(lane);
        for (std::int32_t k = 0; k < shown.keyCount; ++k) {
            const PixelPoint mark = KeyMark(shown, shown.keys[k], frame.view, LaneArea(frame, lane));
            const bool inside = mark.x >= area.x && mark.x <= area.x + area.width && mark.y >= area.y &&
                                mark.y <= area.y + area.height;
            if (!inside) continue;
            if (const std::optional<KeyRef> key = frame.model->KeyAt(*track, shown.keys[k].row)) boxed.push_back(*key);
        }
    }
    frame.model->SelectKeys(std::move(boxed), box->change);
}

void TimelineEditor::Refresh(const KeyEditModel* model)
{
    if (!message.empty() && EditabilityOf(model) != messageEditability) message.clear();
}

TimelineEditor::Editability TimelineEditor::EditabilityOf(const KeyEditModel* model)
{
    if (!model) return Editability::NoModel;
    return model->WhyNotEditable() ? Editability::Blocked : Editability::Editable;
}

// [SECTION] Edits

std::uint64_t TimelineEditor::RevisionOf(const EditingFrame& frame)
{
    return frame.model ? frame.model->Revision() : 0;
}

EditorOutcome TimelineEditor::Edited(const EditingFrame& frame, std::uint64_t before, EditorOutcome outcome)
{
    outcome.edited = RevisionOf(frame) != before;
    return outcome;
}

EditorOutcome TimelineEditor::Take(const EditResult& result)
{
    if (result.refusal) return Refuse(*result.refusal);
    return Handled();
}

EditorOutcome TimelineEditor::Refuse(const EditRefusal& refusal)
{
    EditorOutcome outcome = Handled();
    outcome.refusal = Worded(refusal);
    message = outcome.refusal;
    // What the message is about: a refusal for want of an editable text
    // goes once there is one.
    messageEditability = refusal.kind == Refusal::NothingToEdit  ? Editability::NoModel
                         : refusal.kind == Refusal::TextInError ? Editability::Blocked
                                                                : Editability::Editable;
    return outcome;
}

std::variant<int, EditRefusal> TimelineEditor::CurrentTrack(const EditingFrame& frame) const
{
    if (!currentLane || !frame.lanes.Names(*currentLane)) return EditRefusal{Refusal::NoCurrentLane};
    if (const std::optional<int> track = frame.lanes.TrackOf(*currentLane)) return *track;
    return EditRefusal{.kind = Refusal::TrackNotInText, .track = frame.lanes.Shown(*currentLane).name};
}

EditorOutcome TimelineEditor::InsertAtPlayhead(const EditingFrame& frame, KeyEditModel& model)
{
    const std::variant<int, EditRefusal> current = CurrentTrack(frame);
    if (const EditRefusal* refusal = std::get_if<EditRefusal>(&current)) return Refuse(*refusal);
    const int track = std::get<int>(current);
    const std::int32_t row = PlayheadRow(frame);
    // The value the track has there now, so that the picture does not jump.
    const double value = GetTrackValue(&frame.lanes.Shown(*currentLane), row);
    EditorOutcome outcome = Take(model.InsertKey(track, row, value));
    if (outcome.refusal.empty() && !frame.playing) outcome.seekRow = row;
    return outcome;
}

EditorOutcome TimelineEditor::KeyBeside(const EditingFrame& frame, KeyEditModel& model, Side side)
{
    const std::variant<int, EditRefusal> current = CurrentTrack(frame);
    if (const EditRefusal* refusal = std::get_if<EditRefusal>(&current)) return Refuse(*refusal);
    const int track = std::get<int>(current);
    const std::optional<std::int32_t> row = side == Side::After
                                                ? model.NextKeyRow(track, frame.playheadRow + kOnRow)
                                                : model.PreviousKeyRow(track, frame.playheadRow - kOnRow);
    if (!row) {
        return Refuse({.kind = side == Side::After ? Refusal::NoKeyAfter : Refusal::NoKeyBefore,
                       .track = frame.lanes.Shown(*currentLane).name});
    }
    return SeekTo(*row);
}

EditorOutcome TimelineEditor::MarkerBeside(const EditingFrame& frame, const KeyEditModel& model, Side side)
{
    const std::optional<std::int32_t> row = side == Side::After ? model.NextMarkerRow(frame.playheadRow + kOnRow)
                                                                : model.PreviousMarkerRow(frame.playheadRow - kOnRow);
    if (!row) return Refuse({side == Side::After ? Refusal::NoMarkerAfter : Refusal::NoMarkerBefore});
    return SeekTo(*row);
}

EditorOutcome TimelineEditor::Copy(KeyEditModel& model, Taking taking)
{
    CopiedKeys copied = model.CopySelected();
    if (copied.refusal) return Refuse(*copied.refusal);
    EditorOutcome outcome = taking == Taking::Cut ? Take(model.DeleteSelected()) : Handled();
    // A cut that cannot be written is no cut: the clipboard keeps what it had.
    if (outcome.refusal.empty()) outcome.copied = std::move(copied.text);
    return outcome;
}

// [SECTION] What to draw

TimelineMarks TimelineEditor::Marks(const EditingFrame& frame, std::optional<PixelPoint> pointer) const
{
    TimelineMarks marks{currentLane && frame.lanes.Names(*currentLane) ? currentLane : std::nullopt,
                        {},
                        Readout(frame, pointer),
                        drag && drag->moving,
                        box ? std::optional(SpannedRect(box->from, box->to)) : std::nullopt,
                        {}};
    if (!frame.model) return marks;
    for (const KeyRef key : frame.model->Selection()) {
        const std::optional<int> lane = frame.lanes.LaneOf(key.track);
        if (!lane) continue;
        marks.selectedKeys.push_back(
            KeyMark(frame.lanes.Shown(*lane), frame.model->Key(key), frame.view, LaneArea(frame, *lane)));
    }
    const std::span<const Marker> markers = frame.model->Markers();
    for (int marker = 0; static_cast<std::size_t>(marker) < markers.size(); ++marker) {
        const Marker& at = markers[static_cast<std::size_t>(marker)];
        const bool named = typing && typing->field == TypedText::Field::MarkerName && typing->marker == marker;
        marks.markers.push_back({frame.view.RowToX(at.row), named ? typing->text + "_" : at.name,
                                 frame.model->SelectedMarker() == marker});
    }
    if (typing && typing->field == TypedText::Field::MarkerName && !typing->marker) {
        marks.markers.push_back({frame.view.RowToX(typing->row), typing->text + "_", true});
    }
    return marks;
}

std::optional<TimelineReadout> TimelineEditor::Readout(const EditingFrame& frame,
                                                       std::optional<PixelPoint> pointer) const
{
    if (frame.panel.width <= 0.0f || frame.panel.height <= 0.0f) return std::nullopt;
    const KeyEditModel* model = frame.model;
    if (typing && typing->field == TypedText::Field::Value && model && !model->Selection().empty()) {
        const KeyRef first = model->Selection().front();
        if (const std::optional<int> lane = frame.lanes.LaneOf(first.track)) {
            return TimelineReadout{*lane, frame.view.RowToX(model->Key(first).row),
                                   "value: " + typing->text + "_   Enter applies, Escape cancels", false};
        }
    }
    if (drag && drag->moving) {
        const std::int64_t landing = drag->grabbedRow + drag->rowDelta;
        std::string text = "row " + std::to_string(landing);
        if (drag->refusal) text += ": " + Worded(*drag->refusal);
        return TimelineReadout{drag->lane, frame.view.RowToX(static_cast<double>(landing)), std::move(text),
                               drag->refusal.has_value()};
    }
    const PixelRect plot = TimelinePlot(frame.panel);
    std::optional<int> under =
        pointer && Inside(*pointer, frame.panel) ? TimelineLaneAt(frame.panel, frame.lanes.Count(), pointer->y)
                                                 : std::nullopt;
    if (under && !frame.lanes.Names(*under)) under.reset();
    const std::optional<int> lane = under ? under : currentLane;
    if (!lane || !frame.lanes.Names(*lane)) return std::nullopt;
    const float x = under && pointer->x >= plot.x ? pointer->x : frame.view.RowToX(frame.playheadRow);
    return TimelineReadout{*lane, x, LaneReadout(frame, *lane, frame.view.XToRow(x)), false};
}

std::string TimelineEditor::LaneReadout(const EditingFrame& frame, int lane, double row) const
{
    char place[48];
    std::snprintf(place, sizeof place, "row %.1f: ", row);
    std::string text = place + ShownNumber(GetTrackValue(&frame.lanes.Shown(lane), row));
    if (!frame.model) return text;
    std::optional<KeyRef> only;
    std::size_t selected = 0;
    for (const KeyRef key : frame.model->Selection()) {
        if (frame.lanes.LaneOf(key.track) != lane) continue;
        only = key;
        ++selected;
    }
    if (selected == 1) {
        const TrackKey& key = frame.model->Key(*only);
        text += "   selected: row " + std::to_string(key.row) + " = " + ValueWord(key.value) + " " +
                kKeyTypeNames[static_cast<std::size_t>(key.type)];
    } else if (selected > 1) {
        text += "   " + std::to_string(selected) + " keys selected";
    }
    return text;
}
