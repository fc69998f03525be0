// quorl-capture: renders the frames that the demo shows at given clock
// readings, through the demo's own Stage, tracks and clock, and writes them as
// PNG files. No sound and no full-screen window: a hidden window provides the
// graphics context.
//
//   quorl-capture --at SECONDS --out FILE.png
//   quorl-capture --from SECONDS --to SECONDS --fps N --out DIRECTORY
//
// Exit status 0 on success, 2 for a command line it cannot use, 1 when a frame
// cannot be rendered or written; the reason is one line on standard error.
#include <raylib.h>

#include <cstdio>
#include <exception>
#include <string_view>
#include <variant>
#include <vector>

#include "capture_modes.h"
#include "capture_request.h"
#include "frame_capture.h"
#include "scoped_media.h"

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

// What every kind of capture renders with.
struct CaptureSession {
    ScopedWindow window{FLAG_WINDOW_HIDDEN, 320, 180, "quorl-capture"};
    FrameCapture capture;
};

void Run(const CaptureRequest& request)
{
    std::visit(Overloaded{
                   [](const ShowUsage&) { std::fputs(kCaptureUsage.data(), stdout); },
                   [](const SingleFrame& single) {
                       CaptureSession session;
                       CaptureSingleFrame(session.capture, single);
                   },
                   [](const FrameSequence& sequence) {
                       CaptureSession session;
                       CaptureFrameSequence(session.capture, sequence);
                   },
               },
               request);
}

}  // namespace

int main(int argc, char** argv)
{
    // raylib's own log stays for warnings and errors: a shader that does not
    // compile shows up there.
    SetTraceLogLevel(LOG_WARNING);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        Run(ParseCaptureArguments(arguments));
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "quorl-capture: %s (--help shows the usage)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl-capture: %s\n", error.what());
        return 1;
    }
}
