// A folder of one test's own: made new and empty under the system's temporary
// folder, and removed with all it holds when the test ends, even where the
// test took its permissions away.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <system_error>

class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& prefix)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
        path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path; }

    // The names of what it holds.
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const std::filesystem::directory_entry& entry : std::filesystem::directory_iterator(path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path;
};
