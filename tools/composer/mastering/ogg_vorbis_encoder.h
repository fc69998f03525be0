// Ogg Vorbis encoding of a stereo piece, deterministic for the same input.
#pragma once

#include <span>
#include <string>

struct StereoBuffer;

// Encodes at the given Vorbis quality (-0.1 to 1.0) into one logical stream with
// a fixed serial number, so the same samples always give the same bytes.
// Throws std::invalid_argument for a quality outside that range (libvorbis
// would quietly clamp it), and std::runtime_error for a sample rate that
// libvorbis cannot encode.
std::string EncodeOggVorbis(const StereoBuffer& audio, float quality);
