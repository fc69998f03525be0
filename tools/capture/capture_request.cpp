#include "capture_request.h"

#include <algorithm>
#include <cmath>

#include "text/quoted_text.h"
#include "video_container.h"

namespace {

constexpr OptionSpec kOptions[] = {
    {"--at", true}, {"--from", true}, {"--to", true}, {"--fps", true}, {"--out", true}, {"--video", true}, {"--size", true},
};

// More frames than this is a typing error; the count stays a plain number.
constexpr double kMostFrames = 1e8;

// Checked in floating point, before the count becomes an integer.
void CheckFrameCount(double frames, std::string_view what)
{
    if (!(frames < kMostFrames)) throw UsageError("the " + std::string(what) + " has more than 100000000 frames");
}

double ReadRate(std::string_view text)
{
    const double rate = ReadNumber("--fps", text);
    if (rate <= 0.0) throw UsageError("--fps must be above 0");
    return rate;
}

// Even sides: yuv420p, which every player takes, stores colour for blocks of
// 2x2 pixels.
PixelSize ReadFrameSize(std::string_view text)
{
    const PixelSize size = ReadPixelSize("--size", text);
    if (size.width % 2 != 0 || size.height % 2 != 0) {
        throw UsageError("--size " + Quoted(text) + ": each side must be an even number of pixels");
    }
    return size;
}

std::string_view Required(const GivenOptions& values, std::string_view option, std::string_view mode)
{
    const auto found = values.find(option);
    if (found == values.end()) {
        throw UsageError(std::string(mode) + " needs " + std::string(option));
    }
    return found->second;
}

VideoRecording ReadVideoRecording(const GivenOptions& values)
{
    if (values.contains("--at") || values.contains("--out")) {
        throw UsageError("--video cannot be combined with --at or --out");
    }
    VideoRecording video;
    video.outputFile = values.at("--video");
    if (FindVideoContainer(video.outputFile) == nullptr) {
        throw UsageError("--video " + Quoted(video.outputFile) + " is not named FILE.mp4, FILE.mkv or FILE.webm");
    }
    if (values.contains("--from")) video.from = ReadSeconds("--from", values.at("--from"));
    if (values.contains("--to")) {
        video.to = ReadSeconds("--to", values.at("--to"));
        if (*video.to <= video.from) throw UsageError("--to must come after --from");
    }
    if (values.contains("--fps")) video.framesPerSecond = ReadRate(values.at("--fps"));
    if (values.contains("--size")) video.outputSize = ReadFrameSize(values.at("--size"));
    if (video.to) video.FrameCount(*video.to);
    return video;
}

}  // namespace

std::size_t FrameSequence::FrameCount() const
{
    // The tolerance keeps a last frame that lands on `to` up to rounding.
    return static_cast<std::size_t>(std::floor((to - from) * framesPerSecond + 1e-9)) + 1;
}

double FrameSequence::FrameTime(std::size_t index) const
{
    // From the index, not by adding up steps, so that no error accumulates.
    return from + static_cast<double>(index) / framesPerSecond;
}

std::size_t VideoRecording::FrameCount(double end) const
{
    // A frame that would land on `end` up to rounding belongs to what follows;
    // the one at `from` always comes before it.
    const double frames = std::max(1.0, std::ceil((end - from) * framesPerSecond - 1e-9));
    CheckFrameCount(frames, "video");
    return static_cast<std::size_t>(frames);
}

double VideoRecording::FrameTime(std::size_t index) const
{
    return from + static_cast<double>(index) / framesPerSecond;
}

CaptureRequest ParseCaptureArguments(std::span<const std::string_view> arguments)
{
    if (AsksForHelp(arguments, kOptions)) return ShowUsage{};

    const GivenOptions values = ReadOptions(arguments, kOptions);
    if (values.contains("--video")) return ReadVideoRecording(values);
    if (values.contains("--size")) throw UsageError("--size is for --video only");
    const bool single = values.contains("--at");
    const bool sequence = values.contains("--from") || values.contains("--to") || values.contains("--fps");
    if (single && sequence) throw UsageError("--at cannot be combined with --from, --to or --fps");
    if (!single && !sequence) throw UsageError("give --at SECONDS, --video FILE, or --from, --to and --fps");

    if (single) {
        const double seconds = ReadSeconds("--at", values.at("--at"));
        return SingleFrame{seconds, std::string(Required(values, "--out", "--at"))};
    }
    const double from = ReadSeconds("--from", Required(values, "--from", "a sequence"));
    const double to = ReadSeconds("--to", Required(values, "--to", "a sequence"));
    if (to < from) throw UsageError("--to comes before --from");
    const double fps = ReadRate(Required(values, "--fps", "a sequence"));
    CheckFrameCount((to - from) * fps, "sequence");
    return FrameSequence{from, to, fps, std::string(Required(values, "--out", "a sequence"))};
}
