// What quorl-capture is asked to do, read from its command line: one frame into
// a PNG file, or a run of frames into a folder. Only the arguments are checked
// here; whether the demo shows a frame at a time is the Stage's to say.
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

struct SingleFrame {
    double seconds;
    std::string outputFile;
};

// Frames at from, from + 1/fps, from + 2/fps, ... up to and including `to`.
struct FrameSequence {
    double from;
    double to;
    double framesPerSecond;
    std::string outputDirectory;

    std::size_t FrameCount() const;
    double FrameTime(std::size_t index) const;
};

struct ShowUsage {};

using CaptureRequest = std::variant<SingleFrame, FrameSequence, ShowUsage>;

// A command line that asks for nothing sensible; what() is one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The arguments after the program name. Throws UsageError for an unknown
// option, a missing or repeated value, a time that is not a finite number of
// seconds from 0 on, a sequence that runs backwards or a rate that is not above 0.
CaptureRequest ParseCaptureArguments(std::span<const std::string_view> arguments);

inline constexpr std::string_view kCaptureUsage =
    "usage: quorl-capture --at SECONDS --out FILE.png\n"
    "       quorl-capture --from SECONDS --to SECONDS --fps N --out DIRECTORY\n";
