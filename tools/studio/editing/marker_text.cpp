// Parsing and writing of the markers text.
#include "marker_text.h"

#include <algorithm>
#include <charconv>

#include "text/quoted_text.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t') || byte == 0x7F;
}

// What is wrong with a marker's line, if anything; `markers` so far.
std::optional<std::string> ReadLine(std::string_view line, int number, std::vector<Marker>& markers)
{
    const std::string_view content = Trimmed(line);
    if (content.empty() || content.front() == '#') return std::nullopt;
    if (std::any_of(content.begin(), content.end(), IsControl)) return "not text: a control character";
    const std::size_t rowEnd = std::min(content.find_first_of(kBlanks), content.size());
    const std::string_view rowWord = content.substr(0, rowEnd);
    std::int32_t row = 0;
    const auto [end, error] = std::from_chars(rowWord.data(), rowWord.data() + rowWord.size(), row);
    if (error != std::errc() || end != rowWord.data() + rowWord.size() || row < 0) {
        return "row " + Quoted(rowWord) + " is not a whole number from 0 on";
    }
    const std::string_view name = Trimmed(content.substr(rowEnd));
    if (const std::optional<EditRefusal> refusal = WhyNotAMarkerName(name)) return Worded(*refusal);
    if (!markers.empty() && row <= markers.back().row) {
        return "row " + std::to_string(row) + " does not come after row " + std::to_string(markers.back().row);
    }
    markers.push_back({row, std::string(name), number});
    return std::nullopt;
}

}  // namespace

std::string_view Trimmed(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(kBlanks);
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(kBlanks) - start + 1);
}

ParsedMarkers ParseMarkerText(std::string_view text)
{
    ParsedMarkers parsed;
    int number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = text.find('\n');
        if (std::optional<std::string> problem = ReadLine(text.substr(0, end), number, parsed.markers)) {
            return {{}, TrackTextError{number, std::move(*problem)}};
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return parsed;
}

std::optional<EditRefusal> WhyNotAMarkerName(std::string_view name)
{
    name = Trimmed(name);
    if (name.empty()) return EditRefusal{Refusal::MarkerNameEmpty};
    if (name.size() > kLongestMarkerName) {
        return EditRefusal{.kind = Refusal::MarkerNameTooLong, .number = static_cast<std::int64_t>(kLongestMarkerName)};
    }
    if (std::any_of(name.begin(), name.end(), IsControl)) return EditRefusal{Refusal::MarkerNameNotText};
    return std::nullopt;
}

std::string MarkerLine(std::int32_t row, std::string_view name)
{
    return std::to_string(row) + ' ' + std::string(Trimmed(name));
}
