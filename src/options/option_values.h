// Values of the programs' command-line options: numbers, clock readings,
// monitor numbers and WIDTHxHEIGHT sizes, read whole (no blanks, no trailing letters). Each
// reader throws UsageError with one line that names the option and quotes
// what was typed, as in "--at 'soon' is not a finite number".
#pragma once

#include <optional>
#include <stdexcept>
#include <string_view>

#include "pixel_size.h"

// A command line that asks for nothing the tool can do; what() is one line.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// No picture or window side is larger.
inline constexpr int kLargestPixelSide = 16384;

// A finite number: refused when it is not one, or when it is past the largest
// double or closer to 0 than the smallest.
double ReadNumber(std::string_view option, std::string_view text);

// A clock reading of the demo: a number from 0 on.
double ReadSeconds(std::string_view option, std::string_view text);

// A whole number in the range of int; none where the text is not one.
std::optional<int> ReadWholeNumber(std::string_view text);

// A monitor's number: 0 (the primary monitor), 1, ... Whether the system has
// it is the window's to find out.
int ReadMonitor(std::string_view option, std::string_view text);

// WIDTHxHEIGHT, each side a whole number of pixels from 1 to kLargestPixelSide.
PixelSize ReadPixelSize(std::string_view option, std::string_view text);
