// What quorl-studio is asked to do, read from its command line:
//
//   quorl-studio [--project DIR] [--at SECONDS] [--window WxH] [--monitor N]
//                [--scale F] [--paused]
//
// Only the arguments and the project folder are checked here, before any
// window opens; whether monitor N exists is the window's to find out.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "options/command_line.h"
#include "options/option_values.h"
#include "pixel_size.h"

struct StudioOptions {
    // The tree whose assets/tracks.txt and assets/city.frag are watched; none:
    // the built-in assets, nothing watched.
    std::optional<std::filesystem::path> project;
    double at = 0.0;  // clock reading to start at, in seconds
    PixelSize window{1280, 720};
    std::optional<int> monitor;  // 0 is the primary monitor; none: where the system puts it
    double scale = 1.0;          // of the 1920x1080 render target, above 0 and at most 1
    bool paused = false;
};

struct ShowStudioUsage {};

using StudioRequest = std::variant<StudioOptions, ShowStudioUsage>;

// The arguments after the program name. `defaultProject` is the project when
// --project is not given (the source tree the build came from; empty for
// none). Throws UsageError for an unknown option or argument, a missing or
// repeated value, a number that is not a finite one, a time before 0, a
// window side outside 1 to kLargestPixelSide, a negative monitor, a scale
// outside (0, 1], or a --project that is not a folder or may not be entered.
StudioRequest ParseStudioArguments(std::span<const std::string_view> arguments,
                                   const std::filesystem::path& defaultProject);

inline constexpr std::string_view kStudioUsage =
    "usage: quorl-studio [--project DIR] [--at SECONDS] [--window WxH] [--monitor N] [--scale F] [--paused]\n"
    "\n"
    "Plays the demo in a window with its music, a timeline of its tracks and live\n"
    "reloading of DIR/assets/tracks.txt and DIR/assets/city.frag (by default the\n"
    "source tree it was built from).\n"
    "\n"
    "  --project DIR    the tree whose assets are watched\n"
    "  --at SECONDS     start at this clock reading (default 0)\n"
    "  --window WxH     window size in pixels (default 1280x720)\n"
    "  --monitor N      open on monitor N, 0 being the primary one\n"
    "  --scale F        render at F times 1920x1080, 0 < F <= 1 (default 1)\n"
    "  --paused         start paused\n"
    "\n"
    "Keys: Space play/pause; Left/Right one beat, with Shift one bar, with Ctrl one\n"
    "row; Home/End first/last row; [ ] loop start/end at the playhead; L loop on/off;\n"
    "Tab timeline; F overlay; F11 full screen; F12 screenshot; Escape quits.\n"
    "Click or drag on the timeline to scrub; the mouse wheel zooms it.\n";
