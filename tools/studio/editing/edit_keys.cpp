// The key editor's key map.
#include "edit_keys.h"

#include <raylib.h>

#include "sync/tempo.h"

namespace {

bool Repeats(EditCommand command)
{
    switch (command) {
    case EditCommand::Nudge:
    case EditCommand::PreviousKey:
    case EditCommand::NextKey:
    case EditCommand::PreviousMarker:
    case EditCommand::NextMarker:
    case EditCommand::Undo:
    case EditCommand::Redo:
        return true;
    default:
        return false;
    }
}

std::optional<EditAction> ControlAction(int key, KeyModifiers modifiers)
{
    switch (key) {
    case KEY_Z:
        return EditAction{modifiers.shift ? EditCommand::Redo : EditCommand::Undo};
    case KEY_Y:
        return EditAction{EditCommand::Redo};
    case KEY_A:
        return EditAction{EditCommand::SelectAll};
    case KEY_C:
        return EditAction{EditCommand::Copy};
    case KEY_X:
        return EditAction{EditCommand::Cut};
    case KEY_V:
        return EditAction{EditCommand::Paste};
    case KEY_S:
        return EditAction{EditCommand::WriteBack};
    default:
        return std::nullopt;
    }
}

std::optional<EditAction> PlainAction(int key, KeyModifiers modifiers)
{
    const NudgeSize size = modifiers.shift ? NudgeSize::Fine : NudgeSize::Coarse;
    const int time = modifiers.shift ? ROWS_PER_BAR : ROWS_PER_BEAT;
    switch (key) {
    case KEY_ESCAPE:
        return EditAction{EditCommand::Escape};
    case KEY_I:
        return EditAction{EditCommand::InsertKey};
    case KEY_DELETE:
    case KEY_BACKSPACE:
        return EditAction{EditCommand::Delete};
    case KEY_T:
        return EditAction{EditCommand::CycleType};
    case KEY_ONE:
    case KEY_TWO:
    case KEY_THREE:
    case KEY_FOUR:
        return EditAction{EditCommand::SetType, static_cast<KeyType>(key - KEY_ONE)};
    case KEY_ENTER:
    case KEY_KP_ENTER:
        return EditAction{EditCommand::TypeValue};
    case KEY_UP:
        return EditAction{.command = EditCommand::Nudge, .steps = 1, .size = size};
    case KEY_DOWN:
        return EditAction{.command = EditCommand::Nudge, .steps = -1, .size = size};
    case KEY_COMMA:
        return EditAction{EditCommand::PreviousKey};
    case KEY_PERIOD:
        return EditAction{EditCommand::NextKey};
    case KEY_PAGE_UP:
        return EditAction{EditCommand::PreviousMarker};
    case KEY_PAGE_DOWN:
        return EditAction{EditCommand::NextMarker};
    case KEY_M:
        return EditAction{EditCommand::AddMarker};
    case KEY_EQUAL:
    case KEY_KP_ADD:
        return EditAction{.command = EditCommand::InsertTime, .rows = time};
    case KEY_MINUS:
    case KEY_KP_SUBTRACT:
        return EditAction{.command = EditCommand::RemoveTime, .rows = time};
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<EditAction> EditActionForKey(int key, KeyModifiers modifiers, bool repeat)
{
    const std::optional<EditAction> action = modifiers.control ? ControlAction(key, modifiers)
                                                               : PlainAction(key, modifiers);
    if (action && repeat && !Repeats(action->command)) return std::nullopt;
    return action;
}

std::optional<TypingAction> NamingActionForKey(int key)
{
    switch (key) {
    case KEY_BACKSPACE:
        return TypingAction{TypingMove::Erase};
    case KEY_ENTER:
    case KEY_KP_ENTER:
        return TypingAction{TypingMove::Apply};
    case KEY_ESCAPE:
        return TypingAction{TypingMove::Cancel};
    default:
        return std::nullopt;
    }
}

std::optional<TypingAction> TypingActionForKey(int key)
{
    const auto digit = [](int offset) { return TypingAction{TypingMove::Add, static_cast<char>('0' + offset)}; };
    if (key >= KEY_ZERO && key <= KEY_NINE) return digit(key - KEY_ZERO);
    if (key >= KEY_KP_0 && key <= KEY_KP_9) return digit(key - KEY_KP_0);
    switch (key) {
    case KEY_MINUS:
    case KEY_KP_SUBTRACT:
        return TypingAction{TypingMove::Add, '-'};
    case KEY_PERIOD:
    case KEY_KP_DECIMAL:
        return TypingAction{TypingMove::Add, '.'};
    case KEY_E:
        return TypingAction{TypingMove::Add, 'e'};
    default:
        return NamingActionForKey(key);
    }
}
