// Copy and paste of keys, through text in tracks.txt's own format.
#include <algorithm>
#include <limits>
#include <map>

#include "key_edit_model.h"
#include "key_search.h"
#include "line_edits.h"

namespace {

EditRefusal NoKeysIn(std::string detail)
{
    return {.kind = Refusal::ClipboardHoldsNoKeys, .detail = std::move(detail)};
}

}  // namespace

CopiedKeys KeyEditModel::CopySelected() const
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {{}, std::move(refusal)};
    std::string copied;
    std::optional<int> track;
    for (const KeyRef key : selection.Keys()) {
        if (key.track != track) copied += "track " + TrackName(key.track) + "\n";
        track = key.track;
        const TrackKey& at = Key(key);
        copied += "  " + RowWord(at.row) + " " + ValueWord(at.value) + " " +
                  kKeyTypeNames[static_cast<std::size_t>(at.type)] + "\n";
    }
    return {std::move(copied), std::nullopt};
}

EditResult KeyEditModel::Paste(std::string_view copied, std::int32_t row, std::optional<int> lane)
{
    if (blocked) return {false, blocked};
    if (copied.find_first_not_of(" \t\r\n") == std::string_view::npos) return {false, NoKeysIn("it is empty")};
    const ParsedTrackText parsed = ParseTrackText(copied);
    if (parsed.error) {
        return {false, NoKeysIn("line " + std::to_string(parsed.error->line) + ": " + parsed.error->message)};
    }
    std::vector<const NamedTrack*> pasted;
    std::int64_t earliest = std::numeric_limits<std::int64_t>::max();
    for (const NamedTrack& track : parsed.tracks) {
        if (track.keys.empty()) continue;
        pasted.push_back(&track);
        earliest = std::min<std::int64_t>(earliest, track.keys.front().row);
    }
    if (pasted.empty()) return {false, NoKeysIn("it names tracks but no keys")};
    if (row < 0) return {false, EditRefusal{Refusal::RowBelowZero}};
    const std::int64_t offset = row - earliest;

    // Each track's pasted keys at their new rows, by the track they go to.
    std::map<int, std::vector<PlacedKey>> bound;
    for (const NamedTrack* track : pasted) {
        const std::optional<int> target = pasted.size() == 1 && lane && NamesTrack(*lane) ? lane : FindTrack(track->name);
        if (!target) return {false, EditRefusal{.kind = Refusal::TrackNotInText, .track = track->name}};
        for (const TrackKey& key : track->keys) {
            const std::int64_t landing = key.row + offset;
            if (landing > std::numeric_limits<std::int32_t>::max()) {
                return {false, EditRefusal{.kind = Refusal::MovePastLastRow, .track = track->name, .row = key.row}};
            }
            bound[*target].push_back({static_cast<std::int32_t>(landing), key.value, key.type});
        }
    }

    LineEdits edits;
    std::vector<KeyRef> selected;
    for (const auto& [track, keys] : bound) {
        const std::vector<TrackKey>& existing = KeysOf(track);
        std::size_t added = 0;
        for (const PlacedKey& key : keys) {
            const std::size_t position = FirstKeyFrom(existing, key.row);
            const KeyWords words{RowWord(key.row), ValueWord(key.value),
                                 std::string(kKeyTypeNames[static_cast<std::size_t>(key.type)])};
            // The keys pasted before this one stand before it now.
            selected.push_back({track, static_cast<int>(position + added)});
            const KeyRef there{track, static_cast<int>(position)};
            if (position < existing.size() && existing[position].row == key.row) {
                edits.Replace(LineOf(there).place.line, Rewritten(there, words));
            } else {
                InsertKeyLine(edits, track, position, words);
                ++added;
            }
        }
        if (existing.size() + added > kMaxTableKeys) {
            return {false, EditRefusal{.kind = Refusal::TrackFull,
                                       .track = TrackName(track),
                                       .number = static_cast<std::int64_t>(kMaxTableKeys)}};
        }
    }
    return Finish(edits, std::move(selected));
}
