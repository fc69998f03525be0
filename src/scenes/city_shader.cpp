#include "scenes/city_shader.h"

ScopedShader CompileCityShader(const char* fragmentSource)
{
    return ScopedShader(nullptr, fragmentSource);
}
