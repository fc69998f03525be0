// The studio's key editor without a window: the text of tracks.txt, the
// tracks it parses into (through the one parser, sync/track_text.h), the
// selected keys, the markers (marker_text.h), and the edits the timeline
// makes to them, each written back into its text by changing only the lines
// it touches (key_line.h for how a key's line is laid out) and kept in one
// unlimited undo history (text_history.h).
//
// Every edit either changes a text, writes it back and records one step of
// history, or changes nothing at all and says why (edit_refusal.h): an edit
// that cannot be made (a key that would pass or land on a neighbour of its
// track, go below row 0 or past the demo's end, a value that is not a 32-bit
// float or that makes its neighbour's curve overflow), or the write-back
// failing. While the text read from disk has a mistake, nothing is edited,
// undone or redone; WhyNotEditable() says so until a good text comes.
//
// Texts saved by other programs come in through TakeSavedText (and
// TakeSavedMarkers): a good one becomes a step of the history (undo brings
// back the studio's text), one with a mistake stops editing. The model's own
// writes read back as the text it holds and are ignored, so the file watcher
// may hand every read over.
//
// Tracks and keys are named by their positions in the text (KeyRef). An edit
// never reorders tracks; a key keeps its KeyRef across moves, retypes and new
// values; an insertion shifts the later keys of its track by one.
//
// The sections' edits are implemented in key_edits.cpp (single keys),
// key_edit_clipboard.cpp, key_edit_time.cpp and key_edit_markers.cpp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "edit_refusal.h"
#include "edit_steps.h"
#include "key_line.h"
#include "key_selection.h"
#include "marker_text.h"
#include "sync/track_table.h"
#include "sync/track_text.h"
#include "text_history.h"

class LineEdits;

struct EditResult {
    bool changed = false;                // a text changed and was written back
    std::optional<EditRefusal> refusal;  // why nothing changed; none when it changed or there was nothing to do
};

// What a text read from disk did to the model.
enum class SavedText {
    Ignored,  // the text the model holds (its own write, or a save without changes)
    Taken,    // new tracks, a step of the history
    InError,  // a mistake: editing waits until a good text comes
};

enum class SelectionChange { Replace, Add };

// What Copy makes of the selected keys: the lines for the clipboard, or why not.
struct CopiedKeys {
    std::string text;
    std::optional<EditRefusal> refusal;
};

class KeyEditModel {
public:
    // Writes a finished edit's text in place of `previous` (none: the file
    // is missing and `next` brings it back); the refusal when it cannot.
    using WriteBack =
        std::function<std::optional<EditRefusal>(std::optional<std::string_view> previous, std::string_view next)>;

    // `text` as read from disk; `label` names it in messages
    // ("assets/tracks.txt"); without `writeBack` edits stay in memory.
    KeyEditModel(std::string text, std::string label, WriteBack writeBack = {});

    // [SECTION] What there is
    // The last good text, which every edit starts from, and its tracks; both
    // empty while no good text has come.
    const std::string& Text() const { return text; }
    std::span<const NamedTrack> Tracks() const { return tracks; }
    std::optional<int> FindTrack(std::string_view name) const;
    // `key` must name a key.
    const TrackKey& Key(KeyRef key) const;
    bool NamesKey(KeyRef key) const;
    // The key standing at `row` of `track`, if any.
    std::optional<KeyRef> KeyAt(int track, std::int32_t row) const;
    // The rows of the last key before `row` and of the first key after it.
    std::optional<std::int32_t> PreviousKeyRow(int track, double row) const;
    std::optional<std::int32_t> NextKeyRow(int track, double row) const;
    // The step NudgeSelected uses on `track`.
    double NudgeStepOf(int track, NudgeSize size) const;
    // None when edits can be made; else why not.
    const std::optional<EditRefusal>& WhyNotEditable() const { return blocked; }
    // Counts every change of the texts, the markers or of whether they can be
    // edited: what is drawn of them is current while it stays.
    std::uint64_t Revision() const { return revision; }

    // [SECTION] Saves from elsewhere
    SavedText TakeSavedText(std::string saved);
    // Writes the text in hand back as the file, when the file is missing.
    EditResult WriteTextBack();

    // [SECTION] Selection; a KeyRef that names no key is ignored.
    std::span<const KeyRef> Selection() const { return selection.Keys(); }
    bool IsSelected(KeyRef key) const { return selection.Contains(key); }
    void Select(KeyRef key);
    void ToggleSelected(KeyRef key);
    // Every key of `keys`, instead of the selection or added to it.
    void SelectKeys(std::vector<KeyRef> keys, SelectionChange change);
    // Every key of `track`; when they are all selected already, every key.
    void SelectAllOf(std::optional<int> track);
    void ClearSelection() { selection.Clear(); }

    // [SECTION] Edits of single keys
    // Moves every selected key by `rowDelta` rows (SnapRowDelta makes one
    // from a drag). MoveRefusal says, without moving, what MoveSelected would
    // refuse, for the readout of a drag in progress; none when it can move.
    std::optional<EditRefusal> MoveRefusal(std::int64_t rowDelta) const;
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
    EditResult NudgeSelected(int steps, NudgeSize size);

    // [SECTION] Copy and paste
    // The selected keys as lines of tracks.txt: each track's `track NAME`
    // line and its keys' lines, at their own rows.
    CopiedKeys CopySelected() const;
    // Keys in tracks.txt's format (a whole text, or the lines CopySelected
    // makes) pasted with the earliest at `row`, the others keeping their
    // distance to it: each to the track of its name, or, when all come from
    // one track and `lane` names one, to that track. A pasted key replaces a
    // key on its row. The pasted keys become the selection.
    EditResult Paste(std::string_view copied, std::int32_t row, std::optional<int> lane);

    // [SECTION] Time
    // `endRow` is the demo's end: keys at it and after it never move, and no
    // key is moved onto it or past it.
    // `rows` of empty time at `row`: every key from `row` on moves later.
    EditResult InsertTime(std::int32_t row, std::int32_t rows, std::int32_t endRow);
    // Rows `from` to `to` (not included, held before `endRow`) taken out: the
    // keys on them go, the later ones move earlier by as many rows.
    EditResult RemoveTime(std::int32_t from, std::int32_t to, std::int32_t endRow);

    // [SECTION] Markers
    // The markers text as read from disk (none: there is no file yet, the
    // first marker makes it), named `label`, written back through `writeBack`.
    void AttachMarkers(std::optional<std::string> text, std::string label, WriteBack writeBack = {});
    std::span<const Marker> Markers() const { return markers; }
    // The markers' last good text; empty before there is a file.
    const std::string& MarkersText() const { return markersText; }
    const std::optional<EditRefusal>& WhyNoMarkers() const { return markersBlocked; }
    SavedText TakeSavedMarkers(std::optional<std::string> saved);
    std::optional<int> SelectedMarker() const { return selectedMarker; }
    void SelectMarker(std::optional<int> marker);
    std::optional<int> MarkerAt(std::int32_t row) const;
    // A marker at `row` named `name`, made the selected one.
    EditResult AddMarker(std::int32_t row, std::string_view name);
    EditResult RenameMarker(int marker, std::string_view name);
    EditResult DeleteSelectedMarker();
    // The rows of the last marker before `row` and of the first after it.
    std::optional<std::int32_t> PreviousMarkerRow(double row) const;
    std::optional<std::int32_t> NextMarkerRow(double row) const;

    // [SECTION] History
    bool CanUndo() const { return history.ToUndo() != nullptr; }
    bool CanRedo() const { return history.ToRedo() != nullptr; }
    EditResult Undo();
    EditResult Redo();

private:
    enum class Retracing { Back, Forward };
    // A key's row, value and type, bound for a track.
    struct PlacedKey {
        std::int32_t row;
        float value;
        std::int32_t type;
    };

    bool NamesTrack(int track) const;
    const std::vector<TrackKey>& KeysOf(int track) const;
    std::string TrackName(int track) const;
    KeyLine LineOf(KeyRef key) const;
    std::optional<KeyLine> LineOfKey(int track, int key) const;
    // The key line nearest to a track without keys, for a first key's layout.
    std::optional<KeyLine> NearestKeyLine(int track) const;
    // The key's line with new words, aligned like the key beside it.
    std::string Rewritten(KeyRef key, const KeyWords& words) const;
    // A line for a new key at `position` of `track`: next to the key before,
    // else before the key after (below any comment that introduces it), else
    // under the track's name.
    void InsertKeyLine(LineEdits& edits, int track, std::size_t position, const KeyWords& words) const;
    std::optional<EditRefusal> WhyNotEditSelected() const;
    EditResult RevalueSelected(const std::vector<float>& values);
    EditResult Retrace(const TextHistory::Step* step, Retracing way, Refusal noStep);
    // Applies `edits` to the tracks text, writes it back and records it as
    // one step, with `selected` as the selection after it.
    EditResult Finish(const LineEdits& edits, std::vector<KeyRef> selected);
    // Writes `next` back and makes it the model's text; the refusal when not.
    // Curves::Check refuses a text that makes a new pair of keys overflow.
    enum class Curves { Check, AsTheyAre };
    std::optional<EditRefusal> WriteAndTake(std::string next, Curves curves);
    void Take(std::string next, ParsedTrackText parsed);
    // The first pair of neighbouring keys of `next` whose difference
    // overflows a float and that the tracks now do not hold.
    std::optional<EditRefusal> NewOverflow(std::span<const NamedTrack> next) const;
    // The same for the markers' text, and an edit of it as one step with
    // `selected` the marker selected after it.
    std::optional<EditRefusal> WriteMarkersAndTake(std::string next);
    EditResult FinishMarkers(std::string next, std::optional<int> selected);

    std::string label;
    WriteBack writeBack;
    bool haveText = false;
    std::string text;
    std::vector<NamedTrack> tracks;
    std::vector<TrackTextPlace> places;
    std::vector<std::size_t> lineStarts;  // of `text`'s lines, the first at 0
    std::optional<EditRefusal> blocked;
    std::string textInError;  // the last text read with a mistake, while it is the last read
    KeySelection selection;

    std::string markersLabel = "markers";
    WriteBack writeMarkers;
    bool markersOnDisk = false;
    std::string markersText;
    std::vector<Marker> markers;
    std::optional<EditRefusal> markersBlocked;
    std::optional<std::string> markersInError;
    std::optional<int> selectedMarker;

    TextHistory history;
    std::uint64_t revision = 0;
};
