// Why the key editor did not make an edit: the kind of refusal with the facts
// it names, and the one place that words them. Callers keep refusals as they
// are and word them where they are shown: Worded for a line in the band (it
// starts in lower case), AsSentence where it stands alone.
//
// Rows are the text's rows; `track` is a track's name as the text writes it,
// `label` a file as the studio names it ("assets/tracks.txt").
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class Refusal {
    // The text being edited
    NothingToEdit,        // `detail`: why the studio holds no text to edit
    TextInError,          // line `number` of `label`
    EditLeavesLineWrong,  // line `number`, the parser's `detail`
    // What an edit applies to
    NoKeySelected,
    NoCurrentLane,
    TrackNotInText,       // `track`
    NoSuchTrack,          // `number`
    NoKeyBefore,          // `track`: none before the playhead
    NoKeyAfter,           // `track`
    NothingToUndo,
    NothingToRedo,
    // Keys and values
    RowBelowZero,         // a key inserted before row 0
    KeyAlreadyThere,      // `track`, `row`
    TrackFull,            // `track`, `number` keys
    NoSuchKeyType,        // `number`
    NotAFloat,            // `detail`: the number
    ValueUnreadable,      // `detail`: the parser's words
    ValueTooLong,         // `number` characters at most
    ValuePastLargest,     // `track`, `row`
    DifferenceOverflows,  // `track`, the keys at `row` and `otherRow`
    // Moves and time
    MoveBelowRowZero,     // `track`, the key at `row`
    MovePastLastRow,      // `track`, `row`
    MoveLandsOnKey,       // `track`, `row` onto the key at `otherRow`
    MovePassesKey,        // `track`, `row` past the key at `otherRow`
    PastDemoEnd,          // `track`, the key at `row` would reach `otherRow`, the end
    NoTimeToRemove,       // the span is empty or past the end at `row`
    // The clipboard
    NothingCopied,
    ClipboardHoldsNoKeys,  // `detail`: what is wrong with it
    // Markers
    MarkersInError,       // line `number` of `label`
    NoMarkerSelected,
    MarkerAlreadyThere,   // at `row`
    MarkerNameEmpty,
    MarkerNameTooLong,    // `number` bytes at most
    MarkerNameNotText,    // a control character
    NoMarkerBefore,
    NoMarkerAfter,
    // Writing back
    FileChanged,          // `label` was saved by another program: it is read now
    FileMissing,          // `label`
    FileNotMissing,       // `label` is there again: there is nothing to bring back
    FileReadOnly,         // `label`
    FolderNotWritable,    // the folder `detail`, the system's reason `reason`
    FileTooLarge,         // `label`, `number` bytes at most
    FileUnreadable,       // `label`, `reason`
    WriteFailed,          // `reason`: one line from the writer
};

struct EditRefusal {
    Refusal kind;
    std::string track{};
    std::int64_t row = 0;
    std::int64_t otherRow = 0;
    std::int64_t number = 0;
    std::string label{};
    std::string detail{};
    std::string reason{};
};

// One line, in lower case at its start: "no key selected".
std::string Worded(const EditRefusal& refusal);
// Empty for none: tests and the fuzzer compare lines.
std::string Worded(const std::optional<EditRefusal>& refusal);
// Capitalised with a full stop: "No key selected."
std::string AsSentence(const EditRefusal& refusal);

// Numbers as the studio shows them in its lines (six significant digits).
std::string ShownNumber(double value);
