// How ffmpeg is told to make a video file of the demo: its command line for a
// recording, in the container that the file's name asks for. ffmpeg reads the
// frames as raw RGBA on its standard input and the Ogg Vorbis music on file
// descriptor 3.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "capture_request.h"

// ffmpeg's arguments, after the program name, for the frames of `request` up
// to `end` and the music of the same span, written to `file` (always as a
// plain file, whatever its name) in the container of request.outputFile.
std::vector<std::string> EncoderArguments(const VideoRecording& request, double end,
                                          const std::filesystem::path& file);
