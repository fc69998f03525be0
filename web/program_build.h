// A shader program compiled and linked in the background, where the browser
// offers KHR_parallel_shader_compile: the page asks whether the compiler has
// finished without waiting for it, and stays responsive meanwhile (a large
// shader takes seconds, much longer where the browser translates it for
// Direct3D). Where the browser does not offer it, the first question waits.
#pragma once

#include <string>

#include "scoped_media.h"

class ProgramBuild {
public:
    // Starts compiling both shaders and linking them; needs the canvas's
    // WebGL context. `vertexCode` declares raylib's vertexPosition.
    ProgramBuild(const char* vertexCode, const char* fragmentCode);
    ~ProgramBuild();
    ProgramBuild(const ProgramBuild&) = delete;
    ProgramBuild& operator=(const ProgramBuild&) = delete;

    // Whether the compiler has finished, asked without waiting for it.
    bool Finished() const;

    // Once finished: whether the program linked; if not, the line that says
    // so in the library's words, with the first message of the step that
    // failed (the fragment shader's compile, the vertex shader's, the link).
    bool Linked() const;
    std::string FailureLine() const;

    // The linked program as raylib's shader, which owns it from now on.
    ScopedShader TakeShader();

private:
    bool inBackground;  // first: the extension is enabled before anything is compiled
    unsigned vertexShader;
    unsigned fragmentShader;
    unsigned program;
};
