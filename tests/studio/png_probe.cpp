// Pixels of the studio's F12 screenshots, for its end-to-end tests:
//
//   png_probe mean FILE X Y W H          mean red, green and blue of the region
//   png_probe difference A B X Y W H     mean absolute difference of the two
//                                        images' channels over the region
//
// Regions in pixels from the top-left corner; values from 0 to 255. Exit
// status 2 for a bad command line or a region outside an image.
#include <raylib.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

struct Region {
    int x;
    int y;
    int width;
    int height;
};

struct LoadedImage {
    explicit LoadedImage(const char* path) : image(LoadImage(path)) { ImageFormat(&image, PIXELFORMAT_UNCOMPRESSED_R8G8B8A8); }
    ~LoadedImage() { UnloadImage(image); }
    LoadedImage(const LoadedImage&) = delete;
    LoadedImage& operator=(const LoadedImage&) = delete;

    bool Holds(const Region& region) const
    {
        return image.data != nullptr && region.x >= 0 && region.y >= 0 && region.width > 0 && region.height > 0 &&
               region.x + region.width <= image.width && region.y + region.height <= image.height;
    }
    const unsigned char* Pixel(int x, int y) const
    {
        return static_cast<const unsigned char*>(image.data) + 4 * (static_cast<long>(y) * image.width + x);
    }

    Image image;
};

Region ReadRegion(char** arguments)
{
    return {std::atoi(arguments[0]), std::atoi(arguments[1]), std::atoi(arguments[2]), std::atoi(arguments[3])};
}

[[noreturn]] void Refuse(const char* why)
{
    std::fprintf(stderr, "png_probe: %s\n", why);
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv)
{
    SetTraceLogLevel(LOG_WARNING);
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "mean" && argc == 7) {
        const LoadedImage image(argv[2]);
        const Region region = ReadRegion(argv + 3);
        if (!image.Holds(region)) Refuse("the region is not inside the image");
        double sum[3] = {0.0, 0.0, 0.0};
        for (int y = region.y; y < region.y + region.height; ++y) {
            for (int x = region.x; x < region.x + region.width; ++x) {
                for (int c = 0; c < 3; ++c) sum[c] += image.Pixel(x, y)[c];
            }
        }
        const double count = static_cast<double>(region.width) * region.height;
        std::printf("%.1f %.1f %.1f\n", sum[0] / count, sum[1] / count, sum[2] / count);
        return 0;
    }
    if (command == "difference" && argc == 8) {
        const LoadedImage first(argv[2]);
        const LoadedImage second(argv[3]);
        const Region region = ReadRegion(argv + 4);
        if (!first.Holds(region) || !second.Holds(region)) Refuse("the region is not inside both images");
        double sum = 0.0;
        for (int y = region.y; y < region.y + region.height; ++y) {
            for (int x = region.x; x < region.x + region.width; ++x) {
                for (int c = 0; c < 3; ++c) sum += std::abs(first.Pixel(x, y)[c] - second.Pixel(x, y)[c]);
            }
        }
        std::printf("%.2f\n", sum / (3.0 * region.width * region.height));
        return 0;
    }
    Refuse("usage: png_probe mean FILE X Y W H | png_probe difference A B X Y W H");
}
