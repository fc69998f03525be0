// The key editor's key map.
#include "edit_keys.h"

#include <raylib.h>

namespace {

bool Repeats(EditCommand command)
{
    return command == EditCommand::Nudge || command == EditCommand::PreviousKey || command == EditCommand::NextKey ||
           command == EditCommand::Undo || command == EditCommand::Redo;
}

std::optional<EditAction> ControlAction(int key, KeyModifiers modifiers)
{
    if (key == KEY_Z) return EditAction{modifiers.shift ? EditCommand::Redo : EditCommand::Undo};
    if (key == KEY_Y) return EditAction{EditCommand::Redo};
    return std::nullopt;
}

std::optional<EditAction> PlainAction(int key, KeyModifiers modifiers)
{
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
        return EditAction{EditCommand::Nudge, KeyType::Step, 1, modifiers.shift};
    case KEY_DOWN:
        return EditAction{EditCommand::Nudge, KeyType::Step, -1, modifiers.shift};
    case KEY_COMMA:
        return EditAction{EditCommand::PreviousKey};
    case KEY_PERIOD:
        return EditAction{EditCommand::NextKey};
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
