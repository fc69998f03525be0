// The studio window's layout.
#include "studio_layout.h"

#include <algorithm>
#include <cmath>

StudioLayout LayOutStudio(int windowWidth, int windowHeight, bool timelineShown, int laneCount)
{
    const auto width = static_cast<float>(std::max(windowWidth, 0));
    const auto height = static_cast<float>(std::max(windowHeight, 0));
    float panel = 0.0f;
    if (timelineShown) {
        panel = std::min(kRulerHeight + kLaneHeight * static_cast<float>(laneCount + 1), height * kMostTimelineShare);
        panel = std::floor(panel);
    }
    const PixelRect above{0.0f, 0.0f, width, height - panel};
    return {FitPicture(above, kRenderSize), {0.0f, height - panel, width, panel}};
}

PixelSize ScaledRenderSize(double scale)
{
    const auto side = [scale](int full) { return std::max(1, static_cast<int>(std::lround(full * scale))); };
    return {side(kRenderSize.width), side(kRenderSize.height)};
}
