// The key types as a TrackKey holds them (a plain 32-bit number), for tests
// that write keys by hand; the numbers come from KeyType, their one definition.
#pragma once

#include <cstdint>

#include "sync/track.h"

inline constexpr auto kStep = static_cast<std::int32_t>(KeyType::Step);
inline constexpr auto kLinear = static_cast<std::int32_t>(KeyType::Linear);
inline constexpr auto kSmooth = static_cast<std::int32_t>(KeyType::Smooth);
inline constexpr auto kRamp = static_cast<std::int32_t>(KeyType::Ramp);
