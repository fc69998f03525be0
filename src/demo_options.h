// What the demo is asked for, read from its command line:
//
//   quorl [--windowed] [--monitor N]
//
// Without arguments it is the party's demo: full screen on the primary
// monitor. The options are for viewers; whether monitor N exists is the
// window's to find out.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "options/option_values.h"

struct DemoOptions {
    bool windowed = false;       // a resizable 1280x720 window instead of the full screen
    std::optional<int> monitor;  // 0 is the primary monitor; none: the primary one
};

struct ShowDemoUsage {};

using DemoRequest = std::variant<DemoOptions, ShowDemoUsage>;

// The arguments after the program name. Throws UsageError, with one line, for
// an unknown option or argument, a missing or repeated value, or a monitor
// that is not a number from 0 on.
DemoRequest ParseDemoArguments(std::span<const std::string_view> arguments);

inline constexpr std::string_view kDemoUsage =
    "usage: quorl [--windowed] [--monitor N]\n"
    "\n"
    "Plays the demo full screen on the primary monitor, with its music, and ends\n"
    "by itself after 68.571 s; Escape ends it earlier.\n"
    "\n"
    "  --windowed    in a window of 1280x720 that can be resized, not full screen\n"
    "  --monitor N   on monitor N, 0 being the primary one\n";
