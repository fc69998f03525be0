// The timeline panel's places.
#include "timeline_lanes.h"

#include <algorithm>
#include <cmath>

bool Inside(PixelPoint point, PixelRect area)
{
    return point.x >= area.x && point.x < area.x + area.width && point.y >= area.y && point.y < area.y + area.height;
}

PixelRect TimelinePlot(PixelRect panel)
{
    return {panel.x + kTimelineLabelWidth, panel.y, std::max(0.0f, panel.width - kTimelineLabelWidth), panel.height};
}

PixelRect MarkerStrip(PixelRect panel)
{
    const PixelRect plot = TimelinePlot(panel);
    const float top = std::min(kRowNumbersHeight, panel.height);
    return {plot.x, panel.y + top, plot.width, std::max(0.0f, std::min(kRulerHeight, panel.height) - top)};
}

PixelRect TimelineLane(PixelRect panel, int index, int tracks)
{
    const float rulerHeight = std::min(kRulerHeight, panel.height);
    const float height = tracks >= 0 ? (panel.height - rulerHeight) / static_cast<float>(tracks + 1) : 0.0f;
    return {panel.x, panel.y + rulerHeight + height * static_cast<float>(index), panel.width, height};
}

std::optional<int> TimelineLaneAt(PixelRect panel, int tracks, float y)
{
    if (tracks < 0) return std::nullopt;
    const PixelRect first = TimelineLane(panel, 0, tracks);
    if (first.height <= 0.0f || y < first.y) return std::nullopt;
    const auto index = static_cast<int>(std::floor((y - first.y) / first.height));
    if (index > tracks) return std::nullopt;
    return index;
}

PixelRect MarkerLabel(PixelRect strip, float x, std::size_t nameBytes)
{
    return {x, strip.y, static_cast<float>(nameBytes) * kMarkerLetterWidth + 6.0f, strip.height};
}

float ReadoutLeft(float x, float width, PixelRect plot)
{
    float left = x + 8.0f;
    if (left + width > plot.x + plot.width) left = x - 8.0f - width;
    return std::max(plot.x, left);
}

PixelRect SpannedRect(PixelPoint from, PixelPoint to)
{
    return {std::min(from.x, to.x), std::min(from.y, to.y), std::fabs(to.x - from.x), std::fabs(to.y - from.y)};
}

void PlaceTimelineView(TimelineView& view, PixelRect panel)
{
    view.Place(panel.x + kTimelineLabelWidth, std::max(1.0f, panel.width - kTimelineLabelWidth));
}

namespace {

PixelPoint MarkIn(const TrackKey& key, ValueRange range, const TimelineView& view, PixelRect lane)
{
    return {view.RowToX(key.row), ValueToY(key.value, range, lane.y, lane.height)};
}

}  // namespace

PixelPoint KeyMark(const SyncTrack& track, const TrackKey& key, const TimelineView& view, PixelRect lane)
{
    return MarkIn(key, TrackValueRange(track), view, lane);
}

std::optional<std::int32_t> KeyMarkAt(const SyncTrack& track, const TimelineView& view, PixelRect lane,
                                      PixelPoint point)
{
    const ValueRange range = TrackValueRange(track);
    std::optional<std::int32_t> nearest;
    float nearestDistance = 0.0f;
    for (std::int32_t k = 0; k < track.keyCount; ++k) {
        const PixelPoint mark = MarkIn(track.keys[k], range, view, lane);
        const float distance = std::hypot(mark.x - point.x, mark.y - point.y);
        // Of marks that overlap, the first one nearest.
        if (distance <= kKeyMarkReach && (!nearest || distance < nearestDistance)) {
            nearest = k;
            nearestDistance = distance;
        }
    }
    return nearest;
}
