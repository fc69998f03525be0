// The few raylib calls whose names differ between the releases we build with
// (5.0 and 6.0).
#pragma once

#include <raylib.h>

// raylib 5.5 renamed the Is...Ready checks to Is...Valid.
#if RAYLIB_VERSION_MAJOR > 5 || (RAYLIB_VERSION_MAJOR == 5 && RAYLIB_VERSION_MINOR >= 5)
inline bool IsMusicLoaded(Music music) { return IsMusicValid(music); }
inline bool IsRenderTextureLoaded(RenderTexture2D target) { return IsRenderTextureValid(target); }
#else
inline bool IsMusicLoaded(Music music) { return IsMusicReady(music); }
inline bool IsRenderTextureLoaded(RenderTexture2D target) { return IsRenderTextureReady(target); }
#endif
