// Drawing of the timeline panel: a ruler of rows with the markers' names
// under it, then one lane per track of the device with its name and current
// value on the left and its curve over the rows in view, keys marked by type
// (step: square, linear: diamond, smooth: circle, ramp: triangle), and under
// them the music's lane, its loudness over the rows. Across all lanes: bar
// lines every 16 rows and beat lines every 4 (where they are far enough
// apart to see), the City's section cuts, the demo's end, the markers, the
// loop span and the playhead. Over them what the key editor shows
// (TimelineMarks): the current lane, rings round the selected keys, the box
// being drawn, and a readout in a lane: the row and value under the
// pointer, or where a drag would land.
//
// What only changes with the view, the panel's size or the tracks (curves,
// keys, ruler, grid, cuts, the music) is drawn into a texture of its own and
// kept: software rendering draws thousands of line segments slowly.
#pragma once

#include <optional>

#include "music_envelope.h"
#include "scoped_media.h"
#include "studio_layout.h"
#include "sync/sync_device.h"
#include "timeline_editor.h"
#include "timeline_view.h"
#include "transport.h"

class TimelinePanel {
public:
    // Needs a frame begun with BeginDrawing. The view must have been placed
    // in this panel; `tracksGeneration` changes whenever the tracks do.
    void Draw(PixelRect panel, const TimelineView& view, const SyncDevice& device, const MusicEnvelope& music,
              const Transport& transport, int tracksGeneration, const TimelineMarks& marks);

private:
    struct LayerState {
        float width;
        float height;
        double firstRow;
        double rowsInView;
        double end;
        int tracksGeneration;

        bool operator==(const LayerState&) const = default;
    };

    std::optional<ScopedRenderTexture> layer;
    std::optional<LayerState> drawn;
};
