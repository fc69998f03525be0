// Writing the binary track table; see track_table.h for its layout.
#include "sync/track_table.h"

#include <cstdint>
#include <cstring>

namespace {

void PutLittleEndian(std::vector<unsigned char>& out, std::uint32_t bits, int size)
{
    for (int i = 0; i < size; ++i) out.push_back(static_cast<unsigned char>(bits >> (8 * i) & 0xFF));
}

std::uint32_t FloatBits(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

}  // namespace

std::vector<unsigned char> EncodeTrackTable(std::span<const NamedTrack> tracks)
{
    std::vector<unsigned char> out;
    PutLittleEndian(out, static_cast<std::uint32_t>(tracks.size()), 1);
    for (const NamedTrack& track : tracks) {
        PutLittleEndian(out, static_cast<std::uint32_t>(track.name.size() + 1), 1);
        out.insert(out.end(), track.name.begin(), track.name.end());
        out.push_back(0);
        PutLittleEndian(out, static_cast<std::uint32_t>(track.keys.size()), 2);
        for (const TrackKey& key : track.keys) {
            PutLittleEndian(out, static_cast<std::uint32_t>(key.row), 4);
            PutLittleEndian(out, FloatBits(key.value), 4);
            PutLittleEndian(out, static_cast<std::uint32_t>(key.type), 4);
        }
    }
    return out;
}
