// A re-read tracks.txt applied to the tracks the demo reads: parsed by the
// library's parser, then the keys of the device's registered tracks replaced
// in place (sync/track_replacement.h), so that every handle stays valid. A
// text with a mistake changes nothing: the last good tracks stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/sync_device.h"

struct TrackTextReload {
    bool applied;
    // Not applied: what is wrong, as "line N: ...". Applied: empty.
    std::string problem;
    // Applied: tracks of the text that the demo does not read.
    std::vector<std::string> unreadTracks;
};

TrackTextReload ReloadTrackText(SyncDevice* device, std::string_view text);
