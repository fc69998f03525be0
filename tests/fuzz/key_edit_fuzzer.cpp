// Fuzzes the studio's key edit model: the bytes up to the first zero byte are
// the text of tracks.txt, the rest a sequence of edits (of single keys, boxes
// and Ctrl+A, copy and paste, inserted and removed time, markers),
// selections, undos, redos, saves from elsewhere and failing writes.
// Whatever they are, nothing crashes; the model's text always parses to the
// tracks it shows and is what was written last, and so is the markers' text;
// a refused edit changes nothing and says why in one line; each edit changes
// what it says, line for line; copied keys paste back where they belong; and
// undoing every step gives back the first good texts byte for byte.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "key_edit_model.h"
#include "sync/track_table.h"
#include "sync/track_text.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "key edit fuzzer: %s\n", what);
    std::abort();
}

// The key that `key` names among `tracks`.
template <typename Tracks>
auto& KeyIn(Tracks&& tracks, KeyRef key)
{
    auto& track = *std::next(std::begin(tracks), key.track);
    return track.keys.at(static_cast<std::size_t>(key.key));
}

std::size_t LineCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The file as the model's writes and the saves from elsewhere leave it; none
// while there is no file.
struct Disk {
    std::optional<std::string> text;
    bool failing = false;

    std::optional<EditRefusal> Write(std::optional<std::string_view> previous, std::string_view next)
    {
        if (previous != text) Fail("an edit written over a text other than the file's");
        if (failing) return EditRefusal{.kind = Refusal::WriteFailed, .reason = "No space left on device"};
        text = next;
        return std::nullopt;
    }
};

class Session {
public:
    Session(std::string text, FuzzedDataProvider& input)
        : input(input), disk{text}, model(text, "tracks.txt",
                                          [this](std::optional<std::string_view> previous, std::string_view next) {
                                              return disk.Write(previous, next);
                                          })
    {
        if (!ParseTrackText(text).error) first = text;
        model.AttachMarkers(std::nullopt, "markers.txt",
                            [this](std::optional<std::string_view> previous, std::string_view next) {
                                return markersDisk.Write(previous, next);
                            });
    }

    void Step()
    {
        const std::string before = model.Text();
        const std::string markersBefore = model.MarkersText();
        const std::vector<NamedTrack> tracksBefore(model.Tracks().begin(), model.Tracks().end());
        const std::vector<KeyRef> selected(model.Selection().begin(), model.Selection().end());
        std::optional<EditResult> result;
        // What the edit does to the number of lines, when it changes the text.
        std::optional<std::ptrdiff_t> lineChange = 0;
        bool keysStay = false;  // only the types or values of the selected keys may change
        switch (input.ConsumeIntegralInRange(0, 21)) {
        case 0: model.Select(PickKey()); break;
        case 1: model.ToggleSelected(PickKey()); break;
        case 2: model.ClearSelection(); break;
        case 3: {
            const RowSnap snap = input.ConsumeBool() ? RowSnap::Row : RowSnap::Beat;
            const std::int64_t delta = input.ConsumeBool() ? input.ConsumeIntegralInRange<std::int64_t>(-300, 300)
                                                           : SnapRowDelta(input.ConsumeFloatingPoint<double>(), snap);
            const std::string refusal = Worded(model.MoveRefusal(delta));
            result = model.MoveSelected(delta);
            if (!refusal.empty() && Worded(result->refusal) != refusal) {
                Fail("a move refused otherwise than its readout said");
            }
            if (refusal.empty() && delta != 0 && !result->changed && !disk.failing &&
                (!result->refusal || result->refusal->kind != Refusal::DifferenceOverflows)) {
                Fail("a move that its readout allowed was not made");
            }
            if (result->changed) CheckMoved(tracksBefore, selected, delta);
            break;
        }
        case 4: {
            const int track = PickTrack();
            const auto row = input.ConsumeIntegralInRange<std::int32_t>(-2, 2000);
            result = model.InsertKey(track, row, input.ConsumeFloatingPoint<double>());
            lineChange = 1;
            if (result->changed && !model.KeyAt(track, row)) Fail("inserted key not found");
            break;
        }
        case 5:
            result = model.DeleteSelected();
            lineChange = -static_cast<std::ptrdiff_t>(selected.size());
            break;
        case 6:
            result = model.SetSelectedType(static_cast<KeyType>(input.ConsumeIntegralInRange(0, 3)));
            keysStay = true;
            break;
        case 7:
            result = model.CycleSelectedType();
            keysStay = true;
            break;
        case 8:
            result = model.SetSelectedValue(input.ConsumeRandomLengthString(16));
            keysStay = true;
            break;
        case 9:
            result = model.NudgeSelected(input.ConsumeIntegralInRange(-20, 20),
                                         input.ConsumeBool() ? NudgeSize::Fine : NudgeSize::Coarse);
            keysStay = true;
            break;
        case 10:
            result = model.Undo();
            lineChange = std::nullopt;
            break;
        case 11:
            result = model.Redo();
            lineChange = std::nullopt;
            break;
        case 12: Save(input.ConsumeRandomLengthString(64)); return;
        case 13: {
            // A save that changes a few bytes of the file, mostly still good.
            std::string saved = disk.text.value_or("");
            const std::size_t at = input.ConsumeIntegralInRange<std::size_t>(0, saved.size());
            const std::size_t removed = input.ConsumeIntegralInRange<std::size_t>(0, 4);
            saved.replace(at, std::min(removed, saved.size() - at), input.ConsumeRandomLengthString(6));
            Save(saved);
            return;
        }
        case 14: disk.failing = markersDisk.failing = input.ConsumeBool(); break;
        case 15: {
            std::vector<KeyRef> boxed;
            for (int key = input.ConsumeIntegralInRange(0, 8); key > 0; --key) boxed.push_back(PickKey());
            model.SelectKeys(boxed, input.ConsumeBool() ? SelectionChange::Add : SelectionChange::Replace);
            break;
        }
        case 16: model.SelectAllOf(input.ConsumeBool() ? std::optional(PickTrack()) : std::nullopt); break;
        case 17: {
            const CopiedKeys copied = model.CopySelected();
            const std::string clipboard = input.ConsumeBool() ? copied.text : input.ConsumeRandomLengthString(48);
            const auto row = input.ConsumeIntegralInRange<std::int32_t>(-2, 2000);
            const std::optional<int> lane = input.ConsumeBool() ? std::optional(PickTrack()) : std::nullopt;
            result = model.Paste(clipboard, row, lane);
            lineChange = std::nullopt;
            if (result->changed) CheckPasted(clipboard, row, lane);
            break;
        }
        case 18:
        case 19: {
            const auto row = input.ConsumeIntegralInRange<std::int32_t>(-2, 1000);
            const auto rows = input.ConsumeIntegralInRange<std::int32_t>(-2, 300);
            const auto end = input.ConsumeIntegralInRange<std::int32_t>(0, 1200);
            const bool inserting = input.ConsumeBool();
            result = inserting ? model.InsertTime(row, rows, end) : model.RemoveTime(row, row + rows, end);
            if (inserting) {
                if (result->changed) CheckTimeInserted(tracksBefore, row, rows, end);
            } else {
                lineChange = std::nullopt;
            }
            break;
        }
        case 20: MarkerStep(); return;
        case 21:
            SaveMarkers(input.ConsumeBool() ? std::optional(input.ConsumeRandomLengthString(48)) : std::nullopt);
            return;
        }
        CheckModel();
        if (!result) return;
        if (Worded(result->refusal).find('\n') != std::string::npos) Fail("refusal on more than one line");
        if (!result->changed) {
            if (model.Text() != before) Fail("a refused edit changed the text");
            return;
        }
        if (result->refusal) Fail("a refusal for an edit that was made");
        // Undo and redo may take a step of the markers.
        if (model.Text() == before && model.MarkersText() == markersBefore) {
            Fail("an edit said it changed the text but did not");
        }
        if (lineChange && static_cast<std::ptrdiff_t>(LineCount(model.Text())) !=
                              static_cast<std::ptrdiff_t>(LineCount(before)) + *lineChange) {
            Fail("an edit changed the number of lines by other than its keys");
        }
        if (keysStay) CheckOnlySelectedChanged(tracksBefore, selected);
    }

    // Fixes the text if needed, undoes every step and checks that the first
    // good text is back.
    void UndoAll()
    {
        disk.failing = false;
        if (!first) return;
        markersDisk.failing = false;
        if (model.WhyNotEditable()) Save(model.Text());
        if (model.WhyNotEditable()) Fail("the last good text read back did not resume editing");
        if (model.WhyNoMarkers()) SaveMarkers(model.MarkersText());
        if (model.WhyNoMarkers()) Fail("the last good markers read back did not resume their editing");
        while (model.CanUndo()) {
            if (!model.Undo().changed) Fail("undo refused");
            CheckModel();
        }
        if (model.Text() != *first) Fail("undoing every step did not give back the first text");
        if (!model.MarkersText().empty()) Fail("undoing every step did not give back the first markers");
    }

private:
    int PickTrack() { return input.ConsumeIntegralInRange<int>(-1, static_cast<int>(model.Tracks().size())); }
    KeyRef PickKey()
    {
        const int track = PickTrack();
        const int keys = track >= 0 && track < static_cast<int>(model.Tracks().size())
                             ? static_cast<int>(model.Tracks()[static_cast<std::size_t>(track)].keys.size())
                             : 1;
        return {track, input.ConsumeIntegralInRange<int>(-1, keys)};
    }

    void MarkerStep()
    {
        const std::string before = model.MarkersText();
        const std::size_t count = model.Markers().size();
        const auto marker = input.ConsumeIntegralInRange<int>(-1, static_cast<int>(count));
        EditResult result;
        int change = 0;
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            result = model.AddMarker(input.ConsumeIntegralInRange<std::int32_t>(-2, 1000),
                                     input.ConsumeRandomLengthString(52));
            change = 1;
            break;
        case 1: result = model.RenameMarker(marker, input.ConsumeRandomLengthString(52)); break;
        case 2: model.SelectMarker(marker); return;
        case 3:
            result = model.DeleteSelectedMarker();
            change = -1;
            break;
        }
        CheckModel();
        if (Worded(result.refusal).find('\n') != std::string::npos) Fail("a marker's refusal on more than one line");
        if (!result.changed) {
            if (model.MarkersText() != before) Fail("a refused marker's edit changed the markers");
            return;
        }
        if (model.Markers().size() != count + static_cast<std::size_t>(change)) Fail("a marker's edit miscounted");
        // The first marker brings the file's header with it.
        if (!before.empty() &&
            static_cast<int>(LineCount(model.MarkersText())) - static_cast<int>(LineCount(before)) != change) {
            Fail("a marker's edit changed other lines than its own");
        }
    }

    void SaveMarkers(std::optional<std::string> saved)
    {
        markersDisk.text = saved;
        const SavedText taken = model.TakeSavedMarkers(saved);
        if (taken == SavedText::Taken && model.MarkersText() != *saved) Fail("markers taken but not the model's");
        if (taken == SavedText::InError && !model.WhyNoMarkers()) Fail("markers in error let their editing on");
        CheckModel();
    }

    // Every key of the clipboard stands where the paste put it.
    void CheckPasted(const std::string& clipboard, std::int32_t row, std::optional<int> lane)
    {
        const ParsedTrackText parsed = ParseTrackText(clipboard);
        if (parsed.error) Fail("a paste of text with a mistake was made");
        std::int64_t earliest = INT64_MAX;
        std::size_t withKeys = 0;
        for (const NamedTrack& track : parsed.tracks) {
            if (track.keys.empty()) continue;
            ++withKeys;
            earliest = std::min<std::int64_t>(earliest, track.keys.front().row);
        }
        const bool toLane = withKeys == 1 && lane && *lane >= 0 && static_cast<std::size_t>(*lane) < model.Tracks().size();
        for (const NamedTrack& track : parsed.tracks) {
            const std::optional<int> target = toLane ? lane : model.FindTrack(track.name);
            for (const TrackKey& key : track.keys) {
                const auto landing = static_cast<std::int32_t>(key.row - earliest + row);
                const std::optional<KeyRef> at = target ? model.KeyAt(*target, landing) : std::nullopt;
                if (!at || !(model.Key(*at) == TrackKey{landing, key.value, key.type})) {
                    Fail("a pasted key is not where the paste put it");
                }
            }
        }
    }

    // Keys before `row` or from `end` on stay; the others moved by `rows`.
    void CheckTimeInserted(std::vector<NamedTrack> expected, std::int32_t row, std::int32_t rows, std::int32_t end)
    {
        for (NamedTrack& track : expected) {
            for (TrackKey& key : track.keys) {
                if (key.row >= row && key.row < end) key.row += rows;
            }
        }
        if (!std::equal(expected.begin(), expected.end(), model.Tracks().begin(), model.Tracks().end())) {
            Fail("inserted time moved other keys than those after it");
        }
    }

    void Save(const std::string& saved)
    {
        disk.text = saved;
        const bool hadText = first.has_value();
        const SavedText taken = model.TakeSavedText(saved);
        if (taken == SavedText::Taken && model.Text() != saved) Fail("a save taken but not the model's text");
        if (taken == SavedText::InError && !model.WhyNotEditable()) Fail("a text in error lets editing on");
        if (taken == SavedText::Taken && !hadText) first = saved;
        CheckModel();
    }

    void CheckModel()
    {
        if (!first) return;
        const ParsedTrackText parsed = ParseTrackText(model.Text());
        if (parsed.error) Fail("the model's text does not parse");
        if (!std::equal(parsed.tracks.begin(), parsed.tracks.end(), model.Tracks().begin(), model.Tracks().end())) {
            Fail("the model's tracks are not its text's");
        }
        if (EncodeTrackTable(parsed.tracks) != EncodeTrackTable(model.Tracks())) Fail("the tables differ");
        if (!model.WhyNotEditable() && disk.text != model.Text()) Fail("the file is not the model's text");
        if (!model.WhyNoMarkers() && markersDisk.text && *markersDisk.text != model.MarkersText()) {
            Fail("the markers' file is not the model's markers");
        }
        for (const KeyRef key : model.Selection()) {
            if (key.track < 0 || static_cast<std::size_t>(key.track) >= model.Tracks().size() || key.key < 0 ||
                static_cast<std::size_t>(key.key) >= model.Tracks()[static_cast<std::size_t>(key.track)].keys.size()) {
                Fail("a selected key that does not exist");
            }
        }
    }

    void CheckMoved(std::vector<NamedTrack> expected, const std::vector<KeyRef>& selected, std::int64_t delta)
    {
        for (const KeyRef key : selected) {
            std::int32_t& row = KeyIn(expected, key).row;
            row = static_cast<std::int32_t>(row + delta);
        }
        if (!std::equal(expected.begin(), expected.end(), model.Tracks().begin(), model.Tracks().end())) {
            Fail("a move did something else than moving the selected keys");
        }
    }

    // Keys keep their rows, and only the selected ones may have changed.
    void CheckOnlySelectedChanged(std::vector<NamedTrack> expected, const std::vector<KeyRef>& selected)
    {
        for (const KeyRef key : selected) {
            const TrackKey& now = KeyIn(model.Tracks(), key);
            TrackKey& was = KeyIn(expected, key);
            if (now.row != was.row) Fail("a selected key's row changed");
            was = now;
        }
        if (!std::equal(expected.begin(), expected.end(), model.Tracks().begin(), model.Tracks().end())) {
            Fail("an edit changed keys that were not selected");
        }
    }

    FuzzedDataProvider& input;
    Disk disk;
    Disk markersDisk;
    KeyEditModel model;
    std::optional<std::string> first;  // the first good text, which undoing everything gives back
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t end = std::min(bytes.find('\0'), bytes.size());
    FuzzedDataProvider input(data + std::min(end + 1, size), size - std::min(end + 1, size));
    Session session(std::string(bytes.substr(0, end)), input);
    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) session.Step();
    session.UndoAll();
    return 0;
}
