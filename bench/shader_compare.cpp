// Whether a change to the City shader leaves the picture as it was: the demo's
// frames through the embedded shader and through another version of it, at
// readings spread evenly over each of the three sections, compared pixel by
// pixel. Prints the largest difference of any colour channel at each reading
// and over all of them. Run under scripts/headless.sh (about 5 s a reading on
// llvmpipe):
//
//   quorl-shader-compare OTHER_SHADER [READINGS_PER_SECTION]   (default 20)
#include <raylib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "frame_capture.h"
#include "scenes/city_sections.h"
#include "scoped_media.h"
#include "shader_file.h"
#include "sync/tempo.h"

namespace {

int LargestDifference(const Image& a, const Image& b)
{
    const auto* first = static_cast<const unsigned char*>(a.data);
    const auto* second = static_cast<const unsigned char*>(b.data);
    const std::size_t bytes = static_cast<std::size_t>(a.width) * static_cast<std::size_t>(a.height) * 4;
    int largest = 0;
    for (std::size_t i = 0; i < bytes; ++i) largest = std::max(largest, std::abs(first[i] - second[i]));
    return largest;
}

}  // namespace

int main(int argc, char** argv)
{
    const int perSection = argc == 3 ? std::atoi(argv[2]) : 20;
    if (argc < 2 || argc > 3 || perSection < 1) {
        std::fprintf(stderr, "usage: quorl-shader-compare OTHER_SHADER [READINGS_PER_SECTION]\n");
        return 2;
    }
    SetTraceLogLevel(LOG_WARNING);
    const ScopedWindow window(FLAG_WINDOW_HIDDEN, 320, 180, "Quorl shader comparison");
    FrameCapture embedded;
    FrameCapture other;
    if (!UseShaderFile(other, argv[1], "quorl-shader-compare")) return 1;

    // The sections' first rows, and the demo's end.
    const double bounds[] = {0.0, RowsToSeconds(kCitySectionCuts[1]), RowsToSeconds(kCitySectionCuts[2]),
                             embedded.EndOfDemo()};
    int largest = 0;
    double worstAt = 0.0;
    for (int section = 0; section < 3; ++section) {
        const double span = bounds[section + 1] - bounds[section];
        for (int i = 0; i < perSection; ++i) {
            // Midpoints of equal parts: never on a cut, never at the end.
            const double seconds = bounds[section] + span * (i + 0.5) / perSection;
            embedded.Render(seconds);
            other.Render(seconds);
            const ScopedImage a = embedded.ReadBack();
            const ScopedImage b = other.ReadBack();
            const int difference = LargestDifference(a.Get(), b.Get());
            std::printf("%8.3f s: %d\n", seconds, difference);
            std::fflush(stdout);
            if (difference > largest) {
                largest = difference;
                worstAt = seconds;
            }
        }
    }
    std::printf("largest difference over %d readings: %d", 3 * perSection, largest);
    if (largest > 0) std::printf(" (at %.3f s)", worstAt);
    std::printf("\n");
    return 0;
}
