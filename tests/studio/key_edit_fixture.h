// The text the key editor's tests edit: two tracks in columns, one in single
// spaces with no final newline; a comment after a key, a comment before a
// track's first key, blank lines.
#pragma once

#include <string_view>

inline constexpr std::string_view kEditText =
    "# The fade and the fog.\n"
    "track ftb\n"
    "    0   1    linear   # black\n"
    "   16   0.8  linear\n"
    "\n"
    "track fog\n"
    "# thickens late\n"
    "   64  2.5  smooth\n"
    "  128 10    step\n"
    "track scene\n"
    "0 0.1 step";

inline constexpr int kFtb = 0;
inline constexpr int kFog = 1;
inline constexpr int kScene = 2;
