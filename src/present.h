// Shows the off-screen picture on the window, stretched over it whatever its
// size, then presents the frame and polls the window's events.
#pragma once

#include <raylib.h>

void Present(Texture2D picture, float screenWidth, float screenHeight);
