#include "shader_file.h"

#include <raylib.h>

#include <cstdio>
#include <utility>

#include "scenes/city_shader.h"

bool UseShaderSource(FrameCapture& capture, const char* source, const char* name, const char* tool)
{
    ScopedShader shader = CompileCityShader(source);
    if (!shader.Compiled()) {
        std::fprintf(stderr, "%s: %s does not compile (raylib's log above has the compiler's messages)\n", tool, name);
        return false;
    }
    capture.UseCityShader(std::move(shader));
    return true;
}

bool UseShaderFile(FrameCapture& capture, const char* path, const char* tool)
{
    char* const source = LoadFileText(path);
    if (source == nullptr) {
        std::fprintf(stderr, "%s: cannot read %s\n", tool, path);
        return false;
    }
    const bool used = UseShaderSource(capture, source, path, tool);
    UnloadFileText(source);
    return used;
}
