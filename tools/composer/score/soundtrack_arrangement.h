// The arrangement of the soundtrack, following the picture row by row.
#pragma once

#include "score/score.h"

Score WriteSoundtrackScore();
