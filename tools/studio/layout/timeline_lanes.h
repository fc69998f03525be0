// Where things stand in the timeline panel: the labels on the left, the rows
// to their right (the plot), a ruler along the top and a lane per track below
// it; and where a key's mark stands in its lane, for drawing it and for
// finding the key under the pointer.
#pragma once

#include <cstdint>
#include <optional>

#include "studio_layout.h"
#include "sync/track.h"
#include "timeline_view.h"

inline constexpr float kTimelineLabelWidth = 190.0f;
// How far from a key's mark a click still takes the key.
inline constexpr float kKeyMarkReach = 7.0f;

struct PixelPoint {
    float x;
    float y;
};

bool Inside(PixelPoint point, PixelRect area);

// The rows' part of the panel, right of the labels, the ruler included.
PixelRect TimelinePlot(PixelRect panel);
// Lane `index` of `count`, the labels included, below the ruler.
PixelRect TimelineLane(PixelRect panel, int index, int count);
// The lane at height `y`; none above the lanes or below them.
std::optional<int> TimelineLaneAt(PixelRect panel, int count, float y);

// Where the rows run in a panel: across the plot.
void PlaceTimelineView(TimelineView& view, PixelRect panel);

// The centre of the mark of `key` of `track`, drawn in `lane`.
PixelPoint KeyMark(const SyncTrack& track, const TrackKey& key, const TimelineView& view, PixelRect lane);
// The key of `track` whose mark is nearest `point`, within kKeyMarkReach;
// none when no mark is that near.
std::optional<std::int32_t> KeyMarkAt(const SyncTrack& track, const TimelineView& view, PixelRect lane,
                                      PixelPoint point);
