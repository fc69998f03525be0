// Key and mouse-button presses in the order they came, with the modifiers
// held at the time. raylib keeps key states per frame and drops modifiers;
// when a frame takes long (software rendering), a quick Shift+Right or click
// starts and ends between two frames, and only the events themselves tell.
// These are taken from GLFW's callbacks, chained in front of raylib's. Also
// the wait for the window system's next event, for a studio with nothing to do.
#pragma once

#include <raylib.h>

#include <vector>

#include "transport_keys.h"

struct KeyPress {
    int key;  // raylib's key code
    KeyModifiers modifiers;
    bool repeat;  // held down, repeated by the system
};

struct ButtonPress {
    int button;  // raylib's mouse button
    Vector2 position;
};

// Installs the callbacks on the window; once, after the window opened.
void RecordInputEvents();

// The presses since the last call, oldest first.
std::vector<KeyPress> TakeKeyPresses();
std::vector<ButtonPress> TakeButtonPresses();
// True when there are presses not yet taken.
bool PressesWaiting();

// Sleeps until the window system has an event, or for `seconds` at most, and
// hands what came to the callbacks; true when an event came.
bool WaitForWindowEvent(double seconds);
