// quorl-capture: renders the frames that the demo shows at given clock
// readings, through the demo's own Stage, tracks and clock, and writes them as
// PNG files, or has ffmpeg encode them with the music into a video file.
// Nothing plays and no full-screen window opens: a hidden window provides the
// graphics context.
//
//   quorl-capture --at SECONDS --out FILE.png
//   quorl-capture --from SECONDS --to SECONDS --fps N --out DIRECTORY
//   quorl-capture --video FILE [--fps N] [--size WxH] [--from SECONDS] [--to SECONDS]
//
// Exit status 0 on success, 2 for a command line it cannot use, 1 when a frame
// cannot be rendered, encoded or written, 128 + the signal's number when
// SIGINT, SIGTERM, SIGHUP or SIGQUIT stopped it (130 for Ctrl-C); the reason
// is one line on standard error.
#include <raylib.h>

#include <cstdio>
#include <exception>
#include <string_view>
#include <variant>
#include <vector>

#include "capture_modes.h"
#include "capture_request.h"
#include "frame_capture.h"
#include "pending_file.h"
#include "scoped_media.h"
#include "stop_signals.h"

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
// clang 14 does not deduce aggregate template arguments by itself.
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

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
                       // Taken before the window opens: an unusable output fails at once.
                       PendingFile file(single.outputFile);
                       CaptureSession session;
                       CaptureSingleFrame(session.capture, single, file);
                   },
                   [](const FrameSequence& sequence) {
                       CaptureSession session;
                       CaptureFrameSequence(session.capture, sequence);
                   },
                   [](const VideoRecording& video) {
                       VideoOutput output = PrepareVideoOutput(video);
                       CaptureSession session;
                       CaptureVideo(session.capture, video, output);
                   },
               },
               request);
}

// Runs the request with the stop signals caught, so that the capture cleans up
// before it ends. A failure while a stop is pending is the stop's doing: an
// interrupted call.
void RunUntilStopped(const CaptureRequest& request)
{
    const StopSignals stopSignals;
    try {
        Run(request);
    } catch (const std::exception&) {
        StopSignals::ThrowIfStopRequested();
        throw;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    // raylib's own log stays for warnings and errors; a shader that does not
    // compile is refused with the compiler's first message.
    SetTraceLogLevel(LOG_WARNING);
    LetWritesPastTheSizeLimitFail();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    try {
        RunUntilStopped(ParseCaptureArguments(arguments));
        return 0;
    } catch (const CaptureStopped& stopped) {
        std::fprintf(stderr, "quorl-capture: %s\n", stopped.what());
        return stopped.ExitStatus();
    } catch (const UsageError& error) {
        std::fprintf(stderr, "quorl-capture: %s (--help shows the usage)\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorl-capture: %s\n", error.what());
        return 1;
    }
}
