// The demo's frames as one OpenGL driver draws them, to hold against another
// driver's: the frame at one clock reading of each section, rendered by the
// demo's own Stage at a size of its own (a slow driver draws a smaller frame
// of the same scene), written as raw 8-bit RGBA, top row first, and, given
// another driver's frames, compared with them.
//
//   quorl_driver_frames WIDTHxHEIGHT FOLDER [REFERENCE_FOLDER MEAN_LIMIT FAR_SHARE]
//
// Prints the driver's name and, with a reference, each frame's largest and
// mean difference of a colour channel and the share of pixels more than 16
// off. Exits 1 when a frame's mean difference is above MEAN_LIMIT or its share
// of pixels far off above FAR_SHARE (a ray that grazes an edge may hit or
// miss it on another driver: a pixel of another colour, here and there).
#include <GL/gl.h>
#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "options/option_values.h"
#include "scoped_image.h"
#include "scoped_media.h"
#include "stage.h"

namespace {

// The city with the flock, the tower, the stream of seagulls.
constexpr double kReadings[] = {27.0, 40.0, 47.5};
constexpr int kFarOff = 16;

std::string FrameName(const std::string& folder, double seconds)
{
    return folder + "/frame-" + std::to_string(static_cast<int>(seconds * 10)) + ".rgba";
}

std::vector<unsigned char> Read(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 6) {
        std::fputs("usage: quorl_driver_frames WIDTHxHEIGHT FOLDER [REFERENCE_FOLDER MEAN_LIMIT FAR_SHARE]\n", stderr);
        return 2;
    }
    const PixelSize size = ReadPixelSize("size", argv[1]);
    const std::string folder = argv[2];
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl driver frames");
    std::printf("driver: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    DemoClock clock;
    Stage stage(&clock, nullptr, size);

    bool agree = true;
    for (const double seconds : kReadings) {
        clock.seconds = seconds;
        stage.Render();
        ScopedImage image(LoadImageFromTexture(stage.Target().texture));
        ImageFlipVertical(image.Edit());
        const auto* pixels = static_cast<const unsigned char*>(image.Get().data);
        const std::size_t bytes = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 4;
        std::ofstream(FrameName(folder, seconds), std::ios::binary).write(reinterpret_cast<const char*>(pixels),
                                                                            static_cast<std::streamsize>(bytes));
        if (argc == 3) continue;

        const std::vector<unsigned char> reference = Read(FrameName(argv[3], seconds));
        if (reference.size() != bytes) {
            std::printf("%.1f s: no reference frame of %dx%d\n", seconds, size.width, size.height);
            return 1;
        }
        int largest = 0;
        double sum = 0.0;
        std::size_t far = 0;
        for (std::size_t pixel = 0; pixel < bytes; pixel += 4) {
            int worst = 0;
            for (std::size_t channel = 0; channel < 3; ++channel) {
                const int difference = std::abs(pixels[pixel + channel] - reference[pixel + channel]);
                worst = std::max(worst, difference);
                sum += difference;
            }
            largest = std::max(largest, worst);
            far += worst > kFarOff ? 1 : 0;
        }
        const double mean = sum / static_cast<double>(bytes / 4 * 3);
        const double farShare = static_cast<double>(far) / static_cast<double>(bytes / 4);
        std::printf("%.1f s: largest difference %d, mean %.3f, %.4f%% of pixels more than %d off\n", seconds, largest,
                    mean, 100.0 * farShare, kFarOff);
        agree = agree && mean <= std::atof(argv[4]) && farShare <= std::atof(argv[5]);
    }
    return agree ? 0 : 1;
}
