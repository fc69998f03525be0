// Lists what the embedded choreography gives over the whole demo: at every
// 1/120 s from 0 to 70 s, the row and the value of each embedded track, as the
// exact bits of the doubles. The Windows build's listing, made under Wine, must
// be the Linux build's to the bit.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <span>

#include "sync/embedded_tracks.h"
#include "sync/tempo.h"
#include "sync/track.h"

namespace {

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

int main()
{
    EmbeddedTrackSet set = LoadEmbeddedTracks();
    if (LoadedTracks(set).data() == nullptr) {
        std::fputs("quorl_track_values_listing: out of memory\n", stderr);
        return 1;
    }
    const std::span<const SyncTrack> tracks = LoadedTracks(set);
    std::printf("seconds row");
    for (const SyncTrack& track : tracks) std::printf(" %s", track.name);
    std::printf("\n");
    for (int step = 0; step <= 70 * 120; ++step) {
        const double seconds = step / 120.0;
        const double row = SecondsToRows(seconds);
        std::printf("%d/120 %016" PRIx64, step, Bits(row));
        for (const SyncTrack& track : tracks) std::printf(" %016" PRIx64, Bits(GetTrackValue(&track, row)));
        std::printf("\n");
    }
    ReleaseUnattachedTracks(set);
    return std::ferror(stdout) ? 1 : 0;
}
