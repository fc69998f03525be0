// Writing edits back, complete or not at all.
#include "edited_text_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <span>

#include "asset_text.h"
#include "pending_file.h"

namespace {

namespace fs = std::filesystem;

// The file a link leads to; the path itself when it is no link.
fs::path Target(const fs::path& path)
{
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target;
}

}  // namespace

EditedTextFile::EditedTextFile(fs::path file, std::string name) : path(std::move(file)), label(std::move(name)) {}

std::optional<EditRefusal> EditedTextFile::Replace(std::optional<std::string_view> previous,
                                                   std::string_view next) const
{
    const fs::path target = Target(path);
    EditRefusal refusal{.kind = Refusal::WriteFailed, .label = label};
    const AssetText now = ReadAssetText(target);
    if (!previous) {
        if (!now.missing) {
            refusal.kind = Refusal::FileNotMissing;
            return refusal;
        }
    } else if (!now.text) {
        refusal.kind = now.missing ? Refusal::FileMissing : Refusal::FileUnreadable;
        refusal.reason = now.problem;
        return refusal;
    } else if (*now.text != *previous) {
        refusal.kind = Refusal::FileChanged;
        return refusal;
    }
    // The studio could not read it back.
    if (next.size() > kLargestAsset) {
        refusal.kind = Refusal::FileTooLarge;
        refusal.number = static_cast<std::int64_t>(kLargestAsset);
        return refusal;
    }
    struct stat status {};
    if (previous && stat(target.c_str(), &status) == 0 && (status.st_mode & S_IWUSR) == 0) {
        refusal.kind = Refusal::FileReadOnly;
        return refusal;
    }
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        refusal.kind = Refusal::FolderNotWritable;
        refusal.detail = folder.string();
        refusal.reason = std::strerror(errno);
        return refusal;
    }
    try {
        PendingFile(target).Commit(std::span(reinterpret_cast<const unsigned char*>(next.data()), next.size()));
    } catch (const std::exception& error) {
        refusal.reason = error.what();
        return refusal;
    }
    return std::nullopt;
}
