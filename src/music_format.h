// The format of the demo's music, the one definition of it in C++: the
// composer writes the music at this rate, the demo and the studio play it, and
// the headless harness's sound device takes it. The harness (a shell script)
// keeps its own copy of the number; the end-to-end tests tie that copy to this.
#pragma once

inline constexpr int kMusicSampleRate = 48000;
