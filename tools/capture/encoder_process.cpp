#include "encoder_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "stop_signals.h"

extern char** environ;

namespace {

constexpr int kAudioDescriptor = 3;

[[noreturn]] void FailSystem(const std::string& what, int error)
{
    throw std::runtime_error(what + ": " + std::strerror(error));
}

// A file that lives in memory only: nothing is left on disk, however the
// capture ends.
FileDescriptor MemoryFile(const char* name)
{
    const int descriptor = memfd_create(name, MFD_CLOEXEC);
    if (descriptor < 0) FailSystem("cannot create a file in memory", errno);
    return FileDescriptor(descriptor);
}

// 0 once every byte is out, otherwise the error that stopped it; a signal
// that asks to stop ends it with EINTR.
int WriteAll(int descriptor, std::span<const unsigned char> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR && !StopSignals::StopRequested()) continue;
            return errno;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return 0;
}

// The last line that is not empty, from at most the last 4 KiB of the file.
std::string LastLine(int descriptor)
{
    struct stat status{};
    if (fstat(descriptor, &status) != 0) return {};
    std::string text(static_cast<std::size_t>(std::min<off_t>(status.st_size, 4096)), '\0');
    const ssize_t got = pread(descriptor, text.data(), text.size(), status.st_size - static_cast<off_t>(text.size()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
    const std::size_t lineStart = text.find_last_of("\r\n");
    return lineStart == std::string::npos ? text : text.substr(lineStart + 1);
}

}  // namespace

std::optional<std::filesystem::path> FindProgram(std::string_view name)
{
    const char* path = std::getenv("PATH");
    if (path == nullptr) return std::nullopt;
    for (std::string_view directories = path;;) {
        const std::size_t colon = directories.find(':');
        const std::string_view directory = directories.substr(0, colon);
        // An empty entry means the working directory, as in a shell.
        const std::filesystem::path candidate = std::filesystem::path(directory.empty() ? "." : directory) / name;
        std::error_code ignored;
        if (access(candidate.c_str(), X_OK) == 0 && std::filesystem::is_regular_file(candidate, ignored)) {
            return candidate;
        }
        if (colon == std::string_view::npos) return std::nullopt;
        directories.remove_prefix(colon + 1);
    }
}

EncoderProcess::EncoderProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                               std::span<const unsigned char> audio)
    : errorLog(MemoryFile("encoder-messages")), name(program.filename().string())
{
    const FileDescriptor music = MemoryFile("music");
    if (const int error = WriteAll(music.Get(), audio); error != 0) FailSystem("cannot hold the music", error);
    // The encoder's descriptor shares this offset: it reads from the start.
    lseek(music.Get(), 0, SEEK_SET);

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) FailSystem("cannot make a pipe to " + name, errno);
    const FileDescriptor frames(ends[0]);
    input = FileDescriptor(ends[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, frames.Get(), STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errorLog.Get(), STDERR_FILENO);
    posix_spawn_file_actions_adddup2(&actions, music.Get(), kAudioDescriptor);
    posix_spawn_file_actions_addclosefrom_np(&actions, kAudioDescriptor + 1);

    // A group of its own keeps the terminal's Ctrl-C away from it; the
    // signals that we catch or ignore are its defaults again.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGINT, SIGTERM, SIGPIPE}) sigaddset(&defaults, signal);
    sigset_t unblocked;
    sigemptyset(&unblocked);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setsigmask(&attributes, &unblocked);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int error = posix_spawn(&process, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        process = -1;
        FailSystem("cannot start " + program.string(), error);
    }
}

EncoderProcess::~EncoderProcess()
{
    if (process < 0) return;
    input.Close();
    kill(process, SIGKILL);
    while (waitpid(process, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void EncoderProcess::Write(std::span<const unsigned char> bytes)
{
    const int error = WriteAll(input.Get(), bytes);
    if (error == 0) return;
    StopSignals::ThrowIfStopRequested();
    if (error == EPIPE) FailWithEncoderMessage();
    FailSystem("cannot hand the frames to " + name, error);
}

void EncoderProcess::Finish()
{
    input.Close();
    const int status = Wait();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) FailWithEncoderMessage(status);
}

int EncoderProcess::Wait()
{
    int status = 0;
    while (waitpid(process, &status, 0) < 0) {
        if (errno != EINTR) FailSystem("cannot wait for " + name, errno);
        StopSignals::ThrowIfStopRequested();
    }
    process = -1;
    return status;
}

void EncoderProcess::FailWithEncoderMessage()
{
    input.Close();
    FailWithEncoderMessage(Wait());
}

void EncoderProcess::FailWithEncoderMessage(int status)
{
    const std::string message = LastLine(errorLog.Get());
    if (!message.empty()) throw std::runtime_error(name + " failed: " + message);
    if (WIFSIGNALED(status)) throw std::runtime_error(name + " was ended by signal " + std::to_string(WTERMSIG(status)));
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
        throw std::runtime_error(name + " failed with exit status " + std::to_string(WEXITSTATUS(status)));
    }
    throw std::runtime_error(name + " stopped reading the frames");
}
