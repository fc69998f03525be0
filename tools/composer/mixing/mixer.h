// The mixing desk: plays every part of a score through its instrument into a
// stem, then shapes the stem (its brightness and level automation, a low cut,
// ducking under the kick), and sums the stems into the mix along with the
// returns of the shared echo and reverb; two shelves on the sum set the tone
// of the whole. Levels here set the balance of the
// band; the mastering chain sets the loudness of the whole.
#pragma once

#include "score/score.h"
#include "stereo_buffer.h"

// The unmastered mix of the whole piece, PieceFrames() long at the music's rate.
StereoBuffer MixScore(const Score& score);
