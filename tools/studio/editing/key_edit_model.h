// The studio's key editor without a window: the text of tracks.txt, the
// tracks it parses into (through the one parser, sync/track_text.h), the
// selected keys, and the edits the timeline makes to them, each written back
// into the text by changing only the lines of the keys it touches (key_line.h
// for how a line is laid out) and kept in an unlimited undo history
// (text_history.h).
//
// Every edit either changes the text, writes it back and records one step of
// history, or changes nothing at all and says why in one line: an edit that
// cannot be made (a key that would pass or land on a neighbour of its track or
// go below row 0, a value that is not a number or not a 32-bit float), or the
// write-back failing. While the text read from disk has a mistake, nothing is
// edited, undone or redone; WhyNotEditable() says so until a good text comes.
//
// Texts saved by other programs come in through TakeSavedText: a good one
// becomes a step of the history (undo brings back the studio's text), one
// with a mistake stops editing. The model's own writes read back as the text
// it holds and are ignored, so the file watcher may hand every read over.
//
// Tracks and keys are named by their positions in the text (KeyRef). An edit
// never reorders keys or tracks: a key keeps its KeyRef across moves, retypes
// and new values; an insertion shifts the later keys of its track by one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "edit_steps.h"
#include "key_line.h"
#include "key_selection.h"
#include "sync/track_table.h"
#include "sync/track_text.h"
#include "text_history.h"

class LineEdits;

struct EditResult {
    bool changed = false;  // the text changed and was written back
    std::string refusal;   // why nothing changed; empty when it changed or when there was nothing to do
};

// What a text read from disk did to the model.
enum class SavedText {
    Ignored,  // the text the model holds (its own write, or a save without changes)
    Taken,    // new tracks, a step of the history
    InError,  // a mistake: editing waits until a good text comes
};

class KeyEditModel {
public:
    // Writes a finished edit's text in place of `previous`; returns the
    // problem in one line, empty when the text was written.
    using WriteBack = std::function<std::string(std::string_view previous, std::string_view next)>;

    // `text` as read from disk; `label` names it in messages
    // ("assets/tracks.txt"); without `writeBack` edits stay in memory.
    KeyEditModel(std::string text, std::string label, WriteBack writeBack = {});

    // [SECTION] What there is
    // The last good text, which every edit starts from, and its tracks; both
    // empty while no good text has come.
    const std::string& Text() const { return text; }
    std::span<const NamedTrack> Tracks() const { return tracks; }
    std::optional<int> FindTrack(std::string_view name) const;
    // The key standing at `row` of `track`, if any.
    std::optional<KeyRef> KeyAt(int track, std::int32_t row) const;
    // The rows of the last key before `row` and of the first key after it.
    std::optional<std::int32_t> PreviousKeyRow(int track, double row) const;
    std::optional<std::int32_t> NextKeyRow(int track, double row) const;
    // The step NudgeSelected uses on `track`.
    double NudgeStepOf(int track, bool fine) const;

    // Empty when edits can be made; else why not, in one line.
    const std::string& WhyNotEditable() const { return blocked; }

    // [SECTION] Saves from elsewhere
    SavedText TakeSavedText(std::string saved);

    // [SECTION] Selection; a KeyRef that names no key is ignored.
    std::span<const KeyRef> Selection() const { return selection.Keys(); }
    bool IsSelected(KeyRef key) const { return selection.Contains(key); }
    void Select(KeyRef key);
    void ToggleSelected(KeyRef key);
    void ClearSelection() { selection.Clear(); }

    // [SECTION] Edits
    // Moves every selected key by `rowDelta` rows (SnapRowDelta makes one
    // from a drag). MoveRefusal says, without moving, what MoveSelected would
    // refuse, for the readout of a drag in progress; empty when it can move.
    std::string MoveRefusal(std::int64_t rowDelta) const;
    EditResult MoveSelected(std::int64_t rowDelta);
    // A key at `row` of `track` with `value` (the track's value there, so
    // that nothing jumps) and the type of the key before it (the first key
    // takes the type of the key after it; a track's only key, step). The new
    // key becomes the selection.
    EditResult InsertKey(int track, std::int32_t row, double value);
    EditResult DeleteSelected();
    EditResult SetSelectedType(KeyType type);
    // Step -> linear -> smooth -> ramp -> step, from the first selected key's
    // type; every selected key takes the new type.
    EditResult CycleSelectedType();
    // `typed` as a VALUE of the text (blanks around it are dropped).
    EditResult SetSelectedValue(std::string_view typed);
    // Adds `steps` times NudgeStepOf its track to each selected key's value.
    EditResult NudgeSelected(int steps, bool fine);

    // [SECTION] History
    bool CanUndo() const { return history.ToUndo() != nullptr; }
    bool CanRedo() const { return history.ToRedo() != nullptr; }
    EditResult Undo();
    EditResult Redo();

private:
    bool NamesTrack(int track) const;
    bool NamesKey(KeyRef key) const;
    const std::vector<TrackKey>& KeysOf(int track) const;
    const TrackKey& KeyOf(KeyRef key) const;
    std::string TrackName(int track) const;  // quoted, for messages
    KeyLine LineOf(KeyRef key) const;
    std::optional<KeyLine> LineOfKey(int track, int key) const;
    // The key line nearest to a track without keys, for a first key's layout.
    std::optional<KeyLine> NearestKeyLine(int track) const;
    // The key's line with new words, aligned like the key beside it.
    std::string Rewritten(KeyRef key, const KeyWords& words) const;
    std::string WhyNotEditSelected() const;
    EditResult RevalueSelected(const std::vector<float>& values);
    // Takes `step` back (undo) or again (redo); `noStep` says there is none.
    EditResult Retrace(const TextHistory::Step* step, bool back, const char* noStep);
    // Applies `edits`, writes the text back and records it as one step, with
    // `selected` as the selection after it.
    EditResult Finish(const LineEdits& edits, std::vector<KeyRef> selected);
    // Writes `next` back and makes it the model's text; the refusal when not.
    std::optional<std::string> WriteAndTake(std::string next);
    void Take(std::string next, ParsedTrackText parsed);

    std::string label;
    WriteBack writeBack;
    bool haveText = false;
    std::string text;
    std::vector<NamedTrack> tracks;
    std::vector<TrackTextPlace> places;
    std::vector<std::size_t> lineStarts;  // of `text`'s lines, the first at 0
    std::string blocked;
    std::string textInError;  // the last text read with a mistake, while it is the last read
    KeySelection selection;
    TextHistory history;
};
