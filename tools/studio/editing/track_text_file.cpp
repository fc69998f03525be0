// Writing edits back, complete or not at all.
#include "track_text_file.h"

#include <exception>
#include <span>

#include "asset_text.h"
#include "pending_file.h"

TrackTextFile::TrackTextFile(std::filesystem::path file, std::string name)
    : path(std::move(file)), label(std::move(name))
{
}

std::string TrackTextFile::Replace(std::string_view previous, std::string_view next) const
{
    const AssetText now = ReadAssetText(path);
    if (!now.text) return "the edit is not written: " + label + " " + now.problem;
    if (*now.text != previous) {
        return "the edit is not written: " + label + " was changed by another program; edit again once it is read";
    }
    // The studio could not read it back.
    if (next.size() > kLargestAsset) {
        return "the edit is not written: " + label + " would be larger than the " +
               std::to_string(kLargestAsset) + " bytes the studio reads";
    }
    try {
        PendingFile(path).Commit(std::span(reinterpret_cast<const unsigned char*>(next.data()), next.size()));
    } catch (const std::exception& error) {
        return "the edit is not written: " + std::string(error.what());
    }
    return {};
}
