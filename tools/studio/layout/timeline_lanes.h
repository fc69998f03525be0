// Where things stand in the timeline panel: the labels on the left, the rows
// to their right (the plot), a ruler along the top with the row numbers above
// and the markers' names below, a lane per track under it and, last, the
// music's lane; and where a key's mark stands in its lane, for drawing it and
// for finding the key under the pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "studio_layout.h"
#include "sync/track.h"
#include "timeline_view.h"

inline constexpr float kTimelineLabelWidth = 190.0f;
// How far from a key's mark a click still takes the key.
inline constexpr float kKeyMarkReach = 7.0f;
// The ruler's row numbers stand above its marker strip.
inline constexpr float kRowNumbersHeight = 16.0f;
// A marker's name is drawn in the default font at its size 10, whose letters
// are at most this wide: the label is as wide as its name may be.
inline constexpr float kMarkerLetterWidth = 6.0f;

struct PixelPoint {
    float x;
    float y;
};

bool Inside(PixelPoint point, PixelRect area);

// The rows' part of the panel, right of the labels, the ruler included.
PixelRect TimelinePlot(PixelRect panel);
// The ruler's strip of markers' names, across the plot.
PixelRect MarkerStrip(PixelRect panel);
// Lane `index` of a panel with `tracks` track lanes, the labels included,
// below the ruler; lane `tracks` is the music's, under the tracks.
PixelRect TimelineLane(PixelRect panel, int index, int tracks);
// The lane at height `y`, `tracks` for the music's; none above the lanes or
// below them.
std::optional<int> TimelineLaneAt(PixelRect panel, int tracks, float y);

// The label of a marker at `x` named in `nameBytes` bytes, in the strip.
PixelRect MarkerLabel(PixelRect strip, float x, std::size_t nameBytes);

// Where a readout `width` pixels wide goes beside `x`: right of it, or left
// of it where the plot ends, and never over the labels.
float ReadoutLeft(float x, float width, PixelRect plot);

// The rectangle between two corners, in either order.
PixelRect SpannedRect(PixelPoint from, PixelPoint to);

// Where the rows run in a panel: across the plot.
void PlaceTimelineView(TimelineView& view, PixelRect panel);

// The centre of the mark of `key` of `track`, drawn in `lane`.
PixelPoint KeyMark(const SyncTrack& track, const TrackKey& key, const TimelineView& view, PixelRect lane);
// The key of `track` whose mark is nearest `point`, within kKeyMarkReach;
// none when no mark is that near.
std::optional<std::int32_t> KeyMarkAt(const SyncTrack& track, const TimelineView& view, PixelRect lane,
                                      PixelPoint point);
