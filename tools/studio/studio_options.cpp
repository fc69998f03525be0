// Parsing of quorl-studio's command line into StudioOptions.
#include "studio_options.h"

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

void ApplyValue(StudioOptions& options, std::string_view option, std::string_view value)
{
    if (option == "--project") {
        std::error_code error;
        if (!std::filesystem::is_directory(std::filesystem::path(value), error)) {
            throw UsageError("--project " + Quoted(value) + " is not a folder");
        }
        options.project = std::filesystem::path(value);
    } else if (option == "--at") {
        options.at = ReadSeconds(option, value);
    } else if (option == "--window") {
        options.window = ReadPixelSize(option, value);
    } else if (option == "--monitor") {
        const std::optional<int> monitor = ReadWholeNumber(value);
        if (!monitor || *monitor < 0) {
            throw UsageError("--monitor " + Quoted(value) + " is not a monitor number (0, 1, ...)");
        }
        options.monitor = monitor;
    } else {
        options.scale = ReadNumber(option, value);
        if (!(options.scale > 0.0 && options.scale <= 1.0)) {
            throw UsageError("--scale " + Quoted(value) + " is out of range: it must be above 0 and at most 1");
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
            throw UsageError(argument.starts_with("-") ? "unknown option " + Quoted(argument)
                                                       : "unexpected argument " + Quoted(argument));
        }
        if (!seen.insert(argument).second) throw UsageError(std::string(argument) + " is given twice");
        if (argument == "--paused") {
            options.paused = true;
            continue;
        }
        if (i + 1 == arguments.size() || arguments[i + 1].starts_with("--")) {
            throw UsageError(std::string(argument) + " needs a value");
        }
        ApplyValue(options, argument, arguments[++i]);
    }
    return options;
}
