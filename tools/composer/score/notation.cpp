#include "score/notation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "score/music_timing.h"
#include "score/pitch.h"

namespace {

// Tokens are separated by white space; a bar line is a token of its own even
// where it touches its neighbours.
std::vector<std::string_view> SplitTokens(std::string_view text)
{
    constexpr std::string_view kSeparators = " \t\n|";
    std::vector<std::string_view> tokens;
    std::size_t position = 0;
    while (position < text.size()) {
        if (text[position] == '|') {
            tokens.push_back(text.substr(position, 1));
            ++position;
            continue;
        }
        const std::size_t end = std::min(text.find_first_of(kSeparators, position), text.size());
        if (end > position) tokens.push_back(text.substr(position, end - position));
        position = end > position ? end : position + 1;
    }
    return tokens;
}

[[noreturn]] void RejectLine(const std::string& why, std::string_view line)
{
    throw std::invalid_argument(why + " in \"" + std::string(line) + "\"");
}

}  // namespace

std::vector<NoteEvent> ParseNoteLine(std::string_view line, int firstRow, float velocity)
{
    std::vector<NoteEvent> notes;
    bool sounding = false;
    int row = firstRow;
    int barStart = firstRow;
    for (const std::string_view token : SplitTokens(line)) {
        if (token == "|") {
            if (row - barStart != ROWS_PER_BAR) RejectLine("a bar without 16 rows", line);
            barStart = row;
        } else if (token == "-") {
            if (!sounding) RejectLine("a hold with no note to hold", line);
            ++notes.back().lengthRows;
            ++row;
        } else if (token == ".") {
            sounding = false;
            ++row;
        } else {
            notes.push_back({row, 1, ParsePitch(token), velocity});
            sounding = true;
            ++row;
        }
    }
    if (row - barStart != ROWS_PER_BAR) RejectLine("a bar without 16 rows", line);
    return notes;
}

std::vector<NoteEvent> ParseDrumLine(std::string_view line, int firstRow)
{
    std::vector<NoteEvent> hits;
    int row = firstRow;
    for (const char symbol : line) {
        switch (symbol) {
        case 'X': hits.push_back({row, 1, 0, kAccentVelocity}); break;
        case 'x': hits.push_back({row, 1, 0, kHitVelocity}); break;
        case 'o': hits.push_back({row, 1, 0, kGhostVelocity}); break;
        case '.': break;
        case ' ': continue;
        default: RejectLine(std::string("an unknown drum symbol '") + symbol + "'", line);
        }
        ++row;
    }
    return hits;
}

int DrumLineRows(std::string_view line)
{
    int rows = 0;
    for (const char symbol : line) rows += symbol != ' ' ? 1 : 0;
    return rows;
}

std::vector<int> ParseVoicing(std::string_view notes)
{
    std::vector<int> pitches;
    for (const std::string_view token : SplitTokens(notes)) {
        const int pitch = ParsePitch(token);
        if (!pitches.empty() && pitch <= pitches.back()) RejectLine("a voicing not from low to high", notes);
        pitches.push_back(pitch);
    }
    return pitches;
}
