// Applying a re-read choreography text.
#include "track_text_reload.h"

#include "sync/track_replacement.h"
#include "sync/track_text.h"

TrackTextReload ReloadTrackText(SyncDevice* device, std::string_view text)
{
    const ParsedTrackText parsed = ParseTrackText(text);
    if (parsed.error) {
        return {false, "line " + std::to_string(parsed.error->line) + ": " + parsed.error->message, {}};
    }
    if (!ReplaceTrackKeys(device, parsed.tracks)) return {false, "out of memory while applying the tracks", {}};
    TrackTextReload reload{true, {}, {}};
    for (const NamedTrack& track : parsed.tracks) {
        if (FindTrack(*device, track.name.c_str()) == nullptr) reload.unreadTracks.push_back(track.name);
    }
    return reload;
}
