// GLSL 3.30 fragment shaders compiled as GLSL ES 3.00 where raylib draws with OpenGL ES 3.
#include "shader_dialect.h"

#include <rlgl.h>

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

ScopedShader LoadFragmentShader(const char* fragmentCode)
{
    if (rlGetVersion() != RL_OPENGL_ES_30) return ScopedShader(nullptr, fragmentCode);
    const std::string es300Code = Es300FragmentCode(fragmentCode);
    return ScopedShader(kEs300VertexShader, es300Code.c_str());
}
