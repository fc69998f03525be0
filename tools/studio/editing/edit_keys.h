// The key editor's keys: which key, with which modifier, edits the keys and
// markers of the timeline how, and which keys type a value or a name.
// raylib's key codes, read by the executable each frame; none of them is a
// transport key. The help (key_help.h) lists them all.
#pragma once

#include <optional>

#include "edit_steps.h"
#include "sync/track.h"
#include "transport_keys.h"

enum class EditCommand {
    Escape,          // ends typing, a drag or a box, else clears the selection, else quits
    InsertKey,       // at the playhead on the current lane
    Delete,          // the selected keys, or the selected marker
    CycleType,       // of the selected keys
    SetType,         // of the selected keys, to `type`
    TypeValue,       // opens the selected keys' value for typing
    Nudge,           // the selected keys' values by `steps` of `size`
    PreviousKey,     // the playhead to the current lane's key before it
    NextKey,         // or after it
    SelectAll,       // the current lane's keys, then every key
    Copy,            // the selected keys, to the clipboard
    Cut,             // copies them and deletes them
    Paste,           // the clipboard's keys at the playhead
    InsertTime,      // `rows` of empty time at the playhead
    RemoveTime,      // the loop's span, else `rows` at the playhead
    AddMarker,       // at the playhead, asking for its name
    PreviousMarker,  // the playhead to the marker before it
    NextMarker,      // or after it
    WriteBack,       // a missing tracks.txt, written back from the text in hand
    Undo,
    Redo,
};

struct EditAction {
    EditCommand command;
    KeyType type = KeyType::Step;      // for SetType
    int steps = 0;                     // for Nudge: +1 up, -1 down
    NudgeSize size = NudgeSize::Coarse;  // for Nudge
    int rows = 0;                      // for InsertTime and RemoveTime: a beat or a bar

    bool operator==(const EditAction&) const = default;
};

// Escape; I inserts; Delete or Backspace deletes; T cycles the type and 1 to
// 4 set it (step, linear, smooth, ramp); Enter types a value; Up and Down
// nudge it (Shift: ten times finer); ',' and '.' go to the previous and next
// key, Page Up and Page Down to the previous and next marker; M adds a
// marker; '=' inserts a beat of time and '-' removes one (or the loop's
// span), with Shift a bar; Control+A selects all, Control+C, X and V copy,
// cut and paste; Control+S writes a missing tracks.txt back; Control+Z
// undoes, Control+Shift+Z and Control+Y redo. A key held down repeats only
// for nudges, the jumps to keys and markers, undo and redo. None for any
// other key.
std::optional<EditAction> EditActionForKey(int key, KeyModifiers modifiers, bool repeat);

// What a value or a name being typed does with a key: the last character
// erased (Backspace), the text applied (Enter) or typing given up (Escape);
// for a value also a character to add (digits, '-', '.', 'e', the keypad's
// too). A name's characters come as text from the window system instead.
enum class TypingMove { Add, Erase, Apply, Cancel };
struct TypingAction {
    TypingMove move;
    char character = 0;  // for Add

    bool operator==(const TypingAction&) const = default;
};
// None for a key that types nothing.
std::optional<TypingAction> TypingActionForKey(int key);
// Backspace, Enter and Escape; none for the rest.
std::optional<TypingAction> NamingActionForKey(int key);
