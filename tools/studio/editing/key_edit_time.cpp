// Inserting and removing time: every key after a row moves, on every track,
// and the demo's end stays where it is.
#include <algorithm>

#include "key_edit_model.h"
#include "line_edits.h"

EditResult KeyEditModel::InsertTime(std::int32_t row, std::int32_t rows, std::int32_t endRow)
{
    if (blocked) return {false, blocked};
    if (rows <= 0) return {};
    LineEdits edits;
    bool moved = false;
    for (int track = 0; NamesTrack(track); ++track) {
        const std::vector<TrackKey>& keys = KeysOf(track);
        for (int k = 0; static_cast<std::size_t>(k) < keys.size(); ++k) {
            const std::int64_t from = keys[static_cast<std::size_t>(k)].row;
            if (from < row || from >= endRow) continue;
            if (from + rows >= endRow) {
                return {false, EditRefusal{.kind = Refusal::PastDemoEnd,
                                           .track = TrackName(track),
                                           .row = from,
                                           .otherRow = endRow}};
            }
            const KeyRef key{track, k};
            const KeyLine line = LineOf(key);
            edits.Replace(line.place.line, Rewritten(key, {RowWord(from + rows), std::string(line.Value()),
                                                           std::string(line.Type())}));
            moved = true;
        }
    }
    if (!moved) return {};
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}

EditResult KeyEditModel::RemoveTime(std::int32_t from, std::int32_t to, std::int32_t endRow)
{
    if (blocked) return {false, blocked};
    if (from >= endRow) return {false, EditRefusal{.kind = Refusal::NoTimeToRemove, .row = endRow}};
    to = std::min(to, endRow);
    if (from < 0 || from >= to) return {};
    const std::int32_t rows = to - from;
    LineEdits edits;
    bool changed = false;
    std::vector<KeyRef> selected;
    for (int track = 0; NamesTrack(track); ++track) {
        const std::vector<TrackKey>& keys = KeysOf(track);
        int removed = 0;
        for (int k = 0; static_cast<std::size_t>(k) < keys.size(); ++k) {
            const KeyRef key{track, k};
            const std::int32_t at = keys[static_cast<std::size_t>(k)].row;
            const KeyLine line = LineOf(key);
            if (at >= from && at < to) {
                edits.Remove(line.place.line);
                ++removed;
                changed = true;
                continue;
            }
            if (at >= to && at < endRow) {
                edits.Replace(line.place.line, Rewritten(key, {RowWord(at - rows), std::string(line.Value()),
                                                               std::string(line.Type())}));
                changed = true;
            }
            if (selection.Contains(key)) selected.push_back({track, k - removed});
        }
    }
    if (!changed) return {};
    return Finish(edits, std::move(selected));
}
