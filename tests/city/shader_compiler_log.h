// What the OpenGL driver says about a fragment shader: whether it compiles and
// the driver's messages (warnings included, which raylib does not pass on).
// Needs a current graphics context.
#pragma once

#include <string>

struct ShaderCompilerLog {
    bool compiled;
    std::string messages;
};

ShaderCompilerLog CompileFragmentShader(const char* source);
