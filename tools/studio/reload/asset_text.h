// A watched asset read whole as text, or why it cannot be used: missing, out
// of reach or unreadable (with the system's reason), not a regular file,
// empty, larger than the studio reads, or binary (a zero byte, which no text
// holds and which would cut a C string short).
// Every problem is one line naming no path; the caller names the file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

inline constexpr std::uintmax_t kLargestAsset = 1u << 20;

struct AssetText {
    std::optional<std::string> text;
    std::string problem;  // set when there is no text
    bool missing = false;  // the problem is that there is no such file
    bool empty = false;    // the problem is that the file is empty
};

AssetText ReadAssetText(const std::filesystem::path& path, std::uintmax_t largest = kLargestAsset);
