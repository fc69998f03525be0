// The markers: read from their text, edited line by line as the keys are, in
// the same history.
#include <algorithm>

#include "key_edit_model.h"
#include "line_edits.h"

namespace {

// The line after which a new last line goes, or before which: the text's
// final newline stays its last byte.
void AppendLine(LineEdits& edits, std::string_view text, std::string line)
{
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    if (text.ends_with('\n')) {
        edits.InsertBefore(lines, std::move(line));
    } else {
        edits.InsertAfter(lines, std::move(line));
    }
}

}  // namespace

void KeyEditModel::AttachMarkers(std::optional<std::string> saved, std::string name, WriteBack write)
{
    markersLabel = std::move(name);
    writeMarkers = std::move(write);
    markersText.clear();
    markers.clear();
    markersBlocked.reset();
    markersInError.reset();
    selectedMarker.reset();
    markersOnDisk = saved.has_value();
    if (!saved) return;
    ParsedMarkers parsed = ParseMarkerText(*saved);
    if (parsed.error) {
        markersBlocked = EditRefusal{.kind = Refusal::MarkersInError, .number = parsed.error->line, .label = markersLabel};
        markersInError = std::move(saved);
        return;
    }
    markersText = std::move(*saved);
    markers = std::move(parsed.markers);
    ++revision;
}

SavedText KeyEditModel::TakeSavedMarkers(std::optional<std::string> saved)
{
    // Gone from disk: the markers in hand stay, and the next edit writes
    // them back whole.
    if (!saved) {
        markersOnDisk = false;
        return SavedText::Ignored;
    }
    if (markersInError ? *saved == *markersInError : (markersOnDisk && *saved == markersText)) return SavedText::Ignored;
    markersOnDisk = true;
    ++revision;
    ParsedMarkers parsed = ParseMarkerText(*saved);
    if (parsed.error) {
        markersBlocked = EditRefusal{.kind = Refusal::MarkersInError, .number = parsed.error->line, .label = markersLabel};
        markersInError = std::move(saved);
        return SavedText::InError;
    }
    markersBlocked.reset();
    markersInError.reset();
    if (*saved == markersText) return SavedText::Ignored;
    history.Record({Document::Markers, SpliceBetween(markersText, *saved), {Selection().begin(), Selection().end()},
                    {Selection().begin(), Selection().end()}});
    markersText = std::move(*saved);
    markers = std::move(parsed.markers);
    selectedMarker.reset();
    return SavedText::Taken;
}

void KeyEditModel::SelectMarker(std::optional<int> marker)
{
    if (marker && (*marker < 0 || static_cast<std::size_t>(*marker) >= markers.size())) return;
    selectedMarker = marker;
    if (marker) selection.Clear();
}

std::optional<int> KeyEditModel::MarkerAt(std::int32_t row) const
{
    const auto found = std::find_if(markers.begin(), markers.end(), [row](const Marker& marker) { return marker.row == row; });
    if (found == markers.end()) return std::nullopt;
    return static_cast<int>(found - markers.begin());
}

EditResult KeyEditModel::AddMarker(std::int32_t row, std::string_view name)
{
    if (markersBlocked) return {false, markersBlocked};
    if (row < 0) return {false, EditRefusal{Refusal::RowBelowZero}};
    if (std::optional<EditRefusal> refusal = WhyNotAMarkerName(name)) return {false, std::move(refusal)};
    if (MarkerAt(row)) return {false, EditRefusal{.kind = Refusal::MarkerAlreadyThere, .row = row}};
    const auto after = std::find_if(markers.begin(), markers.end(), [row](const Marker& marker) { return marker.row > row; });
    const auto position = static_cast<int>(after - markers.begin());
    // A new file opens with a line that says what it is.
    const std::string base = markersText.empty() ? std::string(kMarkerFileHeader) : markersText;
    LineEdits edits;
    if (after != markers.end()) {
        edits.InsertBefore(after->line, MarkerLine(row, name));
    } else if (!markers.empty()) {
        edits.InsertAfter(markers.back().line, MarkerLine(row, name));
    } else {
        AppendLine(edits, base, MarkerLine(row, name));
    }
    return FinishMarkers(edits.ApplyTo(base), position);
}

EditResult KeyEditModel::RenameMarker(int marker, std::string_view name)
{
    if (markersBlocked) return {false, markersBlocked};
    if (marker < 0 || static_cast<std::size_t>(marker) >= markers.size()) return {false, EditRefusal{Refusal::NoMarkerSelected}};
    if (std::optional<EditRefusal> refusal = WhyNotAMarkerName(name)) return {false, std::move(refusal)};
    const Marker& renamed = markers[static_cast<std::size_t>(marker)];
    if (renamed.name == Trimmed(name)) return {};
    LineEdits edits;
    edits.Replace(renamed.line, MarkerLine(renamed.row, name));
    return FinishMarkers(edits.ApplyTo(markersText), marker);
}

EditResult KeyEditModel::DeleteSelectedMarker()
{
    if (markersBlocked) return {false, markersBlocked};
    if (!selectedMarker) return {false, EditRefusal{Refusal::NoMarkerSelected}};
    LineEdits edits;
    edits.Remove(markers[static_cast<std::size_t>(*selectedMarker)].line);
    return FinishMarkers(edits.ApplyTo(markersText), std::nullopt);
}

std::optional<std::int32_t> KeyEditModel::PreviousMarkerRow(double row) const
{
    const auto after = std::find_if(markers.begin(), markers.end(), [row](const Marker& marker) { return marker.row >= row; });
    if (after == markers.begin()) return std::nullopt;
    return std::prev(after)->row;
}

std::optional<std::int32_t> KeyEditModel::NextMarkerRow(double row) const
{
    const auto after = std::find_if(markers.begin(), markers.end(), [row](const Marker& marker) { return marker.row > row; });
    if (after == markers.end()) return std::nullopt;
    return after->row;
}

EditResult KeyEditModel::FinishMarkers(std::string next, std::optional<int> selected)
{
    if (next == markersText) return {};
    TextHistory::Step step{Document::Markers, SpliceBetween(markersText, next), {Selection().begin(), Selection().end()},
                           {Selection().begin(), Selection().end()}};
    if (std::optional<EditRefusal> refusal = WriteMarkersAndTake(std::move(next))) return {false, std::move(refusal)};
    history.Record(std::move(step));
    SelectMarker(selected);
    return {true, {}};
}

std::optional<EditRefusal> KeyEditModel::WriteMarkersAndTake(std::string next)
{
    ParsedMarkers parsed = ParseMarkerText(next);
    if (parsed.error) {
        return EditRefusal{
            .kind = Refusal::EditLeavesLineWrong, .number = parsed.error->line, .detail = parsed.error->message};
    }
    if (writeMarkers) {
        const std::optional<std::string_view> previous =
            markersOnDisk ? std::optional<std::string_view>(markersText) : std::nullopt;
        if (std::optional<EditRefusal> refusal = writeMarkers(previous, next)) return refusal;
    }
    markersText = std::move(next);
    markers = std::move(parsed.markers);
    markersOnDisk = true;
    ++revision;
    return std::nullopt;
}
