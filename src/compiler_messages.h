// The shader compiler's own messages out of what raylib logs while it
// compiles and links a program: raylib wraps them in lines of its own
// ("SHADER: [ID 3] Compile error: 0:12(5): error: ...") and adds summaries
// ("Failed to compile fragment shader code") that say nothing more.
#pragma once

#include <span>
#include <string>

// The messages, one per line as the compiler wrote them (with their line
// numbers), without raylib's wrapping and summaries.
std::string CompilerMessages(std::span<const std::string> loggedLines);
