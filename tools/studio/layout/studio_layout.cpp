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

PixelRect FitPicture(PixelRect area, PixelSize picture)
{
    const float aspect = static_cast<float>(picture.width) / static_cast<float>(picture.height);
    float width = area.width;
    float height = std::floor(width / aspect);
    if (height > area.height) {
        height = area.height;
        width = std::floor(height * aspect);
    }
    return {area.x + std::floor((area.width - width) / 2.0f), area.y + std::floor((area.height - height) / 2.0f),
            width, height};
}

PixelSize ScaledRenderSize(double scale)
{
    const auto side = [scale](int full) { return std::max(1, static_cast<int>(std::lround(full * scale))); };
    return {side(kRenderSize.width), side(kRenderSize.height)};
}
