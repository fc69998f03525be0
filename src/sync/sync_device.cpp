// The sync device: registration by name, track files and teardown.
//
// Track file format, little-endian, no header: int32 key count, then per key
// int32 row, float32 value, int8 type. Files are input and are trusted in
// nothing: a short file keeps the keys read in full, a key that does not stand
// after the previous one is dropped, and a huge declared count costs memory
// only for the keys actually present.
#include "sync/sync_device.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kMaxPathLength = 259;
constexpr std::size_t kKeyFileSize = 9;
constexpr std::int32_t kFirstKeyCapacity = 64;

char* CopyText(const char* text)
{
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}

bool IsPlainNameByte(unsigned char byte)
{
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
           (byte >= '0' && byte <= '9') || byte == '.' || byte == '/' || byte == '_';
}

// Appends as much of text as fits within kMaxPathLength characters.
void AppendCut(char* buffer, std::size_t& length, const char* text)
{
    while (*text != '\0' && length < kMaxPathLength) buffer[length++] = *text++;
    buffer[length] = '\0';
}

std::int32_t ReadInt32(const unsigned char* bytes)
{
    const std::uint32_t bits = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return static_cast<std::int32_t>(bits);
}

float ReadFloat(const unsigned char* bytes)
{
    const std::int32_t bits = ReadInt32(bytes);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Grows the key array towards the declared count; false when memory runs out.
bool GrowKeys(SyncTrack* track, std::int32_t& capacity, std::int32_t declared)
{
    const std::int32_t wanted =
        capacity == 0 ? std::min(declared, kFirstKeyCapacity)
                      : (capacity > declared / 2 ? declared : capacity * 2);
    if (static_cast<std::uint64_t>(wanted) > SIZE_MAX / sizeof(TrackKey)) return false;
    void* grown = std::realloc(track->keys, static_cast<std::size_t>(wanted) * sizeof(TrackKey));
    if (grown == nullptr) return false;
    track->keys = static_cast<TrackKey*>(grown);
    capacity = wanted;
    return true;
}

void ReadTrackKeys(const SyncDevice* device, SyncTrack* track, std::FILE* file)
{
    unsigned char count[4];
    if (device->readFile(count, sizeof count, 1, file) != 1) return;
    const std::int32_t declared = ReadInt32(count);

    std::int32_t capacity = 0;
    for (std::int32_t k = 0; k < declared; ++k) {
        unsigned char record[kKeyFileSize];
        if (device->readFile(record, 1, sizeof record, file) != sizeof record) return;
        const TrackKey key{ReadInt32(record), ReadFloat(record + 4), static_cast<signed char>(record[8])};
        if (track->keyCount > 0 && key.row <= track->keys[track->keyCount - 1].row) continue;
        if (track->keyCount == capacity && !GrowKeys(track, capacity, declared)) {
            std::free(track->keys);
            track->keys = nullptr;
            track->keyCount = 0;
            return;
        }
        track->keys[track->keyCount++] = key;
    }
}

void ReadTrackFile(const SyncDevice* device, SyncTrack* track)
{
    std::FILE* file = device->openFile(BuildTrackPath(device->baseName, track->name), "rb");
    if (file == nullptr) return;
    ReadTrackKeys(device, track, file);
    device->closeFile(file);
}

}  // namespace

const char* EncodeTrackName(const char* name)
{
    static const char digits[] = "0123456789ABCDEF";
    static char buffer[kMaxPathLength + 1];
    std::size_t length = 0;
    for (const unsigned char* byte = reinterpret_cast<const unsigned char*>(name); *byte != 0; ++byte) {
        if (IsPlainNameByte(*byte)) {
            if (length > kMaxPathLength - 1) break;
            buffer[length++] = static_cast<char>(*byte);
        } else {
            if (length > kMaxPathLength - 3) break;
            buffer[length++] = '-';
            buffer[length++] = digits[*byte >> 4];
            buffer[length++] = digits[*byte & 0x0F];
        }
    }
    buffer[length] = '\0';
    return buffer;
}

const char* BuildTrackPath(const char* baseName, const char* trackName)
{
    static char buffer[kMaxPathLength + 1];
    std::size_t length = 0;
    AppendCut(buffer, length, baseName);
    AppendCut(buffer, length, "_");
    AppendCut(buffer, length, EncodeTrackName(trackName));
    AppendCut(buffer, length, ".track");
    return buffer;
}

SyncDevice* CreateSyncDevice(const char* baseName)
{
    auto* device = static_cast<SyncDevice*>(std::malloc(sizeof(SyncDevice)));
    if (device == nullptr) return nullptr;
    device->baseName = CopyText(EncodeTrackName(baseName));
    if (device->baseName == nullptr) {
        std::free(device);
        return nullptr;
    }
    device->tracks = nullptr;
    device->trackCount = 0;
    device->openFile = std::fopen;
    device->readFile = std::fread;
    device->closeFile = std::fclose;
    return device;
}

std::span<SyncTrack* const> RegisteredTracks(const SyncDevice& device)
{
    return {device.tracks, static_cast<std::size_t>(device.trackCount)};
}

SyncTrack* FindTrack(const SyncDevice& device, const char* name)
{
    for (SyncTrack* track : RegisteredTracks(device)) {
        if (std::strcmp(track->name, name) == 0) return track;
    }
    return nullptr;
}

SyncTrack* GetTrack(SyncDevice* device, const char* name)
{
    if (SyncTrack* registered = FindTrack(*device, name)) return registered;

    auto* track = static_cast<SyncTrack*>(std::malloc(sizeof(SyncTrack)));
    char* nameCopy = CopyText(name);
    void* grown = nullptr;
    if (track != nullptr && nameCopy != nullptr) {
        grown = std::realloc(device->tracks, static_cast<std::size_t>(device->trackCount + 1) * sizeof(SyncTrack*));
    }
    if (grown == nullptr) {
        std::free(nameCopy);
        std::free(track);
        return nullptr;
    }
    *track = SyncTrack{nameCopy, nullptr, 0};
    device->tracks = static_cast<SyncTrack**>(grown);
    device->tracks[device->trackCount++] = track;

    ReadTrackFile(device, track);
    return track;
}

void DestroySyncDevice(SyncDevice* device, std::uint64_t attachedCount)
{
    if (device == nullptr) return;
    for (std::uint64_t i = 0; i < device->trackCount; ++i) {
        std::free(device->tracks[i]->name);
        std::free(device->tracks[i]->keys);
        if (i >= attachedCount) std::free(device->tracks[i]);
    }
    std::free(device->tracks);
    std::free(device->baseName);
    std::free(device);
}
