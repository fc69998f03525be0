// Parsing of the readable choreography, one line at a time.
#include "sync/track_text.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "sync/track.h"
#include "text/quoted_text.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

// "step, linear, smooth or ramp"
std::string KeyTypeChoices()
{
    std::string choices;
    for (std::size_t type = 0; type < kKeyTypeNames.size(); ++type) {
        if (type > 0) choices += type + 1 < kKeyTypeNames.size() ? ", " : " or ";
        choices += kKeyTypeNames[type];
    }
    return choices;
}
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Bytes that no text holds; a file with them is not a choreography.
std::optional<std::string> FindControlByte(std::string_view line)
{
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && kBlanks.find(c) == std::string_view::npos) || byte == 0x7F) {
            char message[64];
            std::snprintf(message, sizeof message, "not text: control byte 0x%02X", byte);
            return message;
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    for (;;) {
        const std::size_t start = line.find_first_not_of(kBlanks);
        if (start == std::string_view::npos) return words;
        line.remove_prefix(start);
        const std::size_t end = line.find_first_of(kBlanks);
        words.push_back(line.substr(0, end));
        if (end == std::string_view::npos) return words;
        line.remove_prefix(end);
    }
}

std::optional<std::int32_t> ReadRow(std::string_view word)
{
    const std::string text(word);
    char* end = nullptr;
    errno = 0;
    const long long row = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0' || errno != 0 || row < std::numeric_limits<std::int32_t>::min() ||
        row > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(row);
}

// The value, or what is wrong with it.
std::optional<float> ReadValue(std::string_view word, std::string& problem)
{
    const std::string text(word);
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || std::isnan(value)) {
        problem = "value " + Quoted(word) + " is not a number";
    } else if (std::isinf(value) || (errno == ERANGE && value != 0.0f && std::fabs(value) >= 1.0f)) {
        problem = "value " + Quoted(word) + " is too large for a 32-bit float";
    } else if (errno == ERANGE) {
        problem = "value " + Quoted(word) + " is too close to 0 for a 32-bit float (write 0)";
    } else {
        // "-0" is a zero like any other: the table holds positive zeros only.
        return value == 0.0f ? 0.0f : value;
    }
    return std::nullopt;
}

std::optional<std::int32_t> ReadType(std::string_view word)
{
    for (std::size_t type = 0; type < kKeyTypeNames.size(); ++type) {
        if (word == kKeyTypeNames[type]) return static_cast<std::int32_t>(type);
    }
    return std::nullopt;
}

class TrackTextParser {
public:
    // What is wrong with line `number`, if anything.
    std::optional<std::string> Line(std::string_view line, int number)
    {
        current = line;
        currentNumber = number;
        if (auto problem = FindControlByte(line)) return problem;
        const std::vector<std::string_view> words = SplitWords(line.substr(0, line.find('#')));
        if (words.empty()) return std::nullopt;
        if (words[0] == "track") return Track(words);
        return Key(words);
    }

    std::vector<NamedTrack> tracks;
    std::vector<TrackTextPlace> places;

private:
    TextColumns Columns(std::string_view word) const
    {
        const auto begin = static_cast<std::size_t>(word.data() - current.data());
        return {begin, begin + word.size()};
    }

    std::optional<std::string> Track(const std::vector<std::string_view>& words)
    {
        if (words.size() != 2) return "expected 'track NAME'";
        const std::string_view name = words[1];
        if (name.size() >= kMaxTableNameSize) {
            return "track name longer than " + std::to_string(kMaxTableNameSize - 1) + " bytes";
        }
        for (const NamedTrack& track : tracks) {
            if (track.name == name) return "track " + Quoted(name) + " defined twice";
        }
        if (tracks.size() == kMaxTableTracks) return "more than " + std::to_string(kMaxTableTracks) + " tracks";
        tracks.push_back({std::string(name), {}});
        places.push_back({currentNumber, {}});
        return std::nullopt;
    }

    std::optional<std::string> Key(const std::vector<std::string_view>& words)
    {
        if (tracks.empty()) return "key before the first 'track NAME'";
        if (words.size() != 3) return "expected 'ROW VALUE TYPE'";
        const std::optional<std::int32_t> row = ReadRow(words[0]);
        if (!row) return "row " + Quoted(words[0]) + " is not a whole number in the 32-bit range";
        std::string problem;
        const std::optional<float> value = ReadValue(words[1], problem);
        if (!value) return problem;
        const std::optional<std::int32_t> type = ReadType(words[2]);
        if (!type) return "unknown key type " + Quoted(words[2]) + " (" + KeyTypeChoices() + ")";

        std::vector<TrackKey>& keys = tracks.back().keys;
        if (!keys.empty() && *row <= keys.back().row) {
            return "row " + std::to_string(*row) + " does not come after row " + std::to_string(keys.back().row);
        }
        if (keys.size() == kMaxTableKeys) return "more than " + std::to_string(kMaxTableKeys) + " keys in one track";
        keys.push_back({*row, *value, *type});
        places.back().keys.push_back({currentNumber, Columns(words[0]), Columns(words[1]), Columns(words[2])});
        return std::nullopt;
    }

    std::string_view current;
    int currentNumber = 0;
};

}  // namespace

ParsedTrackText ParseTrackText(std::string_view text)
{
    // Some editors open a UTF-8 file with its byte-order mark.
    if (text.starts_with(kUtf8ByteOrderMark)) text.remove_prefix(kUtf8ByteOrderMark.size());
    TrackTextParser parser;
    int line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        if (auto problem = parser.Line(text.substr(0, end), line)) {
            return {{}, TrackTextError{line, std::move(*problem)}, {}};
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    if (parser.tracks.empty()) return {{}, TrackTextError{line == 0 ? 1 : line, "no 'track NAME' in the text"}, {}};
    return {std::move(parser.tracks), std::nullopt, std::move(parser.places)};
}

std::optional<float> ReadKeyValue(std::string_view word, std::string& problem)
{
    return ReadValue(word, problem);
}
