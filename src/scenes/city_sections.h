// The rows at which the City's shader cuts between the sections of its world:
// the flock joins the seagull at 256, the tower stands from 384, the stream
// runs from 512. The shader is text and keeps its own copies; the City tests
// tie them to these.
#pragma once

inline constexpr int kCitySectionCuts[] = {256, 384, 512};
