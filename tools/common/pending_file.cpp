#include "pending_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>
#include <system_error>

namespace {

[[noreturn]] void Fail(const std::filesystem::path& name, int error)
{
    throw std::runtime_error("cannot write " + name.string() + ": " + std::strerror(error));
}

}  // namespace

PendingFile::PendingFile(std::filesystem::path fileName)
    : name(std::move(fileName)),
      partialName(name.string() + ".partial"),
      file(std::fopen(partialName.c_str(), "wb"))
{
    if (file == nullptr) Fail(name, errno);
}

PendingFile::~PendingFile()
{
    if (file != nullptr) std::fclose(file);
    if (!committed) {
        std::error_code ignored;
        std::filesystem::remove(partialName, ignored);
    }
}

void PendingFile::Commit(std::span<const unsigned char> bytes)
{
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    Close(written ? 0 : (errno != 0 ? errno : EIO));
    CommitWrittenFile();
}

void PendingFile::CommitWrittenFile()
{
    if (file != nullptr) Close(0);
    std::error_code error;
    std::filesystem::rename(partialName, name, error);
    if (error) throw std::runtime_error("cannot write " + name.string() + ": " + error.message());
    committed = true;
}

// Closes the file, failing with the write's error or else the close's.
void PendingFile::Close(int writeError)
{
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (writeError != 0) Fail(name, writeError);
    if (!closed) Fail(name, errno != 0 ? errno : EIO);
}
