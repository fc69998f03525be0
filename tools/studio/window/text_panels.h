// Text over the frame: the overlay's readings in its bottom-left corner, the
// help (every key, grouped) over the middle, and the problems with the
// watched assets (compiler messages, a line of the tracks text) in a band
// across its top, over everything else.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "key_help.h"
#include "studio_layout.h"

// Both need a frame begun with BeginDrawing.
void DrawOverlay(PixelRect frame, const std::string& text);
void DrawMessages(PixelRect frame, const std::vector<std::string>& messages);
// In two columns of groups, each row its keys and what they do; as much as fits.
void DrawHelp(PixelRect frame, std::span<const KeyHelpGroup> groups);
