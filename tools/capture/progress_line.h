// The line that quorl-capture shows while it renders a sequence.
#pragma once

#include <cstddef>
#include <string>

// "frame 3 of 10, 0.42 frames/s, 17s left", after `done` frames in `elapsed` seconds.
std::string ProgressLine(std::size_t done, std::size_t total, double elapsedSeconds);
