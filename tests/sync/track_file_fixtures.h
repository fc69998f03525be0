// Track files for the device tests: the bytes of a file as the device reads it
// (int32 count, then per key int32 row, float32 value, int8 type, all
// little-endian), and device callbacks that serve such bytes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "sync/sync_device.h"

// A device without attached tracks, destroyed with everything it created.
struct DestroyDevice {
    void operator()(SyncDevice* device) const { DestroySyncDevice(device, 0); }
};
using DevicePointer = std::unique_ptr<SyncDevice, DestroyDevice>;

inline DevicePointer MakeDevice(const char* baseName = "Quorl")
{
    return DevicePointer(CreateSyncDevice(baseName));
}

struct FileKey {
    std::int32_t row;
    float value;
    std::uint8_t type;  // the raw byte; 0xFF is meant to read back as -1
};

inline void AppendLittleEndian(std::vector<unsigned char>& bytes, std::uint32_t bits)
{
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<unsigned char>(bits >> shift));
}

// A track file declaring declaredCount keys and holding the given ones, which
// need not agree with the count.
inline std::vector<unsigned char> TrackFileBytes(std::int32_t declaredCount, const std::vector<FileKey>& keys)
{
    std::vector<unsigned char> bytes;
    AppendLittleEndian(bytes, static_cast<std::uint32_t>(declaredCount));
    for (const FileKey& key : keys) {
        AppendLittleEndian(bytes, static_cast<std::uint32_t>(key.row));
        std::uint32_t valueBits;
        std::memcpy(&valueBits, &key.value, sizeof valueBits);
        AppendLittleEndian(bytes, valueBits);
        bytes.push_back(key.type);
    }
    return bytes;
}

inline std::vector<unsigned char> TrackFileBytes(const std::vector<FileKey>& keys)
{
    return TrackFileBytes(static_cast<std::int32_t>(keys.size()), keys);
}

// Every path the device asks for opens the same bytes, kept in memory. The callbacks
// are plain function pointers, so the state is static; Serve resets it.
struct MemoryTrackFile {
    static inline std::vector<unsigned char> contents;
    static inline std::vector<std::string> openedPaths;
    static inline int closeCount = 0;

    static void Serve(SyncDevice* device, std::vector<unsigned char> bytes)
    {
        contents = std::move(bytes);
        openedPaths.clear();
        closeCount = 0;
        device->openFile = Open;
        device->closeFile = Close;
    }

    // A temporary file rather than fmemopen, which Windows lacks (the sync
    // tests also run there).
    static std::FILE* Open(const char* path, const char*)
    {
        openedPaths.emplace_back(path);
        std::FILE* file = std::tmpfile();
        if (file == nullptr) return nullptr;
        if (std::fwrite(contents.data(), 1, contents.size(), file) != contents.size()) {
            std::fclose(file);
            return nullptr;
        }
        std::rewind(file);
        return file;
    }

    static int Close(std::FILE* file)
    {
        ++closeCount;
        return std::fclose(file);
    }
};

// Records lookups on disk and finds no file.
struct NoTrackFiles {
    static inline std::vector<std::string> openedPaths;

    static void Use(SyncDevice* device)
    {
        openedPaths.clear();
        device->openFile = Open;
    }

    static std::FILE* Open(const char* path, const char*)
    {
        openedPaths.emplace_back(path);
        return nullptr;
    }
};
