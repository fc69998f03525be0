#include "capture_modes.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>

#include "pending_file.h"
#include "progress_line.h"

namespace {

std::string SecondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

[[noreturn]] void FailPastTheEnd(double seconds)
{
    throw std::runtime_error("the demo shows nothing at " + SecondsText(seconds) +
                             " s: it has ended by then");
}

// The file is opened before the frame is rendered: an output that cannot be
// written fails at once, not after the rendering.
void WriteFrame(FrameCapture& capture, double seconds, const std::filesystem::path& name)
{
    PendingFile file(name);
    if (!capture.Render(seconds)) FailPastTheEnd(seconds);
    const ScopedImage image = capture.ReadBack();
    int size = 0;
    const std::unique_ptr<unsigned char, decltype(&MemFree)> png(ExportImageToMemory(image.Get(), ".png", &size),
                                                                 &MemFree);
    if (png == nullptr) throw std::runtime_error("cannot encode the frame at " + SecondsText(seconds) + " s as PNG");
    file.Commit({png.get(), static_cast<std::size_t>(size)});
}

std::filesystem::path SequenceFrameName(const std::filesystem::path& directory, std::size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05zu.png", index);
    return directory / name;
}

}  // namespace

void CaptureSingleFrame(FrameCapture& capture, const SingleFrame& request)
{
    WriteFrame(capture, request.seconds, request.outputFile);
}

void CaptureFrameSequence(FrameCapture& capture, const FrameSequence& request)
{
    const std::size_t count = request.FrameCount();
    const double last = request.FrameTime(count - 1);
    if (!capture.ShowsFrameAt(last)) FailPastTheEnd(last);

    std::error_code error;
    std::filesystem::create_directories(request.outputDirectory, error);
    if (error) throw std::runtime_error("cannot create " + request.outputDirectory + ": " + error.message());

    // On a terminal the line is redrawn in place; in a log every frame gets its own.
    const char* lineEnd = isatty(fileno(stderr)) ? "\r" : "\n";
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        WriteFrame(capture, request.FrameTime(i), SequenceFrameName(request.outputDirectory, i));
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::fprintf(stderr, "%s%s", ProgressLine(i + 1, count, elapsed.count()).c_str(), lineEnd);
    }
    if (*lineEnd == '\r') std::fputc('\n', stderr);
}
