#include "shader_compiler_log.h"

#include <GLFW/glfw3.h>

#include <stdexcept>

namespace {

// The few OpenGL 2.0 entry points needed, fetched from the context's driver.
constexpr unsigned kFragmentShader = 0x8B30;
constexpr unsigned kCompileStatus = 0x8B81;
constexpr unsigned kInfoLogLength = 0x8B84;

using CreateShader = unsigned (*)(unsigned type);
using ShaderSource = void (*)(unsigned shader, int count, const char* const* sources, const int* lengths);
using CompileShader = void (*)(unsigned shader);
using GetShaderiv = void (*)(unsigned shader, unsigned name, int* value);
using GetShaderInfoLog = void (*)(unsigned shader, int size, int* length, char* log);
using DeleteShader = void (*)(unsigned shader);

template <class Function>
Function Load(const char* name)
{
    const GLFWglproc address = glfwGetProcAddress(name);
    if (address == nullptr) throw std::runtime_error(std::string("no OpenGL function ") + name);
    return reinterpret_cast<Function>(address);
}

}  // namespace

ShaderCompilerLog CompileFragmentShader(const char* source)
{
    const auto createShader = Load<CreateShader>("glCreateShader");
    const auto shaderSource = Load<ShaderSource>("glShaderSource");
    const auto compileShader = Load<CompileShader>("glCompileShader");
    const auto getShaderiv = Load<GetShaderiv>("glGetShaderiv");
    const auto getShaderInfoLog = Load<GetShaderInfoLog>("glGetShaderInfoLog");
    const auto deleteShader = Load<DeleteShader>("glDeleteShader");

    const unsigned shader = createShader(kFragmentShader);
    shaderSource(shader, 1, &source, nullptr);
    compileShader(shader);
    int status = 0;
    int length = 0;
    getShaderiv(shader, kCompileStatus, &status);
    getShaderiv(shader, kInfoLogLength, &length);
    std::string messages(static_cast<std::size_t>(length), '\0');
    if (length > 0) getShaderInfoLog(shader, length, nullptr, messages.data());
    // The driver counts the terminating zero.
    while (!messages.empty() && messages.back() == '\0') messages.pop_back();
    deleteShader(shader);
    return {status != 0, messages};
}
