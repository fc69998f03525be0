#include "present.h"

void DrawPicture(Texture2D picture, Rectangle area)
{
    // A negative source height turns the picture upright.
    const Rectangle source{0, 0, static_cast<float>(picture.width), -static_cast<float>(picture.height)};
    DrawTexturePro(picture, source, area, {0, 0}, 0, WHITE);
}

void EndFrame(InputPolling polling)
{
    SwapScreenBuffer();
    if (polling == InputPolling::Poll) PollInputEvents();
}

void ShowPicture(Texture2D picture, float screenWidth, float screenHeight, InputPolling polling)
{
    BeginDrawing();
    DrawPicture(picture, {0, 0, screenWidth, screenHeight});
    EndDrawing();
    EndFrame(polling);
}
