// Reading of a watched asset.
#include "asset_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

AssetText Problem(std::string problem)
{
    return {std::nullopt, std::move(problem)};
}

}  // namespace

AssetText ReadAssetText(const std::filesystem::path& path, std::uintmax_t largest)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // A folder on the way that may not be entered, or that is a file, is no
    // missing file.
    if (error && error != std::errc::no_such_file_or_directory) return Problem("cannot be opened: " + error.message());
    if (!std::filesystem::exists(status)) return {std::nullopt, "is missing", true};
    // A pipe or a device would block the frame loop or never end.
    if (!std::filesystem::is_regular_file(status)) return Problem("is not a regular file");

    const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "rb"));
    if (!file) return Problem(std::string("cannot be opened: ") + std::strerror(errno));
    std::string text;
    char buffer[65536];
    while (text.size() <= largest) {
        const std::size_t read = std::fread(buffer, 1, sizeof buffer, file.get());
        text.append(buffer, read);
        if (read < sizeof buffer) break;
    }
    if (std::ferror(file.get())) return Problem(std::string("cannot be read: ") + std::strerror(errno));
    if (text.size() > largest) {
        return Problem("is larger than the " + std::to_string(largest) + " bytes the studio reads");
    }
    if (text.empty()) return {std::nullopt, "is empty", false, true};
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) {
        const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(zero), '\n');
        return Problem("is not text: a zero byte on line " + std::to_string(line));
    }
    return {std::move(text), {}};
}
