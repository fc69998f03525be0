// Applying a re-read choreography text.
#include "track_text_reload.h"

#include <cstring>

#include "sync/track_replacement.h"
#include "sync/track_text.h"

namespace {

bool IsRegistered(const SyncDevice* device, const std::string& name)
{
    for (std::uint64_t i = 0; i < device->trackCount; ++i) {
        if (std::strcmp(device->tracks[i]->name, name.c_str()) == 0) return true;
    }
    return false;
}

}  // namespace

TrackTextReload ReloadTrackText(SyncDevice* device, std::string_view text)
{
    const ParsedTrackText parsed = ParseTrackText(text);
    if (parsed.error) {
        return {false, "line " + std::to_string(parsed.error->line) + ": " + parsed.error->message, {}};
    }
    if (!ReplaceTrackKeys(device, parsed.tracks)) return {false, "out of memory while applying the tracks", {}};
    TrackTextReload reload{true, {}, {}};
    for (const NamedTrack& track : parsed.tracks) {
        if (!IsRegistered(device, track.name)) reload.unreadTracks.push_back(track.name);
    }
    return reload;
}
