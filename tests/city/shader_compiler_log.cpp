#include "shader_compiler_log.h"

#include <GLFW/glfw3.h>

namespace {

// The few OpenGL 2.0 entry points needed, fetched from the context's driver.
constexpr unsigned kFragmentShader = 0x8B30;
constexpr unsigned kCompileStatus = 0x8B81;
constexpr unsigned kInfoLogLength = 0x8B84;

template <class Function>
Function Load(const char* name)
{
    return reinterpret_cast<Function>(glfwGetProcAddress(name));
}

}  // namespace

ShaderCompilerLog CompileFragmentShader(const char* source)
{
    const auto createShader = Load<unsigned (*)(unsigned)>("glCreateShader");
    const auto shaderSource = Load<void (*)(unsigned, int, const char* const*, const int*)>("glShaderSource");
    const auto compileShader = Load<void (*)(unsigned)>("glCompileShader");
    const auto getShaderiv = Load<void (*)(unsigned, unsigned, int*)>("glGetShaderiv");
    const auto getShaderInfoLog = Load<void (*)(unsigned, int, int*, char*)>("glGetShaderInfoLog");
    const auto deleteShader = Load<void (*)(unsigned)>("glDeleteShader");

    const unsigned shader = createShader(kFragmentShader);
    shaderSource(shader, 1, &source, nullptr);
    compileShader(shader);
    int status = 0;
    int length = 0;
    getShaderiv(shader, kCompileStatus, &status);
    getShaderiv(shader, kInfoLogLength, &length);
    std::string messages(static_cast<std::size_t>(length), '\0');
    if (length > 0) getShaderInfoLog(shader, length, &length, messages.data());
    messages.resize(static_cast<std::size_t>(length));  // without the terminating zero
    deleteShader(shader);
    return {status != 0, messages};
}
