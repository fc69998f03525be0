// Key presses and mouse-button presses and releases in the order they came,
// with the modifiers held and the time (GetTime's clock) at each. raylib keeps
// key states per frame and drops modifiers; when a frame takes long (software
// rendering), a quick Shift+Right, click or drag starts and ends between two
// frames, and only the events themselves tell: a button event's place is
// where the pointer was when it came, not where it is when it is handled.
// These are taken from GLFW's callbacks, chained in front of raylib's. Also
// the wait for the window system's next event, for a studio with nothing to do.
#pragma once

#include <raylib.h>

#include <variant>
#include <vector>

#include "transport_keys.h"

// A key pressed, or the text a key typed: GLFW reports the text right after
// its key, in the same stream, so that the text can be told from the key
// that typed it.
struct KeyPress {
    int key;  // raylib's key code; KEY_NULL for text
    KeyModifiers modifiers;
    bool repeat;  // held down, repeated by the system
    double time;
    char32_t character = 0;  // the text typed, one Unicode character
};

struct ButtonEvent {
    int button;  // raylib's mouse button
    bool pressed;  // else released
    Vector2 position;
    KeyModifiers modifiers;
    double time;
};

// One stream, so that a click and the keys typed after it are handled in
// that order however many come between two frames.
using InputEvent = std::variant<KeyPress, ButtonEvent>;

// Installs the callbacks on the window; once, after the window opened.
void RecordInputEvents();

// The events since the last call, oldest first.
std::vector<InputEvent> TakeInputEvents();
// True when there are events not yet taken.
bool InputEventsWaiting();

// Sleeps until the window system has an event, or for `seconds` at most, and
// hands what came to the callbacks; true when an event came.
bool WaitForWindowEvent(double seconds);
