// The City shader's work per pixel, counted rather than timed: what skipped
// work saves depends on the renderer (a GPU skips it for every group of
// pixels that does not take it, a software renderer may run both sides of a
// branch for a whole block of pixels). An
// instrumented copy of the shader (cmake/CountShaderWork.cmake) is rendered
// through the demo's own Stage at 1920x1080, one frame in each section, and
// reports per pixel its seagull-model evaluations and march steps: the mean
// and the 99th percentile. The model's evaluations include those of the
// normal at every hit. Run under scripts/headless.sh:
//
//   quorl-shader-work [COUNTING_SHADER]
//
// Without an argument it counts the copy made from assets/city.frag at build
// time. For another version of the shader, instrument it first:
//
//   cmake -DSOURCE=old.frag -DOUTPUT=old-counting.frag -P cmake/CountShaderWork.cmake
#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "frame_capture.h"
#include "scoped_media.h"
#include "shader_file.h"

extern "C" {
extern const char COUNTING_CITY_SHADER[];  // assets/city.frag, instrumented
}

namespace {

struct Reading {
    const char* name;
    double seconds;
};

// As the frame benchmark's readings.
constexpr Reading kReadings[] = {
    {"city_seagull_15s", 15.0}, {"city_flock_27s", 27.0}, {"tower_40s", 40.0}, {"stream_50s", 50.0}};

struct Figures {
    double mean;
    int p99;
};

Figures Summarise(std::vector<int> counts)
{
    double sum = 0.0;
    for (const int count : counts) sum += count;
    const auto p99 = counts.begin() + static_cast<std::ptrdiff_t>(counts.size() * 99 / 100);
    std::nth_element(counts.begin(), p99, counts.end());
    return {sum / static_cast<double>(counts.size()), *p99};
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: quorl-shader-work [COUNTING_SHADER]\n");
        return 2;
    }
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl shader work");
    FrameCapture capture;
    const bool used = argc == 2 ? UseShaderFile(capture, argv[1], "quorl-shader-work")
                                : UseShaderSource(capture, COUNTING_CITY_SHADER, "the counting shader", "quorl-shader-work");
    if (!used) return 1;

    std::printf("%-18s %28s %28s\n", "", "seagull evaluations/pixel", "march steps/pixel");
    std::printf("%-18s %14s %13s %14s %13s\n", "reading", "mean", "p99", "mean", "p99");
    for (const Reading& reading : kReadings) {
        capture.Render(reading.seconds);
        const ScopedImage frame = capture.ReadBack();
        const auto* pixels = static_cast<const unsigned char*>(frame.Get().data);
        const std::size_t count = static_cast<std::size_t>(frame.Get().width) * static_cast<std::size_t>(frame.Get().height);
        std::vector<int> evaluations(count);
        std::vector<int> steps(count);
        for (std::size_t i = 0; i < count; ++i) {
            evaluations[i] = pixels[4 * i] + 256 * pixels[4 * i + 1];
            steps[i] = pixels[4 * i + 2];
        }
        const Figures seagulls = Summarise(std::move(evaluations));
        const Figures marching = Summarise(std::move(steps));
        std::printf("%-18s %14.2f %13d %14.2f %13d\n", reading.name, seagulls.mean, seagulls.p99, marching.mean,
                    marching.p99);
    }
    return 0;
}
