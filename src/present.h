// Shows the off-screen picture on the window, stretched over it whatever its
// size, and presents the frame.
#pragma once

#include <raylib.h>

// Draws the picture over the whole screen and swaps it in.
void ShowPicture(Texture2D picture, float screenWidth, float screenHeight);

// ShowPicture, then polls the window's events, as a desktop window needs
// every frame.
void Present(Texture2D picture, float screenWidth, float screenHeight);
