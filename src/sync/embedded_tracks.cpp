// Loading of the embedded track table (its layout is in track_table.h). The
// build wrote the table from checked text, so the loader trusts it.
#include "sync/embedded_tracks.h"

#include <cstdlib>
#include <cstring>

#include "embedded_assets.h"
#include "sync/track_table.h"

namespace {

class TableReader {
public:
    explicit TableReader(std::span<const unsigned char> table) : next(table.data()) {}

    unsigned Byte() { return *next++; }
    unsigned Uint16()
    {
        const unsigned low = Byte();
        return low | Byte() << 8;
    }
    void Copy(void* destination, std::size_t size)
    {
        std::memcpy(destination, next, size);
        next += size;
    }

private:
    const unsigned char* next;
};

bool LoadTrack(TableReader& reader, SyncTrack& track)
{
    const unsigned nameSize = reader.Byte();
    track.name = static_cast<char*>(std::malloc(nameSize));
    if (track.name == nullptr) return false;
    reader.Copy(track.name, nameSize);

    const unsigned keyCount = reader.Uint16();
    if (keyCount == 0) return true;
    track.keys = static_cast<TrackKey*>(std::malloc(keyCount * kTableKeyRecordSize));
    if (track.keys == nullptr) return false;
    reader.Copy(track.keys, keyCount * kTableKeyRecordSize);
    track.keyCount = static_cast<std::int32_t>(keyCount);
    return true;
}

}  // namespace

std::span<const SyncTrack> LoadedTracks(const EmbeddedTrackSet& set)
{
    return {set.tracks, set.count};
}

std::span<const unsigned char> EmbeddedTrackTable()
{
    return {TRACK_TABLE, TRACK_TABLE_SIZE};
}

EmbeddedTrackSet LoadEmbeddedTracks()
{
    TableReader reader(EmbeddedTrackTable());
    const unsigned count = reader.Byte();
    EmbeddedTrackSet set{static_cast<SyncTrack*>(std::calloc(count, sizeof(SyncTrack))), count};
    if (set.tracks == nullptr) return {nullptr, 0};
    for (unsigned i = 0; i < count; ++i) {
        if (!LoadTrack(reader, set.tracks[i])) {
            ReleaseUnattachedTracks(set);
            return {nullptr, 0};
        }
    }
    return set;
}

bool AttachEmbeddedTracks(SyncDevice* device, const EmbeddedTrackSet& set)
{
    auto* slots = static_cast<SyncTrack**>(std::malloc(set.count * sizeof(SyncTrack*)));
    if (slots == nullptr) return false;
    for (std::uint32_t i = 0; i < set.count; ++i) slots[i] = &set.tracks[i];
    device->tracks = slots;
    device->trackCount = set.count;
    return true;
}

void ReleaseEmbeddedTrackStorage(EmbeddedTrackSet& set)
{
    std::free(set.tracks);
    set = {nullptr, 0};
}

void ReleaseUnattachedTracks(EmbeddedTrackSet& set)
{
    for (std::uint32_t i = 0; i < set.count && set.tracks != nullptr; ++i) {
        std::free(set.tracks[i].name);
        std::free(set.tracks[i].keys);
    }
    ReleaseEmbeddedTrackStorage(set);
}
