// The studio's markers: labelled rows of the timeline that a maker jumps
// between, kept in a small text of the studio's own beside tracks.txt
// (assets/markers.txt), which the demo never reads:
//
//   # a comment, on a line of its own
//   256 the flock       ROW, then the NAME to the end of the line
//
// Rows are whole numbers from 0 on, in ascending order, each once; a name is
// one line of text (no control characters) of at most kLongestMarkerName
// bytes, blanks around it dropped. Blank lines are allowed. Every mistake is
// reported with its line number, as the choreography's parser does, and a
// text with a mistake gives no markers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "edit_refusal.h"
#include "sync/track_text.h"

inline constexpr std::size_t kLongestMarkerName = 48;

// The first lines of a markers file the studio makes.
inline constexpr std::string_view kMarkerFileHeader =
    "# quorl-studio's markers: ROW NAME, one a line. The demo does not read this file.\n";

struct Marker {
    std::int32_t row;
    std::string name;
    int line;  // in the text, from 1

    bool operator==(const Marker&) const = default;
};

struct ParsedMarkers {
    std::vector<Marker> markers;  // in the order of their rows
    std::optional<TrackTextError> error;
};

ParsedMarkers ParseMarkerText(std::string_view text);

// Why `name` (blanks around it dropped) cannot name a marker; none when it can.
std::optional<EditRefusal> WhyNotAMarkerName(std::string_view name);

// A marker's line, without its line ending.
std::string MarkerLine(std::int32_t row, std::string_view name);

// `text` without the blanks around it.
std::string_view Trimmed(std::string_view text);
