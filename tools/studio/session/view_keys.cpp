// The window's key map.
#include "view_keys.h"

#include <raylib.h>

std::optional<ViewCommand> ViewCommandForKey(int key, KeyModifiers modifiers, bool repeat)
{
    if (repeat || modifiers.shift || modifiers.control) return std::nullopt;
    switch (key) {
    case KEY_TAB:
        return ViewCommand::ToggleTimeline;
    case KEY_F:
        return ViewCommand::ToggleOverlay;
    case KEY_F1:
        return ViewCommand::ToggleHelp;
    case KEY_F11:
        return ViewCommand::ToggleFullScreen;
    default:
        return std::nullopt;
    }
}
