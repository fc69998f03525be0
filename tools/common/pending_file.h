// A file that appears under its name only once it is complete: the bytes go to
// NAME.partial, from us or from another program, and it is renamed to NAME
// when all of them are out. Until then, and if anything fails, no file of that
// name is left behind by us.
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

    // Where another program writes the bytes; it must have ended before the
    // PendingFile does, or it could write on after the file is removed.
    const std::filesystem::path& PartialName() const { return partialName; }
    // Renames NAME.partial to NAME as the other program left it; throws
    // std::runtime_error when it cannot be renamed.
    void CommitWrittenFile();

private:
    void Close(int writeError);

    std::filesystem::path name;
    std::filesystem::path partialName;
    std::FILE* file;
    bool committed = false;
};
