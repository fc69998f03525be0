#include "program_build.h"

#include <GLES3/gl3.h>
#include <emscripten/html5.h>
#include <raylib.h>
#include <rlgl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "startup_failure.h"

namespace {

// KHR_parallel_shader_compile's query: true once compiling or linking is over.
constexpr GLenum kCompletionStatus = 0x91B1;

unsigned CompileInBackground(GLenum type, const char* code)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &code, nullptr);
    glCompileShader(shader);
    return shader;
}

bool Compiled(GLuint shader)
{
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    return compiled == GL_TRUE;
}

template <auto GetLength, auto GetLog>
std::string InfoLog(GLuint object)
{
    GLint length = 0;
    GetLength(object, GL_INFO_LOG_LENGTH, &length);
    if (length <= 1) return {};
    std::vector<char> log(static_cast<std::size_t>(length));
    GetLog(object, length, nullptr, log.data());
    return log.data();
}

// What raylib's own loader gives a shader that it linked: the locations of
// the attributes and uniforms that its drawing feeds (by raylib's default
// names), -1 where the program has none.
Shader ShaderOfLinkedProgram(unsigned program)
{
    Shader shader{program, static_cast<int*>(MemAlloc(RL_MAX_SHADER_LOCATIONS * sizeof(int)))};
    std::fill_n(shader.locs, RL_MAX_SHADER_LOCATIONS, -1);
    shader.locs[SHADER_LOC_VERTEX_POSITION] = rlGetLocationAttrib(program, "vertexPosition");
    shader.locs[SHADER_LOC_VERTEX_TEXCOORD01] = rlGetLocationAttrib(program, "vertexTexCoord");
    shader.locs[SHADER_LOC_VERTEX_COLOR] = rlGetLocationAttrib(program, "vertexColor");
    shader.locs[SHADER_LOC_MATRIX_MVP] = rlGetLocationUniform(program, "mvp");
    shader.locs[SHADER_LOC_COLOR_DIFFUSE] = rlGetLocationUniform(program, "colDiffuse");
    shader.locs[SHADER_LOC_MAP_DIFFUSE] = rlGetLocationUniform(program, "texture0");
    return shader;
}

}  // namespace

ProgramBuild::ProgramBuild(const char* vertexCode, const char* fragmentCode)
    : inBackground(emscripten_webgl_enable_extension(emscripten_webgl_get_current_context(),
                                                     "KHR_parallel_shader_compile") != 0),
      vertexShader(CompileInBackground(GL_VERTEX_SHADER, vertexCode)),
      fragmentShader(CompileInBackground(GL_FRAGMENT_SHADER, fragmentCode)),
      program(glCreateProgram())
{
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    // Where raylib's drawing feeds the vertices, as its loader binds it.
    glBindAttribLocation(program, RL_DEFAULT_SHADER_ATTRIB_LOCATION_POSITION, "vertexPosition");
    glLinkProgram(program);
}

ProgramBuild::~ProgramBuild()
{
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    if (program != 0) glDeleteProgram(program);
}

bool ProgramBuild::Finished() const
{
    if (!inBackground) return true;
    GLint finished = GL_FALSE;
    glGetProgramiv(program, kCompletionStatus, &finished);
    return finished == GL_TRUE;
}

bool ProgramBuild::Linked() const
{
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE;
}

std::string ProgramBuild::FailureLine() const
{
    for (const GLuint shader : {fragmentShader, vertexShader}) {
        if (!Compiled(shader)) {
            return ShaderFailureLine(ShaderStep::Compile, InfoLog<glGetShaderiv, glGetShaderInfoLog>(shader));
        }
    }
    return ShaderFailureLine(ShaderStep::Link, InfoLog<glGetProgramiv, glGetProgramInfoLog>(program));
}

ScopedShader ProgramBuild::TakeShader()
{
    return ScopedShader(ShaderOfLinkedProgram(std::exchange(program, 0U)));
}
