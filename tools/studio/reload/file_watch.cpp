// Watching files by their signature.
#include "file_watch.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>

FileSignature ReadFileSignature(const std::filesystem::path& path)
{
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return {.error = errno};
    return {true, static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
            static_cast<std::uint32_t>(status.st_mode)};
}

std::int64_t WallClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool FileWatch::ShouldRead(const FileSignature& current, std::int64_t nowNs)
{
    if (current == lastRead) return false;
    if (current != lastSeen) {
        // The first look counts as settled; a later change waits.
        seenAtNs = lastSeen ? nowNs : nowNs - kSettleNs;
        lastSeen = current;
    }
    if (nowNs - seenAtNs < kSettleNs) return false;
    // A modification time in the future (a clock set back) cannot age; it
    // is taken as it is.
    const bool recent = current.exists && current.modifiedNs <= nowNs && nowNs - current.modifiedNs < kSettleNs;
    if (recent) return false;
    lastRead = current;
    return true;
}
