// The few raylib calls whose names differ between the releases we build with
// (5.0 and 6.0).
#pragma once

#include <raylib.h>

// raylib 5.5 renamed IsMusicReady to IsMusicValid.
inline bool IsMusicLoaded(Music music)
{
#if RAYLIB_VERSION_MAJOR > 5 || (RAYLIB_VERSION_MAJOR == 5 && RAYLIB_VERSION_MINOR >= 5)
    return IsMusicValid(music);
#else
    return IsMusicReady(music);
#endif
}
