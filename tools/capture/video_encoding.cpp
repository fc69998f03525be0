#include "video_encoding.h"

#include <cstdio>

#include "render_size.h"

namespace {

// WebM holds neither H.264 nor AAC: VP9 and Opus are what it was made for.
// Matroska gets Vorbis, as it keeps no note of AAC's encoder delay: the sound
// would come 21 ms late.
constexpr VideoContainer kContainers[] = {
    {".mp4", "mp4", "-c:v libx264 -preset medium -crf 18 -c:a aac -b:a 192k -movflags +faststart"},
    {".mkv", "matroska", "-c:v libx264 -preset medium -crf 18 -c:a libvorbis -q:a 6"},
    {".webm", "webm", "-c:v libvpx-vp9 -crf 30 -b:v 0 -row-mt 1 -cpu-used 4 -c:a libopus -b:a 160k"},
};

// Every digit that a double holds, so that ffmpeg cuts where the clock reads.
std::string Exact(double number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", number);
    return text;
}

std::string Size(int width, int height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

void AppendWords(std::vector<std::string>& arguments, std::string_view words)
{
    while (!words.empty()) {
        const std::size_t space = words.find(' ');
        arguments.emplace_back(words.substr(0, space));
        words.remove_prefix(space == std::string_view::npos ? words.size() : space + 1);
    }
}

}  // namespace

const VideoContainer* FindVideoContainer(std::string_view fileName)
{
    for (const VideoContainer& container : kContainers) {
        if (fileName.size() > container.extension.size() && fileName.ends_with(container.extension)) {
            return &container;
        }
    }
    return nullptr;
}

std::vector<std::string> EncoderArguments(const VideoRecording& request, double end,
                                          const std::filesystem::path& file)
{
    const FrameSize size = request.outputSize;
    std::vector<std::string> arguments = {
        "-hide_banner", "-nostdin", "-nostats", "-loglevel", "error", "-y",
        // Frame i at video time i/fps, as the target holds it.
        "-f", "rawvideo", "-pixel_format", "rgba", "-video_size", Size(kRenderSize.width, kRenderSize.height),
        "-framerate", Exact(request.framesPerSecond), "-i", "pipe:0",
        "-i", "pipe:3",
        "-map", "0:v", "-map", "1:a",
        // Players take HD video as BT.709 in limited range; it is converted and labelled so.
        "-filter:v", "scale=" + std::to_string(size.width) + ":" + std::to_string(size.height) +
                         ":flags=lanczos:out_color_matrix=bt709:out_range=tv,format=yuv420p",
        "-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709", "-color_range", "tv",
        // Cut by samples, not by seeking, so that the music starts at the first frame's reading.
        "-filter:a", "atrim=start=" + Exact(request.from) + ":end=" + Exact(end) + ",asetpts=PTS-STARTPTS",
    };
    const VideoContainer& container = *FindVideoContainer(request.outputFile);
    AppendWords(arguments, container.codecs);
    arguments.insert(arguments.end(), {"-f", std::string(container.format), file.string()});
    return arguments;
}
