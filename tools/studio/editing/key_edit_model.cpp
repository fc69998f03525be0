// The key edit model: edits as whole-line changes, saves from elsewhere, and
// the history.
//
// [SECTION] Helpers
// [SECTION] What there is
// [SECTION] Saves from elsewhere
// [SECTION] Selection
// [SECTION] Edits
// [SECTION] History
// [SECTION] Writing back
#include "key_edit_model.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

#include "line_edits.h"
#include "text/quoted_text.h"

// [SECTION] Helpers
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

const char* const kNoSelection = "no key selected";

// The float a key holds for `value`: none when no float holds it; a value
// too close to 0 for a normal float, and -0, hold 0 as the text writes it.
std::optional<float> StoredValue(double value)
{
    if (!(std::fabs(value) <= FLT_MAX)) return std::nullopt;
    const auto stored = static_cast<float>(value);
    return std::fabs(stored) < FLT_MIN ? 0.0f : stored;
}

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::vector<std::size_t> LineStarts(std::string_view text)
{
    std::vector<std::size_t> starts{0};
    for (std::size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
        starts.push_back(at + 1);
    }
    return starts;
}

// The first key at `row` or after it.
std::size_t FirstKeyFrom(const std::vector<TrackKey>& keys, double row)
{
    return static_cast<std::size_t>(
        std::lower_bound(keys.begin(), keys.end(), row, [](const TrackKey& key, double at) { return key.row < at; }) -
        keys.begin());
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

double KeyEditModel::NudgeStepOf(int track, bool fine) const
{
    return NudgeStep(NamesTrack(track) ? std::span<const TrackKey>(KeysOf(track)) : std::span<const TrackKey>(),
                     fine);
}

bool KeyEditModel::NamesTrack(int track) const
{
    return track >= 0 && static_cast<std::size_t>(track) < tracks.size();
}

bool KeyEditModel::NamesKey(KeyRef key) const
{
    return NamesTrack(key.track) && key.key >= 0 && static_cast<std::size_t>(key.key) < KeysOf(key.track).size();
}

const std::vector<TrackKey>& KeyEditModel::KeysOf(int track) const
{
    return tracks.at(static_cast<std::size_t>(track)).keys;
}

const TrackKey& KeyEditModel::KeyOf(KeyRef key) const
{
    return KeysOf(key.track)[static_cast<std::size_t>(key.key)];
}

std::string KeyEditModel::TrackName(int track) const
{
    return Quoted(tracks.at(static_cast<std::size_t>(track)).name);
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

// [SECTION] Saves from elsewhere

SavedText KeyEditModel::TakeSavedText(std::string saved)
{
    if (blocked.empty() ? (haveText && saved == text) : saved == textInError) return SavedText::Ignored;
    ParsedTrackText parsed = ParseTrackText(saved);
    if (parsed.error) {
        blocked = "editing waits until line " + std::to_string(parsed.error->line) + " of " + label + " is fixed";
        textInError = std::move(saved);
        return SavedText::InError;
    }
    blocked.clear();
    textInError.clear();
    if (haveText && saved == text) return SavedText::Ignored;
    if (haveText) {
        // The selected keys that the new text still has, at the same rows.
        std::vector<KeyRef> kept;
        for (const KeyRef key : selection.Keys()) {
            const std::string& name = tracks.at(static_cast<std::size_t>(key.track)).name;
            for (std::size_t track = 0; track < parsed.tracks.size(); ++track) {
                if (parsed.tracks.at(track).name != name) continue;
                const std::vector<TrackKey>& keys = parsed.tracks.at(track).keys;
                const std::size_t at = FirstKeyFrom(keys, KeyOf(key).row);
                if (at < keys.size() && keys[at].row == KeyOf(key).row) {
                    kept.push_back({static_cast<int>(track), static_cast<int>(at)});
                }
            }
        }
        TextHistory::Step step{SpliceBetween(text, saved), std::vector<KeyRef>(Selection().begin(), Selection().end()),
                               kept};
        history.Record(std::move(step));
        selection.Set(std::move(kept));
    }
    Take(std::move(saved), std::move(parsed));
    return SavedText::Taken;
}

// [SECTION] Selection

void KeyEditModel::Select(KeyRef key)
{
    if (NamesKey(key)) selection.Set(key);
}

void KeyEditModel::ToggleSelected(KeyRef key)
{
    if (NamesKey(key)) selection.Toggle(key);
}

// [SECTION] Edits

std::string KeyEditModel::WhyNotEditSelected() const
{
    if (!blocked.empty()) return blocked;
    if (selection.Empty()) return kNoSelection;
    return {};
}

std::string KeyEditModel::MoveRefusal(std::int64_t rowDelta) const
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return refusal;
    if (rowDelta == 0) return {};
    for (const KeyRef key : selection.Keys()) {
        const std::vector<TrackKey>& keys = KeysOf(key.track);
        const std::int64_t row = KeyOf(key).row;
        const std::int64_t moved = row + rowDelta;
        const std::string what = TrackName(key.track) + ": the key at row " + std::to_string(row);
        if (moved < 0) return what + " would go below row 0";
        if (moved > std::numeric_limits<std::int32_t>::max()) return what + " would go past the last row";
        // The nearest key that stays where it is in the direction of the
        // move; the selected keys in between move with this one.
        const int step = rowDelta > 0 ? 1 : -1;
        const KeyRef neighbour{key.track, key.key + step};
        if (!NamesKey(neighbour) || selection.Contains(neighbour)) continue;
        const std::int64_t fixed = keys[static_cast<std::size_t>(neighbour.key)].row;
        if (moved == fixed) return what + " would land on the key at row " + std::to_string(fixed);
        if ((moved - fixed) * step > 0) return what + " would pass the key at row " + std::to_string(fixed);
    }
    return {};
}

EditResult KeyEditModel::MoveSelected(std::int64_t rowDelta)
{
    if (std::string refusal = MoveRefusal(rowDelta); !refusal.empty()) return {false, std::move(refusal)};
    if (rowDelta == 0) return {};
    LineEdits edits;
    for (const KeyRef key : selection.Keys()) {
        const KeyLine line = LineOf(key);
        edits.Replace(line.place.line, Rewritten(key, {RowWord(KeyOf(key).row + rowDelta), std::string(line.Value()),
                                                       std::string(line.Type())}));
    }
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}

EditResult KeyEditModel::InsertKey(int track, std::int32_t row, double value)
{
    if (!blocked.empty()) return {false, blocked};
    if (!NamesTrack(track)) return {false, "no track " + std::to_string(track)};
    if (row < 0) return {false, "no key can stand before row 0"};
    const std::optional<float> stored = StoredValue(value);
    if (!stored) return {false, "value " + Number(value) + " is not a 32-bit float"};
    const std::vector<TrackKey>& keys = KeysOf(track);
    const std::size_t position = FirstKeyFrom(keys, row);
    if (position < keys.size() && keys[position].row == row) {
        return {false, TrackName(track) + " has a key at row " + std::to_string(row) + " already"};
    }
    if (keys.size() >= kMaxTableKeys) {
        return {false, TrackName(track) + " has " + std::to_string(kMaxTableKeys) + " keys, the most a track holds"};
    }
    const std::int32_t type = position > 0              ? keys[position - 1].type
                              : position < keys.size() ? keys[position].type
                                                       : static_cast<std::int32_t>(KeyType::Step);
    const KeyWords words{RowWord(row), ValueWord(*stored),
                         std::string(kKeyTypeNames[static_cast<std::size_t>(type)])};

    // Next to the key before, else before the key after (below any comment
    // that introduces it), else under the track's name; laid out like the
    // nearest key line.
    const int at = static_cast<int>(position);
    LineEdits edits;
    if (position > 0) {
        const std::optional<KeyLine> before = LineOfKey(track, at - 1);
        const std::optional<KeyLine> other = position > 1 ? LineOfKey(track, at - 2) : LineOfKey(track, at);
        edits.InsertAfter(before->place.line, NewKeyLine(&*before, other ? &*other : nullptr, words));
    } else if (!keys.empty()) {
        const std::optional<KeyLine> after = LineOfKey(track, 0);
        const std::optional<KeyLine> other = LineOfKey(track, 1);
        edits.InsertBefore(after->place.line, NewKeyLine(&*after, other ? &*other : nullptr, words));
    } else {
        const std::optional<KeyLine> pattern = NearestKeyLine(track);
        edits.InsertAfter(places[static_cast<std::size_t>(track)].line,
                          NewKeyLine(pattern ? &*pattern : nullptr, nullptr, words));
    }
    return Finish(edits, {KeyRef{track, at}});
}

EditResult KeyEditModel::DeleteSelected()
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return {false, std::move(refusal)};
    LineEdits edits;
    for (const KeyRef key : selection.Keys()) edits.Remove(LineOf(key).place.line);
    return Finish(edits, {});
}

EditResult KeyEditModel::SetSelectedType(KeyType type)
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return {false, std::move(refusal)};
    const auto number = static_cast<std::int32_t>(type);
    if (number < 0 || static_cast<std::size_t>(number) >= std::size(kKeyTypeNames)) {
        return {false, "key type " + std::to_string(number) + " does not exist"};
    }
    LineEdits edits;
    bool changed = false;
    for (const KeyRef key : selection.Keys()) {
        if (KeyOf(key).type == number) continue;
        const KeyLine line = LineOf(key);
        edits.Replace(line.place.line,
                      Rewritten(key, {std::string(line.Row()), std::string(line.Value()),
                                      std::string(kKeyTypeNames[static_cast<std::size_t>(number)])}));
        changed = true;
    }
    if (!changed) return {};
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}

EditResult KeyEditModel::CycleSelectedType()
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return {false, std::move(refusal)};
    const std::int32_t first = KeyOf(selection.Keys().front()).type;
    return SetSelectedType(static_cast<KeyType>((first + 1) % static_cast<std::int32_t>(std::size(kKeyTypeNames))));
}

EditResult KeyEditModel::SetSelectedValue(std::string_view typed)
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return {false, std::move(refusal)};
    const std::size_t start = typed.find_first_not_of(kBlanks);
    typed = start == std::string_view::npos ? std::string_view() : typed.substr(start);
    typed = typed.substr(0, typed.find_last_not_of(kBlanks) + 1);
    // Only what could stand as one word of the text is read as a value.
    const auto unprintable = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '#' || c == 0x7F; };
    if (std::any_of(typed.begin(), typed.end(), unprintable)) {
        return {false, "value " + Quoted(typed) + " is not a number"};
    }
    std::string problem;
    const std::optional<float> value = ReadKeyValue(typed, problem);
    if (!value) return {false, std::move(problem)};
    return RevalueSelected(std::vector<float>(selection.Keys().size(), *value));
}

EditResult KeyEditModel::NudgeSelected(int steps, bool fine)
{
    if (std::string refusal = WhyNotEditSelected(); !refusal.empty()) return {false, std::move(refusal)};
    std::vector<float> values;
    for (const KeyRef key : selection.Keys()) {
        const double nudged = KeyOf(key).value + steps * NudgeStepOf(key.track, fine);
        const std::optional<float> stored = StoredValue(nudged);
        if (!stored) {
            return {false, TrackName(key.track) + ": the value at row " + std::to_string(KeyOf(key).row) +
                               " would pass the largest 32-bit float"};
        }
        values.push_back(*stored);
    }
    return RevalueSelected(values);
}

EditResult KeyEditModel::RevalueSelected(const std::vector<float>& values)
{
    LineEdits edits;
    bool changed = false;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const KeyRef key = selection.Keys()[k];
        if (KeyOf(key).value == values[k]) continue;
        const KeyLine line = LineOf(key);
        edits.Replace(line.place.line,
                      Rewritten(key, {std::string(line.Row()), ValueWord(values[k]), std::string(line.Type())}));
        changed = true;
    }
    if (!changed) return {};
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}

std::string KeyEditModel::Rewritten(KeyRef key, const KeyWords& words) const
{
    const std::optional<KeyLine> neighbour = key.key > 0 ? LineOfKey(key.track, key.key - 1)
                                                         : LineOfKey(key.track, key.key + 1);
    return RewriteKeyLine(LineOf(key), neighbour ? &*neighbour : nullptr, words);
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

// [SECTION] History

EditResult KeyEditModel::Undo()
{
    return Retrace(history.ToUndo(), true, "nothing to undo");
}

EditResult KeyEditModel::Redo()
{
    return Retrace(history.ToRedo(), false, "nothing to redo");
}

EditResult KeyEditModel::Retrace(const TextHistory::Step* step, bool back, const char* noStep)
{
    if (!blocked.empty()) return {false, blocked};
    if (!step) return {false, noStep};
    std::string retraced = back ? Unsplice(text, step->splice) : Resplice(text, step->splice);
    if (auto refusal = WriteAndTake(std::move(retraced))) return {false, std::move(*refusal)};
    selection.Set(back ? step->selectedBefore : step->selectedAfter);
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
    TextHistory::Step step{SpliceBetween(text, next), {Selection().begin(), Selection().end()}, std::move(selected)};
    if (auto refusal = WriteAndTake(std::move(next))) return {false, std::move(*refusal)};
    selection.Set(step.selectedAfter);
    history.Record(std::move(step));
    return {true, {}};
}

std::optional<std::string> KeyEditModel::WriteAndTake(std::string next)
{
    ParsedTrackText parsed = ParseTrackText(next);
    // Never reached by a correct edit; a file the build cannot compile is
    // never written.
    if (parsed.error) {
        return "the edit would leave line " + std::to_string(parsed.error->line) + " wrong: " + parsed.error->message;
    }
    if (writeBack) {
        if (std::string problem = writeBack(text, next); !problem.empty()) return problem;
    }
    Take(std::move(next), std::move(parsed));
    return std::nullopt;
}

void KeyEditModel::Take(std::string next, ParsedTrackText parsed)
{
    text = std::move(next);
    tracks = std::move(parsed.tracks);
    places = std::move(parsed.places);
    lineStarts = LineStarts(text);
    haveText = true;
}
