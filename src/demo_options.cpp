// Parsing of the demo's command line into DemoOptions.
#include "demo_options.h"

#include "options/command_line.h"

namespace {

constexpr OptionSpec kOptions[] = {{"--windowed", false}, {"--monitor", true}};

}  // namespace

DemoRequest ParseDemoArguments(std::span<const std::string_view> arguments)
{
    if (AsksForHelp(arguments, kOptions)) return ShowDemoUsage{};
    DemoOptions options;
    for (const auto& [option, value] : ReadOptions(arguments, kOptions)) {
        if (option == "--windowed") {
            options.windowed = true;
        } else {
            options.monitor = ReadMonitor(option, value);
        }
    }
    return options;
}
