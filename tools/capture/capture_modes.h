// What quorl-capture does for each kind of request. Each throws
// std::runtime_error, with a one-line message, when a frame cannot be rendered
// or written, and CaptureStopped when a StopSignals in place was asked to stop
// (each removes its unfinished file as it goes); a file under its final name
// is always complete.
#pragma once

#include <filesystem>

#include "capture_request.h"
#include "frame_capture.h"
#include "pending_file.h"

// Writes the frame at the requested reading to `file`, the PNG file's place
// taken for request.outputFile.
void CaptureSingleFrame(FrameCapture& capture, const SingleFrame& request, PendingFile& file);

// Writes DIRECTORY/frame_00000.png, frame_00001.png, ..., creating the folder
// if needed, and reports progress on standard error after every frame.
void CaptureFrameSequence(FrameCapture& capture, const FrameSequence& request);

// Where a video goes: the ffmpeg that encodes it and the file that it writes.
struct VideoOutput {
    std::filesystem::path encoder;
    PendingFile file;
};

// Finds ffmpeg and takes the output file's place, before anything is
// rendered, so that a missing ffmpeg or an unwritable path fails at once.
VideoOutput PrepareVideoOutput(const VideoRecording& request);

// Renders the frames and has ffmpeg encode them with the music of the same
// span, reporting progress after every frame, and gives the file its name once
// it starts as a file of its container should. On every failure ffmpeg is
// ended, and `output` then removes the partial file as it goes.
void CaptureVideo(FrameCapture& capture, const VideoRecording& request, VideoOutput& output);
