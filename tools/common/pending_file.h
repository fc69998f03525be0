// A file that appears under its name only once it is complete. The bytes go
// to a temporary file beside it, from us or from another program, and it is
// renamed to NAME when all of them are out; until then, and if anything
// fails, NAME stays as it was.
//
// The temporary file is NAME.partial, or NAME.partial-XXXXXX when that name
// is taken. It is always created anew, never through a link, and it is the
// only file ever removed, so that nothing that was there before is touched.
// An existing NAME must be a regular file: the new file keeps its permission
// bits. A run that is killed may leave the temporary file, never a partial
// file under NAME.
//
// Every failure throws std::runtime_error with one line: the quoted name and
// the system's reason.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <filesystem>
#include <span>
#include <vector>

#include "file_descriptor.h"

class PendingFile {
public:
    // Creates the temporary file; throws when NAME exists but is not a
    // regular file, or when the temporary file cannot be created.
    explicit PendingFile(std::filesystem::path name);
    // Removes the temporary file unless it was committed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Writes the bytes and renames the file to NAME.
    void Commit(std::span<const unsigned char> bytes);

    // Where another program writes the bytes; it must have ended before the
    // PendingFile does, or it could write on after the file is removed.
    const std::filesystem::path& PartialName() const { return partialName; }
    // The first bytes that were written there, at most `count`.
    std::vector<unsigned char> ReadStart(std::size_t count) const;
    // Renames the temporary file to NAME as the other program left it; throws
    // when another file has taken its place.
    void CommitWrittenFile();

private:
    bool IsStillOurs() const;

    std::filesystem::path name;
    std::filesystem::path partialName;
    FileDescriptor file;
    dev_t device = 0;  // the temporary file's identity, so that we remove only ours
    ino_t inode = 0;
    bool committed = false;
};

// Removes the temporary files that writes of NAME left when their program
// was killed (NAME.partial and NAME.partial-XXXXXX, regular files only, never
// a link); returns their names. For a program that alone writes NAME, at its
// start.
std::vector<std::filesystem::path> RemoveLeftovers(const std::filesystem::path& name);

// Has a write past the file-size limit (ulimit -f) fail like any other failed
// write, instead of ending the program by SIGXFSZ with its temporary file
// left behind: the PendingFile then removes it and says why. Programs that
// write through a PendingFile call it once, at their start; the processes
// they start inherit it.
void LetWritesPastTheSizeLimitFail();
