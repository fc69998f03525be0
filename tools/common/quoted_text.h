// Text that a user gave (a file name, an option), quoted for a one-line
// message: in single quotes, with control characters, quotes and backslashes
// written as escapes, so that no name can break the line or drive the terminal.
#pragma once

#include <string>
#include <string_view>

std::string Quoted(std::string_view text);
