// When to read a watched file again. The file is looked at (stat) every
// frame; a change is anything in its identity, size, modification time or
// permissions, so a file saved in place and one renamed over the old (as many
// editors save) both count, and so do a file that disappears and one made
// readable.
//
// A change is read once the file has looked the same for kSettleNs (an editor
// may write it in steps) and its modification time is at least that old, so
// that a later write within the filesystem's timestamp granularity cannot go
// unseen. The first look counts as settled.
#pragma once

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>

struct FileSignature {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedNs = 0;  // since the Unix epoch, as WallClockNs counts
    std::uint32_t mode = 0;       // type and permissions
    int error = 0;                // why it cannot be looked at, as errno: ENOENT, EACCES, ...

    bool operator==(const FileSignature&) const = default;

    // There is no such file, as opposed to one out of reach.
    bool Absent() const { return !exists && error == ENOENT; }
};

// What the file system says of the path now; when it cannot, exists is false
// and error says why.
FileSignature ReadFileSignature(const std::filesystem::path& path);

// The system's wall clock, the clock of modification times, in nanoseconds.
std::int64_t WallClockNs();

class FileWatch {
public:
    static constexpr std::int64_t kSettleNs = 50'000'000;

    // True when the file, as `current` describes it at `nowNs`, should be
    // read: it differs from the version read last and has settled. The
    // version is then taken as read.
    bool ShouldRead(const FileSignature& current, std::int64_t nowNs);

    // True while `current` is not the version read last: a change on its
    // way, to be looked at again soon.
    bool Unread(const FileSignature& current) const { return current != lastRead; }

    // Takes no version as read, so that the file is read again once it has
    // settled: a rewrite that kept its size and time is no change to see.
    void Forget() { lastRead.reset(); }

private:
    std::optional<FileSignature> lastRead;
    std::optional<FileSignature> lastSeen;
    std::int64_t seenAtNs = 0;
};
