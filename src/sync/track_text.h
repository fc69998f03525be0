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

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sync/track_table.h"

struct TrackTextError {
    int line;
    std::string message;  // one line, without the line number
};

// Where a track and its keys stand in the text, for tools that rewrite single
// lines: line numbers count from 1, columns are byte offsets within the line.
struct TextColumns {
    std::size_t begin;
    std::size_t end;
};
struct KeyTextPlace {
    int line;
    TextColumns row;
    TextColumns value;
    TextColumns type;
};
struct TrackTextPlace {
    int line;                        // its 'track NAME'
    std::vector<KeyTextPlace> keys;  // in the order of the track's keys
};

struct ParsedTrackText {
    std::vector<NamedTrack> tracks;  // in the order of the text
    std::optional<TrackTextError> error;
    std::vector<TrackTextPlace> places;  // one for each track; none with an error
};

// Parses a whole text. The tracks keep within the table's limits, every value
// is finite and every zero is a positive zero.
ParsedTrackText ParseTrackText(std::string_view text);

// One VALUE word read as the parser reads it: the value, or none and, in
// `problem`, the message the parser would give for it.
std::optional<float> ReadKeyValue(std::string_view word, std::string& problem);
