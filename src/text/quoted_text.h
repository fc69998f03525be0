// Text that a user gave (a file name, an option, a word of tracks.txt), quoted
// for a one-line message: in single quotes, with quotes, backslashes, control
// characters and bytes that are not UTF-8 written as escapes, so that no word
// can break the line or drive the terminal. Valid UTF-8 stays as it is.
//
// A long word is cut to its first and last kQuotedEndBytes bytes (whole
// characters), each quoted, joined by "...": 'its start'...'and its end'. A
// word of any size gives a message of a readable length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Words up to this many bytes are quoted whole.
inline constexpr std::size_t kQuotedWholeBytes = 60;
inline constexpr std::size_t kQuotedEndBytes = 24;

std::string Quoted(std::string_view text);
