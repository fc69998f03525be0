// A file that appears under its name only once it is complete: the bytes go to
// NAME.partial, which is renamed to NAME when all of them are out. Until then,
// and if anything fails, no file of that name is left behind by us.
#pragma once

#include <cstdio>
#include <filesystem>
#include <span>

class PendingFile {
public:
    // Opens NAME.partial; throws std::runtime_error (one line, with the
    // system's reason) when it cannot be created.
    explicit PendingFile(std::filesystem::path name);
    // Removes NAME.partial unless Commit succeeded.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Writes the bytes and renames the file to NAME; throws std::runtime_error
    // when the bytes cannot be written or the file cannot be renamed.
    void Commit(std::span<const unsigned char> bytes);

private:
    std::filesystem::path name;
    std::filesystem::path partialName;
    std::FILE* file;
    bool committed = false;
};
