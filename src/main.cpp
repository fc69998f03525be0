// Quorl: a real-time demo of an endless city and seagulls, 68.571 seconds long.
// Without arguments it plays full screen and ends by itself; a viewer may ask
// for a window or another monitor (demo_options.h).
//
// Exit status 0 after its end or an early close, 2 for a command line it
// cannot use, 1 when it cannot start (no window with OpenGL 3.3, no sound
// device, a shader the driver refuses); the reason is one line
// (failure_to_start.h).
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "demo.h"
#include "failure_to_start.h"

int main(int argc, char** argv)
{
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        const DemoRequest request = ParseDemoArguments(arguments);
        if (std::holds_alternative<ShowDemoUsage>(request)) {
            std::fputs(kDemoUsage.data(), stdout);
            return 0;
        }
        Demo demo(std::get<DemoOptions>(request));
        demo.Run();
    } catch (const UsageError& error) {
        SayFailureToStart((std::string(error.what()) + " (--help shows the usage)").c_str());
        return 2;
    } catch (const std::exception& failure) {
        SayFailureToStart(failure.what());
        return 1;
    }
    return 0;
}
