// The timeline's lanes against the edit model's tracks: lane i shows the
// demo's track i (the sync device's order) and edits the model's track of the
// same name, if the text has one. Made once when the tracks change, not per
// event: every lookup of the editor goes through it.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "sync/track.h"

class KeyEditModel;

class LaneTracks {
public:
    LaneTracks() = default;
    LaneTracks(std::span<SyncTrack* const> shown, const KeyEditModel* model);

    int Count() const { return static_cast<int>(shown.size()); }
    bool Names(int lane) const { return lane >= 0 && lane < Count(); }
    // `lane` must be named.
    const SyncTrack& Shown(int lane) const { return *shown[static_cast<std::size_t>(lane)]; }
    // The model's track that the lane edits.
    std::optional<int> TrackOf(int lane) const;
    // The lane that shows the model's `track`.
    std::optional<int> LaneOf(int track) const;

private:
    std::span<SyncTrack* const> shown;
    std::vector<std::optional<int>> trackOfLane;
    std::vector<std::optional<int>> laneOfTrack;
};
