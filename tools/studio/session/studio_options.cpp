// Parsing of quorl-studio's command line into StudioOptions.
#include "studio_options.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "text/quoted_text.h"

namespace {

constexpr OptionSpec kOptions[] = {
    {"--project", true}, {"--at", true}, {"--window", true}, {"--monitor", true}, {"--scale", true}, {"--paused", false},
};

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
        options.monitor = ReadMonitor(option, value);
    } else if (option == "--scale") {
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
    if (AsksForHelp(arguments, kOptions)) return ShowStudioUsage{};
    StudioOptions options;
    if (!defaultProject.empty()) options.project = defaultProject;
    for (const auto& [option, value] : ReadOptions(arguments, kOptions)) {
        if (option == "--paused") {
            options.paused = true;
        } else {
            ApplyValue(options, option, value);
        }
    }
    return options;
}
