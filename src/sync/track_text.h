// The readable choreography: the text form of the track table that people
// write (assets/tracks.txt), parsed into tracks in memory. The track-table
// compiler, the tests and the studio all read it through this one parser.
//
//   # a comment, to the end of the line
//   track camera_position:x     starts a track; names are unique
//     0   0      step           a key: whole ROW, VALUE, TYPE (step, linear,
//   128  -5.7    linear         smooth or ramp); rows ascend within a track
//
// A UTF-8 byte-order mark at the very start is skipped. Every mistake is
// reported with its line number (counted from 1), and a text with a mistake
// gives no tracks at all.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sync/track_table.h"

struct TrackTextError {
    int line;
    std::string message;  // one line, without the line number
};

struct ParsedTrackText {
    std::vector<NamedTrack> tracks;  // in the order of the text
    std::optional<TrackTextError> error;
};

// Parses a whole text. The tracks keep within the table's limits, every value
// is finite and every zero is a positive zero.
ParsedTrackText ParseTrackText(std::string_view text);
