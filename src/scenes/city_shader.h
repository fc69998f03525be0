// The City's fragment shader made into a program: the one place where its
// GLSL text meets the graphics API, for the embedded source and for any other
// version of it (the studio recompiles the file as it is edited).
#pragma once

#include "scoped_media.h"

// Compiles a fragment shader written like assets/city.frag. When it does not
// compile, raylib's default shader stands in (Compiled() is false) and
// raylib's log holds the compiler's messages.
ScopedShader CompileCityShader(const char* fragmentSource);
