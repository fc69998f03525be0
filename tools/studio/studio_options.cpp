// Parsing of quorl-studio's command line into StudioOptions.
#include "studio_options.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string>

#include "text/quoted_text.h"

namespace {

constexpr std::string_view kValueOptions[] = {"--project", "--at", "--window", "--monitor", "--scale"};

bool TakesValue(std::string_view option)
{
    for (const std::string_view known : kValueOptions) {
        if (known == option) return true;
    }
    return false;
}

double ReadFiniteNumber(std::string_view option, std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        throw StudioUsageError(std::string(option) + " " + Quoted(text) + " is not a number");
    }
    return value;
}

std::optional<int> ReadWholeNumber(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

PixelSize ReadWindowSize(std::string_view text)
{
    const std::size_t cross = text.find('x');
    const std::optional<int> width = cross == std::string_view::npos ? std::nullopt : ReadWholeNumber(text.substr(0, cross));
    const std::optional<int> height = cross == std::string_view::npos ? std::nullopt : ReadWholeNumber(text.substr(cross + 1));
    if (!width || !height) throw StudioUsageError("--window " + Quoted(text) + " is not WIDTHxHEIGHT in pixels");
    for (const int side : {*width, *height}) {
        if (side < 1 || side > kLargestWindowSide) {
            throw StudioUsageError("--window " + Quoted(text) + ": each side must be 1 to " +
                                   std::to_string(kLargestWindowSide) + " pixels");
        }
    }
    return {*width, *height};
}

void ApplyValue(StudioOptions& options, std::string_view option, std::string_view value)
{
    if (option == "--project") {
        std::error_code error;
        if (!std::filesystem::is_directory(std::filesystem::path(value), error)) {
            throw StudioUsageError("--project " + Quoted(value) + " is not a folder");
        }
        options.project = std::filesystem::path(value);
    } else if (option == "--at") {
        options.at = ReadFiniteNumber(option, value);
        if (options.at < 0.0) throw StudioUsageError("--at " + Quoted(value) + " is before the demo's start at 0");
    } else if (option == "--window") {
        options.window = ReadWindowSize(value);
    } else if (option == "--monitor") {
        const std::optional<int> monitor = ReadWholeNumber(value);
        if (!monitor || *monitor < 0) {
            throw StudioUsageError("--monitor " + Quoted(value) + " is not a monitor number (0, 1, ...)");
        }
        options.monitor = monitor;
    } else {
        options.scale = ReadFiniteNumber(option, value);
        if (!(options.scale > 0.0 && options.scale <= 1.0)) {
            throw StudioUsageError("--scale " + Quoted(value) + " is out of range: it must be above 0 and at most 1");
        }
    }
}

}  // namespace

StudioRequest ParseStudioArguments(std::span<const std::string_view> arguments,
                                   const std::filesystem::path& defaultProject)
{
    StudioOptions options;
    if (!defaultProject.empty()) options.project = defaultProject;
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") return ShowStudioUsage{};
        if (argument != "--paused" && !TakesValue(argument)) {
            throw StudioUsageError(argument.starts_with("-") ? "unknown option " + Quoted(argument)
                                                             : "unexpected argument " + Quoted(argument));
        }
        if (!seen.insert(argument).second) throw StudioUsageError(std::string(argument) + " is given twice");
        if (argument == "--paused") {
            options.paused = true;
            continue;
        }
        if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
            throw StudioUsageError(std::string(argument) + " needs a value");
        }
        ApplyValue(options, argument, arguments[++i]);
    }
    return options;
}
