// How ffmpeg is told to make a video file of the demo: the containers that
// quorl-capture writes, with their codecs, and ffmpeg's command line for a
// recording. ffmpeg reads the frames as raw RGBA on its standard input and the
// Ogg Vorbis music on file descriptor 3.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "capture_request.h"

struct VideoContainer {
    std::string_view extension;
    std::string_view format;  // ffmpeg's name, as the file is written under another name
    std::string_view codecs;  // ffmpeg's options, separated by spaces
};

// The container for a file name's extension; null for one we do not write.
const VideoContainer* FindVideoContainer(std::string_view fileName);

// ffmpeg's arguments, after the program name, for the frames of `request` up
// to `end` and the music of the same span, written to `file` in the container
// of request.outputFile.
std::vector<std::string> EncoderArguments(const VideoRecording& request, double end,
                                          const std::filesystem::path& file);
