#include "pending_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "text/quoted_text.h"

namespace {

[[noreturn]] void Fail(const std::filesystem::path& name, const std::string& reason)
{
    throw std::runtime_error("cannot write " + Quoted(name.string()) + ": " + reason);
}

[[noreturn]] void FailSystem(const std::filesystem::path& name, int error)
{
    Fail(name, std::strerror(error));
}

// The permission bits of the regular file at `name`; none when nothing is
// there. Anything else there is refused: a rename would replace a device
// node, a fifo or a link.
std::optional<mode_t> ExistingFileMode(const std::filesystem::path& name)
{
    struct stat status{};
    if (lstat(name.c_str(), &status) != 0) {
        if (errno == ENOENT) return std::nullopt;
        FailSystem(name, errno);
    }
    if (!S_ISREG(status.st_mode)) Fail(name, "it is not a regular file");
    return status.st_mode & 0777;
}

std::string RandomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(6, ' ');
    for (char& letter : suffix) letter = kLetters[pick(random)];
    return suffix;
}

// A file that did not exist, made by us, at `path`: a link or any other file
// there fails with EEXIST. The mode is what the umask leaves of 0666, as for
// any new file.
int CreateAnew(const std::filesystem::path& path)
{
    return open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

}  // namespace

PendingFile::PendingFile(std::filesystem::path fileName) : name(std::move(fileName))
{
    ExistingFileMode(name);
    partialName = name.string() + ".partial";
    int created = CreateAnew(partialName);
    // A name in the way, from a killed run or from someone else, is left alone.
    for (int attempt = 0; created < 0 && errno == EEXIST && attempt < 100; ++attempt) {
        partialName = name.string() + ".partial-" + RandomSuffix();
        created = CreateAnew(partialName);
    }
    if (created < 0) FailSystem(name, errno);
    file = FileDescriptor(created);
    struct stat status{};
    if (fstat(file.Get(), &status) != 0) FailSystem(name, errno);
    device = status.st_dev;
    inode = status.st_ino;
}

PendingFile::~PendingFile()
{
    if (!committed && IsStillOurs()) unlink(partialName.c_str());
}

void PendingFile::Commit(std::span<const unsigned char> bytes)
{
    if (const int error = WriteAll(file.Get(), bytes); error != 0) FailSystem(name, error);
    CommitWrittenFile();
}

std::vector<unsigned char> PendingFile::ReadStart(std::size_t count) const
{
    std::vector<unsigned char> bytes(count);
    std::size_t got = 0;
    while (got < count) {
        const ssize_t read = pread(file.Get(), bytes.data() + got, count - got, static_cast<off_t>(got));
        if (read < 0 && errno == EINTR) continue;
        if (read < 0) FailSystem(partialName, errno);
        if (read == 0) break;
        got += static_cast<std::size_t>(read);
    }
    bytes.resize(got);
    return bytes;
}

void PendingFile::CommitWrittenFile()
{
    if (!IsStillOurs()) Fail(name, "another file has taken the place of " + Quoted(partialName.string()));
    // Checked again: the name may have been taken while the file was written.
    if (const std::optional<mode_t> mode = ExistingFileMode(name); mode && fchmod(file.Get(), *mode) != 0) {
        FailSystem(name, errno);
    }
    // On the disk before it has the name, so that even a crash leaves no partial file under it.
    if (fsync(file.Get()) != 0) FailSystem(name, errno);
    if (const int error = file.Close(); error != 0) FailSystem(name, error);
    if (rename(partialName.c_str(), name.c_str()) != 0) FailSystem(name, errno);
    committed = true;
}

bool PendingFile::IsStillOurs() const
{
    struct stat status{};
    return lstat(partialName.c_str(), &status) == 0 && status.st_dev == device && status.st_ino == inode;
}

std::vector<std::filesystem::path> RemoveLeftovers(const std::filesystem::path& name)
{
    const std::string partial = name.filename().string() + ".partial";
    const auto ours = [&partial](const std::string& file) {
        if (file == partial) return true;
        if (file.size() != partial.size() + 7 || !file.starts_with(partial + "-")) return false;
        return std::all_of(file.end() - 6, file.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    };
    std::vector<std::filesystem::path> removed;
    std::error_code error;
    const std::filesystem::path folder = name.has_parent_path() ? name.parent_path() : ".";
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!ours(entry.path().filename().string()) || !entry.is_regular_file(error) || entry.is_symlink(error)) {
            continue;
        }
        if (std::filesystem::remove(entry.path(), error)) removed.push_back(entry.path());
    }
    return removed;
}

void LetWritesPastTheSizeLimitFail()
{
    signal(SIGXFSZ, SIG_IGN);
}
