// Matching lanes and tracks by name, once.
#include "lane_tracks.h"

#include "key_edit_model.h"

LaneTracks::LaneTracks(std::span<SyncTrack* const> lanes, const KeyEditModel* model)
    : shown(lanes), trackOfLane(lanes.size())
{
    if (!model) return;
    laneOfTrack.resize(model->Tracks().size());
    for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
        const std::optional<int> track = model->FindTrack(lanes[lane]->name);
        trackOfLane[lane] = track;
        if (track) laneOfTrack[static_cast<std::size_t>(*track)] = static_cast<int>(lane);
    }
}

std::optional<int> LaneTracks::TrackOf(int lane) const
{
    return Names(lane) ? trackOfLane[static_cast<std::size_t>(lane)] : std::nullopt;
}

std::optional<int> LaneTracks::LaneOf(int track) const
{
    if (track < 0 || static_cast<std::size_t>(track) >= laneOfTrack.size()) return std::nullopt;
    return laneOfTrack[static_cast<std::size_t>(track)];
}
