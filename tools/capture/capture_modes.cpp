#include "capture_modes.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <utility>

#include "embedded_assets.h"
#include "encoder_process.h"
#include "progress_line.h"
#include "stop_signals.h"
#include "text/quoted_text.h"
#include "video_container.h"
#include "video_encoding.h"

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

// The demo's shader writes every pixel opaque: a frame that comes back with
// any other pixel was not drawn at all (a driver that draws nothing).
void RequireDrawnFrame(const Image& frame, double seconds)
{
    const auto* pixels = static_cast<const unsigned char*>(frame.data);
    const std::size_t size = static_cast<std::size_t>(GetPixelDataSize(frame.width, frame.height, frame.format));
    for (std::size_t alpha = 3; alpha < size; alpha += 4) {
        if (pixels[alpha] != 255) {
            throw std::runtime_error("the graphics driver drew nothing into the frame at " + SecondsText(seconds) +
                                     " s (it came back with pixels that are not opaque)");
        }
    }
}

ScopedImage RenderFrame(FrameCapture& capture, double seconds)
{
    if (!capture.Render(seconds)) FailPastTheEnd(seconds);
    ScopedImage frame = capture.ReadBack();
    RequireDrawnFrame(frame.Get(), seconds);
    return frame;
}

// The file's place is taken before the frame is rendered: an output that
// cannot be written fails at once, not after the rendering. A stop asked for
// meanwhile is heeded before the file gets its name.
void WriteFrame(FrameCapture& capture, double seconds, PendingFile& file)
{
    const ScopedImage image = RenderFrame(capture, seconds);
    int size = 0;
    const std::unique_ptr<unsigned char, decltype(&MemFree)> png(ExportImageToMemory(image.Get(), ".png", &size),
                                                                 &MemFree);
    if (png == nullptr) throw std::runtime_error("cannot encode the frame at " + SecondsText(seconds) + " s as PNG");
    StopSignals::ThrowIfStopRequested();
    file.Commit({png.get(), static_cast<std::size_t>(size)});
}

std::filesystem::path SequenceFrameName(const std::filesystem::path& directory, std::size_t index)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%05zu.png", index);
    return directory / name;
}

}  // namespace

void CaptureSingleFrame(FrameCapture& capture, const SingleFrame& request, PendingFile& file)
{
    WriteFrame(capture, request.seconds, file);
}

void CaptureFrameSequence(FrameCapture& capture, const FrameSequence& request)
{
    const std::size_t count = request.FrameCount();
    const double last = request.FrameTime(count - 1);
    if (!capture.ShowsFrameAt(last)) FailPastTheEnd(last);

    std::error_code error;
    std::filesystem::create_directories(request.outputDirectory, error);
    if (error) throw std::runtime_error("cannot create " + Quoted(request.outputDirectory) + ": " + error.message());

    ProgressReport progress(count);
    for (std::size_t i = 0; i < count; ++i) {
        PendingFile file(SequenceFrameName(request.outputDirectory, i));
        WriteFrame(capture, request.FrameTime(i), file);
        progress.FrameDone();
    }
}

VideoOutput PrepareVideoOutput(const VideoRecording& request)
{
    std::optional<std::filesystem::path> encoder = FindProgram("ffmpeg");
    if (!encoder) throw std::runtime_error("ffmpeg is not on PATH; install it with: apt-get install ffmpeg");
    return VideoOutput{std::move(*encoder), PendingFile(request.outputFile)};
}

void CaptureVideo(FrameCapture& capture, const VideoRecording& request, VideoOutput& output)
{
    const double end = capture.EndOfDemo();
    const double to = request.to.value_or(end);
    if (to > end) {
        throw std::runtime_error("--to " + SecondsText(to) + " is past the demo's end at " + SecondsText(end) + " s");
    }
    if (request.from >= to) {
        throw std::runtime_error("--from " + SecondsText(request.from) + " is not before the demo's end at " +
                                 SecondsText(end) + " s");
    }
    const std::size_t count = request.FrameCount(to);

    EncoderProcess encoder(output.encoder, EncoderArguments(request, to, output.file.PartialName()),
                           {MUSIC_OGG, MUSIC_OGG_SIZE});
    ProgressReport progress(count);
    for (std::size_t i = 0; i < count; ++i) {
        StopSignals::ThrowIfStopRequested();
        const ScopedImage frame = RenderFrame(capture, request.FrameTime(i));
        const Image& pixels = frame.Get();
        encoder.Write({static_cast<const unsigned char*>(pixels.data),
                       static_cast<std::size_t>(GetPixelDataSize(pixels.width, pixels.height, pixels.format))});
        progress.FrameDone();
    }
    encoder.Finish();
    StopSignals::ThrowIfStopRequested();
    // ffmpeg's word alone is not enough: it could have written elsewhere, or nothing.
    const VideoContainer& container = *FindVideoContainer(request.outputFile);
    if (!container.Recognizes(output.file.ReadStart(container.SignatureEnd()))) {
        throw std::runtime_error("ffmpeg wrote no readable video to " + Quoted(request.outputFile));
    }
    output.file.CommitWrittenFile();
}
