// The key edit model: what there is, saves from elsewhere, the selection, the
// history and the writing back. The edits themselves are in the files named
// in the header.
//
// [SECTION] What there is
// [SECTION] Saves from elsewhere
// [SECTION] Selection
// [SECTION] History
// [SECTION] Writing back
#include "key_edit_model.h"

#include <algorithm>
#include <cmath>

#include "key_search.h"
#include "line_edits.h"
#include "text/quoted_text.h"

namespace {

std::vector<std::size_t> LineStarts(std::string_view text)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        starts.push_back(at + 1);
    }
    return starts;
}

// The neighbours at `key` and after it overflow a float in their difference,
// which the curve between them is drawn and evaluated from.
bool Overflows(const std::vector<TrackKey>& keys, std::size_t key)
{
    const float difference = keys[key + 1].value - keys[key].value;
    return std::isinf(difference);
}

}  // namespace

KeyEditModel::KeyEditModel(std::string initial, std::string name, WriteBack write)
    : label(std::move(name)), writeBack(std::move(write))
{
    TakeSavedText(std::move(initial));
}

// [SECTION] What there is

std::optional<int> KeyEditModel::FindTrack(std::string_view name) const
{
    const auto found = std::find_if(tracks.begin(), tracks.end(),
                                    [name](const NamedTrack& track) { return track.name == name; });
    if (found == tracks.end()) return std::nullopt;
    return static_cast<int>(found - tracks.begin());
}

const TrackKey& KeyEditModel::Key(KeyRef key) const
{
    return KeysOf(key.track).at(static_cast<std::size_t>(key.key));
}

bool KeyEditModel::NamesTrack(int track) const
{
    return track >= 0 && static_cast<std::size_t>(track) < tracks.size();
}

bool KeyEditModel::NamesKey(KeyRef key) const
{
    return NamesTrack(key.track) && key.key >= 0 && static_cast<std::size_t>(key.key) < KeysOf(key.track).size();
}

std::optional<KeyRef> KeyEditModel::KeyAt(int track, std::int32_t row) const
{
    if (!NamesTrack(track)) return std::nullopt;
    const std::vector<TrackKey>& keys = KeysOf(track);
    const std::size_t key = FirstKeyFrom(keys, row);
    if (key == keys.size() || keys[key].row != row) return std::nullopt;
    return KeyRef{track, static_cast<int>(key)};
}

std::optional<std::int32_t> KeyEditModel::PreviousKeyRow(int track, double row) const
{
    if (!NamesTrack(track)) return std::nullopt;
    const std::size_t after = FirstKeyFrom(KeysOf(track), row);
    if (after == 0) return std::nullopt;
    return KeysOf(track)[after - 1].row;
}

std::optional<std::int32_t> KeyEditModel::NextKeyRow(int track, double row) const
{
    if (!NamesTrack(track)) return std::nullopt;
    const std::vector<TrackKey>& keys = KeysOf(track);
    const auto next = std::upper_bound(keys.begin(), keys.end(), row,
                                       [](double at, const TrackKey& key) { return at < key.row; });
    if (next == keys.end()) return std::nullopt;
    return next->row;
}

double KeyEditModel::NudgeStepOf(int track, NudgeSize size) const
{
    return NudgeStep(NamesTrack(track) ? std::span<const TrackKey>(KeysOf(track)) : std::span<const TrackKey>(),
                     size);
}

const std::vector<TrackKey>& KeyEditModel::KeysOf(int track) const
{
    return tracks.at(static_cast<std::size_t>(track)).keys;
}

std::string KeyEditModel::TrackName(int track) const
{
    return tracks.at(static_cast<std::size_t>(track)).name;
}

KeyLine KeyEditModel::LineOf(KeyRef key) const
{
    const KeyTextPlace& place = places[static_cast<std::size_t>(key.track)].keys[static_cast<std::size_t>(key.key)];
    const std::size_t start = lineStarts[static_cast<std::size_t>(place.line - 1)];
    const std::size_t end = text.find('\n', start);
    return {std::string_view(text).substr(start, end == std::string::npos ? end : end - start), place};
}

std::optional<KeyLine> KeyEditModel::LineOfKey(int track, int key) const
{
    if (!NamesKey({track, key})) return std::nullopt;
    return LineOf({track, key});
}

std::optional<KeyLine> KeyEditModel::NearestKeyLine(int track) const
{
    for (int other = track - 1; other >= 0; --other) {
        if (!KeysOf(other).empty()) return LineOf({other, static_cast<int>(KeysOf(other).size()) - 1});
    }
    for (int other = track + 1; NamesTrack(other); ++other) {
        if (!KeysOf(other).empty()) return LineOf({other, 0});
    }
    return std::nullopt;
}

std::string KeyEditModel::Rewritten(KeyRef key, const KeyWords& words) const
{
    const std::optional<KeyLine> neighbour = key.key > 0 ? LineOfKey(key.track, key.key - 1)
                                                         : LineOfKey(key.track, key.key + 1);
    return RewriteKeyLine(LineOf(key), neighbour, words);
}

void KeyEditModel::InsertKeyLine(LineEdits& edits, int track, std::size_t position, const KeyWords& words) const
{
    const int at = static_cast<int>(position);
    if (position > 0) {
        const KeyLine before = LineOf({track, at - 1});
        const std::optional<KeyLine> other = position > 1 ? LineOfKey(track, at - 2) : LineOfKey(track, at);
        edits.InsertAfter(before.place.line, NewKeyLine(before, other, words));
    } else if (!KeysOf(track).empty()) {
        const KeyLine after = LineOf({track, 0});
        edits.InsertBefore(after.place.line, NewKeyLine(after, LineOfKey(track, 1), words));
    } else {
        edits.InsertAfter(places[static_cast<std::size_t>(track)].line,
                          NewKeyLine(NearestKeyLine(track), std::nullopt, words));
    }
}

// [SECTION] Saves from elsewhere

SavedText KeyEditModel::TakeSavedText(std::string saved)
{
    if (!blocked ? (haveText && saved == text) : saved == textInError) return SavedText::Ignored;
    ++revision;
    ParsedTrackText parsed = ParseTrackText(saved);
    if (parsed.error) {
        blocked = EditRefusal{.kind = Refusal::TextInError, .number = parsed.error->line, .label = label};
        textInError = std::move(saved);
        return SavedText::InError;
    }
    blocked.reset();
    textInError.clear();
    if (haveText && saved == text) return SavedText::Ignored;
    if (haveText) {
        // The selected keys that the new text still has, at the same rows.
        std::vector<KeyRef> kept;
        for (const KeyRef key : selection.Keys()) {
            for (std::size_t track = 0; track < parsed.tracks.size(); ++track) {
                if (parsed.tracks[track].name != TrackName(key.track)) continue;
                const std::vector<TrackKey>& keys = parsed.tracks[track].keys;
                const std::size_t at = FirstKeyFrom(keys, Key(key).row);
                if (at < keys.size() && keys[at].row == Key(key).row) {
                    kept.push_back({static_cast<int>(track), static_cast<int>(at)});
                }
            }
        }
        history.Record({Document::Tracks, SpliceBetween(text, saved), {Selection().begin(), Selection().end()}, kept});
        selection.Set(std::move(kept));
    }
    Take(std::move(saved), std::move(parsed));
    return SavedText::Taken;
}

EditResult KeyEditModel::WriteTextBack()
{
    if (!haveText) return {false, EditRefusal{.kind = Refusal::NothingToEdit, .detail = "no text to write back"}};
    if (writeBack) {
        if (std::optional<EditRefusal> refusal = writeBack(std::nullopt, text)) return {false, std::move(refusal)};
    }
    return {true, {}};
}

// [SECTION] Selection

void KeyEditModel::Select(KeyRef key)
{
    if (!NamesKey(key)) return;
    selection.Set(key);
    selectedMarker.reset();
}

void KeyEditModel::ToggleSelected(KeyRef key)
{
    if (!NamesKey(key)) return;
    selection.Toggle(key);
    selectedMarker.reset();
}

void KeyEditModel::SelectKeys(std::vector<KeyRef> keys, SelectionChange change)
{
    std::erase_if(keys, [this](KeyRef key) { return !NamesKey(key); });
    if (change == SelectionChange::Add) keys.insert(keys.end(), Selection().begin(), Selection().end());
    selection.Set(std::move(keys));
    selectedMarker.reset();
}

void KeyEditModel::SelectAllOf(std::optional<int> track)
{
    std::vector<KeyRef> ofTrack;
    std::vector<KeyRef> every;
    for (int t = 0; NamesTrack(t); ++t) {
        for (int k = 0; static_cast<std::size_t>(k) < KeysOf(t).size(); ++k) {
            every.push_back({t, k});
            if (t == track) ofTrack.push_back({t, k});
        }
    }
    const bool trackSelected =
        std::all_of(ofTrack.begin(), ofTrack.end(), [this](KeyRef key) { return selection.Contains(key); });
    SelectKeys(track && !trackSelected ? std::move(ofTrack) : std::move(every), SelectionChange::Replace);
}

// [SECTION] History

EditResult KeyEditModel::Undo()
{
    return Retrace(history.ToUndo(), Retracing::Back, Refusal::NothingToUndo);
}

EditResult KeyEditModel::Redo()
{
    return Retrace(history.ToRedo(), Retracing::Forward, Refusal::NothingToRedo);
}

EditResult KeyEditModel::Retrace(const TextHistory::Step* step, Retracing way, Refusal noStep)
{
    if (blocked) return {false, blocked};
    if (!step) return {false, EditRefusal{noStep}};
    const bool back = way == Retracing::Back;
    const auto retraced = [&](const std::string& from) {
        return back ? Unsplice(from, step->splice) : Resplice(from, step->splice);
    };
    std::optional<EditRefusal> refusal;
    switch (step->document) {
    case Document::Tracks:
        refusal = WriteAndTake(retraced(text), Curves::AsTheyAre);
        if (!refusal) selection.Set(back ? step->selectedBefore : step->selectedAfter);
        break;
    case Document::Markers:
        refusal = markersBlocked ? markersBlocked : WriteMarkersAndTake(retraced(markersText));
        if (!refusal) selectedMarker.reset();
        break;
    }
    if (refusal) return {false, std::move(refusal)};
    if (back) {
        history.Undone();
    } else {
        history.Redone();
    }
    return {true, {}};
}

// [SECTION] Writing back

EditResult KeyEditModel::Finish(const LineEdits& edits, std::vector<KeyRef> selected)
{
    std::string next = edits.ApplyTo(text);
    // Keys pasted over themselves, say: nothing to write, no step.
    if (next == text) {
        selection.Set(std::move(selected));
        return {};
    }
    TextHistory::Step step{Document::Tracks, SpliceBetween(text, next), {Selection().begin(), Selection().end()},
                           std::move(selected)};
    if (auto refusal = WriteAndTake(std::move(next), Curves::Check)) return {false, std::move(refusal)};
    selection.Set(step.selectedAfter);
    selectedMarker.reset();
    history.Record(std::move(step));
    return {true, {}};
}

std::optional<EditRefusal> KeyEditModel::WriteAndTake(std::string next, Curves curves)
{
    ParsedTrackText parsed = ParseTrackText(next);
    // Never reached by a correct edit; a file the build cannot compile is
    // never written.
    if (parsed.error) {
        return EditRefusal{
            .kind = Refusal::EditLeavesLineWrong, .number = parsed.error->line, .detail = parsed.error->message};
    }
    if (curves == Curves::Check) {
        if (std::optional<EditRefusal> overflow = NewOverflow(parsed.tracks)) return overflow;
    }
    if (writeBack) {
        if (std::optional<EditRefusal> refusal = writeBack(std::string_view(text), next)) return refusal;
    }
    Take(std::move(next), std::move(parsed));
    return std::nullopt;
}

std::optional<EditRefusal> KeyEditModel::NewOverflow(std::span<const NamedTrack> next) const
{
    for (const NamedTrack& track : next) {
        for (std::size_t k = 0; k + 1 < track.keys.size(); ++k) {
            if (!Overflows(track.keys, k)) continue;
            const TrackKey& key = track.keys[k];
            const TrackKey& after = track.keys[k + 1];
            // A pair the text held already was read that way; it is the
            // maker's, not the edit's.
            const std::optional<int> now = FindTrack(track.name);
            if (now) {
                const std::vector<TrackKey>& keys = KeysOf(*now);
                const std::size_t at = FirstKeyFrom(keys, key.row);
                if (at + 1 < keys.size() && keys[at] == key && keys[at + 1] == after) continue;
            }
            return EditRefusal{.kind = Refusal::DifferenceOverflows, .track = track.name, .row = key.row,
                               .otherRow = after.row};
        }
    }
    return std::nullopt;
}

void KeyEditModel::Take(std::string next, ParsedTrackText parsed)
{
    text = std::move(next);
    tracks = std::move(parsed.tracks);
    places = std::move(parsed.places);
    lineStarts = LineStarts(text);
    haveText = true;
    ++revision;
}
