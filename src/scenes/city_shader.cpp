#include "scenes/city_shader.h"

#include "shader_dialect.h"

ScopedShader CompileCityShader(const char* fragmentSource)
{
    return LoadFragmentShader(fragmentSource);
}
