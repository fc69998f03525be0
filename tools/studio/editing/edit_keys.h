// The key editor's keys: which key, with which modifier, edits the keys of
// the timeline how, and which keys type a value. raylib's key codes, read by
// the executable each frame; none of them is a transport key.
#pragma once

#include <optional>

#include "sync/track.h"
#include "transport_keys.h"

enum class EditCommand {
    Escape,       // ends typing or a drag, else clears the selection, else quits
    InsertKey,    // at the playhead on the current lane
    Delete,       // the selected keys
    CycleType,    // of the selected keys
    SetType,      // of the selected keys, to `type`
    TypeValue,    // opens the selected keys' value for typing
    Nudge,        // the selected keys' values by `steps`, `fine` or not
    PreviousKey,  // the playhead to the current lane's key before it
    NextKey,      // or after it
    Undo,
    Redo,
};

struct EditAction {
    EditCommand command;
    KeyType type = KeyType::Step;  // for SetType
    int steps = 0;                 // for Nudge: +1 up, -1 down
    bool fine = false;             // for Nudge

    bool operator==(const EditAction&) const = default;
};

// Escape; I inserts; Delete or Backspace deletes; T cycles the type and 1 to
// 4 set it (step, linear, smooth, ramp); Enter types a value; Up and Down
// nudge it (Shift: ten times finer); ',' and '.' go to the previous and next
// key; Control+Z undoes, Control+Shift+Z and Control+Y redo. A key held down
// repeats only for nudges, the keys before and after, undo and redo. None for
// any other key.
std::optional<EditAction> EditActionForKey(int key, KeyModifiers modifiers, bool repeat);

// What a value being typed does with a key: a character to add (digits, '-',
// '.', 'e', the keypad's too), the last one erased (Backspace), the value
// applied (Enter) or typing given up (Escape).
enum class TypingMove { Add, Erase, Apply, Cancel };
struct TypingAction {
    TypingMove move;
    char character = 0;  // for Add

    bool operator==(const TypingAction&) const = default;
};
// None for a key that types nothing.
std::optional<TypingAction> TypingActionForKey(int key);
