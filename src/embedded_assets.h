// Data built into the executable by the assembler; each blob is followed by a
// zero byte (so the shader source is a C string) that its size leaves out.
#pragma once

#include <cstddef>

extern "C" {
extern const unsigned char MUSIC_OGG[];  // Ogg Vorbis, stereo, see music_format.h
extern const std::size_t MUSIC_OGG_SIZE;
extern const unsigned char TRACK_TABLE[];  // the choreography, see sync/embedded_tracks.h
extern const std::size_t TRACK_TABLE_SIZE;
extern const char CITY_SHADER_SOURCE[];  // GLSL 3.30 fragment shader
extern const std::size_t CITY_SHADER_SOURCE_SIZE;
}
