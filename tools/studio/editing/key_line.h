// The text of one key's line, written the way the file around it is written.
//
// tracks.txt lines its keys up in columns: ROW right-aligned, VALUE aligned
// on its decimal point, TYPE left-aligned, each track with its own widths:
//
//     0   0          step
//   192  -5.7        linear
//   383 1400         step
//
// A line is rewritten by putting new words where its own words stood: a row
// keeps its right edge, a value its point, a type its start, a trailing
// comment its column, and a word that no longer fits pushes the rest along by
// one blank. Rewriting a line with its own words gives it back unchanged. A
// new line takes the layout of a neighbour. A neighbour whose row (or value)
// starts in the same column but ends elsewhere shows that the track aligns
// that field on the left instead. Lines whose blanks are not spaces, or
// single spaces without an indent, are not in columns: the pattern's own
// blanks are copied.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sync/track_text.h"

// A key's line as it stands in the text, without its '\n'.
struct KeyLine {
    std::string_view text;
    KeyTextPlace place;

    std::string_view Row() const { return Word(place.row); }
    std::string_view Value() const { return Word(place.value); }
    std::string_view Type() const { return Word(place.type); }
    std::string_view Word(TextColumns columns) const
    {
        return text.substr(columns.begin, columns.end - columns.begin);
    }
};

struct KeyWords {
    std::string row;
    std::string value;
    std::string type;
};

// The line with its words replaced; everything after the type is kept.
// `neighbour` is another key line of the same track, if there is one.
std::string RewriteKeyLine(const KeyLine& line, const std::optional<KeyLine>& neighbour, const KeyWords& words);

// A new line, without a line ending, laid out like `pattern`, with
// `neighbour` telling its alignment as above.
std::string NewKeyLine(const std::optional<KeyLine>& pattern, const std::optional<KeyLine>& neighbour,
                       const KeyWords& words);

// The words a key is written with: the shortest text that reads back as the
// same number.
std::string RowWord(std::int64_t row);
std::string ValueWord(float value);
