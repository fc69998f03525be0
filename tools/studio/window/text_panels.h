// Text over the frame: the overlay's readings in its bottom-left corner, and the
// problems with the watched assets (compiler messages, a line of the tracks
// text) in a band across its top, over everything else.
#pragma once

#include <string>
#include <vector>

#include "studio_layout.h"

// Both need a frame begun with BeginDrawing.
void DrawOverlay(PixelRect frame, const std::string& text);
void DrawMessages(PixelRect frame, const std::vector<std::string>& messages);
