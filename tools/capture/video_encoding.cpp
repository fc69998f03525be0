#include "video_encoding.h"

#include <cstdio>

#include "render_size.h"
#include "video_container.h"

namespace {

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

std::vector<std::string> EncoderArguments(const VideoRecording& request, double end,
                                          const std::filesystem::path& file)
{
    const PixelSize size = request.outputSize;
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
    // "file:" makes ffmpeg take any name as a plain file: "pipe:1.mkv" and
    // "-x.mp4" are not a URL and an option then.
    arguments.insert(arguments.end(), {"-f", std::string(container.format), "file:" + file.string()});
    return arguments;
}
