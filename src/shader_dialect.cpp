// GLSL 3.30 fragment shaders compiled as GLSL ES 3.00 where raylib draws with OpenGL ES 3.
#include "shader_dialect.h"

#include <rlgl.h>

#include <string>
#include <string_view>

namespace {

// raylib's default vertex shader, as GLSL ES 3.00: the position through the
// model-view-projection matrix; the fragment shaders need nothing else.
constexpr const char* kEs300VertexShader = R"(#version 300 es
in vec3 vertexPosition;
uniform mat4 mvp;
void main()
{
    gl_Position = mvp * vec4(vertexPosition, 1.0);
}
)";

}  // namespace

std::string Es300FragmentCode(std::string_view glsl330)
{
    const std::size_t firstLineEnd = glsl330.find('\n');
    const std::string_view body =
        firstLineEnd == std::string_view::npos ? std::string_view{} : glsl330.substr(firstLineEnd + 1);
    return "#version 300 es\nprecision highp float;\n" + std::string(body);
}

const char* VertexCodeForThisApi()
{
    return rlGetVersion() == RL_OPENGL_ES_30 ? kEs300VertexShader : nullptr;
}

std::string FragmentCodeForThisApi(const char* fragmentCode)
{
    return rlGetVersion() == RL_OPENGL_ES_30 ? Es300FragmentCode(fragmentCode) : std::string(fragmentCode);
}
ScopedShader LoadFragmentShader(const char* fragmentCode)
{
    return ScopedShader(VertexCodeForThisApi(), FragmentCodeForThisApi(fragmentCode).c_str());
}
