// Edits of single keys: moves, insertions, deletions, types and values.
#include <algorithm>
#include <limits>

#include "key_edit_model.h"
#include "key_search.h"
#include "line_edits.h"
#include "text/quoted_text.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

}  // namespace

std::optional<EditRefusal> KeyEditModel::WhyNotEditSelected() const
{
    if (blocked) return blocked;
    if (selection.Empty()) return EditRefusal{Refusal::NoKeySelected};
    return std::nullopt;
}

std::optional<EditRefusal> KeyEditModel::MoveRefusal(std::int64_t rowDelta) const
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return refusal;
    if (rowDelta == 0) return std::nullopt;
    for (const KeyRef key : selection.Keys()) {
        const std::vector<TrackKey>& keys = KeysOf(key.track);
        const std::int64_t row = Key(key).row;
        const std::int64_t moved = row + rowDelta;
        EditRefusal refusal{.kind = Refusal::MoveBelowRowZero, .track = TrackName(key.track), .row = row};
        if (moved < 0) return refusal;
        if (moved > std::numeric_limits<std::int32_t>::max()) {
            refusal.kind = Refusal::MovePastLastRow;
            return refusal;
        }
        // The nearest key that stays where it is in the direction of the
        // move; the selected keys in between move with this one.
        const int step = rowDelta > 0 ? 1 : -1;
        const KeyRef neighbour{key.track, key.key + step};
        if (!NamesKey(neighbour) || selection.Contains(neighbour)) continue;
        refusal.otherRow = keys[static_cast<std::size_t>(neighbour.key)].row;
        if (moved == refusal.otherRow) {
            refusal.kind = Refusal::MoveLandsOnKey;
            return refusal;
        }
        if ((moved - refusal.otherRow) * step > 0) {
            refusal.kind = Refusal::MovePassesKey;
            return refusal;
        }
    }
    return std::nullopt;
}

EditResult KeyEditModel::MoveSelected(std::int64_t rowDelta)
{
    if (std::optional<EditRefusal> refusal = MoveRefusal(rowDelta)) return {false, std::move(refusal)};
    if (rowDelta == 0) return {};
    LineEdits edits;
    for (const KeyRef key : selection.Keys()) {
        const KeyLine line = LineOf(key);
        edits.Replace(line.place.line, Rewritten(key, {RowWord(Key(key).row + rowDelta), std::string(line.Value()),
                                                       std::string(line.Type())}));
    }
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}

EditResult KeyEditModel::InsertKey(int track, std::int32_t row, double value)
{
    if (blocked) return {false, blocked};
    if (!NamesTrack(track)) return {false, EditRefusal{.kind = Refusal::NoSuchTrack, .number = track}};
    if (row < 0) return {false, EditRefusal{Refusal::RowBelowZero}};
    const std::optional<float> stored = StoredValue(value);
    if (!stored) return {false, EditRefusal{.kind = Refusal::NotAFloat, .detail = ShownNumber(value)}};
    const std::vector<TrackKey>& keys = KeysOf(track);
    const std::size_t position = FirstKeyFrom(keys, row);
    if (position < keys.size() && keys[position].row == row) {
        return {false, EditRefusal{.kind = Refusal::KeyAlreadyThere, .track = TrackName(track), .row = row}};
    }
    if (keys.size() >= kMaxTableKeys) {
        return {false, EditRefusal{.kind = Refusal::TrackFull,
                                   .track = TrackName(track),
                                   .number = static_cast<std::int64_t>(kMaxTableKeys)}};
    }
    const std::int32_t type = position > 0              ? keys[position - 1].type
                              : position < keys.size() ? keys[position].type
                                                       : static_cast<std::int32_t>(KeyType::Step);
    LineEdits edits;
    InsertKeyLine(edits, track, position,
                  {RowWord(row), ValueWord(*stored), std::string(kKeyTypeNames[static_cast<std::size_t>(type)])});
    return Finish(edits, {KeyRef{track, static_cast<int>(position)}});
}

EditResult KeyEditModel::DeleteSelected()
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {false, std::move(refusal)};
    LineEdits edits;
    for (const KeyRef key : selection.Keys()) edits.Remove(LineOf(key).place.line);
    return Finish(edits, {});
}

EditResult KeyEditModel::SetSelectedType(KeyType type)
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {false, std::move(refusal)};
    const auto number = static_cast<std::int32_t>(type);
    if (number < 0 || static_cast<std::size_t>(number) >= std::size(kKeyTypeNames)) {
        return {false, EditRefusal{.kind = Refusal::NoSuchKeyType, .number = number}};
    }
    LineEdits edits;
    bool changed = false;
    for (const KeyRef key : selection.Keys()) {
        if (Key(key).type == number) continue;
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
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {false, std::move(refusal)};
    const std::int32_t first = Key(selection.Keys().front()).type;
    return SetSelectedType(static_cast<KeyType>((first + 1) % static_cast<std::int32_t>(std::size(kKeyTypeNames))));
}

EditResult KeyEditModel::SetSelectedValue(std::string_view typed)
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {false, std::move(refusal)};
    const std::size_t start = typed.find_first_not_of(kBlanks);
    typed = start == std::string_view::npos ? std::string_view() : typed.substr(start);
    typed = typed.substr(0, typed.find_last_not_of(kBlanks) + 1);
    // Only what could stand as one word of the text is read as a value.
    const auto unprintable = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '#' || c == 0x7F; };
    if (std::any_of(typed.begin(), typed.end(), unprintable)) {
        return {false,
                EditRefusal{.kind = Refusal::ValueUnreadable, .detail = "value " + Quoted(typed) + " is not a number"}};
    }
    std::string problem;
    const std::optional<float> value = ReadKeyValue(typed, problem);
    if (!value) return {false, EditRefusal{.kind = Refusal::ValueUnreadable, .detail = std::move(problem)}};
    return RevalueSelected(std::vector<float>(selection.Keys().size(), *value));
}

EditResult KeyEditModel::NudgeSelected(int steps, NudgeSize size)
{
    if (std::optional<EditRefusal> refusal = WhyNotEditSelected()) return {false, std::move(refusal)};
    std::vector<float> values;
    for (const KeyRef key : selection.Keys()) {
        const double nudged = Key(key).value + steps * NudgeStepOf(key.track, size);
        const std::optional<float> stored = StoredValue(nudged);
        if (!stored) {
            return {false,
                    EditRefusal{.kind = Refusal::ValuePastLargest, .track = TrackName(key.track), .row = Key(key).row}};
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
        if (Key(key).value == values[k]) continue;
        const KeyLine line = LineOf(key);
        edits.Replace(line.place.line,
                      Rewritten(key, {std::string(line.Row()), ValueWord(values[k]), std::string(line.Type())}));
        changed = true;
    }
    if (!changed) return {};
    return Finish(edits, {selection.Keys().begin(), selection.Keys().end()});
}
