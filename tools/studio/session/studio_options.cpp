// Parsing of quorl-studio's command line into StudioOptions.
#include "studio_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
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
        const std::filesystem::path folder(value);
        std::error_code error;
        const bool isFolder = std::filesystem::is_directory(folder, error);
        // Out of reach (a folder on the way that may not be entered, or that
        // is a file) or not to be entered itself: the system says why.
        if (error && error != std::errc::no_such_file_or_directory) {
            throw UsageError("--project " + Quoted(value) + " cannot be opened: " + error.message());
        }
        if (!isFolder) throw UsageError("--project " + Quoted(value) + " is not a folder");
        if (access(folder.c_str(), X_OK) != 0) {
            throw UsageError("--project " + Quoted(value) + " cannot be opened: " + std::strerror(errno));
        }
        options.project = folder;
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
