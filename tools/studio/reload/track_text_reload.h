// A re-read tracks.txt applied to the tracks the demo reads: parsed by the
// library's parser, then the keys of the device's registered tracks replaced
// in place (sync/track_replacement.h), so that every handle stays valid. A
// text with a mistake changes nothing: the last good tracks stay.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sync/sync_device.h"
#include "sync/track_table.h"

struct TrackTextReload {
    bool applied;
    // Not applied: what is wrong, as "line N: ...". Applied: empty.
    std::string problem;
    // Applied: tracks of the text that the demo does not read.
    std::vector<std::string> unreadTracks;
    // Applied: tracks the demo reads that the text lacks; they now read 0.
    std::vector<std::string> missingTracks;
};

TrackTextReload ReloadTrackText(SyncDevice* device, std::string_view text);

// The tracks the demo reads now, in the device's order, as the text gives
// tracks: what the track-table compiler makes of a text that has them all.
std::vector<NamedTrack> TracksInUse(const SyncDevice& device);

// What to show of an applied text whose tracks are not the ones the demo
// reads (a track gone, or renamed: gone under its old name and unread under
// its new one), a line each, every line naming the file `label`; empty when
// they are the same.
std::string TrackMismatchNotice(const TrackTextReload& reload, const std::string& label);
