#include "capture_request.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

#include "video_encoding.h"

namespace {

using OptionValues = std::map<std::string_view, std::string_view>;

constexpr std::string_view kOptions[] = {"--at", "--from", "--to", "--fps", "--out", "--video", "--size"};

bool IsOption(std::string_view word)
{
    return word.starts_with("--");
}

OptionValues ReadOptions(std::span<const std::string_view> arguments)
{
    OptionValues values;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        bool known = false;
        for (std::string_view option : kOptions) known = known || option == name;
        if (!known) throw UsageError("unknown option '" + std::string(name) + "'");
        if (i + 1 == arguments.size() || IsOption(arguments[i + 1])) {
            throw UsageError(std::string(name) + " needs a value");
        }
        if (!values.emplace(name, arguments[i + 1]).second) {
            throw UsageError(std::string(name) + " is given twice");
        }
        ++i;
    }
    return values;
}

double ReadNumber(std::string_view option, std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
        throw UsageError(std::string(option) + " '" + std::string(text) + "' is not a finite number");
    }
    return value;
}

// The demo's clock starts at 0; it never reads less.
double ReadSeconds(std::string_view option, std::string_view text)
{
    const double seconds = ReadNumber(option, text);
    if (seconds < 0.0) {
        throw UsageError(std::string(option) + " " + std::string(text) + " is before the demo's start at 0");
    }
    return seconds;
}

double ReadRate(std::string_view text)
{
    const double rate = ReadNumber("--fps", text);
    if (rate <= 0.0) throw UsageError("--fps must be above 0");
    return rate;
}

// A whole, even number of pixels above 0: yuv420p, which every player takes,
// stores colour for blocks of 2x2 pixels.
std::optional<int> ReadPixelCount(std::string_view text)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc{} || end != text.data() + text.size() || count <= 0 || count % 2 != 0) return std::nullopt;
    return count;
}

FrameSize ReadFrameSize(std::string_view text)
{
    const std::size_t cross = text.find('x');
    const std::optional<int> width = ReadPixelCount(text.substr(0, cross));
    const std::optional<int> height =
        cross == std::string_view::npos ? std::nullopt : ReadPixelCount(text.substr(cross + 1));
    if (!width || !height) {
        throw UsageError("--size '" + std::string(text) + "' is not WIDTHxHEIGHT in even numbers of pixels above 0");
    }
    return {*width, *height};
}

std::string_view Required(const OptionValues& values, std::string_view option, std::string_view mode)
{
    const auto found = values.find(option);
    if (found == values.end()) {
        throw UsageError(std::string(mode) + " needs " + std::string(option));
    }
    return found->second;
}

VideoRecording ReadVideoRecording(const OptionValues& values)
{
    if (values.contains("--at") || values.contains("--out")) {
        throw UsageError("--video cannot be combined with --at or --out");
    }
    VideoRecording video;
    video.outputFile = values.at("--video");
    if (FindVideoContainer(video.outputFile) == nullptr) {
        throw UsageError("--video '" + video.outputFile + "' is not named FILE.mp4, FILE.mkv or FILE.webm");
    }
    if (values.contains("--from")) video.from = ReadSeconds("--from", values.at("--from"));
    if (values.contains("--to")) {
        video.to = ReadSeconds("--to", values.at("--to"));
        if (*video.to <= video.from) throw UsageError("--to must come after --from");
    }
    if (values.contains("--fps")) video.framesPerSecond = ReadRate(values.at("--fps"));
    if (values.contains("--size")) video.outputSize = ReadFrameSize(values.at("--size"));
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
    return static_cast<std::size_t>(std::max(1.0, std::ceil((end - from) * framesPerSecond - 1e-9)));
}

double VideoRecording::FrameTime(std::size_t index) const
{
    return from + static_cast<double>(index) / framesPerSecond;
}

CaptureRequest ParseCaptureArguments(std::span<const std::string_view> arguments)
{
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) return ShowUsage{};

    const OptionValues values = ReadOptions(arguments);
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
    // Keeps the frame count a plain number; a run this long is a typing error.
    if ((to - from) * fps >= 1e8) throw UsageError("the sequence has more than 100000000 frames");
    return FrameSequence{from, to, fps, std::string(Required(values, "--out", "a sequence"))};
}
