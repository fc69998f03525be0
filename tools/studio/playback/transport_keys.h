// The studio's transport keys: which key, with which modifier, moves the
// playhead how. raylib's key codes, read by the executable each frame.
#pragma once

#include <optional>

#include "transport.h"

enum class TransportMove { TogglePlay, Step, ToStart, ToLastRow, MarkLoopStart, MarkLoopEnd, ToggleLoop };

struct TransportAction {
    TransportMove move;
    int rows = 0;  // for Step: signed, a beat (4), a bar (16) or a row

    bool operator==(const TransportAction&) const = default;
};

struct KeyModifiers {
    bool shift = false;
    bool control = false;
};

// Space plays and pauses; Left and Right step a beat, with Shift a bar, with
// Control a row; Home and End go to the first and last row; [ and ] mark the
// loop; L turns it on and off. A key held down repeats only for Left and
// Right (`repeat`: the system's repeat of a held key). None for any other key.
std::optional<TransportAction> TransportActionForKey(int key, KeyModifiers modifiers, bool repeat);

void ApplyTransportAction(Transport& transport, TransportAction action, double now);
