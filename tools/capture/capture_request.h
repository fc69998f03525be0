// What quorl-capture is asked to do, read from its command line: one frame into
// a PNG file, a run of frames into a folder, or a video with the music. Only
// the arguments are checked here; whether the demo shows a frame at a time is
// the Stage's to say.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "options/command_line.h"
#include "options/option_values.h"
#include "render_size.h"

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

// Picture and music of the clock readings from `from` up to, not including,
// `to`: frames at from, from + 1/fps, ..., the music cut to the same span.
struct VideoRecording {
    double from = 0.0;
    std::optional<double> to;  // none: up to the demo's end
    double framesPerSecond = 60.0;
    PixelSize outputSize = kRenderSize;  // the frame is scaled to it
    std::string outputFile;

    // The frames before `end`, the reading that `to` stands for. Throws
    // UsageError when there are more than 100000000.
    std::size_t FrameCount(double end) const;
    double FrameTime(std::size_t index) const;
};

struct ShowUsage {};

using CaptureRequest = std::variant<SingleFrame, FrameSequence, VideoRecording, ShowUsage>;

// The arguments after the program name; ShowUsage wherever --help is asked
// for. Throws UsageError for an unknown option, a missing or repeated value, a
// time that is not a finite number of seconds from 0 on, a sequence that runs
// backwards, a video that is empty or in a container it cannot write, a rate
// that is not above 0, more than 100000000 frames, or a size that is not
// WIDTHxHEIGHT in even numbers of pixels up to kLargestPixelSide. What the
// user typed is quoted in the message, which stays one line.
CaptureRequest ParseCaptureArguments(std::span<const std::string_view> arguments);

inline constexpr std::string_view kCaptureUsage =
    "usage: quorl-capture --at SECONDS --out FILE.png\n"
    "       quorl-capture --from SECONDS --to SECONDS --fps N --out DIRECTORY\n"
    "       quorl-capture --video FILE [--fps N] [--size WxH] [--from SECONDS] [--to SECONDS]\n"
    "\n"
    "--video renders the frames at from, from + 1/N, ... before --to (by default the\n"
    "whole demo at 60 fps and 1920x1080) and has ffmpeg encode them with the music of\n"
    "the same span, in yuv420p: .mp4 as H.264 and AAC, .mkv as H.264 and Vorbis, .webm\n"
    "as VP9 and Opus (WebM cannot hold H.264). --size scales the 1920x1080 frame for\n"
    "the file.\n"
    "\n"
    "Ctrl-C, SIGTERM, SIGHUP and SIGQUIT stop a capture and leave no unfinished file\n"
    "behind; a second one ends the tool at once.\n";
