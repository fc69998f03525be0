// The end of a frame on a window: the off-screen picture drawn upright where
// it belongs, and the frame presented. raylib is built with custom frame
// control, so EndDrawing neither swaps the buffers nor polls the window's
// events: EndFrame does, and every front end ends its frames with it.
#pragma once

#include <raylib.h>

// Whether the end of a frame polls the window's events. A desktop window must,
// every frame; the web page must not: it handles its keys itself, and raylib's
// web platform polls by yielding to the browser, which this build cannot do.
enum class InputPolling { Poll, LeaveToThePage };

// Draws a render target's picture, which is stored upside down, upright and
// stretched over `area` of the frame being drawn (between BeginDrawing and
// EndDrawing).
void DrawPicture(Texture2D picture, Rectangle area);

// Presents the frame drawn since BeginDrawing, after EndDrawing: swaps it in,
// then polls the window's events or leaves them to the page.
void EndFrame(InputPolling polling);

// A whole frame of the demo: the picture over the whole screen, presented.
void ShowPicture(Texture2D picture, float screenWidth, float screenHeight, InputPolling polling);
