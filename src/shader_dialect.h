// Our fragment shaders are written once, in desktop GLSL 3.30. Where raylib
// draws with OpenGL ES 3 (WebGL 2 in a browser) the same text is compiled as
// GLSL ES 3.00: another version line, a default float precision (fragment
// shaders have none), and a vertex shader of ours, since raylib's default one
// there is GLSL ES 1.00 and does not link with a 3.00 fragment shader. This is
// the one place that knows the difference.
#pragma once

#include <string>
#include <string_view>

#include "scoped_media.h"

// The GLSL ES 3.00 text that OpenGL ES 3 is given for `glsl330`: its version
// line replaced, a float precision added.
std::string Es300FragmentCode(std::string_view glsl330);

// The vertex shader that goes with our fragment shaders on this API: null for
// raylib's default one where that links with them.
const char* VertexCodeForThisApi();
// `fragmentCode`, GLSL 3.30 whose first line is its #version line, as the
// graphics API raylib is built with takes it.
std::string FragmentCodeForThisApi(const char* fragmentCode);

// Compiles `fragmentCode`, GLSL 3.30 whose first line is its #version line,
// for the graphics API raylib is built with. As with ScopedShader, a shader
// that does not compile leaves raylib's default shader in its place.
ScopedShader LoadFragmentShader(const char* fragmentCode);
