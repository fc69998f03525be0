// The end of a frame on a window: the off-screen picture drawn upright where
// it belongs, and the frame presented. raylib is built with custom frame
// control, so EndDrawing neither swaps the buffers nor polls the window's
// events: EndFrame does, and every front end ends its frames with it.
#pragma once

#include <raylib.h>

#include "pixel_size.h"

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

// Draws the picture as large as fits on a screen (or window) of `screen`, at
// its own shape, centred, with black bars on the other sides (between
// BeginDrawing and EndDrawing). On a screen of the picture's shape it covers
// the whole screen, as it did before it kept its shape.
void DrawPictureFitted(Texture2D picture, PixelSize screen);

// A whole frame of the demo: the picture fitted to the screen, presented.
void ShowPicture(Texture2D picture, PixelSize screen, InputPolling polling);
