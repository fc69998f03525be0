#include "capture_request.h"

#include <charconv>
#include <cmath>
#include <map>

namespace {

using OptionValues = std::map<std::string_view, std::string_view>;

constexpr std::string_view kOptions[] = {"--at", "--from", "--to", "--fps", "--out"};

bool IsOption(std::string_view word)
{
    return word.starts_with("--");
}

OptionValues ReadOptions(std::span<const std::string_view> arguments)
{
    OptionValues values;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        bool known = false;
        for (std::string_view option : kOptions) known = known || option == name;
        if (!known) throw UsageError("unknown option '" + std::string(name) + "'");
        if (i + 1 == arguments.size() || IsOption(arguments[i + 1])) {
            throw UsageError(std::string(name) + " needs a value");
        }
        if (!values.emplace(name, arguments[i + 1]).second) {
            throw UsageError(std::string(name) + " is given twice");
        }
        ++i;
    }
    return values;
}

double ReadNumber(std::string_view option, std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        throw UsageError(std::string(option) + " '" + std::string(text) + "' is not a finite number");
    }
    return value;
}

// The demo's clock starts at 0; it never reads less.
double ReadSeconds(std::string_view option, std::string_view text)
{
    const double seconds = ReadNumber(option, text);
    if (seconds < 0.0) {
        throw UsageError(std::string(option) + " " + std::string(text) + " is before the demo's start at 0");
    }
    return seconds;
}

std::string_view Required(const OptionValues& values, std::string_view option, std::string_view mode)
{
    const auto found = values.find(option);
    if (found == values.end()) {
        throw UsageError(std::string(mode) + " needs " + std::string(option));
    }
    return found->second;
}

}  // namespace

std::size_t FrameSequence::FrameCount() const
{
    // The tolerance keeps a last frame that lands on `to` up to rounding.
    return static_cast<std::size_t>(std::floor((to - from) * framesPerSecond + 1e-9)) + 1;
}

double FrameSequence::FrameTime(std::size_t index) const
{
    // From the index, not by adding up steps, so that no error accumulates.
    return from + static_cast<double>(index) / framesPerSecond;
}

CaptureRequest ParseCaptureArguments(std::span<const std::string_view> arguments)
{
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) return ShowUsage{};

    const OptionValues values = ReadOptions(arguments);
    const bool single = values.contains("--at");
    const bool sequence = values.contains("--from") || values.contains("--to") || values.contains("--fps");
    if (single && sequence) throw UsageError("--at cannot be combined with --from, --to or --fps");
    if (!single && !sequence) throw UsageError("give --at SECONDS, or --from, --to and --fps");

    if (single) {
        const double seconds = ReadSeconds("--at", values.at("--at"));
        return SingleFrame{seconds, std::string(Required(values, "--out", "--at"))};
    }
    const double from = ReadSeconds("--from", Required(values, "--from", "a sequence"));
    const double to = ReadSeconds("--to", Required(values, "--to", "a sequence"));
    const double fps = ReadNumber("--fps", Required(values, "--fps", "a sequence"));
    if (to < from) throw UsageError("--to comes before --from");
    if (fps <= 0.0) throw UsageError("--fps must be above 0");
    // Keeps the frame count a plain number; a run this long is a typing error.
    if ((to - from) * fps >= 1e8) throw UsageError("the sequence has more than 100000000 frames");
    return FrameSequence{from, to, fps, std::string(Required(values, "--out", "a sequence"))};
}
