// quorl-studio: the demo in a window, with its music, a timeline of its
// tracks, a transport to play, pause, seek and loop, and live reloading of the
// choreography text and the shader as they are edited. Built on the demo's own
// Stage, City, shader, tracks and music.
//
//   quorl-studio [--project DIR] [--at SECONDS] [--window WxH] [--monitor N] [--scale F] [--paused]
//
// Exit status 0 when the window is closed (Escape, the window system), 2 for
// a command line it cannot use, 1 when it cannot start (no display, no sound
// device, a shader the driver refuses); the reason is one line on standard
// error, in the words of the library (startup_failure.h).
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "raylib_log.h"
#include "startup_failure.h"
#include "studio.h"
#include "studio_options.h"

namespace {

// The source tree the build came from: the default project.
#ifdef QUORL_SOURCE_DIR
constexpr const char* kDefaultProject = QUORL_SOURCE_DIR;
#else
constexpr const char* kDefaultProject = "";
#endif

int Run(const StudioOptions& options)
{
    RouteRaylibLog();
    std::optional<Studio> studio;
    {
        LogCapture startup;
        try {
            studio.emplace(options);
        } catch (const StartupFailure& failure) {
            std::fprintf(stderr, "quorl-studio: %s\n", failure.what());
            return 1;
        }
        startup.PassOn();
    }
    while (!studio->Done()) studio->Frame();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        const StudioRequest request = ParseStudioArguments(arguments, kDefaultProject);
        if (std::holds_alternative<ShowStudioUsage>(request)) {
            std::fputs(kStudioUsage.data(), stdout);
            return 0;
        }
        return Run(std::get<StudioOptions>(request));
    } catch (const UsageError& error) {
        std::fprintf(stderr, "quorl-studio: %s (--help shows the usage)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl-studio: %s\n", error.what());
        return 1;
    }
}
