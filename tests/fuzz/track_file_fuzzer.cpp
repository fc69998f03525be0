// Fuzzes the reading of track files: the input is the whole file that GetTrack
// opens. Whatever the bytes, the track must come out with keyCount fully
// defined keys in strictly ascending rows, and evaluate anywhere without fault.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "sync/sync_device.h"

namespace {

std::vector<unsigned char> fileContents;

[[noreturn]] void Fail(const char* what);

std::FILE* OpenInput(const char* path, const char* mode)
{
    if (std::strcmp(path, "Quorl_camera_position-3Ax.track") != 0) Fail("the file is not named after the track");
    // glibc's fmemopen writes a byte into a stream of size 0.
    if (fileContents.empty()) return std::fopen("/dev/null", mode);
    return fmemopen(fileContents.data(), fileContents.size(), mode);
}

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "track file fuzzer: %s\n", what);
    std::abort();
}

std::int32_t Int32At(std::size_t offset)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits |= std::uint32_t{fileContents[offset + i]} << (8 * i);
    return static_cast<std::int32_t>(bits);
}

bool IsRecord(const TrackKey& key, std::size_t record)
{
    const std::size_t offset = 4 + 9 * record;
    std::int32_t valueBits;
    std::memcpy(&valueBits, &key.value, sizeof valueBits);
    return key.row == Int32At(offset) && valueBits == Int32At(offset + 4) &&
           key.type == static_cast<signed char>(fileContents[offset + 8]);
}

bool SameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

void CheckTrack(const SyncTrack* track, std::size_t fileSize)
{
    if (track->keyCount < 0) Fail("negative key count");
    if (track->keyCount > 0 && track->keys == nullptr) Fail("keys missing");
    const std::size_t keysInFile = fileSize < 4 ? 0 : (fileSize - 4) / 9;
    if (static_cast<std::size_t>(track->keyCount) > keysInFile) Fail("more keys than the file holds");
    for (std::int32_t k = 1; k < track->keyCount; ++k) {
        if (track->keys[k - 1].row >= track->keys[k].row) Fail("rows not strictly ascending");
    }
    // Each key is a record of the file, taken in file order: only dropping is allowed.
    std::size_t record = 0;
    for (std::int32_t k = 0; k < track->keyCount; ++k) {
        while (record < keysInFile && !IsRecord(track->keys[k], record)) ++record;
        if (record == keysInFile) Fail("key that is not a record of the file, in order");
        ++record;
    }

    const double rows[] = {-1e300, 1e300, -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::infinity(), std::nan(""), -0.5, 0.0, 123.25};
    for (double row : rows) GetTrackValue(track, row);
    if (track->keyCount == 0) {
        if (GetTrackValue(track, 0.0) != 0.0) Fail("empty track is not 0");
        return;
    }
    const TrackKey& first = track->keys[0];
    const TrackKey& last = track->keys[track->keyCount - 1];
    // A first key at the lowest row is where -1e300 lands, and its own segment
    // starts there; with a non-finite next value that is NaN, not its value.
    if (first.row > std::numeric_limits<std::int32_t>::min() && !SameValue(GetTrackValue(track, -1e300), first.value)) {
        Fail("first value not held before the first key");
    }
    if (!SameValue(GetTrackValue(track, 1e300), last.value)) Fail("last value not held after the last key");
    if (!SameValue(GetTrackValue(track, last.row), last.value)) Fail("last key's own row");
    for (std::int32_t k = 0; k + 1 < track->keyCount; ++k) {
        const double middle = (static_cast<double>(track->keys[k].row) + track->keys[k + 1].row) / 2;
        GetTrackValue(track, middle);
        GetTrackValue(track, track->keys[k].row);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fileContents.assign(data, data + size);
    SyncDevice* device = CreateSyncDevice("Quorl");
    if (device == nullptr) return 0;
    device->openFile = OpenInput;

    const SyncTrack* track = GetTrack(device, "camera_position:x");
    if (track == nullptr) Fail("no track with memory to spare");
    CheckTrack(track, size);
    if (GetTrack(device, "camera_position:x") != track || RegisteredTracks(*device).size() != 1) Fail("track registered twice");

    DestroySyncDevice(device, 0);
    return 0;
}
