#include "encoder_process.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
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

// What the encoder starts with: its standard input, error output and music.
struct EncoderStart {
    pid_t parent;
    const char* program;
    char* const* arguments;
    int frames;
    int errorLog;
    int music;
};

// The child's part between fork and exec: calls that are safe after a fork
// from a process with threads, and nothing else.
[[noreturn]] void ExecuteEncoder(const EncoderStart& start)
{
    // It dies with quorl-capture however that ends, even by SIGKILL: at once
    // if that has happened already.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != start.parent) _exit(127);
    // A group of its own keeps the terminal's Ctrl-C away from it.
    setpgid(0, 0);
    struct sigaction byDefault{};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    for (const int signal : StopSignals::kSignals) sigaction(signal, &byDefault, nullptr);
    sigaction(SIGPIPE, &byDefault, nullptr);

    // Moved out of the way first, so that no descriptor is overwritten
    // before it has been handed on.
    const int wanted[] = {start.frames, open("/dev/null", O_WRONLY), start.errorLog, start.music};
    int moved[std::size(wanted)];
    for (std::size_t i = 0; i < std::size(wanted); ++i) moved[i] = fcntl(wanted[i], F_DUPFD, kAudioDescriptor + 1);
    for (std::size_t i = 0; i < std::size(wanted); ++i) {
        if (dup2(moved[i], static_cast<int>(i)) < 0) _exit(127);
    }
    close_range(kAudioDescriptor + 1, ~0u, 0);

    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execve(start.program, start.arguments, environ);
    static constexpr char kNotStarted[] = "cannot run the program\n";
    [[maybe_unused]] const ssize_t ignored = write(STDERR_FILENO, kNotStarted, sizeof kNotStarted - 1);
    _exit(127);
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
    if (lseek(music.Get(), 0, SEEK_SET) != 0) FailSystem("cannot rewind the music for " + name, errno);

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) FailSystem("cannot make a pipe to " + name, errno);
    const FileDescriptor frames(ends[0]);
    input = FileDescriptor(ends[1]);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const EncoderStart start{getpid(), program.c_str(), argv.data(), frames.Get(), errorLog.Get(), music.Get()};

    // No handler of ours may run in the child before it has the defaults.
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &before);
    process = fork();
    if (process == 0) ExecuteEncoder(start);
    const int forkError = errno;
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (process < 0) FailSystem("cannot start " + program.string(), forkError);
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
    const int error = WriteAll(input.Get(), bytes, StopSignals::StopRequested);
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
