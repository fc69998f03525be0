// The studio window's own keys, beside the transport's and the editor's:
// what is shown (the timeline, the overlay, the help) and full screen.
// raylib's key codes.
#pragma once

#include <optional>

#include "transport_keys.h"

enum class ViewCommand { ToggleTimeline, ToggleOverlay, ToggleHelp, ToggleFullScreen };

// Tab, F, F1 and F11, without modifiers and not repeated; none for any other key.
std::optional<ViewCommand> ViewCommandForKey(int key, KeyModifiers modifiers, bool repeat);
