// Applying a re-read choreography text.
#include "track_text_reload.h"

#include <algorithm>

#include "sync/track_replacement.h"
#include "sync/track_text.h"

namespace {

bool InText(const ParsedTrackText& parsed, const char* name)
{
    return std::any_of(parsed.tracks.begin(), parsed.tracks.end(),
                       [name](const NamedTrack& track) { return track.name == name; });
}

std::string Listed(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
}

}  // namespace

TrackTextReload ReloadTrackText(SyncDevice* device, std::string_view text)
{
    const ParsedTrackText parsed = ParseTrackText(text);
    if (parsed.error) {
        return {false, "line " + std::to_string(parsed.error->line) + ": " + parsed.error->message, {}, {}};
    }
    if (!ReplaceTrackKeys(device, parsed.tracks)) return {false, "out of memory while applying the tracks", {}, {}};
    TrackTextReload reload{true, {}, {}, {}};
    for (const NamedTrack& track : parsed.tracks) {
        if (FindTrack(*device, track.name.c_str()) == nullptr) reload.unreadTracks.push_back(track.name);
    }
    for (const SyncTrack* track : RegisteredTracks(*device)) {
        if (!InText(parsed, track->name)) reload.missingTracks.emplace_back(track->name);
    }
    return reload;
}

std::vector<NamedTrack> TracksInUse(const SyncDevice& device)
{
    std::vector<NamedTrack> tracks;
    for (const SyncTrack* track : RegisteredTracks(device)) {
        tracks.push_back({track->name, {track->keys, track->keys + track->keyCount}});
    }
    return tracks;
}

std::string TrackMismatchNotice(const TrackTextReload& reload, const std::string& label)
{
    std::string notice;
    if (!reload.missingTracks.empty()) {
        notice = label + " lacks the tracks " + Listed(reload.missingTracks) + ", which the demo reads: they read 0";
    }
    if (!reload.unreadTracks.empty()) {
        notice += (notice.empty() ? "" : "\n") + label + ": nothing reads the tracks " + Listed(reload.unreadTracks);
    }
    return notice;
}
