// What quorl-capture does for each kind of request. Each throws
// std::runtime_error, with a one-line message, when a frame cannot be rendered
// or written; a file under its final name is always complete.
#pragma once

#include "capture_request.h"
#include "frame_capture.h"

// Writes the frame at the requested reading to one PNG file.
void CaptureSingleFrame(FrameCapture& capture, const SingleFrame& request);

// Writes DIRECTORY/frame_00000.png, frame_00001.png, ..., creating the folder
// if needed, and reports progress on standard error after every frame.
void CaptureFrameSequence(FrameCapture& capture, const FrameSequence& request);
