// Other versions of the City shader for the benchmarks' frame captures.
#pragma once

#include "frame_capture.h"

// Has `capture` render through the shader `source`, called `name` in
// messages. False, with one line on standard error that starts with `tool`,
// when it does not compile.
bool UseShaderSource(FrameCapture& capture, const char* source, const char* name, const char* tool);

// UseShaderSource with the text of the file at `path`; false too when the
// file cannot be read.
bool UseShaderFile(FrameCapture& capture, const char* path, const char* tool);
