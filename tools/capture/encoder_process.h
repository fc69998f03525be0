// ffmpeg as a child process that encodes what quorl-capture renders: frames
// are written to its standard input, the music waits for it on file
// descriptor 3, and its error messages are kept for our own one-line report.
// It runs in a process group of its own, so that a Ctrl-C at the terminal
// reaches quorl-capture alone, which then stops it (see StopSignals), and the
// system ends it when quorl-capture ends, however that happens.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "file_descriptor.h"

// The program that a shell would run for `name`, searched along PATH; none
// when no directory there holds it.
std::optional<std::filesystem::path> FindProgram(std::string_view name);

class EncoderProcess {
public:
    // Starts `program` with `arguments`; `audio` is copied out before it
    // starts. Throws std::runtime_error when no process can be started; a
    // program that cannot be run fails the first Write or Finish.
    EncoderProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   std::span<const unsigned char> audio);
    // Kills the encoder unless Finish returned, and waits for it to go.
    ~EncoderProcess();
    EncoderProcess(const EncoderProcess&) = delete;
    EncoderProcess& operator=(const EncoderProcess&) = delete;

    // Hands one frame's bytes over. Throws CaptureStopped when a stop is
    // requested meanwhile, std::runtime_error with the encoder's last error
    // message when it has stopped reading.
    void Write(std::span<const unsigned char> bytes);

    // Ends the input and waits until the file is complete. Throws as Write
    // does, or when the encoder ends with a failure.
    void Finish();

private:
    // Waits for the encoder to end, or, given how it ended, reports why.
    [[noreturn]] void FailWithEncoderMessage();
    [[noreturn]] void FailWithEncoderMessage(int status);
    // The encoder's status once it has ended; throws CaptureStopped when a
    // stop is requested meanwhile.
    int Wait();

    FileDescriptor errorLog;
    FileDescriptor input;
    std::string name;
    pid_t process = -1;
};
