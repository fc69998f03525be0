#include "options/option_values.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "text/quoted_text.h"

namespace {

std::string Named(std::string_view option, std::string_view text)
{
    return std::string(option) + " " + Quoted(text);
}

}  // namespace

double ReadNumber(std::string_view option, std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool whole = end == text.data() + text.size();
    if (error == std::errc::result_out_of_range && whole) {
        // A number all the same: past the largest double, or closer to 0 than the smallest.
        const bool large = std::fabs(std::strtod(std::string(text).c_str(), nullptr)) >= 1.0;
        throw UsageError(Named(option, text) + " is a number too " + (large ? "large" : "small") + " to hold");
    }
    if (error != std::errc{} || !whole || !std::isfinite(value)) {
        throw UsageError(Named(option, text) + " is not a finite number");
    }
    return value;
}

double ReadSeconds(std::string_view option, std::string_view text)
{
    const double seconds = ReadNumber(option, text);
    if (seconds < 0.0) throw UsageError(Named(option, text) + " is before the demo's start at 0");
    return seconds;
}

std::optional<int> ReadWholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

int ReadMonitor(std::string_view option, std::string_view text)
{
    const std::optional<int> monitor = ReadWholeNumber(text);
    if (!monitor || *monitor < 0) throw UsageError(Named(option, text) + " is not a monitor number (0, 1, ...)");
    return *monitor;
}

PixelSize ReadPixelSize(std::string_view option, std::string_view text)
{
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos) throw UsageError(Named(option, text) + " is not WIDTHxHEIGHT in pixels");
    const std::string_view sides[] = {text.substr(0, cross), text.substr(cross + 1)};
    int values[2] = {};
    for (int i = 0; i < 2; ++i) {
        const std::string_view side = sides[i];
        const auto [end, error] = std::from_chars(side.data(), side.data() + side.size(), values[i]);
        if (end != side.data() + side.size() || (error != std::errc{} && error != std::errc::result_out_of_range)) {
            throw UsageError(Named(option, text) + " is not WIDTHxHEIGHT in pixels");
        }
        if (error != std::errc{} || values[i] < 1 || values[i] > kLargestPixelSide) {
            throw UsageError(Named(option, text) + ": each side must be 1 to " + std::to_string(kLargestPixelSide) +
                             " pixels");
        }
    }
    return {values[0], values[1]};
}
