// Laying out key lines in the columns of their neighbours.
#include "key_line.h"

#include <algorithm>
#include <charconv>

namespace {

struct Separators {
    std::string_view indent;
    std::string_view afterRow;
    std::string_view afterValue;
};

Separators SeparatorsOf(const KeyLine& line)
{
    const KeyTextPlace& at = line.place;
    return {line.text.substr(0, at.row.begin), line.Word({at.row.end, at.value.begin}),
            line.Word({at.value.end, at.type.begin})};
}

bool OnlySpaces(std::string_view blanks)
{
    return blanks.find_first_not_of(' ') == std::string_view::npos;
}

bool InColumns(const KeyLine& line)
{
    const Separators blanks = SeparatorsOf(line);
    if (!OnlySpaces(blanks.indent) || !OnlySpaces(blanks.afterRow) || !OnlySpaces(blanks.afterValue)) return false;
    return !blanks.indent.empty() || blanks.afterRow.size() > 1 || blanks.afterValue.size() > 1;
}

// The sign and digits before a value's point or exponent.
std::size_t WholePartSize(std::string_view value)
{
    return std::min(value.find_first_of(".eE"), value.size());
}

std::size_t PointColumn(const KeyLine& line)
{
    return line.place.value.begin + WholePartSize(line.Value());
}

// The column where a word of `size` bytes starts to end at `column`.
std::size_t EndingAt(std::size_t column, std::size_t size)
{
    return column > size ? column - size : 0;
}

// A line being laid out: each word goes to its column, or one blank after
// the previous word when that is further on.
class ColumnLine {
public:
    void Place(std::string_view word, std::size_t column)
    {
        const std::size_t earliest = text.empty() ? 0 : text.size() + 1;
        text.append(std::max(column, earliest) - text.size(), ' ');
        text.append(word);
    }
    std::string text;
};

// A word that stands right after the previous one (or at the line's start)
// may have been pushed there by a wider word before it: its column only says
// that the column is at most there, and the neighbour's may say better.
std::size_t Anchor(std::size_t own, bool pushed, const std::optional<KeyLine>& neighbour, std::size_t neighbours)
{
    return pushed && neighbour ? std::min(own, neighbours) : own;
}

ColumnLine LayInColumns(const KeyLine& pattern, const std::optional<KeyLine>& neighbour, const KeyWords& words)
{
    const KeyTextPlace& at = pattern.place;
    const std::optional<KeyTextPlace> other = neighbour ? std::optional(neighbour->place) : std::nullopt;
    const bool rowOnLeft = other && other->row.begin == at.row.begin && other->row.end != at.row.end;
    // Two values pushed against their rows start together by no choice.
    const bool valueOnLeft = other && other->value.begin == at.value.begin &&
                             PointColumn(*neighbour) != PointColumn(pattern) &&
                             (at.value.begin > at.row.end + 1 || other->value.begin > other->row.end + 1);
    const std::size_t rowEnd = Anchor(at.row.end, at.row.begin == 0, neighbour, other ? other->row.end : 0);
    const std::size_t point = Anchor(PointColumn(pattern), at.value.begin == at.row.end + 1, neighbour,
                                     other ? PointColumn(*neighbour) : 0);
    const std::size_t typeStart =
        Anchor(at.type.begin, at.type.begin == at.value.end + 1, neighbour, other ? other->type.begin : 0);
    ColumnLine line;
    line.Place(words.row, rowOnLeft ? at.row.begin : EndingAt(rowEnd, words.row.size()));
    line.Place(words.value, valueOnLeft ? at.value.begin : EndingAt(point, WholePartSize(words.value)));
    line.Place(words.type, typeStart);
    return line;
}

std::string WithSeparatorsOf(const KeyLine& pattern, const KeyWords& words)
{
    const Separators blanks = SeparatorsOf(pattern);
    std::string line(blanks.indent);
    line.append(words.row).append(blanks.afterRow).append(words.value).append(blanks.afterValue).append(words.type);
    return line;
}

}  // namespace

std::string RewriteKeyLine(const KeyLine& line, const std::optional<KeyLine>& neighbour, const KeyWords& words)
{
    const std::string_view rest = line.text.substr(line.place.type.end);
    if (!InColumns(line)) return WithSeparatorsOf(line, words).append(rest);
    ColumnLine rewritten = LayInColumns(line, neighbour, words);
    // A comment after the key keeps its column while there is room.
    const std::size_t blanks = rest.find_first_not_of(' ');
    if (blanks != std::string_view::npos && blanks > 0 && rest[blanks] == '#') {
        rewritten.Place(rest.substr(blanks), line.place.type.end + blanks);
    } else {
        rewritten.text.append(rest);
    }
    return rewritten.text;
}

std::string NewKeyLine(const std::optional<KeyLine>& pattern, const std::optional<KeyLine>& neighbour,
                       const KeyWords& words)
{
    if (!pattern) return words.row + ' ' + words.value + ' ' + words.type;
    return InColumns(*pattern) ? LayInColumns(*pattern, neighbour, words).text : WithSeparatorsOf(*pattern, words);
}

std::string RowWord(std::int64_t row)
{
    return std::to_string(row);
}

std::string ValueWord(float value)
{
    char word[32];
    const std::to_chars_result written = std::to_chars(word, word + sizeof word, value);
    return std::string(word, written.ptr);
}
