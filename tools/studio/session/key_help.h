// Every key and mouse action of the studio, grouped, in one table: the F1
// help draws it over the frame, and the README's list of the studio's keys is
// made from it (KeyHelpMarkdown; a test holds the README to it). Each row
// names the key chords it describes, so that a test can hold the table and
// the key maps (transport_keys.h, edit_keys.h, view_keys.h) to each other.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "transport_keys.h"

struct KeyChord {
    int key = 0;  // raylib's key code; 0 ends a row's chords
    KeyModifiers modifiers{};
};

struct KeyHelpRow {
    std::string_view keys;  // as the help writes them
    std::string_view does;
    std::array<KeyChord, 8> chords{};
};

struct KeyHelpGroup {
    std::string_view title;
    std::span<const KeyHelpRow> rows;
};

std::span<const KeyHelpGroup> StudioKeyHelp();

// The table as the README lists it: a line per group in italics, then a
// bullet per row with its keys in bold; lines end in '\n'.
std::string KeyHelpMarkdown();
